// A real update from this build to the next release, along the road players take: the
// release made by tools/make-release.sh (MF_TEST_NEXT_RELEASE), a feed shaped like the
// release API's whose download address answers with a redirect to a signed CDN address,
// the banner, Yes, the download, the helper, and the new launcher coming up in the game
// folder with the player's files as they were.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "resources/version.h"
#include "update/sha256.h"
#include "update/update_paths.h"
#include "update_test_support.h"
#include "wine_test_support.h"

namespace mf::test {
namespace {

namespace fs = std::filesystem;

const std::string kOldTag(kCurrentVersionTag);
const std::string kNewVersion = MF_NEXT_VERSION;
const std::string kNewTag = "v" + kNewVersion;
const std::string kZipName = "MFRecomp-" + kNewTag + "-win64.zip";
const std::string kTopFolder = "MFRecomp-" + kNewTag + "-win64/";

// Where the release host sends the asset's download address: another path with a long
// signed query, which must survive the redirect intact.
const std::string kAssetPath = "QuillworkDev/MFRecomp/releases/download/" + kNewTag + "/" + kZipName;
const std::string kCdnPath = "release-assets/7731/" + kZipName;
std::string SignedQuery() {
  std::string token = "eyJ0eXAiOiJKV1QiLCJhbGciOiJIUzI1NiJ9.";
  for (int i = 0; token.size() < 700; ++i) token += "abcdefghijklmnopqrstuvwxyzABCDEF0123456789-_"[i * 7 % 44];
  return "?sp=r&sv=2018-11-09&sr=b&spr=https&se=2026-12-10T22%3A05%3A00Z&rscd=attachment%3B+filename%3D" + kZipName +
         "&rsct=application%2Foctet-stream&skoid=96c2d410&sktid=398a6654&skt=2026-12-10T21%3A04%3A12Z"
         "&ske=2026-12-10T22%3A04%3A12Z&sks=b&skv=2018-11-09&sig=Zk9yT0xKc2lnbmF0dXJl%2BJ%2F8%3D&jwt=" +
         token + "&response-content-disposition=attachment%3B%20filename%3D" + kZipName +
         "&response-content-type=application%2Foctet-stream";
}

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::wstring TitleCaption(const std::string& tag) {
  return L"Mirefall Recompilation " + Wide(tag) + L" | \u00ABQuillwork\u00BB";
}

std::string Sha256Hex(const std::string& bytes) {
  update::Sha256 hash;
  hash.Update(bytes.data(), bytes.size());
  return hash.HexDigest();
}

// "releases/latest" as the release API answers it, with the zip as its one asset.
std::string ReleaseFeed(const TestHttpsServer& server, const std::string& digest, size_t size) {
  const std::string api = "https://api.github.com/repos/QuillworkDev/MFRecomp";
  return R"({"url":")" + api + R"(/releases/210554","assets_url":")" + api +
         R"(/releases/210554/assets","upload_url":"https://uploads.github.com/repos/QuillworkDev/MFRecomp/releases/210554/assets{?name,label}",)"
         R"("html_url":"https://github.com/QuillworkDev/MFRecomp/releases/tag/)" + kNewTag +
         R"(","id":210554,"author":{"login":"quillwork-release","id":1,"type":"User","site_admin":false},)"
         R"("node_id":"RE_kwDOAbc","tag_name":")" + kNewTag + R"(","target_commitish":"main","name":"Mirefall Recompilation )" +
         kNewTag + R"(","draft":false,"immutable":false,"prerelease":false,"created_at":"2026-12-10T20:58:01Z",)"
         R"("published_at":"2026-12-10T21:02:44Z","assets":[{"url":")" + api +
         R"(/releases/assets/77310","id":77310,"node_id":"RA_kwDOAbc","name":")" + kZipName +
         R"(","label":"","uploader":{"login":"quillwork-release","id":1},"content_type":"application/zip",)"
         R"("state":"uploaded","size":)" + std::to_string(size) + R"(,"digest":")" + digest +
         R"(","download_count":0,"created_at":"2026-12-10T21:01:10Z","updated_at":"2026-12-10T21:01:40Z",)"
         R"("browser_download_url":")" + server.Url(kAssetPath) + R"("}],"tarball_url":")" + api + "/tarball/" +
         kNewTag + R"(","zipball_url":")" + api + "/zipball/" + kNewTag +
         R"(","body":"Fixes.\r\n\r\n**Full Changelog**: https://github.com/QuillworkDev/MFRecomp/compare/)" + kOldTag +
         "..." + kNewTag + R"("})";
}

