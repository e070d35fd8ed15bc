// The update helper as the launcher starts it: a copy of PlayMirefall.exe run with
// "--apply-update ZIP INSTALL_DIR PID" on real zips, with a temporary folder of its own.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <random>
#include <memory>

#include "i18n/utf16_win.h"
#include "update/helper_command_line.h"
#include "update/update_paths.h"
#include "ui/win_handles_win.h"
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

  bool LogHas(const std::string& text) const { return Log().find(text) != std::string::npos; }

  // The helper started on the zip while the old launcher is slow to exit: it waits (its log
  // says so) until the test ends that launcher.
  struct WaitingHelper {
    std::unique_ptr<ChildProcess> oldLauncher;
    std::unique_ptr<ChildProcess> helper;
  };
  WaitingHelper StartHelperBehindASlowLauncher() const {
    WaitingHelper started;
    started.oldLauncher = std::make_unique<ChildProcess>(
        BuildOutputFolder() / L"hold_file.exe", L"\"" + (temp_ / L"old-launcher-busy").wstring() + L"\" -1", temp_);
    std::wstring line = update::HelperCommandLine(helper_.wstring(), zip_.wstring(), install_.wstring(),
                                                  started.oldLauncher->id());
    started.helper = std::make_unique<ChildProcess>(
        helper_, line.substr(update::QuoteArgument(helper_.wstring()).size() + 1), temp_);
    return started;
  }

  // Holds an installed file open, as the game or a virus scanner does, until the test ends.
  std::unique_ptr<ChildProcess> Hold(const fs::path& relative, const std::wstring& sharing = L"") {
    const fs::path file = install_ / relative;
    auto holder = std::make_unique<ChildProcess>(
        BuildOutputFolder() / L"hold_file.exe",
        L"\"" + file.wstring() + L"\" -1" + (sharing.empty() ? L"" : L" " + sharing), temp_);
    EXPECT_TRUE(WaitUntil([&] { return fs::exists(fs::path(file.native() + L".held")); })) << Utf8(file);
    return holder;
  }

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
  // Devices on some Windows versions, and bytes that are no UTF-8 (an overlong '/', lead
  // bytes past U+10FFFF): each is skipped with a log line, and the update goes on.
  const std::vector<std::pair<std::string, std::string>> skippedWithLogLine = {
      {"CONIN$", "CONIN$"},   {"conout$.txt", "conout$.txt"}, {"CLOCK$", "CLOCK$"},
      {"COM0", "COM0"},       {"lpt0.log", "lpt0.log"},       {"COM\xC2\xB9", "COM\\xC2\\xB9"},
      {"lpt\xC2\xB3.txt", "lpt\\xC2\\xB3.txt"}, {"x\xC0\xAF" "evil8.txt", "x\\xC0\\xAFevil8.txt"},
      {"\xF5\x80\x80\x80.txt", "\\xF5\\x80\\x80\\x80.txt"}, {"\xF7\xBF\xBF\xBF", "\\xF7\\xBF\\xBF\\xBF"}};
  for (const auto& [name, shown] : skippedWithLogLine) entries.push_back({name, "evil"});
  entries.push_back({"README.txt", "a readme"});
  WriteZip(zip_, entries);
  // A held file fails the first run on purpose: the log stays to be read.
  WriteBytes(install_ / L"README.txt", "old readme");
  std::unique_ptr<ChildProcess> holder = Hold(L"README.txt");
  EXPECT_EQ(RunHelper(), 1u) << Log();
  for (const auto& [name, shown] : skippedWithLogLine)
    EXPECT_TRUE(LogHas("] stage: skipped unsafe entry name: " + shown + "\r\n")) << shown << "\n" << Log();
  EXPECT_TRUE(LogHas("] FAILED: copy failed: README.txt")) << Log();
  holder.reset();
  EXPECT_TRUE(LauncherRestarted());
  fs::remove(install_ / L"README.txt.held");
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

