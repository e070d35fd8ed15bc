// The release check and the download against a local HTTPS server, through real WinHTTP
// with the server's test CA trusted in this prefix only.
#include <windows.h>

#include <gtest/gtest.h>
#include <oleacc.h>

#include <atomic>
#include <regex>
#include <thread>

#include "update/download_win.h"
#include "update/release_check_win.h"
#include "update/sha256.h"
#include "update/update_offer.h"
#include "update_test_support.h"
#include "wine_test_support.h"

namespace mf::test {
namespace {

namespace fs = std::filesystem;

std::string Feed(const std::string& tag, const std::string& assets) {
  return R"({"url":"https://api.example/repos/QuillworkDev/MFRecomp/releases/7","assets_url":"x",)"
         R"("tag_name":")" + tag + R"(","assets":[)" + assets + R"(],"body":"Fixes."})";
}

std::string Asset(const std::string& url) {
  return R"({"name":"f","size":1,"digest":null,"browser_download_url":")" + url + R"("})";
}

std::string Sha256Hex(const std::string& bytes) {
  update::Sha256 hash;
  hash.Update(bytes.data(), bytes.size());
  return hash.HexDigest();
}

// Bytes that do not compress and do not repeat, like a real release zip.
std::string PseudoRandomBytes(size_t size) {
  std::string bytes(size, '\0');
  std::uint32_t state = 12345;
  for (char& c : bytes) {
    state = state * 1664525u + 1013904223u;
    c = static_cast<char>(state >> 24);
  }
  return bytes;
}

class ReleaseServerTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server_.ready()) << "MF_TEST_HTTPS_DIR names no running server"; }

  TestHttpsServer server_;
  ScopedEnvironment host_{L"MF_RELEASE_HOST", server_.HostAndPort()};
};

TEST_F(ReleaseServerTest, FeedCases) {
  const std::string zip = "https://github.com/QuillworkDev/MFRecomp/releases/download/v2.0.12/MFRecomp-v2.0.12.zip";
  struct Case {
    const char* what;
    std::string body;
    int status;
    long long cut;
    bool offered;
    std::string digest = "";        // the offer's digest, when offered
    const char* side = nullptr;     // a side file that changes the answer
  } cases[] = {
      {"not newer", Feed("v2.0.11", Asset(zip)), 0, 0, false},
      {"not newer, V", Feed("V2.0.11", Asset(zip)), 0, 0, false},
      {"not newer, no v", Feed("2.0.11", Asset(zip)), 0, 0, false},
      {"not newer, .0", Feed("v2.0.11.0", Asset(zip)), 0, 0, false},
      {"letters only", Feed("nightly", Asset(zip)), 0, 0, false},
      {"out of range", Feed("v99999999999", Asset(zip)), 0, 0, false},
      {"no zip asset", Feed("v2.0.12", ""), 0, 0, false},
      {"tar.gz only", Feed("v2.0.12", Asset("https://x/MFRecomp.tar.gz")), 0, 0, false},
      {"malformed URL", Feed("v2.0.12", "") + R"({"assets":[{"browser_download_url":"https://x/MFRecomp.zip)", 0, 0,
       false},
      {"rate limited", R"({"message":"API rate limit exceeded","documentation_url":"https://docs.example"})", 403, 0,
       false},
      {"truncated body", Feed("v2.0.12", Asset(zip)), 0, 60, false},
      {"newer", Feed("v2.0.12", Asset(zip)), 0, 0, true},
      {"newer by a fourth component", Feed("v2.0.11.1", Asset(zip)), 0, 0, true},
      {"release candidate", Feed("v2.1-rc1", Asset(zip)), 0, 0, true},
      {"upper-case .ZIP before a good one",
       Feed("v2.0.12", Asset("https://x/MFRecomp.ZIP") + "," + Asset(zip)), 0, 0, true},
      {"a mirror listing the URL before the digest",
       Feed("v2.0.12", R"({"browser_download_url":"https://x/MFRecomp.tar.gz","digest":"sha256:)" + std::string(64, 'b') +
                           R"("},{"browser_download_url":")" + zip + R"(","digest":"sha256:)" + std::string(64, 'a') +
                           R"("})"),
       0, 0, true, "sha256:" + std::string(64, 'a')},
      {"a feed that never ends", Feed("v2.0.12", Asset(zip)), 0, 0, false, "", ".endless"},
  };
  for (const Case& c : cases) {
    server_.Serve(kReleaseFeedPath, c.body, c.status, c.cut);
    if (c.side) server_.AddSide(kReleaseFeedPath, c.side);
    std::optional<update::NewerRelease> release = update::CheckForNewerRelease();
    EXPECT_EQ(release.has_value(), c.offered) << c.what;
    if (release) {
      EXPECT_EQ(release->zip.url, zip) << c.what;
      EXPECT_EQ(release->zip.digest, c.digest) << c.what;
    }
  }
  server_.Remove(kReleaseFeedPath);  // the server's 404 JSON answer
  EXPECT_FALSE(update::CheckForNewerRelease());
}