// The release the release command made for the next version, and its digest file.
struct NextRelease {
  std::string zipBytes;
  std::string digest;  // "sha256:<hex>", as the command wrote it
  ZipEntries entries;
};

NextRelease LoadNextRelease() {
  NextRelease release;
  wchar_t folder[1024];
  DWORD length = ::GetEnvironmentVariableW(L"MF_TEST_NEXT_RELEASE", folder, 1024);
  if (length == 0 || length >= 1024) return release;
  const fs::path zip = fs::path(std::wstring(folder, length)) / Wide(kZipName);
  release.zipBytes = ReadBytes(zip);
  release.digest = ReadBytes(zip.wstring() + L".sha256");
  while (!release.digest.empty() && (release.digest.back() == '\n' || release.digest.back() == '\r'))
    release.digest.pop_back();
  release.entries = ReadZip(zip);
  return release;
}

// The player's own files in the game folder: none of them may change in an update.
const char* const kPlayerFiles[] = {"mirefall.toml", "launcher.ini", "mirefall.toml.backup", "userdata/save01.sav",
                                    "userdata/profile/settings.dat", "userdata/cache/shaders/local.bin"};

std::map<std::string, std::string> PlayerFiles(const TempGameFolder& game) {
  std::map<std::string, std::string> files;
  for (const char* name : kPlayerFiles) files[name] = game.ReadFile(name).value_or("<missing>");
  return files;
}

// The version line (right-aligned at the top of the title window) as pixels: rows 12 to 29,
// above the update banner's glow, which reaches up to row 31.
Capture VersionLine(HWND window) {
  Capture whole = CaptureSettled(window);
  if (whole.width == 0) return whole;
  Capture line;
  line.width = whole.width;
  line.height = 18;
  line.pixels.assign(whole.pixels.begin() + 12 * whole.width, whole.pixels.begin() + 30 * whole.width);
  return line;
}

// The columns in which two captures of the same size differ, as [first, last]; {-1, -1} when
// they are the same or not of one size.
std::pair<int, int> DifferingColumns(const Capture& a, const Capture& b) {
  int first = -1, last = -1;
  if (a.width != b.width || a.height != b.height) return {first, last};
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x)
      if (a.At(x, y) != b.At(x, y)) {
        first = first < 0 ? x : std::min(first, x);
        last = std::max(last, x);
      }
  return {first, last};
}

// The VERSIONINFO record of a program: its fixed file version as "a.b.c.d" and its
// "ProductVersion" string.
std::pair<std::string, std::string> VersionRecord(const fs::path& program) {
  DWORD ignored = 0;
  DWORD size = ::GetFileVersionInfoSizeW(program.c_str(), &ignored);
  if (size == 0) return {};
  std::string data(size, '\0');
  if (!::GetFileVersionInfoW(program.c_str(), 0, size, data.data())) return {};
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  wchar_t* product = nullptr;
  UINT productSize = 0;
  if (!::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) || !fixed ||
      !::VerQueryValueW(data.data(), L"\\StringFileInfo\\040904B0\\ProductVersion",
                        reinterpret_cast<void**>(&product), &productSize) ||
      !product)
    return {};
  const std::string numbers = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                              std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                              std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
                              std::to_string(LOWORD(fixed->dwFileVersionLS));
  const std::wstring text(product);
  return {numbers, std::string(text.begin(), text.end())};
}