// On a file system that ignores case, later entries would overwrite earlier ones: the
// launcher with garbage, a prompt with another picture.
TEST_F(UpdateHelperTest, NamesThatDifferOnlyInCaseKeepTheFirstEntry) {
  ZipEntries entries = Release();
  entries.push_back({"MFRecomp-v2.0.12/playmirefall.EXE", "garbage, not a program"});
  entries.push_back({"MFRecomp-v2.0.12/PROMPTS/New.png", "another picture"});
  WriteZip(zip_, entries);
  EXPECT_EQ(RunHelper(), 0u) << Log();
  EXPECT_EQ(ReadBytes(install_ / L"PlayMirefall.exe"), StandInProgram("NEW"));
  EXPECT_EQ(ReadBytes(install_ / L"prompts" / L"new.png"), "new prompt");
  EXPECT_TRUE(LauncherRestarted());
}

// A new launcher that Windows will not start is a failed update: the previous build comes
// back and starts, and the log stays for the question at the next start.
TEST_F(UpdateHelperTest, NewLauncherThatDoesNotStartRollsBackAndKeepsTheLog) {
  ZipEntries entries = Release();
  for (auto& [name, bytes] : entries)
    if (name.ends_with("PlayMirefall.exe")) bytes = "MZ but not a program";
  WriteZip(zip_, entries);
  EXPECT_EQ(RunHelper(), 1u) << Log();
  const std::string log = Log();
  for (const char* line : {"] update: success -- relaunching\r\n", "] FAILED: relaunch FAILED: ",
                           "] rollback: restored PlayMirefall.exe\r\n", "] rollback: removed hxbruntimerd.dll"})
    EXPECT_NE(log.find(line), std::string::npos) << line << "\n" << log;
  EXPECT_TRUE(log.ends_with("] update: aborted -- launching previous build\r\n")) << log;
  ExpectPreviousBuild();
  EXPECT_FALSE(fs::exists(install_ / L"native")) << "folders the update made are gone too";
  EXPECT_FALSE(fs::exists(temp_ / L"mf1_update_rollback"));
  EXPECT_TRUE(LauncherRestarted());
}

// Windows holds a running program's file with read sharing: it cannot be replaced, so it
// was never replaced, and the roll-back has nothing to put back there.
TEST_F(UpdateHelperTest, FileHeldWithReadSharingIsNotRolledBack) {
  WriteZip(zip_, Release());
  std::unique_ptr<ChildProcess> game = Hold(L"mirefall.exe", L"read");
  EXPECT_EQ(RunHelper(), 1u) << Log();
  const std::string log = Log();
  EXPECT_NE(log.find("] FAILED: copy failed: mirefall.exe"), std::string::npos) << log;
  EXPECT_NE(log.find("] rollback: restored PlayMirefall.exe\r\n"), std::string::npos) << log;
  EXPECT_EQ(log.find("rollback FAILED"), std::string::npos) << log;
  EXPECT_EQ(log.find("rollback: restored mirefall.exe"), std::string::npos) << log;
  game.reset();
  ExpectPreviousBuild();
  EXPECT_FALSE(fs::exists(temp_ / L"mf1_update_rollback")) << "a complete roll-back leaves nothing to redo";
  EXPECT_TRUE(LauncherRestarted());
}

// "native" may fail without failing the update, but not half-way: it is then entirely old.
TEST_F(UpdateHelperTest, NativeFolderThatFailsIsPutBackWhole) {
  WriteBytes(install_ / L"native" / L"b.dll", "old native b");
  ZipEntries entries = Release();
  for (const char* name : {"native/a.dll", "native/b.dll", "native/c.dll", "native/sub/d.dll"})
    entries.push_back({"MFRecomp-v2.0.12/" + std::string(name), "new native"});
  WriteZip(zip_, entries);
  std::unique_ptr<ChildProcess> holder = Hold(fs::path(L"native") / L"b.dll");
  EXPECT_EQ(RunHelper(), 0u);
  holder.reset();
  EXPECT_EQ(ReadBytes(install_ / L"native" / L"b.dll"), "old native b");
  for (const wchar_t* added : {L"a.dll", L"c.dll", L"n.dll", L"sub"})
    EXPECT_FALSE(fs::exists(install_ / L"native" / added)) << Utf8(added);
  EXPECT_EQ(ReadBytes(install_ / L"mirefall.exe"), "new game") << "the rest of the update stays";
  EXPECT_TRUE(LauncherRestarted());
}