TEST_F(ReleaseServerTest, CheckThreadPublishesTheOfferAndWakesTheWindow) {
  server_.Serve(kReleaseFeedPath, Feed("v2.0.12", Asset("https://x/MFRecomp.zip")));
  HWND window = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_TRUE(window);
  update::StartReleaseCheck(window, WM_APP);
  MSG message = {};
  bool woken = WaitUntil([&] { return ::PeekMessageW(&message, window, WM_APP, WM_APP, PM_REMOVE) != FALSE; });
  EXPECT_TRUE(woken);
  const update::UpdateOffer& offer = update::CurrentUpdateOffer();
  ASSERT_TRUE(offer.available.load(std::memory_order_acquire));
  EXPECT_EQ(offer.tag, "v2.0.12");
  EXPECT_EQ(offer.zipUrl, "https://x/MFRecomp.zip");
  ::DestroyWindow(window);
}

// MF_RELEASE_HOST set but unusable means no check at all, not the public host.
TEST(ReleaseHostOverride, SetButEmptyOrMalformedMeansNoCheck) {
  {
    ScopedEnvironment unset(L"MF_RELEASE_HOST", L"");
    ::SetEnvironmentVariableW(L"MF_RELEASE_HOST", nullptr);
    std::optional<update::HttpsEndpoint> endpoint = update::ConfiguredReleaseEndpoint();
    ASSERT_TRUE(endpoint);
    EXPECT_EQ(endpoint->host, "api.github.com");
  }
  for (const std::wstring& value :
       {std::wstring(), std::wstring(L"localhost:https"), std::wstring(L"mirror example"), std::wstring(600, L'a') + L":"}) {
    ScopedEnvironment host(L"MF_RELEASE_HOST", value);
    EXPECT_FALSE(update::ConfiguredReleaseEndpoint()) << value.size() << " characters";
  }
  ScopedEnvironment longHost(L"MF_RELEASE_HOST", std::wstring(600, L'a') + L":8443");
  std::optional<update::HttpsEndpoint> endpoint = update::ConfiguredReleaseEndpoint();
  ASSERT_TRUE(endpoint) << "a long but well-formed host is read whole";
  EXPECT_EQ(endpoint->host, std::string(600, 'a'));
  EXPECT_EQ(endpoint->port, 8443);
}

