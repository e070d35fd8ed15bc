#include "prompts/overlay_plan.h"

#include <gtest/gtest.h>

#include <map>

#include "settings/settings_schema.h"
#include "settings/settings_schema_table.h"

namespace mf::prompts {
namespace {

// The bindings of a fresh mirefall.toml, with some changed.
BindingLookup Bindings(std::map<std::string, std::string> changes = {}) {
  return [changes = std::move(changes)](std::string_view key) -> std::string {
    if (auto found = changes.find(std::string(key)); found != changes.end()) return found->second;
    const settings::SettingDef* row = settings::FindSetting(settings::DefaultSettingRows(), key);
    return row ? row->value : std::string();
  };
}

std::vector<std::u16string> Labels(const AtlasPlan& plan) {
  std::vector<std::u16string> labels;
  for (const DrawStep& step : plan.steps)
    labels.push_back(step.kind == DrawKind::KeyCap ? step.label : step.kind == DrawKind::MouseGlyph ? u"<mouse>" : u"");
  return labels;
}

std::vector<std::string> Icons(const AtlasPlan& plan) {
  std::vector<std::string> icons;
  for (const DrawStep& step : plan.steps) icons.push_back(step.icon);
  return icons;
}

TEST(DecideOverlay, StyleModeAndFolder) {
  struct Case {
    const char* style;
    const char* mnkMode;
    bool folderExists;
    OverlayKind expected;
  } cases[] = {
      {"keyboard", "true", false, OverlayKind::KeyCaps},
      {"keyboard", "false", true, OverlayKind::None},
      {"keyboard", "True", false, OverlayKind::None},  // exactly "true"
      {"xbox", "true", true, OverlayKind::None},
      {"ps_solid", "false", true, OverlayKind::Icons},  // icons do not depend on the mouse mode
      {"ps_outline", "true", false, OverlayKind::None},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DecideOverlay(c.style, c.mnkMode, c.folderExists), c.expected) << c.style << " " << c.mnkMode;
}

TEST(MoveLabel, FourSingleKeysOrMove) {
  EXPECT_EQ(MoveLabel("W", "A", "S", "D"), u"WASD");
  EXPECT_EQ(MoveLabel("Up,W", "Left", "Down", "Right"), u"\u2191\u2190\u2193\u2192");
  EXPECT_EQ(MoveLabel("i", "j", "k", "l"), u"IJKL");
  EXPECT_EQ(MoveLabel("W", "A", "S", "Shift"), u"MOVE");
  EXPECT_EQ(MoveLabel("W", "A", "", "D"), u"WA?D");  // an unbound direction shows as "?"
}

TEST(AtlasSizes, PowersOfTwoAtTheirScales) {
  auto atlases = OverlayAtlases();
  ASSERT_EQ(atlases.size(), 2u);
  EXPECT_EQ(atlases[0].name, "2D1098B531AA9CA8");
  EXPECT_EQ(AtlasTextureEdge(atlases[0]), 256);
  EXPECT_EQ(AtlasImageEdge(atlases[0]), 1024);
  EXPECT_EQ(atlases[1].name, "51AA9FBD20140C6D");
  EXPECT_EQ(AtlasTextureEdge(atlases[1]), 1024);
  EXPECT_EQ(AtlasImageEdge(atlases[1]), 2048);
  EXPECT_EQ(OverlayFileName(atlases[1]), "51AA9FBD20140C6D.overlay.png");
}

TEST(PlanOverlay, DefaultKeyCaps) {
  std::vector<AtlasPlan> plans = PlanOverlay(OverlayKind::KeyCaps, Bindings(), false);
  ASSERT_EQ(plans.size(), 2u);
  EXPECT_EQ(Labels(plans[0]), (std::vector<std::u16string>{
                                  u"E", u"R", u"SHIFT", u"F", u"WASD", u"<mouse>", u"Z", u"X", u"CTRL", u"SPACE",
                                  u"C", u"K", u"A", u"D", u"A", u"D", u"<mouse>", u"<mouse>"}));
  // Key caps keep one texture pixel clear inside their cells.
  EXPECT_EQ(plans[0].steps[0].rect, (RectF{4, 4, 120, 120}));
  EXPECT_EQ(plans[0].steps[4].rect, (RectF{132, 132, 120, 120}));
  // The strafe keys share the first shake region, half each, with a gap of one texture pixel.
  EXPECT_EQ(plans[0].steps[12].rect, (RectF{52, 920, 62, 88}));
  EXPECT_EQ(plans[0].steps[13].rect, (RectF{118, 920, 62, 88}));
  EXPECT_EQ(plans[0].steps[16].rect, (RectF{564, 920, 128, 88}));

  EXPECT_EQ(Labels(plans[1]), (std::vector<std::u16string>{u"Z", u"X"}));
  EXPECT_EQ(plans[1].steps[0].rect, (RectF{1650, 4, 60, 56}));
}

TEST(PlanOverlay, EmptyBindingDrawsNothingThere) {
  std::vector<AtlasPlan> plans =
      PlanOverlay(OverlayKind::KeyCaps, Bindings({{"keybind_b", ""}, {"keybind_right_shoulder", ""}}), false);
  EXPECT_EQ(plans[0].steps.size(), 16u);
  EXPECT_EQ(plans[0].steps[1].label, u"SHIFT");
  EXPECT_TRUE(plans[1].steps.size() == 1 && plans[1].steps[0].label == u"Z");
}

TEST(PlanOverlay, IconsFillWholeRegionsAndSwapTriggersForTheQuenlorLayout) {
  std::vector<AtlasPlan> original = PlanOverlay(OverlayKind::Icons, Bindings(), false);
  EXPECT_EQ(Icons(original[0]),
            (std::vector<std::string>{"Cross", "Circle", "Square", "Triangle", "Left Stick All", "Right Stick", "L1",
                                      "R1", "L2", "R2", "Left Stick Click", "Right Stick Click",
                                      "Left Stick Left-Right", "Left Stick Left-Right", "Right Stick Left-Right",
                                      "Right Stick Left-Right"}));
  EXPECT_EQ(original[0].steps[12].rect, (RectF{48, 916, 136, 96}));
  EXPECT_EQ(Icons(original[1]), (std::vector<std::string>{"L1", "R1"}));
  EXPECT_EQ(original[1].steps[1].rect, (RectF{1712, 2, 64, 60}));

  std::vector<AtlasPlan> swapped = PlanOverlay(OverlayKind::Icons, Bindings(), true);
  EXPECT_EQ(swapped[0].steps[8].icon, "R2");
  EXPECT_EQ(swapped[0].steps[9].icon, "L2");
  EXPECT_EQ(swapped[0].steps[6].icon, "L1");

  // Key caps show the bindings as they are: the layout does not move them.
  std::vector<AtlasPlan> keys = PlanOverlay(OverlayKind::KeyCaps, Bindings(), true);
  EXPECT_EQ(keys[0].steps[8].label, u"CTRL");
  EXPECT_EQ(keys[0].steps[9].label, u"SPACE");
}

TEST(PlanOverlay, NoneDrawsNothing) { EXPECT_TRUE(PlanOverlay(OverlayKind::None, Bindings(), false).empty()); }

}  // namespace
}  // namespace mf::prompts