char* UnixFileName(const fs::path& path) {
  using UnixName = char* (*)(const wchar_t*);
  auto unixName = reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  return unixName ? unixName(path.c_str()) : nullptr;
}

// Removes the links a test made, from the Unix side under Wine (Wine can neither remove
// nor follow-safely delete them), so no later test finds them.
void RemoveFolderLinks(const std::vector<fs::path>& links) {
  for (const fs::path& link : links) {
    if (char* name = UnixFileName(link)) {
      ChildProcess rm(L"Z:\\bin\\rm", L"-f \"" + i18n::Utf8ToWide(name) + L"\"", fs::current_path());
      ::HeapFree(::GetProcessHeap(), 0, name);
      rm.WaitForExit();
      WaitUntil([&] { return ::GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES; }, 10s);
    } else {
      ::RemoveDirectoryW(link.c_str());
    }
  }
}

// A folder link at `link` to `target`. Under Wine a Unix symbolic link, which Wine shows
// as a reparse point (its CreateSymbolicLinkW makes nothing); on Windows a symbolic link.
bool MakeFolderLink(const fs::path& link, const fs::path& target) {
  if (!::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")) {
    ::CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);
  } else {
    char *from = UnixFileName(target), *to = UnixFileName(link);
    if (!from || !to) return false;
    std::wstring arguments = L"-s \"" + i18n::Utf8ToWide(from) + L"\" \"" + i18n::Utf8ToWide(to) + L"\"";
    ::HeapFree(::GetProcessHeap(), 0, from);
    ::HeapFree(::GetProcessHeap(), 0, to);
    // Wine runs Unix programs too, but cannot tell their exit code: the link is waited for.
    ChildProcess ln(L"Z:\\bin\\ln", arguments, fs::current_path());
  }
  return WaitUntil([&] {
    DWORD attributes = ::GetFileAttributesW(link.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
  });
}

