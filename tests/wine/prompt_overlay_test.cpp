// The button-prompt overlay as the game gets it: the PNGs a real start of PlayMirefall.exe
// leaves in textures\, read back pixel by pixel.
#include <gtest/gtest.h>

#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <fstream>

#include "prompts/overlay_atlas.h"
#include "prompts/overlay_geometry.h"
#include "wine_test_support.h"

namespace mf::test {
namespace {

namespace fs = std::filesystem;
using prompts::AtlasRegion;
using prompts::OverlayAtlas;

const fs::path kPromptOverlay = "textures/2D1098B531AA9CA8.overlay.png";
const fs::path kShoulderOverlay = "textures/51AA9FBD20140C6D.overlay.png";

const OverlayAtlas& PromptAtlas() { return prompts::OverlayAtlases()[0]; }
const OverlayAtlas& ShoulderAtlas() { return prompts::OverlayAtlases()[1]; }

struct Box {
  int x, y, w, h;
};

// A region in overlay pixels.
Box Scaled(const OverlayAtlas& atlas, const AtlasRegion& region) {
  return {atlas.scale * region.x, atlas.scale * region.y, atlas.scale * region.w, atlas.scale * region.h};
}

const AtlasRegion& Region(const OverlayAtlas& atlas, std::string_view key) {
  for (const AtlasRegion& region : atlas.regions)
    if (region.key == key) return region;
  throw std::logic_error("no region " + std::string(key));
}

// The key cap inside a region: one texture pixel in from every side.
Box KeyCap(const OverlayAtlas& atlas, std::string_view key) {
  Box s = Scaled(atlas, Region(atlas, key));
  return {s.x + atlas.scale, s.y + atlas.scale, s.w - 2 * atlas.scale, s.h - 2 * atlas.scale};
}

// Starts the launcher in the folder and closes it again, as a player who only looks.
void StartAndClose(TempGameFolder& folder) {
  RunningLauncher launcher = StartLauncher(folder);
  ASSERT_TRUE(launcher.window);
  EXPECT_EQ(CloseLauncher(launcher), 0u);
}

TempGameFolder& PrepareFolder(TempGameFolder& folder, const std::string& launcherIni = {},
                              const std::string& config = {}) {
  folder.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe");
  if (!launcherIni.empty()) folder.WriteFile("launcher.ini", launcherIni);
  if (!config.empty()) folder.WriteFile("mirefall.toml", config);
  return folder;
}

struct PngHeader {
  int width = 0, height = 0, bitDepth = 0, colourType = 0;
};

PngHeader ReadPngHeader(const std::string& bytes) {
  PngHeader header;
  if (bytes.size() < 33 || bytes.compare(0, 8, "\x89PNG\r\n\x1A\n") != 0 || bytes.compare(12, 4, "IHDR") != 0)
    return header;
  auto u32 = [&](size_t at) {
    return (static_cast<unsigned char>(bytes[at]) << 24) | (static_cast<unsigned char>(bytes[at + 1]) << 16) |
           (static_cast<unsigned char>(bytes[at + 2]) << 8) | static_cast<unsigned char>(bytes[at + 3]);
  };
  header.width = static_cast<int>(u32(16));
  header.height = static_cast<int>(u32(20));
  header.bitDepth = static_cast<unsigned char>(bytes[24]);
  header.colourType = static_cast<unsigned char>(bytes[25]);
  return header;
}

bool InAnyRegion(const OverlayAtlas& atlas, int x, int y) {
  for (const AtlasRegion& region : atlas.regions) {
    Box s = Scaled(atlas, region);
    if (x >= s.x && x < s.x + s.w && y >= s.y && y < s.y + s.h) return true;
  }
  return false;
}

// Pixels outside every region that are not fully transparent.
int PaintedOutsideRegions(const Capture& image, const OverlayAtlas& atlas) {
  int count = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (Alpha(image.At(x, y)) != 0 && !InAnyRegion(atlas, x, y)) ++count;
  return count;
}

int CountAlpha(const Capture& image, Box box, const std::function<bool(int alpha)>& test) {
  int count = 0;
  for (int y = box.y; y < box.y + box.h; ++y)
    for (int x = box.x; x < box.x + box.w; ++x)
      if (test(Alpha(image.At(x, y)))) ++count;
  return count;
}

std::vector<std::uint32_t> PixelsOf(const Capture& image, Box box) {
  std::vector<std::uint32_t> pixels;
  for (int y = box.y; y < box.y + box.h; ++y)
    for (int x = box.x; x < box.x + box.w; ++x) pixels.push_back(image.At(x, y));
  return pixels;
}

// Rows holding a light (text) pixel within the box: how tall the label is drawn.
int TextHeight(const Capture& image, Box box) {
  int first = -1, last = -1;
  for (int y = box.y; y < box.y + box.h; ++y)
    for (int x = box.x; x < box.x + box.w; ++x)
      if (Red(image.At(x, y)) > 200) {
        if (first < 0) first = y;
        last = y;
        break;
      }
  return first < 0 ? 0 : last - first + 1;
}

void ExpectGrey(std::uint32_t pixel, int level, int tolerance, const char* what) {
  EXPECT_EQ(Alpha(pixel), 255) << what;
  EXPECT_NEAR(Red(pixel), level, tolerance) << what;
  EXPECT_EQ(Red(pixel), Green(pixel)) << what;
  EXPECT_EQ(Green(pixel), Blue(pixel)) << what;
}

void KeepArtefact(const TempGameFolder& folder, const fs::path& overlay, const std::string& name) {
  fs::copy_file(folder.path() / overlay, ArtefactsFolder("prompt-overlay") / name, fs::copy_options::overwrite_existing);
}

struct Overlays {
  Capture prompts, shoulders;
};

Overlays LoadOverlays(const TempGameFolder& folder) {
  return {LoadPngWithAlpha(folder.path() / kPromptOverlay), LoadPngWithAlpha(folder.path() / kShoulderOverlay)};
}

TEST(KeyCapOverlay, DefaultBindingsOnAFreshInstall) {
  TempGameFolder folder;
  StartAndClose(PrepareFolder(folder));
  KeepArtefact(folder, kPromptOverlay, "keyboard-2D1098B531AA9CA8.overlay.png");
  KeepArtefact(folder, kShoulderOverlay, "keyboard-51AA9FBD20140C6D.overlay.png");

  for (const auto& [file, edge] : {std::pair{kPromptOverlay, 1024}, std::pair{kShoulderOverlay, 2048}}) {
    PngHeader header = ReadPngHeader(folder.ReadFile(file).value_or(""));
    EXPECT_EQ(header.width, edge) << file;
    EXPECT_EQ(header.height, edge) << file;
    EXPECT_EQ(header.bitDepth, 8) << file;
    EXPECT_EQ(header.colourType, 6) << file << ": RGBA";
  }
  Overlays overlay = LoadOverlays(folder);
  ASSERT_EQ(overlay.prompts.width, 1024);
  ASSERT_EQ(overlay.shoulders.width, 2048);

  // Every region carries its picture; nothing is drawn anywhere else.
  for (const auto& [image, atlas] : {std::pair{&overlay.prompts, &PromptAtlas()}, {&overlay.shoulders, &ShoulderAtlas()}}) {
    EXPECT_EQ(PaintedOutsideRegions(*image, *atlas), 0) << atlas->name;
    for (const AtlasRegion& region : atlas->regions) {
      Box s = Scaled(*atlas, region);
      EXPECT_GT(CountAlpha(*image, s, [](int a) { return a == 255; }), s.w * s.h * 6 / 10) << region.key;
    }
  }

  // The key cap of keybind_y ("F"): dark outer edge, a rim lit from above, a darker face.
  Box cap = KeyCap(PromptAtlas(), "keybind_y");
  const Capture& p = overlay.prompts;
  ExpectGrey(p.At(cap.x + 2, cap.y + 60), 0x0C, 4, "outer edge");
  ExpectGrey(p.At(cap.x + 60, cap.y + 7), 0xBC, 8, "rim at the top");
  ExpectGrey(p.At(cap.x + 60, cap.y + 112), 0x5A, 8, "rim at the bottom");
  ExpectGrey(p.At(cap.x + 60, cap.y + 14), 0x5A, 8, "face at the top");
  ExpectGrey(p.At(cap.x + 60, cap.y + 106), 0x23, 8, "face at the bottom");

  // One letter is drawn larger than "SHIFT" (keybind_x).
  Box face = {cap.x + 12, cap.y + 12, cap.w - 24, cap.h - 24};
  Box shiftCap = KeyCap(PromptAtlas(), "keybind_x");
  Box shiftFace = {shiftCap.x + 12, shiftCap.y + 12, shiftCap.w - 24, shiftCap.h - 24};
  int letter = TextHeight(p, face), shift = TextHeight(p, shiftFace);
  EXPECT_GT(shift, 10);
  EXPECT_GT(letter, shift * 3 / 2) << "F " << letter << " px tall, SHIFT " << shift;
}

TEST(KeyCapOverlay, FollowsTheBindingsInMirefallToml) {
  TempGameFolder defaults;
  StartAndClose(PrepareFolder(defaults));
  TempGameFolder changed;
  StartAndClose(PrepareFolder(changed, {},
                              "keybind_b = \"\"\r\n"
                              "keybind_y = \"Alt+Shift+Control+Tab\"\r\n"
                              "mf_pad_layout = \"qn\"\r\n"));
  KeepArtefact(changed, kPromptOverlay, "keyboard-changed-2D1098B531AA9CA8.overlay.png");
  Overlays before = LoadOverlays(defaults), after = LoadOverlays(changed);
  ASSERT_EQ(after.prompts.width, 1024);

  // The emptied binding leaves its region transparent.
  Box b = Scaled(PromptAtlas(), Region(PromptAtlas(), "keybind_b"));
  EXPECT_EQ(CountAlpha(after.prompts, b, [](int a) { return a != 0; }), 0);

  // The long chord is shrunk until it fits on the face.
  Box cap = KeyCap(PromptAtlas(), "keybind_y");
  Box face = {cap.x + 12, cap.y + 12, cap.w - 24, cap.h - 24};
  EXPECT_GT(TextHeight(after.prompts, face), 4);
  int lightOutsideFace = 0;
  for (int y = cap.y; y < cap.y + cap.h; ++y)
    for (int x = cap.x; x < cap.x + cap.w; ++x)
      if (Red(after.prompts.At(x, y)) > 230 && (x < face.x || x >= face.x + face.w)) ++lightOutsideFace;
  EXPECT_EQ(lightOutsideFace, 0);

  // Key caps show the keys as bound: the pad layout does not swap the triggers.
  for (const char* key : {"keybind_left_trigger", "keybind_right_trigger"}) {
    Box s = Scaled(PromptAtlas(), Region(PromptAtlas(), key));
    EXPECT_EQ(PixelsOf(after.prompts, s), PixelsOf(before.prompts, s)) << key;
  }
}

Overlays RunIconStyle(const std::string& style, const std::string& config = {}) {
  TempGameFolder folder;
  StartAndClose(PrepareFolder(folder, "launcher_prompt_style = " + style + "\r\n", config));
  std::string layout = config.find("qn") != std::string::npos ? "-qn" : "";
  KeepArtefact(folder, kPromptOverlay, style + layout + "-2D1098B531AA9CA8.overlay.png");
  KeepArtefact(folder, kShoulderOverlay, style + layout + "-51AA9FBD20140C6D.overlay.png");
  return LoadOverlays(folder);
}

TEST(IconOverlay, EachPlayStationStyleCoversItsRegionsWhole) {
  for (const char* style : {"ps_fullsolid", "ps_solid", "ps_outline"}) {
    // Icons do not depend on the mouse mode.
    Overlays overlay = RunIconStyle(style, "mnk_mode = false\r\n");
    ASSERT_EQ(overlay.prompts.width, 1024) << style;
    ASSERT_EQ(overlay.shoulders.width, 2048) << style;
    for (const auto& [image, atlas] :
         {std::pair{&overlay.prompts, &PromptAtlas()}, {&overlay.shoulders, &ShoulderAtlas()}}) {
      EXPECT_EQ(PaintedOutsideRegions(*image, *atlas), 0) << style << " " << atlas->name;
      for (const AtlasRegion& region : atlas->regions) {
        Box s = Scaled(*atlas, region);
        EXPECT_EQ(CountAlpha(*image, s, [](int a) { return a == 0; }), 0) << style << " " << region.key;
        EXPECT_GT(CountAlpha(*image, s, [](int a) { return a == 255; }), 0) << style << " " << region.key;
      }
    }
  }
}

TEST(IconOverlay, QuenlorLayoutSwapsTheTriggerIcons) {
  Overlays original = RunIconStyle("ps_solid");
  Overlays swapped = RunIconStyle("ps_solid", "mf_pad_layout = \"qn\"\r\n");
  Box left = Scaled(PromptAtlas(), Region(PromptAtlas(), "keybind_left_trigger"));
  Box right = Scaled(PromptAtlas(), Region(PromptAtlas(), "keybind_right_trigger"));
  ASSERT_NE(PixelsOf(original.prompts, left), PixelsOf(original.prompts, right)) << "L2 and R2 look different";
  EXPECT_EQ(PixelsOf(swapped.prompts, left), PixelsOf(original.prompts, right));
  EXPECT_EQ(PixelsOf(swapped.prompts, right), PixelsOf(original.prompts, left));
  Box shoulder = Scaled(PromptAtlas(), Region(PromptAtlas(), "keybind_left_shoulder"));
  EXPECT_EQ(PixelsOf(swapped.prompts, shoulder), PixelsOf(original.prompts, shoulder));
}

struct NoOverlayCase {
  const char* name;
  std::string launcherIni, config;
  bool blockOutlineFolder = false;
};

class NoOverlay : public testing::TestWithParam<NoOverlayCase> {};

TEST_P(NoOverlay, DeletesBothFilesAndNothingElse) {
  const NoOverlayCase& c = GetParam();
  TempGameFolder folder;
  PrepareFolder(folder, c.launcherIni, c.config);
  folder.WriteFile(kPromptOverlay, "an overlay from an earlier start");
  folder.WriteFile(kShoulderOverlay, "another");
  folder.WriteFile("textures/0123456789ABCDEF.overlay.png", "the player's own overlay");
  folder.WriteFile("textures/0123456789ABCDEF.png", "the player's own texture");
  if (c.blockOutlineFolder) folder.WriteFile("prompts/ps_outline", "not a folder");

  StartAndClose(folder);
  EXPECT_FALSE(fs::exists(folder.path() / kPromptOverlay));
  EXPECT_FALSE(fs::exists(folder.path() / kShoulderOverlay));
  EXPECT_EQ(folder.ReadFile("textures/0123456789ABCDEF.overlay.png"), "the player's own overlay");
  EXPECT_EQ(folder.ReadFile("textures/0123456789ABCDEF.png"), "the player's own texture");
}

INSTANTIATE_TEST_SUITE_P(
    StylesWithoutOverlay, NoOverlay,
    testing::Values(NoOverlayCase{"Xbox", "launcher_prompt_style = xbox\r\n", {}},
                    NoOverlayCase{"KeyboardWithoutMouseMode", {}, "mnk_mode = false\r\n"},
                    NoOverlayCase{"LegacyPromptsOff", "launcher_key_prompts = off\r\n", {}},
                    NoOverlayCase{"IconFolderMissing", "launcher_prompt_style = ps_outline\r\n", {}, true}),
    [](const testing::TestParamInfo<NoOverlayCase>& info) { return std::string(info.param.name); });

// Which file a path names: a file written in place keeps its index, one put in its place
// by a rename has another.
std::optional<std::uint64_t> FileIndex(const fs::path& file) {
  HANDLE handle = ::CreateFileW(file.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info = {};
  bool ok = ::GetFileInformationByHandle(handle, &info) != FALSE;
  ::CloseHandle(handle);
  if (!ok) return std::nullopt;
  return (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
}

std::vector<std::string> Entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(Utf8(entry.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

TEST(OverlayFiles, RedrawnOnlyWhenWhatWouldBeWrittenChanges) {
  TempGameFolder folder;
  PrepareFolder(folder);
  StartAndClose(folder);
  const fs::path prompts = folder.path() / kPromptOverlay, shoulders = folder.path() / kShoulderOverlay;
  const auto promptBytes = folder.ReadFile(kPromptOverlay), shoulderBytes = folder.ReadFile(kShoulderOverlay);
  ASSERT_TRUE(promptBytes && shoulderBytes);
  const auto promptTime = fs::last_write_time(prompts), shoulderTime = fs::last_write_time(shoulders);

  // Nothing changed: neither file is written again.
  StartAndClose(folder);
  EXPECT_EQ(fs::last_write_time(prompts), promptTime);
  EXPECT_EQ(fs::last_write_time(shoulders), shoulderTime);

  // A changed binding that only the prompt texture shows redraws that one alone, and the
  // new image takes the old one's place in one step rather than being written over it.
  const auto oldFile = FileIndex(prompts);
  folder.WriteFile("mirefall.toml", "keybind_y = \"G\"\r\n");
  StartAndClose(folder);
  const auto redrawn = folder.ReadFile(kPromptOverlay);
  EXPECT_TRUE(redrawn && redrawn != promptBytes);
  EXPECT_NE(FileIndex(prompts), oldFile);
  EXPECT_EQ(fs::last_write_time(shoulders), shoulderTime);

  // A file cut short, as by a crash or a full disk, is made whole again.
  fs::resize_file(prompts, redrawn->size() / 2);
  StartAndClose(folder);
  EXPECT_TRUE(folder.ReadFile(kPromptOverlay) == redrawn);

  // So is a file someone else wrote in its place.
  folder.WriteFile(kShoulderOverlay, *shoulderBytes + "trailing bytes");
  StartAndClose(folder);
  EXPECT_TRUE(folder.ReadFile(kShoulderOverlay) == shoulderBytes);
  EXPECT_EQ(Entries(folder.path() / "textures"),
            (std::vector<std::string>{"2D1098B531AA9CA8.overlay.png", "51AA9FBD20140C6D.overlay.png",
                                      "6E42BC7CF738BCF0.png", "README.txt"}))
      << "no temporary files left behind";
}

// A large picture, as a player's own icon set might hold: slow to decode and scale.
std::string LargePng(int edge) {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  std::string bytes;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return bytes;
  {
    Gdiplus::Bitmap image(edge, edge, PixelFormat32bppARGB);
    Gdiplus::Graphics graphics(&image);
    Gdiplus::LinearGradientBrush brush(Gdiplus::Point(0, 0), Gdiplus::Point(edge, edge), Gdiplus::Color(255, 200, 40, 40),
                                       Gdiplus::Color(128, 40, 40, 200));
    graphics.FillRectangle(&brush, 0, 0, edge, edge);
    const fs::path file = fs::temp_directory_path() / L"mf-large-icon.png";
    const CLSID png = FindPngEncoder().value_or(CLSID{});
    if (image.Save(file.c_str(), &png, nullptr) == Gdiplus::Ok) {
      std::ifstream in(file, std::ios::binary);
      bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    fs::remove(file);
  }
  Gdiplus::GdiplusShutdown(token);
  return bytes;
}

// The overlay is drawn while the title window is already up; a player who presses PLAY at
// once still starts the game with both images finished, even when drawing them is slow.
TEST(OverlayFiles, PlayAtOnceStartsTheGameAfterTheOverlayIsWritten) {
  TempGameFolder folder;
  PrepareFolder(folder, "launcher_prompt_style = ps_solid\r\n");
  folder.AddProgram(L"mirefall.exe", L"mirefall.exe");
  const std::string large = LargePng(4096);
  ASSERT_FALSE(large.empty());
  for (const char* icon : {"Cross", "Circle", "Square", "Triangle", "L1", "R1", "L2", "R2", "Left Stick Click",
                           "Right Stick Click", "Left Stick All", "Right Stick", "Left Stick Left-Right",
                           "Right Stick Left-Right"})
    folder.WriteFile(fs::path("prompts/ps_solid") / (std::string(icon) + ".png"), large);

  RunningLauncher launcher = StartLauncher(folder);
  ASSERT_TRUE(launcher.window);
  PostKey(launcher.window, VK_RETURN);
  EXPECT_EQ(launcher.process->WaitForExit(), 0u);
  ASSERT_TRUE(WaitUntil([&] { return folder.ReadFile("mirefall_started.txt").has_value(); }));

  const auto gameStarted = fs::last_write_time(folder.path() / "mirefall_started.txt");
  for (const fs::path& overlay : {kPromptOverlay, kShoulderOverlay}) {
    ASSERT_TRUE(fs::exists(folder.path() / overlay)) << overlay;
    EXPECT_LE(fs::last_write_time(folder.path() / overlay), gameStarted) << overlay;
  }
  KeepArtefact(folder, kPromptOverlay, "own-large-icons-2D1098B531AA9CA8.overlay.png");
}

}  // namespace
}  // namespace mf::test
