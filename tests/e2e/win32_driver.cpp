// Drives 工程1.exe as a user's automation would: finds the window by its
// caption, types into the text boxes, clicks, reads what the window shows,
// and reads the version block of the file.
//   win32_driver PROGRAM
#include "tests/e2e/win32_driving.h"
#include "tests/expected/expected_values.h"

namespace {

using namespace driving;

// A press anywhere on a text box's rectangle focuses it, its 3D border too:
// the first and last pixel column and row of each box, then a key typed
// there. The focus is on 计算 before each press.
void ClicksOnEveryEdgeOfTheTextBoxes(HWND main, const std::vector<HWND>& edits, HWND calculate,
                                     DWORD thread) {
  const wchar_t* names[] = {L"Text1", L"Text2", L"Text3"};
  for (std::size_t box = 0; box < edits.size(); ++box) {
    RECT r;
    GetWindowRect(edits[box], &r);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
    const int midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
    const POINT edges[] = {{r.left, midY}, {r.right - 1, midY}, {midX, r.top}, {midX, r.bottom - 1}};
    const wchar_t* edgeNames[] = {L"first column", L"last column", L"first row", L"last row"};
    bool all = true;
    std::wstring missed;
    for (std::size_t e = 0; e < 4; ++e) {
      for (int i = 0; i < 6 && Focused(thread) != calculate; ++i) Press(thread, VK_TAB);
      Clear(edits[box]);
      RealClicksAt(main, edges[e].x, edges[e].y, 1);
      PostMessageW(Focused(thread), WM_CHAR, L'5', 1);
      Sleep(200);
      if (Focused(thread) != edits[box] || TextOf(edits[box]) != L"5") {
        all = false;
        missed += std::wstring(missed.empty() ? L"" : L", ") + edgeNames[e];
      }
      Clear(edits[box]);
    }
    const std::string what =
        "a press on each edge of " + Utf8(names[box]) + " focuses it and typing fills it";
    Expect(all, what.c_str(), missed);
  }
}

std::wstring Version(const std::wstring& file, const wchar_t* key) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &handle);
  std::vector<unsigned char> data(size);
  if (size == 0 || !GetFileVersionInfoW(file.c_str(), 0, size, data.data())) return L"(no version block)";
  void* value = nullptr;
  UINT length = 0;
  const std::wstring path = std::wstring(L"\\StringFileInfo\\080404B0\\") + key;
  if (!VerQueryValueW(data.data(), path.c_str(), &value, &length)) return L"(missing)";
  return static_cast<const wchar_t*>(value);
}

