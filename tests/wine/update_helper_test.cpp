// The update helper as the launcher starts it: a copy of PlayMirefall.exe run with
// "--apply-update ZIP INSTALL_DIR PID" on real zips, with a temporary folder of its own.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "update/helper_command_line.h"
#include "update_test_support.h"
#include "wine_test_support.h"

namespace mf::test {
namespace {

namespace fs = std::filesystem;

class UpdateHelperTest : public testing::Test {
 protected:
  UpdateHelperTest() : root_(L"mf-helper"), temp_(root_.path() / L"temp"), tempScope_(temp_) {
    // A folder name with spaces and Cyrillic letters, as players' folders have.
    install_ = root_.path() / L"Ігри Mirefall";
    fs::create_directories(temp_);
    fs::create_directories(install_);
    helper_ = temp_ / L"mf1_update_helper.exe";
    fs::copy_file(BuildOutputFolder() / L"PlayMirefall.exe", helper_);
    zip_ = temp_ / L"mf1_update.zip";

    WriteBytes(install_ / L"PlayMirefall.exe", StandInProgram("OLD"));
    WriteBytes(install_ / L"mirefall.exe", "old game");
    WriteBytes(install_ / L"prompts" / L"old.png", "old prompt");
    WriteBytes(install_ / L"textures" / L"t.dds", "old texture");
    for (const auto& [name, bytes] : UserFiles()) WriteBytes(install_ / name, bytes);
  }

  static std::vector<std::pair<fs::path, std::string>> UserFiles() {
    return {{L"mirefall.toml", "[video]\r\nfullscreen = true\r\n"},
            {L"launcher.ini", "launcher_language=uk\n"},
            {L"mirefall.toml.backup", "old backup"},
            {fs::path(L"userdata") / L"save.dat", std::string("\0\1\2save", 7)},
            {fs::path(L"userdata") / L"cache" / L"big.bin", "cache"}};
  }

  // A release packed the usual way: everything in one top folder.
  ZipEntries Release(const std::string& top = "MFRecomp-v2.0.12/") {
    return {{top, ""},
            {top + "PlayMirefall.exe", StandInProgram("NEW")},
            {top + "mirefall.exe", "new game"},
            {top + "hxbruntimerd.dll", "runtime"},
            {top + "prompts/new.png", "new prompt"},
            {top + "prompts/old.png", "replaced prompt"},
            {top + "textures/t.dds", "new texture"},
            {top + "native/n.dll", "native"},
            {top + "userdata/cache/shaders/shareable/s.bin", "shared shaders"},
            {top + "mirefall.toml", "the zip's toml must not be installed"}};
  }

  std::optional<DWORD> RunHelper(DWORD waitForProcessId = 0) {
    std::wstring line = update::HelperCommandLine(helper_.wstring(), zip_.wstring(), install_.wstring(),
                                                  waitForProcessId);
    // ChildProcess quotes the program itself: pass only the arguments.
    std::wstring arguments = line.substr(update::QuoteArgument(helper_.wstring()).size() + 1);
    ChildProcess helper(helper_, arguments, temp_);
    EXPECT_TRUE(helper.started());
    return helper.WaitForExit(60s);
  }

  std::string Log() const { return ReadBytes(temp_ / L"mf1_update.log"); }

  bool LauncherRestarted() const {
    return WaitUntil([&] { return fs::exists(install_ / L"mirefall_started.txt"); });
  }

  void ExpectUserFilesUntouched() {
    for (const auto& [name, bytes] : UserFiles()) EXPECT_EQ(ReadBytes(install_ / name), bytes) << name;
  }

  void ExpectPreviousBuild() {
    EXPECT_EQ(ReadBytes(install_ / L"PlayMirefall.exe"), StandInProgram("OLD"));
    EXPECT_EQ(ReadBytes(install_ / L"mirefall.exe"), "old game");
    EXPECT_EQ(ReadBytes(install_ / L"prompts" / L"old.png"), "old prompt");
    EXPECT_FALSE(fs::exists(install_ / L"prompts" / L"new.png"));
    EXPECT_FALSE(fs::exists(install_ / L"hxbruntimerd.dll"));
    ExpectUserFilesUntouched();
  }