// The player's Windows proxy, as the Internet settings keep it (the same record the
// settings page writes): the check and the download go through it.
class UserProxySetting {
 public:
  explicit UserProxySetting(const std::wstring& proxy) {
    ::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_, nullptr);
    DWORD size = 0;
    if (::RegQueryValueExW(key_, kValue, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS) {
      previous_.emplace(size, '\0');
      ::RegQueryValueExW(key_, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(previous_->data()), &size);
    }
    // Version, counter, flags (direct | named proxy), then the proxy, the bypass list and
    // the script address, each as a length and its bytes.
    std::string record;
    auto put = [&](std::uint32_t value) { record.append(reinterpret_cast<const char*>(&value), 4); };
    put(0x46);
    put(1);
    put(0x1 | 0x2);
    std::string ascii(proxy.begin(), proxy.end());
    put(static_cast<std::uint32_t>(ascii.size()));
    record += ascii;
    put(0);
    put(0);
    record.append(32, '\0');
    ::RegSetValueExW(key_, kValue, 0, REG_BINARY, reinterpret_cast<const BYTE*>(record.data()),
                     static_cast<DWORD>(record.size()));
  }
  ~UserProxySetting() {
    if (previous_)
      ::RegSetValueExW(key_, kValue, 0, REG_BINARY, reinterpret_cast<const BYTE*>(previous_->data()),
                       static_cast<DWORD>(previous_->size()));
    else
      ::RegDeleteValueW(key_, kValue);
    ::RegCloseKey(key_);
  }
  UserProxySetting(const UserProxySetting&) = delete;
  UserProxySetting& operator=(const UserProxySetting&) = delete;

 private:
  static constexpr const wchar_t* kKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections";
  static constexpr const wchar_t* kValue = L"DefaultConnectionSettings";
  HKEY key_ = nullptr;
  std::optional<std::string> previous_;
};

TEST_F(ReleaseServerTest, TheCheckGoesThroughThePlayersProxy) {
  server_.Serve(kReleaseFeedPath, Feed("v2.0.12", Asset("https://x/MFRecomp.zip")));
  const std::string target = "CONNECT " + std::string(server_.Url("").substr(8, server_.Url("").size() - 9));
  const size_t before = server_.ProxyLog().size();
  UserProxySetting proxy(server_.ProxyHostAndPort());
  EXPECT_TRUE(update::CheckForNewerRelease());
  EXPECT_NE(server_.ProxyLog().find(target, before), std::string::npos) << "the proxy saw: " << server_.ProxyLog();
}

// The progress dialog as the player sees it, watched from a second thread.
class DownloadTest : public ReleaseServerTest {
 protected:
  DownloadTest() : folder_(L"mf-download") {}

  struct Run {
    INT_PTR result = 0;
    std::vector<std::wstring> statusTexts;  // what the status line showed, in order
  };

  // Runs the dialog; `whenProgressing` runs on the watcher thread once the first
  // progress text is up.
  Run Download(const std::string& url, const std::string& digest,
               const std::function<void(HWND)>& whenProgressing = {}, bool actWhenShown = false) {
    job_.url = url;
    job_.expectedDigest = digest;
    job_.destPath = folder_.path() / L"mf1_update.zip";
    Run run;
    std::atomic<bool> finished = false;
    std::thread watcher([&] {
      HWND dialog = nullptr;
      WaitUntil([&] { return finished || (dialog = FindProcessWindow(::GetCurrentProcessId(), L"#32770",
                                                                     L"Downloading update")) != nullptr; });
      bool acted = false;
      while (dialog && !finished) {
        std::wstring text = WindowText(::GetDlgItem(dialog, 801));
        if (run.statusTexts.empty() || run.statusTexts.back() != text) run.statusTexts.push_back(text);
        if (!acted && whenProgressing && (actWhenShown || text.find(L" MB") != std::wstring::npos)) {
          whenProgressing(dialog);
          acted = true;
        }
        std::this_thread::sleep_for(5ms);
      }
    });
    run.result = update::RunDownloadDialog(nullptr, job_);
    finished = true;
    watcher.join();
    return run;
  }

  TempGameFolder folder_;
  update::DownloadJob job_;
};