// Another program (or a hostile one) may leave a link where the helper keeps its folders:
// the helper removes the link, never what it points to, and the update still works.
TEST_F(UpdateHelperTest, LinksAtTheHelpersFoldersAreRemovedNotFollowed) {
  // At the folders' own names, and inside the ones that stay from an earlier run.
  const std::vector<fs::path> links = {temp_ / L"mf1_update_backup" / L"userdata", temp_ / L"mf1_update_rollback",
                                       temp_ / L"mf1_update_backup.new", temp_ / L"mf1_update_staging"};
  struct LinkRemover {
    const std::vector<fs::path>& links;
    ~LinkRemover() { RemoveFolderLinks(links); }
  } remover{links};
  std::vector<fs::path> precious;
  for (const fs::path& link : std::vector<fs::path>(links.begin(), links.end() - 1)) {
    const fs::path target = root_.path() / (L"precious-" + std::to_wstring(precious.size()));
    WriteBytes(target / L"keep.txt", "the player's");
    fs::create_directories(link.parent_path());
    if (!MakeFolderLink(link, target)) GTEST_SKIP() << "no folder links here: " << Utf8(link);
    precious.push_back(target);
  }
  // A dangling one too, where staging goes: its target is gone.
  const fs::path gone = root_.path() / L"gone";
  fs::create_directories(gone);
  ASSERT_TRUE(MakeFolderLink(temp_ / L"mf1_update_staging", gone));
  fs::remove(gone);
  WriteZip(zip_, Release());
  std::optional<DWORD> exitCode = RunHelper();
  for (const fs::path& target : precious) EXPECT_EQ(ReadBytes(target / L"keep.txt"), "the player's") << Utf8(target);
  if (exitCode == 0u) {  // Windows removes a link as a link
    EXPECT_EQ(ReadBytes(install_ / L"mirefall.exe"), "new game");
  } else {  // Wine cannot remove a Unix link at all: the helper refuses to work there
    EXPECT_EQ(exitCode, 1u);
    EXPECT_TRUE(LogHas("] FAILED: cannot create the staging folder ")) << Log();
    ExpectPreviousBuild();
  }
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

// The helper ended at some moment of its work, as Task Manager, a power cut or a Deck that
// sleeps on low battery end it: whatever the moment, the player is left with one complete
// build and the files of their own as they were.
struct KillPoint {
  const char* stage;
  const wchar_t* held;            // installed file held from the start, so the helper dwells there
  const char* killAfter;          // the helper is ended once its log has this line
  const wchar_t* heldLater;       // held once the log has `holdLaterAfter`: stalls the roll-back
  const char* holdLaterAfter;
  // Bytes of a texture the zip carries and of a save the player has, so that unpacking or
  // the backup takes long enough to be ended half-way.
  size_t bulkyTexture = 0;
  size_t bulkySave = 0;
  // What the next start's repair writes to the log, first and last.
  const char* repairSays = "was stopped before it finished; putting the previous build back";
  const char* repairEnds = "] rollback: the previous build is back in place\r\n";
  // A line the helper writes once the stage is over: not yet in the log when it was ended.
  const char* notYet = nullptr;
};

constexpr char kNothingChangedYet[] =
    "] rollback: an earlier update was stopped before it changed the installation; nothing to put back\r\n";

// Bytes that do not compress, as a texture's or a save's mostly do not.
std::string Incompressible(size_t size) {
  std::mt19937_64 random(size);
  std::string bytes(size, '\0');
  for (size_t at = 0; at + 8 <= size; at += 8) {
    const std::uint64_t word = random();
    std::memcpy(bytes.data() + at, &word, 8);
  }
  return bytes;
}

class InterruptedUpdateTest : public UpdateHelperTest, public testing::WithParamInterface<KillPoint> {
 protected:
  InterruptedUpdateTest() {
    // Real launchers on both sides: the next start is the one that must repair.
    WriteBytes(install_ / L"PlayMirefall.exe", LauncherProgram("OLD"));
    WriteBytes(install_ / L"README.txt", "old readme");
    installed_ = ProgramFiles();
  }

  static std::string LauncherProgram(const std::string& marker) {
    return ReadBytes(BuildOutputFolder() / L"PlayMirefall.exe") + marker;
  }

  ZipEntries RealRelease(size_t bulkyTexture) {
    ZipEntries entries = Release();
    for (auto& [name, bytes] : entries)
      if (name.ends_with("PlayMirefall.exe")) bytes = LauncherProgram("NEW");
    entries.push_back({"MFRecomp-v2.0.12/README.txt", "new readme"});
    entries.push_back({"MFRecomp-v2.0.12/prompts/xbox/a.png", "new folder"});
    if (bulkyTexture) entries.push_back({"MFRecomp-v2.0.12/textures/bulky.dds", Incompressible(bulkyTexture)});
    return entries;
  }

  // What the update may change, file by file (the launcher itself also writes under
  // prompts and textures when it starts, so only these are compared).
  std::map<std::wstring, std::string> ProgramFiles() const {
    std::map<std::wstring, std::string> files;
    for (const wchar_t* name : {L"PlayMirefall.exe", L"mirefall.exe", L"hxbruntimerd.dll", L"README.txt",
                                L"prompts\\old.png", L"prompts\\new.png", L"prompts\\xbox", L"textures\\t.dds",
                                L"textures\\bulky.dds", L"native", L"userdata\\cache\\shaders"})
      files[name] = fs::is_directory(install_ / name) ? "<folder>" : fs::exists(install_ / name) ? ReadBytes(install_ / name)
                                                                                               : "<none>";
    return files;
  }

  std::map<std::wstring, std::string> installed_;
};

TEST_P(InterruptedUpdateTest, NextStartPutsThePreviousBuildBackAndSaysSo) {
  const KillPoint& point = GetParam();
  WriteZip(zip_, RealRelease(point.bulkyTexture));
  const fs::path bulkySave = install_ / L"userdata" / L"bulky.sav";
  const std::string saved = Incompressible(point.bulkySave);
  if (point.bulkySave) WriteBytes(bulkySave, saved);
  std::unique_ptr<ChildProcess> holder = point.held ? Hold(point.held) : nullptr, laterHolder;
  {
    std::wstring line = update::HelperCommandLine(helper_.wstring(), zip_.wstring(), install_.wstring(), 0);
    ChildProcess helper(helper_, line.substr(update::QuoteArgument(helper_.wstring()).size() + 1), temp_);
    ASSERT_TRUE(helper.started());
    if (point.heldLater) {
      ASSERT_TRUE(WaitUntil([&] { return LogHas(point.holdLaterAfter); })) << Log();
      laterHolder = Hold(point.heldLater);
    }
    ASSERT_TRUE(WaitUntil([&] { return LogHas(point.killAfter); })) << Log();
    ASSERT_TRUE(helper.Kill());
  }
  if (point.notYet) {
    EXPECT_FALSE(LogHas(point.notYet)) << "ended after the stage it is to stop:\n" << Log();
  }
  holder.reset();
  laterHolder.reset();
  ExpectUserFilesUntouched();
  if (point.bulkySave) {
    EXPECT_TRUE(ReadBytes(bulkySave) == saved) << "the save the backup was copying";
  }

  // The player starts the game's launcher: it undoes the update before anything else and
  // asks about the log, which tells what happened.
  WriteBytes(install_ / L"launcher.ini", kStartupOffersAnswered);
  ChildProcess launcher(install_ / L"PlayMirefall.exe", L"", install_);
  HWND question = WaitForBox(launcher.id(), L"Previous update did not finish");
  ASSERT_TRUE(question) << Log();
  const std::string log = Log();
  EXPECT_NE(log.find(point.repairSays), std::string::npos) << log;
  EXPECT_NE(log.find(point.repairEnds), std::string::npos) << log;
  PressButton(question, IDNO);
  HWND window = WaitForProcessWindow(launcher.id(), L"MFLauncherWindow");
  ASSERT_TRUE(window) << "the launcher starts after the repair";
  PostKey(window, VK_ESCAPE);
  EXPECT_EQ(launcher.WaitForExit(), 0u);

  EXPECT_EQ(ProgramFiles(), installed_) << point.stage;
  EXPECT_FALSE(fs::exists(temp_ / L"mf1_update_rollback"));
  EXPECT_FALSE(fs::exists(temp_ / L"mf1_update_staging"));
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(install_))
    EXPECT_FALSE(entry.path().wstring().ends_with(L".mf1_new")) << Utf8(entry.path());
  if (point.bulkySave) {
    EXPECT_TRUE(ReadBytes(bulkySave) == saved);
  }
}