  TempGameFolder root_;
  fs::path temp_;
  ScopedTempFolder tempScope_;
  fs::path install_, helper_, zip_;
};

TEST_F(UpdateHelperTest, InstallsFromTheTopFolderKeepsUserFilesAndRelaunches) {
  WriteZip(zip_, Release());
  EXPECT_EQ(RunHelper(), 0u) << Log();

  EXPECT_EQ(ReadBytes(install_ / L"PlayMirefall.exe"), StandInProgram("NEW"));
  EXPECT_EQ(ReadBytes(install_ / L"mirefall.exe"), "new game");
  EXPECT_EQ(ReadBytes(install_ / L"hxbruntimerd.dll"), "runtime");
  EXPECT_EQ(ReadBytes(install_ / L"prompts" / L"new.png"), "new prompt");
  EXPECT_EQ(ReadBytes(install_ / L"prompts" / L"old.png"), "replaced prompt");
  EXPECT_EQ(ReadBytes(install_ / L"textures" / L"t.dds"), "new texture");
  EXPECT_EQ(ReadBytes(install_ / L"native" / L"n.dll"), "native");
  EXPECT_EQ(ReadBytes(install_ / L"userdata" / L"cache" / L"shaders" / L"shareable" / L"s.bin"), "shared shaders");
  ExpectUserFilesUntouched();

  const fs::path backup = temp_ / L"mf1_update_backup";
  EXPECT_EQ(ReadBytes(backup / L"mirefall.toml"), UserFiles()[0].second);
  EXPECT_EQ(ReadBytes(backup / L"launcher.ini"), UserFiles()[1].second);
  EXPECT_EQ(ReadBytes(backup / L"userdata" / L"save.dat"), UserFiles()[3].second);
  EXPECT_FALSE(fs::exists(backup / L"userdata" / L"cache")) << "the cache is not backed up";

  EXPECT_FALSE(fs::exists(temp_ / L"mf1_update.log")) << "a successful update leaves no log";
  EXPECT_FALSE(fs::exists(temp_ / L"mf1_update_staging"));
  EXPECT_FALSE(fs::exists(temp_ / L"mf1_update_rollback"));
  EXPECT_FALSE(fs::exists(zip_));

  ASSERT_TRUE(LauncherRestarted());
  std::string started = ReadBytes(install_ / L"mirefall_started.txt");
  EXPECT_NE(started.find("working_directory=" + Utf8(install_)), std::string::npos) << started;
}

// The helper is no launcher: it writes no title music and leaves alone a track that a
// killed launcher left in the temporary folder (the next launcher deletes that).
TEST_F(UpdateHelperTest, TouchesNoMusic) {
  WriteBytes(temp_ / L"mfm1A2B.tmp.ogg", "OggS a track left by a killed launcher");
  WriteZip(zip_, Release());
  EXPECT_EQ(RunHelper(), 0u) << Log();
  EXPECT_TRUE(LauncherRestarted());
  std::vector<std::wstring> music;
  for (const auto& entry : fs::directory_iterator(temp_))
    if (entry.path().filename().wstring().starts_with(L"mfm")) music.push_back(entry.path().filename().wstring());
  EXPECT_EQ(music, std::vector<std::wstring>{L"mfm1A2B.tmp.ogg"});
}

TEST_F(UpdateHelperTest, HostileEntryNamesWriteNothingOutsideStaging) {
  ZipEntries entries = Release("");
  for (const char* hostile : {"../evil1.txt", "..\\evil2.txt", "/evil3.txt", "\\evil4.txt", "C:\\evil5.txt",
                              "C:evil6.txt", "a:b", "CON", "nul.txt", "trailing.", "prompts/../../evil7.txt"})
    entries.push_back({hostile, "evil"});
  WriteZip(zip_, entries);
  EXPECT_EQ(RunHelper(), 0u) << Log();

  for (const fs::path& folder : {root_.path(), temp_, install_, fs::path(L"C:\\")})
    for (const wchar_t* name : {L"evil1.txt", L"evil2.txt", L"evil3.txt", L"evil4.txt", L"evil5.txt", L"evil6.txt",
                                L"evil7.txt"})
      EXPECT_FALSE(fs::exists(folder / name)) << Utf8(folder / name);
  EXPECT_FALSE(fs::exists(install_ / L"a"));
  EXPECT_EQ(ReadBytes(install_ / L"PlayMirefall.exe"), StandInProgram("NEW"));
}

TEST_F(UpdateHelperTest, HtmlPageInsteadOfAZipAbortsAndRelaunchesThePreviousBuild) {
  WriteBytes(zip_, "<!DOCTYPE html><html><body>Not Found</body></html>");
  EXPECT_EQ(RunHelper(0), 1u);
  std::string log = Log();
  EXPECT_NE(log.find("] update helper v2.0.11 starting; zip="), std::string::npos) << log;
  EXPECT_EQ(log.find("wait: launcher exit"), std::string::npos) << "process id 0 is not waited for";
  EXPECT_NE(log.find("] FAILED: zip open failed: Not a zip archive\r\n"), std::string::npos) << log;
  EXPECT_TRUE(log.ends_with("] update: aborted -- launching previous build\r\n")) << log;
  ExpectPreviousBuild();
  EXPECT_FALSE(fs::exists(zip_));
  EXPECT_TRUE(LauncherRestarted());
}

TEST_F(UpdateHelperTest, ZipWithoutTheLauncherIsNotARelease) {
  WriteZip(zip_, {{"docs/readme.md", "hello"}, {"mirefall.exe", "new game"}});
  EXPECT_EQ(RunHelper(), 1u);
  std::string log = Log();
  EXPECT_NE(log.find("] FAILED: zip holds no PlayMirefall.exe"), std::string::npos) << log;
  ExpectPreviousBuild();
  EXPECT_TRUE(LauncherRestarted());
}

TEST_F(UpdateHelperTest, BrieflyLockedFileIsWaitedOut) {
  WriteZip(zip_, Release());
  ChildProcess holder(BuildOutputFolder() / L"hold_file.exe",
                      L"\"" + (install_ / L"mirefall.exe").wstring() + L"\" 2500", temp_);
  ASSERT_TRUE(WaitUntil([&] { return fs::exists(install_ / L"mirefall.exe.held"); }));
  EXPECT_EQ(RunHelper(), 0u) << Log();
  EXPECT_EQ(ReadBytes(install_ / L"mirefall.exe"), "new game");
}

TEST_F(UpdateHelperTest, FileThatStaysLockedRollsTheInstallationBack) {
  ZipEntries release = Release();
  release.erase(std::remove_if(release.begin(), release.end(),
                               [](const auto& entry) { return entry.first.ends_with("README.txt"); }),
                release.end());
  WriteZip(zip_, release);
  ChildProcess holder(BuildOutputFolder() / L"hold_file.exe",
                      L"\"" + (install_ / L"textures" / L"t.dds").wstring() + L"\" -1", temp_);
  ASSERT_TRUE(WaitUntil([&] { return fs::exists(install_ / L"textures" / L"t.dds.held"); }));
  EXPECT_EQ(RunHelper(), 1u);

  std::string log = Log();
  for (const char* line : {"] skip: README.txt (not in zip)\r\n", "] copy: PlayMirefall.exe\r\n",
                           "] copy: prompts/*\r\n", "] FAILED: copy failed: textures",
                           "] rollback: restored PlayMirefall.exe\r\n", "] rollback: restored prompts",
                           "] rollback: removed prompts", "] update: aborted -- launching previous build\r\n"})
    EXPECT_NE(log.find(line), std::string::npos) << line << "\n" << log;
  ExpectPreviousBuild();
  EXPECT_FALSE(fs::exists(temp_ / L"mf1_update_staging"));
  EXPECT_TRUE(LauncherRestarted());
}

TEST_F(UpdateHelperTest, WaitsForTheOldLauncherToExit) {
  WriteZip(zip_, Release());
  ChildProcess oldLauncher(BuildOutputFolder() / L"hold_file.exe",
                           L"\"" + (temp_ / L"old-launcher-busy").wstring() + L"\" 2000", temp_);
  ASSERT_TRUE(oldLauncher.started());
  EXPECT_EQ(RunHelper(oldLauncher.id()), 0u) << Log();
  EXPECT_FALSE(oldLauncher.running()) << "the helper finished before the old launcher had gone";
}

// A log left by a failed update is offered at start-up until the player lets it go.
TEST(FailedUpdateCheckTest, LeftoverLogIsAskedAboutAndNoDeletesIt) {
  TempGameFolder game(L"mf-failed-update");
  TempGameFolder temp(L"mf-failed-update-temp");
  ScopedTempFolder tempScope(temp.path());
  game.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe");
  game.WriteFile("launcher.ini", kStartupOffersAnswered);
  const fs::path log = temp.path() / L"mf1_update.log";
  WriteBytes(log, "[2026-03-07 09:05:01] FAILED: zip open failed: Not a zip archive\r\n"
                  "[2026-03-07 09:05:01] update: aborted -- launching previous build\r\n");

  for (int start = 0; start < 2; ++start) {
    ChildProcess launcher(game.path() / L"PlayMirefall.exe", L"", game.path());
    HWND question = WaitForProcessWindow(launcher.id(), L"#32770", L"Previous update did not finish");
    ASSERT_TRUE(question);
    EXPECT_NE(StaticTexts(question).find(L"Open the diagnostic log?"), std::wstring::npos);
    EXPECT_NE(StaticTexts(question).find(log.wstring()), std::wstring::npos) << "the text names the log";
    if (start == 0) {
      ::PostMessageW(question, WM_CLOSE, 0, 0);  // closing the question counts as No
    } else {
      ::PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
    }
    HWND window = WaitForProcessWindow(launcher.id(), L"MFLauncherWindow");
    ASSERT_TRUE(window) << "start-up goes on after the question";
    EXPECT_FALSE(fs::exists(log)) << "No deletes the log";
    PostKey(window, VK_ESCAPE);
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    WriteBytes(log, "[2026-03-07 09:05:01] FAILED: again\r\n");  // the next failed update
  }

  fs::remove(log);
  ChildProcess launcher(game.path() / L"PlayMirefall.exe", L"", game.path());
  HWND window = WaitForProcessWindow(launcher.id(), L"MFLauncherWindow");
  ASSERT_TRUE(window);
  EXPECT_FALSE(FindProcessWindow(launcher.id(), L"#32770")) << "no log, no question";
  PostKey(window, VK_ESCAPE);
  EXPECT_EQ(launcher.WaitForExit(), 0u);
}

// The helper's command line survives Windows' own splitting, drive roots and all.
TEST(HelperCommandLineTest, CommandLineToArgvWGivesEveryArgumentBack) {
  for (const std::wstring folder : {L"G:\\", L"C:\\Program Files (x86)\\Mirefall", L"D:\\Ігри\\Мірфол\\"}) {
    std::wstring line = update::HelperCommandLine(L"C:\\users\\Temp\\mf1_update_helper.exe",
                                                  L"C:\\users\\Temp\\mf1_update.zip", folder, 31337);
    int count = 0;
    LPWSTR* args = ::CommandLineToArgvW(line.c_str(), &count);
    ASSERT_TRUE(args);
    ASSERT_EQ(count, 5) << testing::PrintToString(line);
    EXPECT_EQ(std::wstring(args[1]), L"--apply-update");
    EXPECT_EQ(std::wstring(args[3]), folder);
    EXPECT_EQ(std::wstring(args[4]), L"31337");
    ::LocalFree(args);
  }
}

}  // namespace
}  // namespace mf::test
