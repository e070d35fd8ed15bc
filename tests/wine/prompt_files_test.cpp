// The files a start of PlayMirefall.exe writes beside itself from its resources: the
// PlayStation icon sets with their texts, and the texture folder's logo and read-me.
#include <gtest/gtest.h>

#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <fstream>
#include <set>

#include "app/deploy_table.h"
#include "wine_test_support.h"

namespace mf::test {
namespace {

namespace fs = std::filesystem;

const std::set<std::string> kIconFiles = {
    "Circle.png",  "Create.png", "Cross.png", "L1.png", "L2.png", "Left Stick All.png", "Left Stick Click.png",
    "Left Stick Left-Right.png", "Options.png", "R1.png", "R2.png", "Right Stick Click.png",
    "Right Stick Left-Right.png", "Right Stick Up-Down.png", "Right Stick.png", "Square.png", "Triangle.png"};
const char* const kIconSets[] = {"ps_fullsolid", "ps_solid", "ps_outline"};

std::set<std::string> Entries(const fs::path& folder) {
  std::set<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) names.insert(Utf8(entry.path().filename()));
  return names;
}

void StartAndClose(TempGameFolder& folder) {
  RunningLauncher launcher = StartLauncher(folder);
  ASSERT_TRUE(launcher.window);
  EXPECT_EQ(CloseLauncher(launcher), 0u);
}

bool Contains(const std::optional<std::string>& text, const std::string& part) {
  return text && text->find(part) != std::string::npos;
}

// The committed resource files, when the test can see the source tree.
std::optional<fs::path> SourceResources() {
  // Wine shows the Unix root as drive Z:.
  for (std::string root : {std::string(MF_SOURCE_DIR), "Z:" + std::string(MF_SOURCE_DIR)}) {
    fs::path resources = fs::u8path(root) / "resources";
    std::error_code error;
    if (fs::is_directory(resources, error)) return resources;
  }
  return std::nullopt;
}

int OpaquePixels(const Capture& image) {
  return static_cast<int>(std::count_if(image.pixels.begin(), image.pixels.end(), [](std::uint32_t p) { return Alpha(p) == 255; }));
}

// All icons of all sets on one sheet, as GDI+ reads them from the deployed files.
void KeepIconSheet(const fs::path& prompts) {
  constexpr int kCell = 96;
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return;
  {
    Gdiplus::Bitmap sheet(kCell * static_cast<int>(kIconFiles.size()), kCell * 6, PixelFormat32bppARGB);
    Gdiplus::Graphics graphics(&sheet);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    Gdiplus::SolidBrush light(Gdiplus::Color(255, 226, 222, 214)), dark(Gdiplus::Color(255, 30, 42, 48));
    graphics.FillRectangle(&light, 0, 0, sheet.GetWidth(), kCell * 3);
    graphics.FillRectangle(&dark, 0, kCell * 3, sheet.GetWidth(), kCell * 3);
    for (int backdrop = 0; backdrop < 2; ++backdrop) {
      for (int set = 0; set < 3; ++set) {
        int column = 0;
        for (const std::string& name : kIconFiles) {
          Gdiplus::Bitmap icon((prompts / kIconSets[set] / fs::u8path(name)).c_str());
          graphics.DrawImage(&icon, column++ * kCell, (backdrop * 3 + set) * kCell, kCell, kCell);
        }
      }
    }
    const CLSID png = FindPngEncoder().value_or(CLSID{});
    sheet.Save((ArtefactsFolder("prompt-icons") / "deployed-icon-sets.png").c_str(), &png, nullptr);
  }
  Gdiplus::GdiplusShutdown(token);
}

TEST(ResourceFiles, AFreshFolderGetsEveryIconSetAndText) {
  TempGameFolder folder;
  folder.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe");
  StartAndClose(folder);

  const fs::path prompts = folder.path() / "prompts";
  EXPECT_EQ(Entries(prompts),
            (std::set<std::string>{"LICENSE-vantrel.txt", "README.txt", "ps_fullsolid", "ps_outline", "ps_solid"}));
  for (const char* set : kIconSets) {
    EXPECT_EQ(Entries(prompts / set), kIconFiles) << set;
    for (const std::string& name : kIconFiles) {
      Capture icon = LoadPngWithAlpha(prompts / set / fs::u8path(name));
      ASSERT_EQ(icon.width, 256) << set << "/" << name;
      ASSERT_EQ(icon.height, 256) << set << "/" << name;
      EXPECT_EQ(Alpha(icon.At(0, 0)), 0) << set << "/" << name << ": transparent background";
      EXPECT_GT(OpaquePixels(icon), 256 * 256 / 20) << set << "/" << name << ": something drawn";
    }
  }
  KeepIconSheet(prompts);

  EXPECT_EQ(Entries(folder.path() / "textures"),
            (std::set<std::string>{"2D1098B531AA9CA8.overlay.png", "51AA9FBD20140C6D.overlay.png",
                                   "6E42BC7CF738BCF0.png", "README.txt"}));
  Capture logo = LoadPngWithAlpha(folder.path() / "textures" / "6E42BC7CF738BCF0.png");
  EXPECT_EQ(logo.width, 1024);
  EXPECT_EQ(logo.height, 512);
  EXPECT_EQ(Alpha(logo.At(0, 0)), 0);

  std::optional<std::string> readMe = folder.ReadFile("prompts/README.txt");
  for (const char* set : kIconSets) EXPECT_TRUE(Contains(readMe, set)) << set;
  for (const std::string& name : kIconFiles) EXPECT_TRUE(Contains(readMe, name)) << name;
  EXPECT_TRUE(Contains(folder.ReadFile("prompts/LICENSE-vantrel.txt"), "Attribution 3.0"));
  std::optional<std::string> texturesReadMe = folder.ReadFile("textures/README.txt");
  for (const char* part : {"<hash>.png", "<hash>.overlay.png", "XXH64", "width, height and format",
                           "texture_dump = true", "textures\\dump"})
    EXPECT_TRUE(Contains(texturesReadMe, part)) << part;

  // Byte for byte what the project ships.
  if (std::optional<fs::path> resources = SourceResources()) {
    for (const app::DeployRow& row : app::DeployTable()) {
      std::ifstream shipped(*resources / fs::u8path(row.relativePath), std::ios::binary);
      std::string expected((std::istreambuf_iterator<char>(shipped)), {});
      EXPECT_TRUE(!expected.empty() && folder.ReadFile(fs::u8path(row.relativePath)) == expected) << row.relativePath;
    }
  }
}

TEST(ResourceFiles, ADeletedFileStaysGoneADeletedFolderComesBack) {
  TempGameFolder folder;
  folder.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe");
  StartAndClose(folder);
  fs::remove(folder.path() / "prompts" / "ps_solid" / "Cross.png");
  fs::remove_all(folder.path() / "prompts" / "ps_outline");
  fs::remove_all(folder.path() / "textures");
  folder.WriteFile("prompts/README.txt", "my notes");
  folder.WriteFile("prompts/ps_fullsolid/Circle.png", "my own circle");

  StartAndClose(folder);
  EXPECT_FALSE(fs::exists(folder.path() / "prompts" / "ps_solid" / "Cross.png"));
  EXPECT_EQ(Entries(folder.path() / "prompts" / "ps_solid").size(), 16u);
  EXPECT_EQ(Entries(folder.path() / "prompts" / "ps_outline"), kIconFiles);
  EXPECT_EQ(folder.ReadFile("prompts/README.txt"), "my notes");
  EXPECT_EQ(folder.ReadFile("prompts/ps_fullsolid/Circle.png"), "my own circle");
  EXPECT_TRUE(fs::exists(folder.path() / "textures" / "6E42BC7CF738BCF0.png"));
  EXPECT_TRUE(fs::exists(folder.path() / "textures" / "README.txt"));
}

TEST(ResourceFiles, APlayersOwnTexturesAreNeverTouched) {
  TempGameFolder folder;
  folder.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe");
  folder.WriteFile("textures/6E42BC7CF738BCF0.png", "the player's own logo");
  folder.WriteFile("textures/0123456789ABCDEF.png", "a replacement");
  folder.WriteFile("textures/FEDCBA9876543210.overlay.png", "an overlay of their own");
  folder.WriteFile("textures/dump/0011223344556677.png", "a dumped texture");

  StartAndClose(folder);
  EXPECT_EQ(folder.ReadFile("textures/6E42BC7CF738BCF0.png"), "the player's own logo");
  EXPECT_EQ(folder.ReadFile("textures/0123456789ABCDEF.png"), "a replacement");
  EXPECT_EQ(folder.ReadFile("textures/FEDCBA9876543210.overlay.png"), "an overlay of their own");
  EXPECT_EQ(folder.ReadFile("textures/dump/0011223344556677.png"), "a dumped texture");
  EXPECT_EQ(Entries(folder.path() / "textures"),
            (std::set<std::string>{"0123456789ABCDEF.png", "2D1098B531AA9CA8.overlay.png",
                                   "51AA9FBD20140C6D.overlay.png", "6E42BC7CF738BCF0.png",
                                   "FEDCBA9876543210.overlay.png", "dump"}))
      << "no read-me and no temporary file added to an existing folder";
}

// Wine lets root write anywhere, so the folders are made unwritable the way a locked-down
// install makes them: the names are taken by files.
TEST(ResourceFiles, AFolderWhereNothingCanBeWrittenStartsNormally) {
  TempGameFolder folder;
  folder.AddProgram(L"PlayMirefall.exe", L"PlayMirefall.exe");
  folder.WriteFile("prompts", "not a folder");
  folder.WriteFile("textures", "not a folder either");

  RunningLauncher launcher = StartLauncher(folder);
  ASSERT_TRUE(launcher.window);
  EXPECT_TRUE(WaitUntil([&] { return CaptureClient(launcher.window).MaxBrightness(0, 0, 1280, 720) > 100; }));
  EXPECT_EQ(CloseLauncher(launcher), 0u);
  EXPECT_EQ(folder.ReadFile("prompts"), "not a folder");
  EXPECT_EQ(folder.ReadFile("textures"), "not a folder either");
}

}  // namespace
}  // namespace mf::test
