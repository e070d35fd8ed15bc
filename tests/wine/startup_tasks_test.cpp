// The one-time tasks of a real start of PlayMirefall.exe: the Steam Deck preset, the
// shader-cache consent and upload, the native renderer offer, the music's temporary file,
// and what happens to launcher.ini when it cannot be read. Files in, start, boxes answered
// as a player answers them, files out.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>

#include "i18n/translate.h"
#include "i18n/utf16_win.h"
#include "share/powershell_literal.h"
#include "wine_test_support.h"

namespace mf::test {
namespace {

constexpr wchar_t kDeckCaption[] = L"Steam Deck preset";
constexpr wchar_t kConsentCaption[] = L"Help other players?";
constexpr wchar_t kNativeCaption[] = L"Try the native renderer?";

// launcher.ini as a map, read the way the launcher reads it (enough for these files).
std::map<std::string, std::string> PrefsIn(const TempGameFolder& folder) {
  std::map<std::string, std::string> prefs;
  std::string text = folder.ReadFile("launcher.ini").value_or("");
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    start = end == std::string::npos ? text.size() : end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t equals = line.find(" = ");
    if (line.empty() || line[0] == ';' || equals == std::string::npos) continue;
    prefs[line.substr(0, equals)] = line.substr(equals + 3);
  }
  return prefs;
}

std::optional<std::string> Pref(const TempGameFolder& folder, const std::string& key) {
  auto prefs = PrefsIn(folder);
  auto found = prefs.find(key);
  return found == prefs.end() ? std::nullopt : std::optional<std::string>(found->second);
}

bool HasLine(const std::optional<std::string>& text, const std::string& line) {
  return text && ("\r\n" + *text).find("\r\n" + line + "\r\n") != std::string::npos;
}

// The launcher reached its title window with no box on the way (or no further box); it is
// closed as a player closes it.
void ExpectTitleWindowAndClose(ChildProcess& process) {
  HWND window = nullptr, box = nullptr;
  WaitUntil([&] {
    window = FindProcessWindow(process.id(), L"MFLauncherWindow");
    box = FindProcessWindow(process.id(), L"#32770");
    return window || box;
  });
  EXPECT_FALSE(box) << "unexpected box \"" << i18n::WideToUtf8(WindowText(box)) << "\"";
  ASSERT_TRUE(window) << "the title window did not appear";
  PostKey(window, VK_ESCAPE);
  EXPECT_EQ(process.WaitForExit(), 0u);
}

// A start that must show no box at all.
void StartSilently(const TempGameFolder& folder) {
  std::unique_ptr<ChildProcess> launcher = StartLauncherProcess(folder);
  ExpectTitleWindowAndClose(*launcher);
}

class StartupTasks : public testing::Test {
 protected:
  void SetUp() override { folder_.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe"); }

  // Starts the launcher and waits for the box with that caption, checking that the title
  // window is not there yet.
  HWND StartAndWaitForBox(const std::wstring& caption) {
    launcher_ = StartLauncherProcess(folder_);
    return NextBox(caption);
  }
  HWND NextBox(const std::wstring& caption) {
    HWND box = WaitForBox(launcher_->id(), caption);
    EXPECT_TRUE(box) << "no box \"" << i18n::WideToUtf8(caption) << "\"";
    EXPECT_FALSE(FindProcessWindow(launcher_->id(), L"MFLauncherWindow")) << "boxes come before the title window";
    return box;
  }
  // The box went away once answered (the next one may take its place).
  void Answer(HWND box, int id) {
    PressButton(box, id);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
  }
  TempGameFolder folder_;
  std::unique_ptr<ChildProcess> launcher_;
};

// ---- Steam Deck preset -------------------------------------------------------------------

TEST_F(StartupTasks, SteamDeckGetsThePresetOnce) {
  ScopedEnvironmentVariable deck(L"SteamDeck", L"1");
  folder_.WriteFile("launcher.ini", kStartupOffersAnswered);
  folder_.WriteFile("mirefall.toml", "vsync = false\r\nwindow_width = 1920\r\nmy_own_key = 7\r\n");

  HWND box = StartAndWaitForBox(kDeckCaption);
  ASSERT_TRUE(box);
  EXPECT_NE(StaticTexts(box).find(L"Steam Deck detected - the community-tested Deck preset was applied (RTV, 1x, "
                                  L"2x MSAA, 16x AF, FXAA + CAS, 30 FPS, VSync, fullscreen 1280x800). You can "
                                  L"change anything in Settings; this will not be applied again."),
            std::wstring::npos);
  // Saved before the player is told.
  std::optional<std::string> config = folder_.ReadFile("mirefall.toml");
  for (const char* line :
       {"render_target_path_d3d12 = \"rtv\"", "resolution_scale = 1", "native_2x_msaa = true",
        "anisotropic_override = 5", "swap_post_effect = \"fxaa\"", "present_effect = \"cas\"",
        "present_fsr_quality_mode = \"auto\"", "mf_60fps = false", "vsync = true", "fullscreen = true",
        "window_width = 1280", "window_height = 800", "monitor = 0",
        "d3d12_allow_variable_refresh_rate_and_tearing = false", "present_dither = false", "my_own_key = 7"})
    EXPECT_TRUE(HasLine(config, line)) << line << " in\n" << config.value_or("(none)");
  EXPECT_EQ(Pref(folder_, "deck_preset_applied"), "1");
  Answer(box, IDOK);
  ExpectTitleWindowAndClose(*launcher_);

  // The player changes the settings; the next start on the Deck leaves them alone.
  folder_.WriteFile("mirefall.toml", "vsync = false\r\n");
  StartSilently(folder_);
  EXPECT_TRUE(HasLine(folder_.ReadFile("mirefall.toml"), "vsync = false"));
  EXPECT_FALSE(HasLine(folder_.ReadFile("mirefall.toml"), "fullscreen = true"));
}

TEST_F(StartupTasks, SteamDeckNoticeSpeaksUkrainian) {
  ScopedEnvironmentVariable deck(L"SteamDeck", L"1");
  folder_.WriteFile("launcher.ini", std::string(kStartupOffersAnswered) + "launcher_language = uk\r\n");
  i18n::SetUiLanguage(i18n::UiLanguage::Ukrainian);
  std::wstring caption = i18n::Utf8ToWide(i18n::Translate("Steam Deck preset"));
  i18n::SetUiLanguage(i18n::UiLanguage::English);
  ASSERT_NE(caption, kDeckCaption);

  HWND box = StartAndWaitForBox(caption);
  ASSERT_TRUE(box);
  EXPECT_EQ(StaticTexts(box).find(L"Steam Deck detected"), std::wstring::npos);
  Answer(box, IDOK);
  ExpectTitleWindowAndClose(*launcher_);
}

// Both start-up questions come in the launcher's own Yes/No dialog: a Ukrainian question
// gets Ukrainian buttons, not the system's English ones.
TEST_F(StartupTasks, StartupQuestionsSpeakUkrainianToTheButtons) {
  folder_.WriteFile("launcher.ini", "launcher_language = uk\r\n");
  i18n::SetUiLanguage(i18n::UiLanguage::Ukrainian);
  const std::wstring consentCaption = i18n::Utf8ToWide(i18n::Translate("Help other players?"));
  const std::wstring nativeCaption = i18n::Utf8ToWide(i18n::Translate("Try the native renderer?"));
  i18n::SetUiLanguage(i18n::UiLanguage::English);

  HWND consent = StartAndWaitForBox(consentCaption);
  ASSERT_TRUE(consent);
  EXPECT_EQ(WindowText(::GetDlgItem(consent, IDYES)), L"\u0422\u0430\u043A");  // Так
  EXPECT_EQ(WindowText(::GetDlgItem(consent, IDNO)), L"\u041D\u0456");           // Ні
  Answer(consent, IDNO);
  HWND native = NextBox(nativeCaption);
  ASSERT_TRUE(native);
  EXPECT_EQ(WindowText(::GetDlgItem(native, IDYES)), L"\u0422\u0430\u043A");
  EXPECT_EQ(WindowText(::GetDlgItem(native, IDNO)), L"\u041D\u0456");
  Answer(native, IDYES);
  ExpectTitleWindowAndClose(*launcher_);
  EXPECT_EQ(Pref(folder_, "launcher_share_shader_cache"), "off");
  EXPECT_EQ(Pref(folder_, "launcher_native_offer_v2"), "yes");
}

TEST_F(StartupTasks, NoPresetOffADeck) {
  ScopedEnvironmentVariable notDeck(L"SteamDeck", L"0");
  folder_.WriteFile("launcher.ini", kStartupOffersAnswered);
  StartSilently(folder_);
  EXPECT_FALSE(Pref(folder_, "deck_preset_applied"));
}

// ---- Native renderer offer ---------------------------------------------------------------

struct NativeOfferCase {
  const char* name;
  int press;  // the button pressed, or 0 to close the box
  const char* stored;
  bool switchedOn;
};

class NativeRendererOffer : public StartupTasks, public testing::WithParamInterface<NativeOfferCase> {};

TEST_P(NativeRendererOffer, AnswerIsKeptAndAskedOnlyOnce) {
  const NativeOfferCase& c = GetParam();
  folder_.WriteFile("launcher.ini", "launcher_share_shader_cache = off\r\n");
  folder_.WriteFile("mirefall.toml", "mf_native_render = True\r\n");  // not "true": still off

  HWND box = StartAndWaitForBox(kNativeCaption);
  ASSERT_TRUE(box);
  std::string text = i18n::WideToUtf8(StaticTexts(box));
  EXPECT_EQ(text.rfind("Mirefall Recompilation 2.0: the native renderer is ready for testing.\n\n", 0), 0u) << text;
  EXPECT_NE(text.find("in the project's GitHub issues (https://github.com/"), std::string::npos) << text;
  EXPECT_NE(text.find(").\n\nTurn the native renderer on now?"), std::string::npos) << text;
  if (c.press) {
    Answer(box, c.press);
  } else {
    ::PostMessageW(box, WM_CLOSE, 0, 0);
    // A Yes/No box has no close button; whatever ends it without Yes is a No.
    if (!WaitUntil([&] { return !::IsWindow(box); }, 5s)) Answer(box, IDNO);
  }
  ExpectTitleWindowAndClose(*launcher_);

  EXPECT_EQ(Pref(folder_, "launcher_native_offer_v2"), c.stored);
  std::optional<std::string> config = folder_.ReadFile("mirefall.toml");
  EXPECT_EQ(HasLine(config, "mf_native_render = true"), c.switchedOn) << config.value_or("");
  // Only a Yes saves the configuration (a save keeps the old file as a backup).
  EXPECT_EQ(folder_.ReadFile("mirefall.toml.backup").has_value(), c.switchedOn);

  StartSilently(folder_);
  EXPECT_EQ(Pref(folder_, "launcher_native_offer_v2"), c.stored);
}

INSTANTIATE_TEST_SUITE_P(Answers, NativeRendererOffer,
                         testing::Values(NativeOfferCase{"Yes", IDYES, "yes", true},
                                         NativeOfferCase{"No", IDNO, "no", false},
                                         NativeOfferCase{"Closed", 0, "no", false}),
                         [](const testing::TestParamInfo<NativeOfferCase>& info) { return info.param.name; });

TEST_F(StartupTasks, NativeRendererAlreadyOnIsOnlyRecorded) {
  folder_.WriteFile("launcher.ini", "launcher_share_shader_cache = off\r\n");
  folder_.WriteFile("mirefall.toml", "mf_native_render = true\r\n");
  StartSilently(folder_);
  EXPECT_EQ(Pref(folder_, "launcher_native_offer_v2"), "already_on");
}

// ---- Shader-cache sharing ----------------------------------------------------------------

TEST_F(StartupTasks, ConsentIsAskedOnceAndKept) {
  folder_.WriteFile("launcher.ini", "launcher_native_offer_v2 = no\r\n");
  HWND box = StartAndWaitForBox(kConsentCaption);
  ASSERT_TRUE(box);
  EXPECT_EQ(StaticTexts(box).rfind(L"Share your shader cache with the project?", 0), 0u);
  Answer(box, IDYES);
  ExpectTitleWindowAndClose(*launcher_);
  EXPECT_EQ(Pref(folder_, "launcher_share_shader_cache"), "on");
  StartSilently(folder_);
  EXPECT_EQ(Pref(folder_, "launcher_share_shader_cache"), "on");
}

// FNV-1a with the launcher's starting value over "name:size:time;" for every shader file
// of the folder, worked out here from the file system's own records.
std::string ExpectedFingerprint(const std::filesystem::path& cache) {
  unsigned long long hash = 0x14650fb0739d0383ULL;
  WIN32_FIND_DATAW found;
  HANDLE find = ::FindFirstFileW((cache / L"*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return {};
  do {
    std::wstring name = found.cFileName;
    if (name.size() < 5 || (name.substr(name.size() - 4) != L".xsh" && name.substr(name.size() - 5) != L".xpso"))
      continue;
    std::string entry = i18n::WideToUtf8(name) + ":" +
                        std::to_string((static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow) +
                        ":" +
                        std::to_string((static_cast<long long>(found.ftLastWriteTime.dwHighDateTime) << 32) |
                                       found.ftLastWriteTime.dwLowDateTime) +
                        ";";
    for (unsigned char byte : entry) hash = (hash ^ byte) * 0x100000001b3ULL;
  } while (::FindNextFileW(find, &found));
  ::FindClose(find);
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", hash);
  return hex;
}

// The value of the script line "name = '...'", read as PowerShell reads it.
std::optional<std::string> ScriptVariable(const std::string& script, const std::string& name) {
  size_t at = script.find("\r\n" + name + " = ");
  if (at == std::string::npos) return std::nullopt;
  size_t end = 0;
  std::string rest = script.substr(at + 2 + name.size() + 3);
  std::optional<std::string> value = share::testing::ParsePowerShellSingleQuoted(rest, end);
  if (!value || rest.compare(end, 2, "\r\n") != 0) return std::nullopt;
  return value;
}

class ShaderCacheUpload : public testing::Test {
 protected:
  // A game folder whose name holds quotes of both kinds, as a player may name it.
  ShaderCacheUpload() : folder_(L"mf-O'Neil \u2018fog\u2019") {
    folder_.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe");
    folder_.WriteFile("launcher.ini", "launcher_share_shader_cache = on\r\nlauncher_native_offer_v2 = no\r\n");
  }

  std::filesystem::path Cache() const { return folder_.path() / L"userdata\\cache\\shaders\\shareable"; }
  std::optional<std::string> TempFile(const wchar_t* name) const {
    std::ifstream in(temp_.path() / name, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  PrivateTempFolder temp_;
  TempGameFolder folder_;
};

TEST_F(ShaderCacheUpload, ChangedCacheIsHandedToPowerShellOnce) {
  const std::filesystem::path relative = L"userdata\\cache\\shaders\\shareable";
  folder_.WriteSizedFile(relative / L"vertex.xsh", 3000);
  folder_.WriteSizedFile(relative / L"pipelines.xpso", 2000);
  folder_.WriteSizedFile(relative / L"notes.txt", 100000);
  const std::string fingerprint = ExpectedFingerprint(Cache());

  StartSilently(folder_);
  EXPECT_EQ(Pref(folder_, "shader_cache_shared_fp"), fingerprint);

  std::optional<std::string> payload = TempFile(L"mf1_share_cache.json");
  ASSERT_TRUE(payload);
  std::string listed = payload->find("vertex.xsh") < payload->find("pipelines.xpso")
                           ? "vertex.xsh 2KB, pipelines.xpso 1KB, "
                           : "pipelines.xpso 1KB, vertex.xsh 2KB, ";
  EXPECT_EQ(*payload, "{\"content\":\"MFRecomp shader cache | launcher v2.0.11 | " + listed + "total 4 KB | fp " +
                          fingerprint + "\"}");

  std::optional<std::string> script = TempFile(L"mf1_share_cache.ps1");
  ASSERT_TRUE(script);
  EXPECT_EQ(script->rfind("\xEF\xBB\xBF$ErrorActionPreference = 'Stop'\r\n", 0), 0u);
  EXPECT_EQ(ScriptVariable(*script, "$src"), Utf8(Cache()));
  EXPECT_EQ(ScriptVariable(*script, "$zip"), Utf8(temp_.path() / ("MFRecomp_shadercache_" + fingerprint + ".zip")));
  EXPECT_EQ(ScriptVariable(*script, "$jf"), Utf8(temp_.path() / L"mf1_share_cache.json"));
  EXPECT_EQ(ScriptVariable(*script, "$marker"), Utf8(Cache() / L".shared_fp"));
  EXPECT_NE(script->find("\r\nif ($LASTEXITCODE -eq 0) { [IO.File]::WriteAllText($marker, '" + fingerprint +
                         "') }\r\n"),
            std::string::npos);
  EXPECT_EQ(std::count(script->begin(), script->end(), '\n'), 11);
  EXPECT_EQ(std::count(script->begin(), script->end(), '\r'), 11);

  // The upload went through: the script wrote the marker and removed its payload. The same
  // cache is not handed over again.
  folder_.WriteFile(relative / L".shared_fp", fingerprint + "\r\n");
  std::filesystem::remove(temp_.path() / L"mf1_share_cache.json");
  std::filesystem::remove(temp_.path() / L"mf1_share_cache.ps1");
  StartSilently(folder_);
  EXPECT_FALSE(TempFile(L"mf1_share_cache.json"));
  EXPECT_FALSE(TempFile(L"mf1_share_cache.ps1"));
}

TEST_F(ShaderCacheUpload, SmallCacheIsNotSent) {
  folder_.WriteSizedFile(L"userdata\\cache\\shaders\\shareable\\vertex.xsh", 4095);
  StartSilently(folder_);
  EXPECT_FALSE(Pref(folder_, "shader_cache_shared_fp"));
  EXPECT_FALSE(TempFile(L"mf1_share_cache.json"));
}

// ---- All at once, in order ---------------------------------------------------------------

TEST_F(StartupTasks, AllBoxesDueComeInOrderBeforeTheTitleWindow) {
  ScopedEnvironmentVariable deck(L"SteamDeck", L"1");
  HWND deckBox = StartAndWaitForBox(kDeckCaption);
  ASSERT_TRUE(deckBox);
  EXPECT_FALSE(FindProcessWindow(launcher_->id(), L"#32770", kConsentCaption));
  Answer(deckBox, IDOK);
  HWND consent = NextBox(kConsentCaption);
  ASSERT_TRUE(consent);
  EXPECT_FALSE(FindProcessWindow(launcher_->id(), L"#32770", kNativeCaption));
  Answer(consent, IDNO);
  HWND native = NextBox(kNativeCaption);
  ASSERT_TRUE(native);
  Answer(native, IDNO);
  ExpectTitleWindowAndClose(*launcher_);

  auto prefs = PrefsIn(folder_);
  EXPECT_EQ(prefs["deck_preset_applied"], "1");
  EXPECT_EQ(prefs["launcher_share_shader_cache"], "off");
  EXPECT_EQ(prefs["launcher_native_offer_v2"], "no");
  EXPECT_EQ(prefs["launcher_language"], "en");
}

// ---- launcher.ini that cannot be read ----------------------------------------------------

TEST_F(StartupTasks, UnreadablePreferencesAreLeftAsTheyWere) {
  // The player's settled answers, in a file another program holds open without letting
  // others read it. Nothing may be asked or applied again: the answers are unknown.
  const std::string prefs = "launcher_language = uk\r\ndeck_preset_applied = 1\r\n" + std::string(kStartupOffersAnswered);
  folder_.WriteFile("launcher.ini", prefs);
  HANDLE held = ::CreateFileW((folder_.path() / L"launcher.ini").c_str(), GENERIC_READ, FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  {
    ScopedEnvironmentVariable deck(L"SteamDeck", L"1");
    // No question comes back, since its answer could not be kept; the launcher starts.
    StartSilently(folder_);
  }
  ::CloseHandle(held);
  EXPECT_EQ(folder_.ReadFile("launcher.ini"), prefs);
}

// ---- Music -------------------------------------------------------------------------------

TEST(Music, OneTemporaryTrackWhileRunningNoneAfter) {
  PrivateTempFolder temp;
  TempGameFolder folder;
  folder.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe");
  folder.WriteFile("launcher.ini", kStartupOffersAnswered);
  RunningLauncher launcher = StartLauncher(folder);
  ASSERT_TRUE(launcher.window);

  // The track is written just after the title window's first frame; the placeholder that
  // reserved its name goes once it is complete.
  std::vector<std::wstring> files;
  WaitUntil([&] {
    files = temp.FilesStartingWith(L"mfm");
    return files.size() == 1 && files.front().ends_with(L".tmp.ogg");
  });
  ASSERT_EQ(files.size(), 1u) << "the placeholder is gone once the track is written";
  const std::wstring& name = files.front();
  EXPECT_EQ(name.size() >= 12 ? name.substr(name.size() - 8) : name, L".tmp.ogg");
  std::ifstream track(temp.path() / name, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(track)), {});
  track.close();
  EXPECT_EQ(bytes.substr(0, 4), "OggS");
  EXPECT_NE(bytes.find("vorbis"), std::string::npos);

  EXPECT_EQ(CloseLauncher(launcher), 0u);
  EXPECT_TRUE(temp.FilesStartingWith(L"mfm").empty());
}

}  // namespace
}  // namespace mf::test
