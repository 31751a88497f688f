#include "links/command_lines.h"
#include "links/procedures.h"
#include "runtime/start_program.h"

namespace mivello {
namespace {

// Hands the constant command line to StartProgram in a Variant copy, which
// is freed on every way out; the task id is not needed.
void Open(std::string_view commandLine, WindowStyle style) {
  const Variant constant{Variant::kString, FromUtf8(commandLine)};
  const Variant copy = vbaVarDup(constant);
  StartProgram(copy, static_cast<int>(style));
}

}  // namespace

void Image1_Click(Form& /*me*/) { Open(links::kWangwangChat, WindowStyle::Hidden); }
void Image2_Click(Form& /*me*/) { Open(links::kQqChat, WindowStyle::Hidden); }
void Label1_Click(Form& /*me*/) { Open(links::kShopPage, WindowStyle::NormalFocus); }

}  // namespace mivello
