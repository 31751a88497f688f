#include "runtime/start_program.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "runtime/runtime_error.h"
#include "runtime/system/browser_stand_in.h"
#include "runtime/system/launch.h"
#include "tests/support/expect_raises.h"

namespace mivello {
namespace {

// The system's own launcher, as the start-up installs it.
const bool kSystemLauncher = (SetSystemLauncher(LaunchWithSystem), true);

struct SplitRow {
  const char* proves;
  const char16_t* line;
  const char16_t* program;
  const char16_t* argument;
};

void PrintTo(const SplitRow& row, std::ostream* os) { *os << row.proves; }

class SplitCommandLineTest : public testing::TestWithParam<SplitRow> {};

TEST_P(SplitCommandLineTest, TellsTheProgramFromItsArgument) {
  const SplitRow& row = GetParam();
  EXPECT_EQ(SplitCommandLine(row.line), (CommandLine{row.program, row.argument})) << row.proves;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitCommandLineTest,
    testing::Values(SplitRow{"a path with blanks is taken whole up to .exe",
                             u"C:\\Program Files\\Internet Explorer\\iexplore.exe http://a.b/?x=1&y=%E5",
                             u"C:\\Program Files\\Internet Explorer\\iexplore.exe", u"http://a.b/?x=1&y=%E5"},
                    SplitRow{"upper-case extension", u"C:\\A B\\X.EXE arg", u"C:\\A B\\X.EXE", u"arg"},
                    SplitRow{"a program without .exe ends at the first blank", u"xdg-open http://x.y/?a&b",
                             u"xdg-open", u"http://x.y/?a&b"},
                    SplitRow{"the argument keeps its blanks", u"xdg-open a  b", u"xdg-open", u"a  b"},
                    SplitRow{"a quoted program", u"\"C:\\A B\\c.exe\" d e", u"C:\\A B\\c.exe", u"d e"},
                    SplitRow{"a program alone", u"xdg-open", u"xdg-open", u""}));

// Which command lines, their browser gone, go to the handler of their
// link's scheme: Internet Explorer's one link, nothing else.
TEST(LinkForSchemeHandler, IsInternetExplorersOneLinkAlone) {
  const auto link = [](const char16_t* line) { return LinkForSchemeHandler(SplitCommandLine(line)); };
  constexpr const char16_t* kIe = u"C:\\Program Files\\Internet Explorer\\iexplore.exe ";
  EXPECT_EQ(link((String(kIe) + u"http://a.b/msg?v=2&uid=%E5").c_str()),
            String(u"http://a.b/msg?v=2&uid=%E5"));
  EXPECT_EQ(link((String(kIe) + u"tencent://message/?uin=1&Menu=yes").c_str()),
            String(u"tencent://message/?uin=1&Menu=yes"));
  EXPECT_EQ(link(u"D:\\IE\\IEXPLORE.EXE ms-settings:display"), String(u"ms-settings:display"));
  EXPECT_EQ(link(u"C:\\Tools\\other.exe http://a.b"), std::nullopt) << "another program";
  EXPECT_EQ(link(u"C:\\Tools\\iexplore.exe.bak http://a.b"), std::nullopt) << "another name";
  EXPECT_EQ(link((String(kIe) + u"C:\\page.htm").c_str()), std::nullopt) << "a drive, not a scheme";
  EXPECT_EQ(link((String(kIe) + u"http://a.b http://c.d").c_str()), std::nullopt) << "two links";
  EXPECT_EQ(link((String(kIe) + u"1http://a.b").c_str()), std::nullopt) << "a scheme begins with a letter";
  EXPECT_EQ(link(kIe), std::nullopt) << "no link";
}

void SetEnvironment(const char* name, const std::string& value) {
#ifdef _WIN32
  _putenv_s(name, value.c_str());
#else
  setenv(name, value.c_str(), 1);
#endif
}

// A file of this test's own: tests run in parallel processes.
std::filesystem::path TestFile(const char* stem) {
  return std::filesystem::temp_directory_path() /
         (std::string(stem) + testing::UnitTest::GetInstance()->current_test_info()->name());
}

class RecordingProgram : public testing::Test {
 protected:
  void SetUp() override {
    file_ = TestFile("mivello-args-");
    std::filesystem::remove(file_);
    SetEnvironment("RECORD_ARGS_TO", file_.string());
  }
  void TearDown() override { std::filesystem::remove(file_); }

