// Any bytes: the form reader gives a form or a FormDescriptionError, never
// reads outside the block and never crashes; and what it gives, the writer
// stores so that it reads back the same. The identifiers are taken from the
// bytes themselves so that the fuzzer gets past the header.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "ui/stored_form/reader.h"
#include "ui/stored_form/writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> block(data, size);
  const auto ids = mivello::IdentifiersInHeader(block);
  mivello::FormModel form;
  try {
    form = mivello::ReadFormDescription(block, ids.formId, ids.secondFormId);
  } catch (const mivello::FormDescriptionError&) {
    return 0;
  }
  // The writer refusing what the reader took is as much a fault as a difference.
  const auto rewritten = mivello::WriteFormDescription(form, ids.formId, ids.secondFormId);
  if (mivello::ReadFormDescription(rewritten, ids.formId, ids.secondFormId) != form) std::abort();
  return 0;
}