INSTANTIATE_TEST_SUITE_P(
    KillPoints, InterruptedUpdateTest,
    testing::Values(KillPoint{"replacing mirefall.exe", L"mirefall.exe", "] copy: PlayMirefall.exe\r\n", nullptr, nullptr},
                    KillPoint{"replacing README.txt, a DLL added", L"README.txt", "] copy: hxbruntimerd.dll\r\n",
                              nullptr, nullptr},
                    KillPoint{"copying the folders", L"textures\\t.dds", "] copy: prompts/*\r\n", nullptr, nullptr},
                    KillPoint{"rolling back", L"textures\\t.dds", "] rollback: removed hxbruntimerd.dll",
                              L"mirefall.exe", "] copy: mirefall.exe\r\n"},
                    KillPoint{"unpacking the zip", nullptr, "] stage: extracting ", nullptr, nullptr, 48 << 20, 0,
                              kNothingChangedYet, kNothingChangedYet, "] stage: extracted "},
                    KillPoint{"backing up the player's files", nullptr, "] backup: copying the player's files to ",
                              nullptr, nullptr, 0, 96 << 20, kNothingChangedYet, kNothingChangedYet,
                              "] backup: userdata (without cache)"}),
    [](const testing::TestParamInfo<KillPoint>& info) { return "Point" + std::to_string(info.index); });