void CheckVersionBlock(const std::wstring& file) {
  Expect(Version(file, L"FileVersion") == L"1.00", "FileVersion", Version(file, L"FileVersion"));
  Expect(Version(file, L"ProductVersion") == L"1.00", "ProductVersion", Version(file, L"ProductVersion"));
  Expect(Version(file, L"ProductName") == L"Mivello", "ProductName", Version(file, L"ProductName"));
  Expect(Version(file, L"InternalName") == L"工程1", "InternalName", Version(file, L"InternalName"));
  Expect(Version(file, L"OriginalFilename") == L"工程1.exe", "OriginalFilename",
         Version(file, L"OriginalFilename"));
  Expect(Version(file, L"CompanyName") == WideFromUtf8(mivello::expected::shop_link), "CompanyName",
         Version(file, L"CompanyName"));
  Expect(!Version(file, L"LegalCopyright").empty() && Version(file, L"LegalCopyright")[0] != L'(',
         "LegalCopyright", Version(file, L"LegalCopyright"));

  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &handle);
  std::vector<unsigned char> data(size);
  GetFileVersionInfoW(file.c_str(), 0, size, data.data());
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  const bool haveFixed =
      VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed;
  Expect(haveFixed && fixed->dwFileVersionMS == 0x00010000 && fixed->dwFileVersionLS == 0 &&
             fixed->dwProductVersionMS == 0x00010000 && fixed->dwProductVersionLS == 0,
         "numeric versions 1.0.0.0");
  DWORD* translation = nullptr;
  const bool haveTranslation = VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                                              reinterpret_cast<void**>(&translation), &length);
  Expect(haveTranslation && length >= 4 && LOWORD(*translation) == 0x0804 && HIWORD(*translation) == 1200,
         "language 0x0804, code page 1200");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::printf("usage: win32_driver PROGRAM\n");
    return 2;
  }
  const std::wstring program = argv[1];
  CheckVersionBlock(program);

  Started started = Start(program, WideFromUtf8(mivello::expected::caption));
  if (started.main == nullptr) return Finish(started);
  const HWND main = started.main;
  const PROCESS_INFORMATION& process = started.process;

  const std::vector<HWND> edits = Edits(main);
  HWND calculate = FindWindowExW(main, nullptr, L"Button", L"计算");
  HWND reset = FindWindowExW(main, nullptr, L"Button", L"重来");
  Expect(edits.size() == 3 && calculate && reset, "three text boxes and the two buttons");
  if (edits.size() != 3 || !calculate || !reset) return Finish(started);

  Expect(Focused(process.dwThreadId) == calculate, "the focus starts on 计算");
  const HWND tabOrder[] = {edits[0], edits[1], edits[2], reset, calculate};
  bool tabOk = true;
  for (HWND expected : tabOrder) {
    Press(process.dwThreadId, VK_TAB);
    tabOk = tabOk && Focused(process.dwThreadId) == expected;
  }
  Expect(tabOk, "Tab visits Text1, Text2, Text3, 重来 and 计算");

  Type(edits[0], L"199");
  Type(edits[1], L"8.5");
  Press(process.dwThreadId, VK_TAB);  // to Text1
  Press(process.dwThreadId, VK_TAB);  // to Text2
  Press(process.dwThreadId, VK_RETURN);
  Press(process.dwThreadId, VK_ESCAPE);
  Expect(Focused(process.dwThreadId) == edits[1] && TextOf(edits[2]).empty() && IsWindow(main),
         "Enter and Esc in a text box do nothing", TextOf(edits[2]));
  SendMessageW(calculate, BM_CLICK, 0, 0);
  Expect(TextOf(edits[2]) == L"169.15", "199 at 8.5 shows 169.15", TextOf(edits[2]));

  SendMessageW(reset, BM_CLICK, 0, 0);
  Expect(TextOf(edits[0]).empty() && TextOf(edits[1]).empty() && TextOf(edits[2]).empty(),
         "Reset empties the boxes");
  SendMessageW(calculate, BM_CLICK, 0, 0);
  Expect(TextOf(edits[2]) == L"0", "Calculate after Reset shows 0", TextOf(edits[2]));

  ClicksOnEveryEdgeOfTheTextBoxes(main, edits, calculate, process.dwThreadId);

  ClickAt(main, 282, 104);  // Image1, also over Label6
  ClickAt(main, 430, 106);  // Image2
  ClickAt(main, 40, 112);   // Label1
  ClickAt(main, 240, 112);  // the last column of Label1 is Label6's: nothing
  // A double-click on a link opens it once more, not twice.
  DoubleClickAt(main, 290, 100);  // Image1
  DoubleClickAt(main, 430, 106);  // Image2
  DoubleClickAt(main, 40, 112);   // Label1
  Sleep(2000);

  // An overflow clicked from the keyboard: Space on the focused 计算.
  Clear(edits[0]);
  Type(edits[0], L"1e400");
  for (int i = 0; i < 5 && Focused(process.dwThreadId) != calculate; ++i) Press(process.dwThreadId, VK_TAB);
  Press(process.dwThreadId, VK_SPACE);
  HWND box = WaitForWindow(L"#32770", L"Mivello", 10000);
  Expect(box != nullptr, "Space on 计算 clicks it: an overflow shows a message box titled Mivello");
  if (box != nullptr) {
    const std::wstring text = TextOf(GetDlgItem(box, 0xFFFF));
    Expect(text == L"实时错误 '6':\n\n溢出", "the message names error 6", text);
    Dismiss(box);
  }
  Expect(IsWindow(main) && TextOf(edits[0]) == L"1e400", "the window and the typed price stay",
         TextOf(edits[0]));
  Expect(Focused(process.dwThreadId) == calculate, "after the message box the focus is on 计算 again");

  Press(process.dwThreadId, VK_RETURN);
  box = WaitForWindow(L"#32770", L"Mivello", 10000);
  Expect(box != nullptr, "Enter on the focused 计算 clicks it");
  if (box != nullptr) Dismiss(box);
  Expect(WaitForWindow(L"#32770", L"Mivello", 1000) == nullptr, "one message box for one Enter");

  // Another program's window comes to the front, then the user comes back.
  Press(process.dwThreadId, VK_TAB);  // to Text1
  HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                               100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetForegroundWindow(other);
  Sleep(500);
  const bool wentAway = GetForegroundWindow() == other;
  SetForegroundWindow(main);
  Sleep(500);
  const HWND focus = Focused(process.dwThreadId);
  Expect(wentAway && GetForegroundWindow() == main && focus == edits[0],
         "after another window was active the focus is back on Text1",
         std::wstring(wentAway ? L"" : L"(the other window did not come to the front) ") +
             (GetForegroundWindow() == main ? L"" : L"(the form did not come back) ") + L"focus: " +
             (focus == nullptr ? L"none" : TextOf(focus)));
  DestroyWindow(other);

  // Arrows: a text box keeps them for its caret; on a button they move the
  // focus along the tab order.
  Press(process.dwThreadId, VK_LEFT);
  Expect(Focused(process.dwThreadId) == edits[0], "Left in 原价 stays there, for its caret");
  for (int i = 0; i < 5 && Focused(process.dwThreadId) != reset; ++i) Press(process.dwThreadId, VK_TAB);
  Press(process.dwThreadId, VK_RIGHT);
  Expect(Focused(process.dwThreadId) == calculate, "Right on 重来 goes on to 计算, first in the tab order");
  Press(process.dwThreadId, VK_UP);
  Expect(Focused(process.dwThreadId) == reset, "Up on 计算 goes back to 重来");

  // A link that cannot be opened (no browser where it is started, and no
  // handler for tencent: links), clicked while typing in 折扣: after the box
  // the focus is back in 折扣, and what is typed next goes there.
  const std::wstring browser = WideFromUtf8(mivello::expected::browser);
  const std::wstring aside = browser + L".aside";
  const bool movedAside = MoveFileW(browser.c_str(), aside.c_str()) != 0;
  for (int i = 0; i < 6 && Focused(process.dwThreadId) != edits[1]; ++i) Press(process.dwThreadId, VK_TAB);
  Clear(edits[1]);
  ClickAt(main, 430, 106);  // the QQ badge, which takes no focus
  box = WaitForWindow(L"#32770", L"Mivello", 10000);
  const std::wstring boxText = box != nullptr ? TextOf(GetDlgItem(box, 0xFFFF)) : L"";
  Expect(movedAside && boxText.rfind(L"实时错误 '53'", 0) == 0, "a link that cannot be opened shows error 53",
         boxText);
  if (box != nullptr) Dismiss(box);
  if (movedAside) MoveFileW(aside.c_str(), browser.c_str());
  Expect(Focused(process.dwThreadId) == edits[1], "after that box the focus is back in 折扣");
  PostMessageW(Focused(process.dwThreadId), WM_CHAR, L'7', 1);
  Sleep(200);
  Expect(TextOf(edits[1]) == L"7", "and typing goes on there", TextOf(edits[1]));
  return Finish(started);
}