  // What the started program recorded, once it has finished.
  std::string Recorded() {
    for (int i = 0; i < 500; ++i) {
      std::ifstream in(file_);
      std::stringstream text;
      text << in.rdbuf();
      if (text.str().find("--\n") != std::string::npos) return text.str();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "(nothing recorded)";
  }

  std::filesystem::path file_;
};

TEST_F(RecordingProgram, GetsTheLinkAsOneUnchangedArgument) {
  const std::string line =
      std::string(MIVELLO_RECORD_ARGS) + " tencent://message/?uin=1&Site=V%E6%97&Menu=yes";
  const double task = StartProgram(Variant{Variant::kString, FromUtf8(line)}, 0);
  EXPECT_GT(task, 0);
  EXPECT_EQ(Recorded(), "tencent://message/?uin=1&Site=V%E6%97&Menu=yes\n--\n");
}

#ifdef __linux__
// A zombie's /proc entry stays until its parent collects it.
bool Lingers(pid_t pid) { return std::filesystem::exists("/proc/" + std::to_string(pid)); }

TEST_F(RecordingProgram, LeavesNoZombieAfterTheLastStart) {
  const Variant line{Variant::kString, FromUtf8(std::string(MIVELLO_RECORD_ARGS) + " last")};
  const auto pid = static_cast<pid_t>(StartProgram(line, 1));
  ASSERT_GT(pid, 0);
  Recorded();
  // As the window's loop does whenever the runtime's end signal is readable.
  for (int i = 0; i < 300 && Lingers(pid); ++i) {
    EXPECT_TRUE(CollectLinksNotOpened().empty()) << "it ended well";
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_FALSE(Lingers(pid)) << "the ended program was not collected";
}
#endif

TEST_F(RecordingProgram, StartsOneProcessPerCallWithoutWaiting) {
  const Variant line{Variant::kString, FromUtf8(std::string(MIVELLO_RECORD_ARGS) + " a")};
  const double first = StartProgram(line, 1);
  const double second = StartProgram(line, 1);
  EXPECT_NE(first, second);
}

// qemu-user runs posix_spawn's child as a plain fork: a failed exec never
// reaches the parent there.
bool ExecFailuresAreHidden() { return std::getenv("MIVELLO_UNDER_QEMU") != nullptr; }

TEST(StartProgram, RaisesFileNotFoundForAMissingProgram) {
  if (ExecFailuresAreHidden()) GTEST_SKIP() << "qemu-user hides a failed exec";
  EXPECT_RAISES(StartProgram(Variant{Variant::kString, u"/nonexistent/mivello-browser http://x"}, 1), 53,
                u"文件未找到");
}

#ifndef _WIN32  // on Windows the Wine end-to-end test puts its decoy at C:\Program.exe
TEST(StartProgram, NeverStartsAShorterPrefixOfAPathWithBlanks) {
  // A decoy at the prefix "<dir>/Program" must not run for "<dir>/Program Files/x.exe".
  if (ExecFailuresAreHidden()) GTEST_SKIP() << "qemu-user hides a failed exec";
  const auto dir = TestFile("mivello-decoy-");
  std::filesystem::create_directories(dir);
  const auto marker = dir / "decoy-ran";
  const auto decoy = dir / "Program";
  {
    std::ofstream script(decoy);
    script << "#!/bin/sh\ntouch '" << marker.string() << "'\n";
  }
  std::filesystem::permissions(decoy, std::filesystem::perms::owner_all);
  const std::string line = (dir / "Program Files" / "x.exe").string() + " arg";
  EXPECT_THROW(StartProgram(Variant{Variant::kString, FromUtf8(line)}, 1), RuntimeError);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_FALSE(std::filesystem::exists(marker));
  std::filesystem::remove_all(dir);
}
#endif

TEST(StartProgram, ChecksItsArguments) {
  ScopedLauncher never([](const CommandLine&, StringView, WindowStyle) -> double {
    ADD_FAILURE() << "launched";
    return 1;
  });
  EXPECT_RAISES(StartProgram(Variant{Variant::kString, u"x"}, 7), 5);
  EXPECT_RAISES(StartProgram(Variant{0, u"x"}, 1), 13);
}

}  // namespace
}  // namespace mivello