// A helper stopped half-way and then a second update that fails: the second run must undo
// the first, not save its damage as the "original" and roll back to that.
TEST_F(UpdateHelperTest, NextHelperRunUndoesAStoppedOneBeforeItsOwnWork) {
  WriteZip(zip_, Release());
  std::unique_ptr<ChildProcess> holder = Hold(L"mirefall.exe");
  {
    std::wstring line = update::HelperCommandLine(helper_.wstring(), zip_.wstring(), install_.wstring(), 0);
    ChildProcess helper(helper_, line.substr(update::QuoteArgument(helper_.wstring()).size() + 1), temp_);
    ASSERT_TRUE(WaitUntil([&] { return LogHas("] copy: PlayMirefall.exe\r\n"); })) << Log();
    ASSERT_TRUE(helper.Kill());
  }
  holder.reset();
  EXPECT_EQ(ReadBytes(install_ / L"PlayMirefall.exe"), StandInProgram("NEW")) << "stopped half-way";

  WriteBytes(zip_, "<html>not a zip</html>");
  EXPECT_EQ(RunHelper(), 1u);
  EXPECT_TRUE(LogHas("was stopped before it finished; putting the previous build back")) << Log();
  ExpectPreviousBuild();
  EXPECT_TRUE(LauncherRestarted());

  // And a good update after that installs completely.
  fs::remove(install_ / L"mirefall_started.txt");
  WriteZip(zip_, Release());
  EXPECT_EQ(RunHelper(), 0u) << Log();
  EXPECT_EQ(ReadBytes(install_ / L"mirefall.exe"), "new game");
  EXPECT_TRUE(LauncherRestarted());
}

// The helper's mutex held by the test, as a helper at work holds it.
class HeldHelperMutex {
 public:
  HeldHelperMutex() : mutex_(::CreateMutexW(nullptr, TRUE, update::kHelperMutexName)) {}
  ~HeldHelperMutex() { Release(); }
  HeldHelperMutex(const HeldHelperMutex&) = delete;
  HeldHelperMutex& operator=(const HeldHelperMutex&) = delete;
  bool held() const { return mutex_ != nullptr; }
  void Release() {
    if (!mutex_) return;
    ::ReleaseMutex(mutex_);
    ::CloseHandle(mutex_);
    mutex_ = nullptr;
  }

 private:
  HANDLE mutex_;
};

// A launcher the player starts while the helper installs: it waits behind a small window
// and touches nothing, then starts, or quits in favour of the launcher the helper started.
class LauncherWhileUpdatingTest : public testing::Test {
 protected:
  LauncherWhileUpdatingTest() : temp_(L"mf-wait-temp"), tempScope_(temp_.path()) {
    game_.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe");
  }

  // Starts the launcher and waits for its waiting window.
  HWND StartWaiting() {
    launcher_ = StartLauncherProcess(game_);
    return WaitForBox(launcher_->id(), L"Mirefall Recompilation");
  }

  TempGameFolder game_{L"mf-wait"};
  TempGameFolder temp_;
  ScopedTempFolder tempScope_;
  std::unique_ptr<ChildProcess> launcher_;
};