// The program's manifest, as the loader reads it.
std::string ManifestOf(const fs::path& program) {
  HMODULE module = ::LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!module) return {};
  std::string text;
  if (HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) {
    if (HGLOBAL loaded = ::LoadResource(module, resource))
      text.assign(static_cast<const char*>(::LockResource(loaded)), ::SizeofResource(module, resource));
  }
  ::FreeLibrary(module);
  return text;
}

// A title window that the test did not start itself (the helper starts the new launcher),
// found by its caption; its process can be waited for.
struct ForeignLauncher {
  HWND window = nullptr;
  HANDLE process = nullptr;
  ~ForeignLauncher() {
    if (!process) return;
    // A test that stopped half-way leaves no launcher behind for the next one.
    if (::WaitForSingleObject(process, 0) == WAIT_TIMEOUT) ::TerminateProcess(process, 1);
    ::CloseHandle(process);
  }
  // Escape, as a player closes it; true once its process has ended.
  bool Close() {
    PostKey(window, VK_ESCAPE);
    return process && ::WaitForSingleObject(process, 30000) == WAIT_OBJECT_0;
  }
};

HWND VisibleTitleWindow(const std::wstring& caption) {
  HWND window = ::FindWindowW(L"MFLauncherWindow", caption.c_str());
  return window && ::IsWindowVisible(window) ? window : nullptr;
}

size_t Occurrences(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class SelfUpdateTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.ready()) << "MF_TEST_HTTPS_DIR names no running server";
    ASSERT_FALSE(release_.zipBytes.empty()) << "no " << kZipName << " in MF_TEST_NEXT_RELEASE";
    ASSERT_EQ(release_.digest, "sha256:" + Sha256Hex(release_.zipBytes)) << "the digest file is the zip's";
    ASSERT_FALSE(release_.entries.empty());

    // An installed build of this version, with program files of the game and the files of a
    // player who has played for a while.
    game_.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe");
    game_.AddProgram(L"mirefall.exe", L"mirefall.exe");
    game_.WriteFile("hxbruntimerd.dll", "runtime of " + kOldTag);
    game_.WriteFile("mirefall_usa.exe", "USA build of " + kOldTag);  // not in the next release
    game_.WriteFile("mirefall.toml", "[video]\r\nfullscreen = false\r\nresolution_scale = 150\r\n");
    game_.WriteFile("launcher.ini", std::string(kStartupOffersAnswered) + "launcher_language = en\r\n");
    game_.WriteFile("mirefall.toml.backup", "[video]\r\nfullscreen = true\r\n");
    game_.WriteFile("userdata/save01.sav", std::string("\x00\x01save\xff\r\n", 10));
    game_.WriteFile("userdata/profile/settings.dat", "profile");
    game_.WriteFile("userdata/cache/shaders/local.bin", std::string(5000, '\x5a'));
  }

  // The feed announcing the next release, its asset address redirected to the CDN path
  // where `zipBytes` are served (cut short after `cut` bytes when not 0).
  void ServeRelease(const std::string& digest, long long cut = 0) {
    server_.Serve(kCdnPath, release_.zipBytes, 0, cut);
    server_.Redirect(kAssetPath, "/" + kCdnPath + SignedQuery());
    server_.Serve(kReleaseFeedPath, ReleaseFeed(server_, digest, release_.zipBytes.size()));
  }

  // Starts the installed launcher, waits for the banner and answers Yes to its question.
  void StartAndAcceptTheUpdate(RunningLauncher& launcher) {
    launcher = StartLauncher(game_);
    ASSERT_TRUE(launcher.window);
    ASSERT_TRUE(WaitUntil([&] { return BannerOutlineRedness(CaptureClient(launcher.window)) > 30; }))
        << "the banner appears once the feed has answered";
    oldVersionLine_ = VersionLine(launcher.window);
    ASSERT_GT(oldVersionLine_.width, 0) << "the title window never held still";
    SaveArtefactPng(CaptureClient(launcher.window), L"self-update-" + Wide(kOldTag));
    for (int i = 0; i < 3; ++i) PostKey(launcher.window, VK_TAB);
    PostKey(launcher.window, VK_RETURN);
    HWND question = WaitForProcessWindow(launcher.process->id(), L"#32770", L"Update available: " + Wide(kNewTag));
    ASSERT_TRUE(question);
    EXPECT_NE(StaticTexts(question).find(L"Latest version: " + Wide(kNewTag) + L"\r\nCurrent version: " +
                                         Wide(kOldTag)),
              std::wstring::npos);
    playerFiles_ = PlayerFiles(game_);  // as start-up left them
    ::PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
  }

  std::string Log() const { return ReadBytes(temp_.path() / update::kLogFileName); }

  TestHttpsServer server_;
  ScopedEnvironment host_{L"MF_RELEASE_HOST", server_.HostAndPort()};
  NextRelease release_ = LoadNextRelease();
  TempGameFolder game_{L"mf-self-update game"};
  TempGameFolder temp_{L"mf-self-update-temp"};
  ScopedTempFolder tempScope_{temp_.path()};
  std::map<std::string, std::string> playerFiles_;
  Capture oldVersionLine_;
};

