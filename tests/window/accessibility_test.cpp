// Form1 as assistive tools are given it, whatever the window system.
#include "runtime/window_model/accessibility.h"

#include <gtest/gtest.h>

#include "tests/expected/expected_values.h"
#include "tests/support/headless_form1.h"

namespace mivello {
namespace {

using testing_support::HeadlessForm1;
using Role = AccessibleRole;

struct Row {
  const char* control;
  Role role;
  const char* name;
  const char* description;
  const char* labelFor;    // "" for none
  const char* labelledBy;  // "" for none
};

TEST(Form1Accessibility, EveryElementInReadingOrder) {
  const Row expected[] = {
      {"Label2", Role::StaticText, "原价：", "", "Text1", ""},
      {"Text1", Role::EditableText, "原价", "", "", "Label2"},
      {"Label3", Role::StaticText, "折扣：", "", "Text2", ""},
      {"Text2", Role::EditableText, "折扣", "", "", "Label3"},
      {"Label4", Role::StaticText, "现价：", "", "Text3", ""},
      {"Text3", Role::EditableText, "现价", "", "", "Label4"},
      {"Command1", Role::PushButton, "计算", "", "", ""},
      {"Command2", Role::PushButton, "重来", "", "", ""},
      {"Label5", Role::StaticText, "使用说明:直接输入原价和折扣值就可以了。如9折就直接在折扣处输入9。", "",
       "", ""},
      {"Label1", Role::Link, ::mivello::expected::shop_line.data(), "点击访问小店", "", ""},
      {"Label6", Role::StaticText, "旺旺：", "", "", ""},
      {"Image1", Role::Link, "和我联系", "点击联系我旺旺", "", ""},
      {"Label7", Role::StaticText, "QQ：", "", "", ""},
      {"Image2", Role::Link, "QQ在线", "点击联系我QQ", "", ""},
  };
  HeadlessForm1 app;
  const Form& form = app.session.TheForm();
  const std::vector<AccessibleElement> got = AccessibleElements(form, app.session.Events());
  ASSERT_EQ(got.size(), std::size(expected));
  auto nameOf = [&](const std::optional<std::size_t>& i) { return i ? form.Model().controls[*i].name : ""; };
  for (std::size_t k = 0; k < got.size(); ++k) {
    SCOPED_TRACE(expected[k].control);
    EXPECT_EQ(form.Model().controls[got[k].control].name, expected[k].control);
    EXPECT_EQ(got[k].role, expected[k].role);
    EXPECT_EQ(ToUtf8(got[k].name), expected[k].name);
    EXPECT_EQ(ToUtf8(got[k].description), expected[k].description);
    EXPECT_EQ(nameOf(got[k].labelFor), expected[k].labelFor);
    EXPECT_EQ(nameOf(got[k].labelledBy), expected[k].labelledBy);
  }
}

}  // namespace
}  // namespace mivello