TEST_F(DownloadTest, WholeVerifiedFileWithProgressInMebibytes) {
  const std::string zip = PseudoRandomBytes(3 * 1024 * 1024 + 12345);
  server_.Serve("dl/MFRecomp.zip", zip, 0, 0, 8 * 1024 * 1024);
  Run run = Download(server_.Url("dl/MFRecomp.zip"), "sha256:" + Sha256Hex(zip));
  EXPECT_EQ(run.result, 1);
  EXPECT_EQ(ReadBytes(job_.destPath), zip);
  bool sawProgress = false;
  for (const std::wstring& text : run.statusTexts)
    sawProgress |= std::regex_match(text, std::wregex(L"[0-3] / 3 MB"));
  EXPECT_TRUE(sawProgress) << "the status line showed whole mebibytes of the total";
}

TEST_F(DownloadTest, CancelDuringTheTransferDeletesThePartialFile) {
  server_.Serve("dl/slow.zip", PseudoRandomBytes(4 * 1024 * 1024), 0, 0, 64 * 1024);
  auto started = std::chrono::steady_clock::now();
  bool buttonCoversBar = true;
  bool darkBackground = false;
  Run run = Download(server_.Url("dl/slow.zip"), "", [&](HWND dialog) {
    // As drawn, with the fonts the prefix has: dark, and Cancel clear of the bar.
    RECT bar = {}, cancel = {}, overlap = {};
    ::GetWindowRect(::GetDlgItem(dialog, 800), &bar);
    ::GetWindowRect(::GetDlgItem(dialog, 802), &cancel);
    buttonCoversBar = ::IntersectRect(&overlap, &bar, &cancel) != FALSE;
    darkBackground = WaitUntil([&] { return CaptureClient(dialog).At(4, 4) == 0x181A1Eu; }, 10s);
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(802, BN_CLICKED), 0);
  });
  EXPECT_FALSE(buttonCoversBar);
  EXPECT_TRUE(darkBackground) << "the dialog is painted in the dark background colour";
  EXPECT_EQ(run.result, 2);
  EXPECT_FALSE(fs::exists(job_.destPath));
  EXPECT_LT(std::chrono::steady_clock::now() - started, 30s) << "cancel ended the transfer, not its end";
}

// A transfer that stalls with the connection open: Cancel closes the request, and the
// dialog ends at the latest when the receive time-out (30 s) gives up - under Wine 8
// closing the handle does not wake a read that is already blocked.
TEST_F(DownloadTest, CancelOfAStalledTransferEndsTheDialog) {
  server_.Serve("dl/stalled.zip", PseudoRandomBytes(2 * 1024 * 1024), 0, 0, 0, 256 * 1024);
  std::chrono::steady_clock::time_point cancelled;
  Run run = Download(server_.Url("dl/stalled.zip"), "", [&](HWND dialog) {
    std::this_thread::sleep_for(1s);  // the server has stopped sending by now
    cancelled = std::chrono::steady_clock::now();
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(802, BN_CLICKED), 0);
  });
  EXPECT_EQ(run.result, 2);
  EXPECT_FALSE(fs::exists(job_.destPath));
  EXPECT_LT(std::chrono::steady_clock::now() - cancelled, 45s);
}

// A server that takes the connection and never answers: Cancel ends the wait for the
// headers instead of the 30-second time-out.
TEST_F(DownloadTest, CancelWhileWaitingForTheHeadersEndsTheDialog) {
  server_.Serve("dl/silent.zip", PseudoRandomBytes(1000));
  server_.AddSide("dl/silent.zip", ".silent");
  std::chrono::steady_clock::time_point cancelled;
  Run run = Download(
      server_.Url("dl/silent.zip"), "",
      [&](HWND dialog) {
        std::this_thread::sleep_for(1s);  // the request is waiting for headers by now
        cancelled = std::chrono::steady_clock::now();
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(802, BN_CLICKED), 0);
      },
      true);
  EXPECT_EQ(run.result, 2);
  EXPECT_TRUE(job_.cancel.load());
  EXPECT_FALSE(fs::exists(job_.destPath));
  EXPECT_LT(std::chrono::steady_clock::now() - cancelled, 20s) << "Cancel did not wait out the time-out";
}