TEST_F(SelfUpdateTest, ReleaseZipHasTheLayoutTheHelperInstalls) {
  std::vector<std::string> names;
  for (const auto& [name, bytes] : release_.entries) names.push_back(name);
  const std::vector<std::string> expected = {
      kTopFolder + "PlayMirefall.exe",     kTopFolder + "README.txt",         kTopFolder + "TracyClientrd.dll",
      kTopFolder + "gamecontrollerdb.txt", kTopFolder + "hxbgpu-xenosrd.dll", kTopFolder + "hxbruntimerd.dll",
      kTopFolder + "mirefall.exe",         kTopFolder + "native/renderer.txt"};
  EXPECT_EQ(names, expected) << "sorted, in one top folder, the player's mirefall.toml left out";
}

TEST_F(SelfUpdateTest, UpdatesToTheNextReleaseAndKeepsThePlayersFiles) {
  ServeRelease(release_.digest);
  RunningLauncher launcher;
  ASSERT_NO_FATAL_FAILURE(StartAndAcceptTheUpdate(launcher));

  EXPECT_EQ(launcher.process->WaitForExit(120s), 0u) << "the launcher closes after the hand-over";
  ForeignLauncher updated;
  ASSERT_TRUE(WaitUntil([&] { return (updated.window = VisibleTitleWindow(TitleCaption(kNewTag))) != nullptr; }, 180s))
      << "the new launcher's title window came up; log:\n" << Log();
  DWORD processId = 0;
  ::GetWindowThreadProcessId(updated.window, &processId);
  updated.process = ::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);

  // It is the new version: by its version line (only the version's last digit is drawn
  // differently, in one narrow column band), its VERSIONINFO and its manifest.
  std::pair<int, int> changed;
  EXPECT_TRUE(WaitUntil([&] {
    changed = DifferingColumns(oldVersionLine_, VersionLine(updated.window));
    return changed.first > 640 && changed.second - changed.first <= 16;
  })) << "the version line differs in columns " << changed.first << " to " << changed.second
      << "; only one glyph near the end of the right-aligned line should";
  SaveArtefactPng(CaptureClient(updated.window), L"self-update-" + Wide(kNewTag));
  const fs::path installed = game_.path() / L"PlayMirefall.exe";
  EXPECT_EQ(VersionRecord(installed), std::make_pair(kNewVersion + ".0", kNewVersion));
  EXPECT_NE(ManifestOf(installed).find("version=\"" + kNewVersion + ".0\""), std::string::npos);

  // The program files are the release's; a program file it does not carry stays as it was.
  for (const auto& [name, bytes] : release_.entries) {
    ASSERT_EQ(name.rfind(kTopFolder, 0), 0u) << name;
    EXPECT_TRUE(game_.ReadFile(name.substr(kTopFolder.size())) == bytes) << name;
  }
  EXPECT_EQ(game_.ReadFile("mirefall_usa.exe"), "USA build of " + kOldTag);
  EXPECT_EQ(PlayerFiles(game_), playerFiles_) << "the player's files are byte for byte as they were";

  // Nothing of the update is left in the temporary folder but the backup of the player's files.
  EXPECT_TRUE(WaitUntil([&] { return !fs::exists(temp_.path() / update::kLogFileName); })) << Log();
  for (std::string_view leftover : {update::kZipFileName, update::kStagingFolderName, update::kRollbackFolderName})
    EXPECT_FALSE(fs::exists(temp_.path() / leftover)) << leftover;
  const fs::path backup = temp_.path() / update::kBackupFolderName;
  for (const char* name : {"mirefall.toml", "launcher.ini", "mirefall.toml.backup", "userdata/save01.sav",
                           "userdata/profile/settings.dat"})
    EXPECT_EQ(ReadBytes(backup / name), playerFiles_[name]) << name;
  EXPECT_FALSE(fs::exists(backup / "userdata" / "cache")) << "the cache is not backed up";

  // The download went through the redirect with its signed query intact.
  const std::string requests = server_.RequestLog();
  EXPECT_NE(requests.find("GET /" + kAssetPath + " HTTP/1.1\" 302"), std::string::npos) << requests;
  EXPECT_NE(requests.find("GET /" + kCdnPath + SignedQuery() + " HTTP/1.1\" 200"), std::string::npos) << requests;

  // A second start of the new version against the same feed offers nothing.
  ASSERT_TRUE(updated.Close());
  const size_t feedRequests = Occurrences(server_.RequestLog(), "GET /" + std::string(kReleaseFeedPath));
  RunningLauncher again = StartLauncher(game_);
  ASSERT_TRUE(again.window);
  EXPECT_EQ(WindowText(again.window), TitleCaption(kNewTag));
  ASSERT_TRUE(WaitUntil(
      [&] { return Occurrences(server_.RequestLog(), "GET /" + std::string(kReleaseFeedPath)) > feedRequests; }))
      << "the new version asked the feed";
  // The feed has answered; a banner would follow within moments, so a few seconds without one
  // mean none is coming.
  EXPECT_FALSE(WaitUntil([&] { return BannerOutlineRedness(CaptureClient(again.window)) > 30; }, 5s))
      << "no banner for the version already installed";
  EXPECT_EQ(CloseLauncher(again), 0u);
  EXPECT_EQ(PlayerFiles(game_), playerFiles_);
}

