#include "prompts/overlay_plan.h"

#include "prompts/key_labels.h"
#include "prompts/prompt_style.h"

namespace mf::prompts {
namespace {

RectF Scaled(const AtlasRegion& region, int scale) {
  auto s = static_cast<float>(scale);
  return {s * region.x, s * region.y, s * region.w, s * region.h};
}

DrawStep KeyCap(RectF rect, std::u16string label) { return {DrawKind::KeyCap, rect, std::move(label), {}}; }

// Key caps keep a margin of one texture pixel inside their region.
void PlanKeyCaps(const AtlasRegion& region, int scale, const BindingLookup& bindingOf, std::vector<DrawStep>& steps) {
  const auto s = static_cast<float>(scale);
  const RectF k = Scaled(region, scale).Inset(s);
  if (region.key == "@shake_l") {
    // Both strafe keys side by side.
    float half = k.w / 2;
    steps.push_back(KeyCap({k.x, k.y, half - s / 2, k.h}, KeyCapLabel(bindingOf("keybind_lstick_left"))));
    steps.push_back(KeyCap({k.x + half + s / 2, k.y, half - s / 2, k.h}, KeyCapLabel(bindingOf("keybind_lstick_right"))));
  } else if (region.key == "@mouse" || region.key == "@shake_r") {
    steps.push_back({DrawKind::MouseGlyph, k, {}, {}});
  } else if (region.key == "@move") {
    steps.push_back(KeyCap(k, MoveLabel(bindingOf("keybind_lstick_up"), bindingOf("keybind_lstick_left"),
                                        bindingOf("keybind_lstick_down"), bindingOf("keybind_lstick_right"))));
  } else if (std::string binding = bindingOf(region.key); !binding.empty()) {
    steps.push_back(KeyCap(k, KeyCapLabel(binding)));
  }
}

}  // namespace

OverlayKind DecideOverlay(std::string_view style, std::string_view mnkMode, bool iconFolderExists) {
  if (style == kKeyboardStyle && mnkMode == "true") return OverlayKind::KeyCaps;
  if (IsIconStyle(style) && iconFolderExists) return OverlayKind::Icons;
  return OverlayKind::None;
}

std::u16string MoveLabel(std::string_view up, std::string_view left, std::string_view down, std::string_view right) {
  std::u16string label;
  for (std::string_view binding : {up, left, down, right}) {
    std::u16string key = KeyCapLabel(binding);
    if (key.size() != 1) return u"MOVE";
    label += key;
  }
  return label;
}

std::vector<AtlasPlan> PlanOverlay(OverlayKind kind, const BindingLookup& bindingOf, bool padLayoutSwap) {
  std::vector<AtlasPlan> plans;
  if (kind == OverlayKind::None) return plans;
  for (const OverlayAtlas& atlas : OverlayAtlases()) {
    AtlasPlan& plan = plans.emplace_back(AtlasPlan{&atlas, {}});
    for (const AtlasRegion& region : atlas.regions) {
      if (kind == OverlayKind::KeyCaps) {
        PlanKeyCaps(region, atlas.scale, bindingOf, plan.steps);
      } else if (std::optional<std::string_view> icon = PromptIconName(region.key, padLayoutSwap)) {
        plan.steps.push_back({DrawKind::Icon, Scaled(region, atlas.scale), {}, std::string(*icon)});
      }
    }
  }
  return plans;
}

}  // namespace mf::prompts