TEST_F(DownloadTest, FailuresLeaveNoFile) {
  const std::string zip = PseudoRandomBytes(300000);
  server_.Serve("dl/whole.zip", zip);
  server_.Serve("dl/cut.zip", zip, 0, 100000);
  server_.Serve("dl/long-length.zip", zip, 0, 100000);
  server_.AddSide("dl/long-length.zip", ".length", std::string(40, '0') + std::to_string(zip.size()));
  struct Case {
    const char* what;
    std::string url;
    std::string digest;
  } cases[] = {
      {"404 page", server_.Url("dl/missing.zip"), ""},
      {"cut connection", server_.Url("dl/cut.zip"), ""},
      {"cut connection, length header longer than 32 characters", server_.Url("dl/long-length.zip"), ""},
      {"wrong digest", server_.Url("dl/whole.zip"), "sha256:" + std::string(64, '0')},
      {"plain http", "http://localhost/dl/whole.zip", ""},
      {"upper-case scheme", "HTTPS://localhost/dl/whole.zip", ""},
  };
  for (const Case& c : cases) {
    Run run = Download(c.url, c.digest);
    EXPECT_EQ(run.result, 2) << c.what;
    EXPECT_FALSE(fs::exists(job_.destPath)) << c.what;
  }
  // The same file with its right digest, as a control.
  EXPECT_EQ(Download(server_.Url("dl/whole.zip"), "sha256:" + Sha256Hex(zip)).result, 1);
}

// The whole road a player takes: the banner from the feed, Enter on it, Yes, the download,
// the hand-over to the helper copy, and the new build starting in the game folder.
TEST_F(ReleaseServerTest, BannerToNewBuildEndToEnd) {
  TempGameFolder game(L"mf-e2e");
  TempGameFolder temp(L"mf-e2e-temp");
  ScopedTempFolder tempScope(temp.path());
  game.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe");
  game.WriteFile("mirefall.toml", "[video]\r\nfullscreen = false\r\n");

  const std::string newBuild = StandInProgram("NEW BUILD");
  const fs::path zip = temp.path() / L"release.zip";
  WriteZip(zip, {{"MFRecomp-v2.0.12/PlayMirefall.exe", newBuild}, {"MFRecomp-v2.0.12/prompts/p.png", "prompt"}});
  const std::string zipBytes = ReadBytes(zip);
  server_.Serve("dl/MFRecomp-v2.0.12.zip", zipBytes);
  // The feed arrives slowly, so the window is first seen without the banner.
  std::string feed = Feed("v2.0.12", R"({"name":"MFRecomp-v2.0.12.zip","digest":"sha256:)" + Sha256Hex(zipBytes) +
                                         R"(","browser_download_url":")" + server_.Url("dl/MFRecomp-v2.0.12.zip") +
                                         R"("})");
  server_.Serve(kReleaseFeedPath, feed, 0, 0, static_cast<long long>(feed.size()) / 2);

  RunningLauncher launcher = StartLauncher(game);
  ASSERT_TRUE(launcher.window);
  EXPECT_LT(BannerOutlineRedness(CaptureClient(launcher.window)), 10) << "no banner before the feed has answered";
  ASSERT_TRUE(WaitUntil([&] { return BannerOutlineRedness(CaptureClient(launcher.window)) > 30; }))
      << "the banner appears once the feed has answered";

  for (int i = 0; i < 3; ++i) PostKey(launcher.window, VK_TAB);
  PostKey(launcher.window, VK_RETURN);
  HWND question = WaitForProcessWindow(launcher.process->id(), L"#32770", L"Update available: v2.0.12");
  ASSERT_TRUE(question);
  const std::string userToml = *game.ReadFile("mirefall.toml");  // as start-up left it
  std::wstring text = StaticTexts(question);
  EXPECT_NE(text.find(L"Download and install update?\r\n\r\nLatest version: v2.0.12\r\nCurrent version: v2.0.11"),
            std::wstring::npos);
  ::PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);

  EXPECT_EQ(launcher.process->WaitForExit(60s), 0u) << "the launcher closes after the hand-over";
  ASSERT_TRUE(WaitUntil([&] { return game.ReadFile("mirefall_started.txt").has_value(); }, 60s))
      << "the new build was started; log:\n" << ReadBytes(temp.path() / L"mf1_update.log");
  EXPECT_EQ(*game.ReadFile("PlayMirefall.exe"), newBuild);
  EXPECT_EQ(*game.ReadFile("prompts/p.png"), "prompt");
  EXPECT_EQ(*game.ReadFile("mirefall.toml"), userToml);
  EXPECT_TRUE(fs::exists(temp.path() / L"mf1_update_helper.exe"));
  EXPECT_FALSE(fs::exists(temp.path() / L"mf1_update.zip"));
  EXPECT_TRUE(WaitUntil([&] { return !fs::exists(temp.path() / L"mf1_update.log"); }));
}