TEST_F(LauncherWhileUpdatingTest, WaitsInTheInterfaceLanguageAndStartsWhenTheHelperIsDone) {
  const struct {
    const char* prefs;
    const wchar_t* text;
  } languages[] = {{"", L"Installing update\u2026"},
                   {"launcher_language = uk\r\n",
                    L"\u0412\u0441\u0442\u0430\u043D\u043E\u0432\u043B\u0435\u043D\u043D\u044F "
                    L"\u043E\u043D\u043E\u0432\u043B\u0435\u043D\u043D\u044F\u2026"}};
  for (const auto& language : languages) {
    const std::string prefs = std::string(kStartupOffersAnswered) + language.prefs;
    game_.WriteFile("launcher.ini", prefs);
    HeldHelperMutex helper;
    ASSERT_TRUE(helper.held());
    HWND waiting = StartWaiting();
    ASSERT_TRUE(waiting) << Utf8(language.text);
    EXPECT_EQ(StaticTexts(waiting), language.text);
    Capture shown;
    EXPECT_TRUE(WaitUntil([&] {
      shown = CaptureClient(waiting);
      return shown.width > 32 && shown.MaxBrightness(16, 18, shown.width - 16, 40) > 150;
    })) << "light text on the dark window";
    SaveArtefactPng(shown, std::wstring(L"installing-update-") + (*language.prefs ? L"uk" : L"en"));
    EXPECT_FALSE(FindProcessWindow(launcher_->id(), L"MFLauncherWindow"));
    EXPECT_EQ(game_.ReadFile("launcher.ini"), prefs) << "nothing is written while the helper works";

    helper.Release();  // the helper gone without starting a launcher (ended by force)
    HWND title = WaitForProcessWindow(launcher_->id(), L"MFLauncherWindow");
    ASSERT_TRUE(title) << "the waiting launcher starts normally";
    EXPECT_FALSE(::IsWindow(waiting));
    PostKey(title, VK_ESCAPE);
    EXPECT_EQ(launcher_->WaitForExit(), 0u);
  }
}

TEST_F(LauncherWhileUpdatingTest, QuitsWhenTheHelpersRelaunchIsRunning) {
  game_.WriteFile("launcher.ini", kStartupOffersAnswered);
  HeldHelperMutex helper;
  HWND waiting = StartWaiting();
  ASSERT_TRUE(waiting);
  // The relaunch's mark, held here as the launcher the helper started holds it.
  win::UniqueKernelHandle relaunch(::CreateEventW(nullptr, TRUE, FALSE, update::kRelaunchMarkName));
  ASSERT_TRUE(relaunch);
  helper.Release();
  EXPECT_EQ(launcher_->WaitForExit(), 0u);
  EXPECT_EQ(game_.ReadFile("launcher.ini"), std::string(kStartupOffersAnswered)) << "it quit before start-up";
}

TEST_F(LauncherWhileUpdatingTest, ClosingTheWaitingWindowQuits) {
  game_.WriteFile("launcher.ini", kStartupOffersAnswered);
  const struct {
    const char* how;
    std::function<void(HWND)> close;
  } ways[] = {{"Escape", [](HWND window) { PostKey(window, VK_ESCAPE); }},
              {"the close box", [](HWND window) { ::PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }}};
  HeldHelperMutex helper;
  for (const auto& way : ways) {
    HWND waiting = StartWaiting();
    ASSERT_TRUE(waiting) << way.how;
    way.close(waiting);
    EXPECT_EQ(launcher_->WaitForExit(), 0u) << way.how;
    EXPECT_EQ(game_.ReadFile("launcher.ini"), std::string(kStartupOffersAnswered)) << way.how;
  }
}

// The launcher's title window of any process but this one, once there is one.
HWND WaitForOtherLauncherWindow(DWORD notThisProcess) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND window = ::FindWindowW(L"MFLauncherWindow", nullptr); window;
         window = ::FindWindowExW(nullptr, window, L"MFLauncherWindow", nullptr)) {
      DWORD owner = 0;
      ::GetWindowThreadProcessId(window, &owner);
      if (owner != notThisProcess && ::IsWindowVisible(window)) found = window;
    }
    return found != nullptr;
  });
  return found;
}

