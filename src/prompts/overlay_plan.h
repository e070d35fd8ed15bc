#pragma once
// What the prompt overlay shows: whether there is one at all, and for each texture the
// key caps, mouse glyphs or icons to draw, where, with which label. Plain data, so the
// decisions are tested without drawing anything.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "prompts/overlay_atlas.h"
#include "prompts/overlay_geometry.h"

namespace mf::prompts {

enum class OverlayKind {
  None,     // no overlay: the game's own prompts show and the overlay files go
  KeyCaps,  // key caps from the bindings
  Icons,    // icons from the folder prompts\<style>
};

// Key caps for the keyboard style while "mnk_mode" is exactly "true"; icons for a ps_*
// style whose folder exists; otherwise none.
OverlayKind DecideOverlay(std::string_view style, std::string_view mnkMode, bool iconFolderExists);

// The label of the "@move" key cap: the four movement keys up, left, down, right when each
// is one character (the default bindings give WASD), else "MOVE".
std::u16string MoveLabel(std::string_view up, std::string_view left, std::string_view down, std::string_view right);

enum class DrawKind { KeyCap, MouseGlyph, Icon };

struct DrawStep {
  DrawKind kind = DrawKind::KeyCap;
  RectF rect;            // overlay pixels
  std::u16string label;  // KeyCap
  std::string icon;      // Icon: the icon's name, as in prompts\<style>\<name>.png
  bool operator==(const DrawStep&) const = default;
};

struct AtlasPlan {
  const OverlayAtlas* atlas = nullptr;
  std::vector<DrawStep> steps;  // in region order
};

// The value of a setting by key; empty when there is none.
using BindingLookup = std::function<std::string(std::string_view key)>;

// The drawing of both textures for an overlay kind other than None.
std::vector<AtlasPlan> PlanOverlay(OverlayKind kind, const BindingLookup& bindingOf, bool padLayoutSwap);

}  // namespace mf::prompts