// A download that does not arrive whole, or not as the feed describes it: the installed
// version stays, keeps running, and the player is told.
TEST_F(SelfUpdateTest, FailedDownloadKeepsTheInstalledVersion) {
  const std::string oldLauncher = *game_.ReadFile("PlayMirefall.exe");
  struct Case {
    const char* what;
    std::string digest;
    long long cut;
  } cases[] = {
      {"zip cut short", release_.digest, static_cast<long long>(release_.zipBytes.size() / 2)},
      {"wrong digest", "sha256:" + Sha256Hex(release_.zipBytes + "tampered"), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ServeRelease(c.digest, c.cut);
    RunningLauncher launcher;
    ASSERT_NO_FATAL_FAILURE(StartAndAcceptTheUpdate(launcher));
    HWND box = WaitForBox(launcher.process->id(), L"Update failed", 120s);
    ASSERT_TRUE(box) << "the player is told";
    EXPECT_NE(StaticTexts(box).find(L"Could not download the update zip."), std::wstring::npos) << StaticTexts(box);
    PressButton(box, IDOK);

    EXPECT_TRUE(launcher.process->running()) << "the installed version keeps running";
    EXPECT_EQ(WindowText(launcher.window), TitleCaption(kOldTag));
    EXPECT_TRUE(game_.ReadFile("PlayMirefall.exe") == oldLauncher) << "the installed launcher is the same";
    EXPECT_EQ(PlayerFiles(game_), playerFiles_);
    EXPECT_FALSE(fs::exists(temp_.path() / update::kZipFileName)) << "no partial or unverified zip is kept";
    EXPECT_FALSE(fs::exists(temp_.path() / update::kHelperFileName)) << "no helper was started";
    EXPECT_EQ(CloseLauncher(launcher), 0u);
  }
}

}  // namespace
}  // namespace mf::test