// The whole road with a real helper: the player starts the launcher half-way through an
// update. Once the helper is done, one launcher runs: the one the helper started.
TEST_F(UpdateHelperTest, LauncherStartedDuringTheUpdateLeavesTheFieldToTheRelaunch) {
  const std::string newLauncher = ReadBytes(BuildOutputFolder() / L"PlayMirefall.exe") + "NEW";
  WriteBytes(install_ / L"PlayMirefall.exe", ReadBytes(BuildOutputFolder() / L"PlayMirefall.exe") + "OLD");
  WriteBytes(install_ / L"launcher.ini", kStartupOffersAnswered);
  ZipEntries release = Release();
  for (auto& [name, bytes] : release)
    if (name.ends_with("PlayMirefall.exe")) bytes = newLauncher;
  WriteZip(zip_, release);
  // The old launcher slow to exit keeps the helper waiting until the test lets it go.
  auto [oldLauncher, helper] = StartHelperBehindASlowLauncher();
  ASSERT_TRUE(WaitUntil([&] { return LogHas("] wait: launcher exit\r\n"); })) << Log();

  ChildProcess waiting(install_ / L"PlayMirefall.exe", L"", install_);
  ASSERT_TRUE(WaitForBox(waiting.id(), L"Mirefall Recompilation")) << "the player sees the update being installed";
  oldLauncher.reset();
  EXPECT_EQ(helper->WaitForExit(), 0u) << Log();
  EXPECT_EQ(waiting.WaitForExit(), 0u) << "the waiting launcher gives way";
  HWND relaunch = WaitForOtherLauncherWindow(waiting.id());
  ASSERT_TRUE(relaunch) << "the helper's relaunch stays";
  EXPECT_EQ(ReadBytes(install_ / L"PlayMirefall.exe"), newLauncher);
  DWORD relaunchId = 0;
  ::GetWindowThreadProcessId(relaunch, &relaunchId);
  win::UniqueKernelHandle relaunchProcess(::OpenProcess(SYNCHRONIZE, FALSE, relaunchId));
  PostKey(relaunch, VK_ESCAPE);
  EXPECT_EQ(::WaitForSingleObject(relaunchProcess.get(), 30000), WAIT_OBJECT_0);
}

// The helper ended by force while a launcher waits: that launcher starts, puts the previous
// build back and tells the player.
TEST_F(UpdateHelperTest, LauncherWaitingForAHelperThatIsEndedStartsAndRepairs) {
  const std::string previousLauncher = ReadBytes(BuildOutputFolder() / L"PlayMirefall.exe") + "OLD";
  WriteBytes(install_ / L"PlayMirefall.exe", previousLauncher);
  WriteBytes(install_ / L"launcher.ini", kStartupOffersAnswered);
  ZipEntries release = Release();
  for (auto& [name, bytes] : release)
    if (name.ends_with("PlayMirefall.exe")) bytes = ReadBytes(BuildOutputFolder() / L"PlayMirefall.exe") + "NEW";
  WriteZip(zip_, release);
  std::unique_ptr<ChildProcess> game = Hold(L"mirefall.exe");
  auto [oldLauncher, helper] = StartHelperBehindASlowLauncher();
  ASSERT_TRUE(WaitUntil([&] { return LogHas("] wait: launcher exit\r\n"); })) << Log();

  ChildProcess waiting(install_ / L"PlayMirefall.exe", L"", install_);
  ASSERT_TRUE(WaitForBox(waiting.id(), L"Mirefall Recompilation"));
  oldLauncher.reset();
  // Ended while it waits for the game to let go of mirefall.exe, the new launcher in place.
  ASSERT_TRUE(WaitUntil([&] { return LogHas("] copy: PlayMirefall.exe\r\n"); })) << Log();
  ASSERT_TRUE(helper->Kill());
  game.reset();
  HWND question = WaitForBox(waiting.id(), L"Previous update did not finish");
  ASSERT_TRUE(question) << "the waiting launcher starts and repairs: " << Log();
  PressButton(question, IDNO);
  HWND window = WaitForProcessWindow(waiting.id(), L"MFLauncherWindow");
  ASSERT_TRUE(window);
  PostKey(window, VK_ESCAPE);
  EXPECT_EQ(waiting.WaitForExit(), 0u);
  EXPECT_EQ(ReadBytes(install_ / L"PlayMirefall.exe"), previousLauncher);
  EXPECT_EQ(ReadBytes(install_ / L"mirefall.exe"), "old game");
  EXPECT_FALSE(fs::exists(install_ / L"hxbruntimerd.dll"));
  EXPECT_EQ(ReadBytes(install_ / L"userdata" / L"save.dat"), UserFiles()[3].second);
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
