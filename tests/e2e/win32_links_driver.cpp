// Clicks the three links of 工程1.exe once each, as a user would, and checks
// which of them the program says it could not open.
//   win32_links_driver PROGRAM [wangwang|qq|shop ...]   the links expected to give the box
#include "tests/e2e/win32_driving.h"
#include "tests/expected/expected_values.h"

int wmain(int argc, wchar_t** argv) {
  using namespace driving;
  if (argc < 2) {
    std::printf("usage: win32_links_driver PROGRAM [wangwang|qq|shop ...]\n");
    return 2;
  }
  const std::vector<std::wstring> refused(argv + 2, argv + argc);
  Started started = Start(argv[1], WideFromUtf8(mivello::expected::caption));
  if (started.main == nullptr) return Finish(started);
  struct Link {
    const wchar_t* name;
    POINT at;
  };
  for (const Link& link :
       {Link{L"wangwang", {282, 104}}, Link{L"qq", {430, 106}}, Link{L"shop", {40, 112}}}) {
    ClickAt(started.main, link.at.x, link.at.y);
    const HWND box = WaitForWindow(L"#32770", L"Mivello", 2000);
    const std::wstring text = box != nullptr ? TextOf(GetDlgItem(box, 0xFFFF)) : L"";
    if (box != nullptr) Dismiss(box);
    const bool boxExpected = std::find(refused.begin(), refused.end(), link.name) != refused.end();
    const std::string what = Utf8(link.name) + (boxExpected ? ": error 53" : ": opened, no box");
    Expect(boxExpected ? text.rfind(L"实时错误 '53'", 0) == 0 : box == nullptr, what.c_str(), text);
  }
  return Finish(started);
}
