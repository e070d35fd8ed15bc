#include "prompts/overlay_atlas.h"

#include <algorithm>
#include <array>

namespace mf::prompts {
namespace {

// The 256 x 256 prompt texture: 8 x 8 cells of 32 pixels, and the stick-shake strip at the
// bottom.
constexpr std::array<AtlasRegion, 16> kPromptCells = {{
    {"keybind_a", 0, 0, 32, 32},
    {"keybind_b", 32, 0, 32, 32},
    {"keybind_x", 64, 0, 32, 32},
    {"keybind_y", 96, 0, 32, 32},
    {"@move", 32, 32, 32, 32},
    {"@mouse", 64, 32, 32, 32},
    {"keybind_left_shoulder", 32, 64, 32, 32},
    {"keybind_right_shoulder", 64, 64, 32, 32},
    {"keybind_left_trigger", 96, 64, 32, 32},
    {"keybind_right_trigger", 128, 64, 32, 32},
    {"keybind_lstick_press", 160, 64, 32, 32},
    {"keybind_rstick_press", 192, 64, 32, 32},
    {"@shake_l", 12, 229, 34, 24},
    {"@shake_l", 82, 229, 34, 24},
    {"@shake_r", 140, 229, 34, 24},
    {"@shake_r", 210, 229, 34, 24},
}};

// The shoulder buttons on the large interface texture.
constexpr std::array<AtlasRegion, 2> kShoulderPrompts = {{
    {"keybind_left_shoulder", 824, 1, 32, 30},
    {"keybind_right_shoulder", 856, 1, 32, 30},
}};

constexpr std::array<OverlayAtlas, 2> kAtlases = {{
    {"2D1098B531AA9CA8", 4, kPromptCells},
    {"51AA9FBD20140C6D", 2, kShoulderPrompts},
}};

struct IconRow {
  std::string_view key;
  std::string_view icon;
};

constexpr std::array<IconRow, 14> kIcons = {{
    {"keybind_a", "Cross"},
    {"keybind_b", "Circle"},
    {"keybind_x", "Square"},
    {"keybind_y", "Triangle"},
    {"keybind_left_shoulder", "L1"},
    {"keybind_right_shoulder", "R1"},
    {"keybind_left_trigger", "L2"},
    {"keybind_right_trigger", "R2"},
    {"keybind_lstick_press", "Left Stick Click"},
    {"keybind_rstick_press", "Right Stick Click"},
    {"@move", "Left Stick All"},
    {"@mouse", "Right Stick"},
    {"@shake_l", "Left Stick Left-Right"},
    {"@shake_r", "Right Stick Left-Right"},
}};

}  // namespace

std::span<const OverlayAtlas> OverlayAtlases() { return kAtlases; }

int AtlasTextureEdge(const OverlayAtlas& atlas) {
  int extent = 0;
  for (const AtlasRegion& region : atlas.regions) extent = std::max({extent, region.x + region.w, region.y + region.h});
  int edge = 1;
  while (edge < extent) edge *= 2;
  return edge;
}

int AtlasImageEdge(const OverlayAtlas& atlas) { return atlas.scale * AtlasTextureEdge(atlas); }

std::string OverlayFileName(const OverlayAtlas& atlas) { return std::string(atlas.name) + ".overlay.png"; }

std::optional<std::string_view> PromptIconName(std::string_view key, bool padLayoutSwap) {
  if (padLayoutSwap && key == "keybind_left_trigger") return "R2";
  if (padLayoutSwap && key == "keybind_right_trigger") return "L2";
  auto found = std::find_if(kIcons.begin(), kIcons.end(), [&](const IconRow& row) { return row.key == key; });
  if (found == kIcons.end()) return std::nullopt;
  return found->icon;
}

}  // namespace mf::prompts
