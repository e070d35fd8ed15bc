#pragma once
// The two game textures that hold the button prompts, and where on them each prompt sits.
// The game draws textures\<name>.overlay.png over the texture of that name wherever the
// PNG is not fully transparent.
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace mf::prompts {

// A prompt's place on the texture, in texture pixels. key is a "keybind_" setting, or one
// of the drawn-only prompts "@move" (the left stick), "@mouse" (the right stick) and
// "@shake_l" / "@shake_r" (the sticks shaken left and right).
struct AtlasRegion {
  std::string_view key;
  int x, y, w, h;
};

struct OverlayAtlas {
  std::string_view name;  // the texture's 16-hex-digit hash
  int scale;              // overlay pixels per texture pixel
  std::span<const AtlasRegion> regions;
};

std::span<const OverlayAtlas> OverlayAtlases();

// The texture's edge: the smallest power of two that holds every region.
int AtlasTextureEdge(const OverlayAtlas& atlas);
// The overlay image's edge in pixels: scale times the texture's edge.
int AtlasImageEdge(const OverlayAtlas& atlas);

// "<name>.overlay.png"
std::string OverlayFileName(const OverlayAtlas& atlas);

// The PlayStation icon drawn for a region's key, if any. With the "qn" pad layout the
// triggers swap roles, so their icons swap too.
std::optional<std::string_view> PromptIconName(std::string_view key, bool padLayoutSwap);

}  // namespace mf::prompts