// While the progress dialog runs, a screen reader's Exit on the disabled title window is
// ignored (it used to close the window under the dialog and leave the player waiting for
// the whole download); the player's Cancel then ends the update quietly, with no error box.
TEST_F(ReleaseServerTest, ExitDuringTheDownloadIsIgnoredAndCancelEndsQuietly) {
  TempGameFolder game(L"mf-cancel");
  TempGameFolder temp(L"mf-cancel-temp");
  ScopedTempFolder tempScope(temp.path());
  game.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe");
  server_.Serve("dl/MFRecomp-slow.zip", PseudoRandomBytes(4 * 1024 * 1024), 0, 0, 64 * 1024);
  server_.Serve(kReleaseFeedPath, Feed("v2.0.12", Asset(server_.Url("dl/MFRecomp-slow.zip"))));

  RunningLauncher launcher = StartLauncher(game);
  ASSERT_TRUE(launcher.window);
  ASSERT_TRUE(WaitUntil([&] { return BannerOutlineRedness(CaptureClient(launcher.window)) > 30; }));
  for (int i = 0; i < 3; ++i) PostKey(launcher.window, VK_TAB);
  PostKey(launcher.window, VK_RETURN);
  HWND question = WaitForProcessWindow(launcher.process->id(), L"#32770", L"Update available: v2.0.12");
  ASSERT_TRUE(question);
  ::PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
  HWND dialog = WaitForProcessWindow(launcher.process->id(), L"#32770", L"Downloading update");
  ASSERT_TRUE(dialog);

  ::CoInitialize(nullptr);
  IAccessible* object = nullptr;
  ASSERT_TRUE(SUCCEEDED(::AccessibleObjectFromWindow(launcher.window, static_cast<DWORD>(OBJID_CLIENT),
                                                     __uuidof(IAccessible), reinterpret_cast<void**>(&object))));
  VARIANT exitItem;
  ::VariantInit(&exitItem);
  exitItem.vt = VT_I4;
  exitItem.lVal = 3;
  object->accDoDefaultAction(exitItem);
  // Posted after the Exit request, so handled after it by the launcher's thread.
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(802, BN_CLICKED), 0);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
  EXPECT_TRUE(::IsWindow(launcher.window)) << "the Exit asked for under the dialog closed the window";

  // An error box would keep the window disabled, and Exit ignored.
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(launcher.window) != FALSE; }));
  EXPECT_EQ(object->accDoDefaultAction(exitItem), S_OK);
  EXPECT_EQ(launcher.process->WaitForExit(), 0u) << "Exit once the update was cancelled";
  EXPECT_FALSE(fs::exists(temp.path() / L"mf1_update.zip"));
  object->Release();
  ::CoUninitialize();
}

}  // namespace
}  // namespace mf::test
