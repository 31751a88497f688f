#include "runtime/startup/events.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "runtime/startup/diagnostic.h"

namespace mivello {
namespace {

FormModel TwoButtons() {
  FormModel model;
  model.name = "FormX";
  model.controls = {
      {"A", ControlClass::CommandButton, u"a", {}, 0, {}, {}, {}},
      {"B", ControlClass::CommandButton, u"b", {}, 1, {}, {}, {}},
  };
  return model;
}

int gRuns = 0;
int gFormReferencesSeen = 0;
void CountRuns(Form& me) {
  ++gRuns;
  gFormReferencesSeen = me.References();
}
void Overflows(Form& me) {
  ControlRef held = me.vbaObjSet("A");
  Raise(ErrorNumber::Overflow);
}

void ThrowsALogicError(Form& me) {
  ControlRef held = me.vbaObjSet("A");
  throw std::logic_error("a fault of the program");
}
void ThrowsAnInt(Form&) { throw 42; }

TEST(EventDispatcher, RunsTheBoundProcedureHoldingTheForm) {
  Form form(TwoButtons());
  const EventBinding bindings[] = {{"B", Event::Click, &CountRuns}};
  EventDispatcher events(form, bindings, nullptr);
  gRuns = 0;
  events.Deliver(0, Event::Click);  // A has no procedure: nothing happens
  EXPECT_EQ(gRuns, 0);
  events.Deliver(1, Event::Click);
  EXPECT_EQ(gRuns, 1);
  EXPECT_EQ(gFormReferencesSeen, 1);
  EXPECT_EQ(form.References(), 0);
}

TEST(EventDispatcher, ABindingToAMissingControlIsAStartupError) {
  Form form(TwoButtons());
  const EventBinding bindings[] = {{"Command9", Event::Click, &CountRuns}};
  EXPECT_THROW(EventDispatcher(form, bindings, nullptr), StartupError);
}

TEST(EventDispatcher, AnUntrappedErrorIsReportedAndEverythingReleased) {
  Form form(TwoButtons());
  const EventBinding bindings[] = {{"A", Event::Click, &Overflows}};
  std::vector<String> reported;
  EventDispatcher events(form, bindings,
                         [&](const RuntimeError& e) { reported.push_back(UntrappedErrorText(e)); });
  events.Deliver(0, Event::Click);
  events.Deliver(0, Event::Click);  // the program goes on
  ASSERT_EQ(reported.size(), 2u);
  EXPECT_EQ(reported[0], u"实时错误 '6':\n\n溢出");
  EXPECT_EQ(form.References(), 0);
  EXPECT_EQ(form.Find("A")->References(), 0);
}

TEST(EventDispatcher, AnyOtherExceptionIsAnInternalErrorAndTheProgramGoesOn) {
  Form form(TwoButtons());
  const EventBinding bindings[] = {{"A", Event::Click, &ThrowsALogicError},
                                   {"B", Event::Click, &ThrowsAnInt}};
  std::vector<String> reported;
  EventDispatcher events(form, bindings,
                         [&](const RuntimeError& e) { reported.push_back(UntrappedErrorText(e)); });
  SetDiagnosticName("Mivello");
  testing::internal::CaptureStderr();
  events.Deliver(0, Event::Click);
  events.Deliver(1, Event::Click);
  const std::string stderrText = testing::internal::GetCapturedStderr();
  EXPECT_EQ(reported, (std::vector<String>{u"实时错误 '51':\n\n内部错误", u"实时错误 '51':\n\n内部错误"}));
  EXPECT_EQ(stderrText, "Mivello: 内部错误：a fault of the program\nMivello: 内部错误\n");
  EXPECT_EQ(form.References(), 0);
  EXPECT_EQ(form.Find("A")->References(), 0);
}

}  // namespace
}  // namespace mivello
