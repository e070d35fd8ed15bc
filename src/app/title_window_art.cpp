#include "app/title_window_art.h"

#include <algorithm>

#include "resources/version.h"

namespace mf::app {

PixelRect CoverPlacement(int clientWidth, int clientHeight, int imageWidth, int imageHeight) {
  if (imageWidth <= 0 || imageHeight <= 0) return {0, 0, clientWidth, clientHeight};
  double scale = std::max(static_cast<double>(clientHeight) / imageHeight,
                          static_cast<double>(clientWidth) / imageWidth);
  int width = static_cast<int>(imageWidth * scale);
  int height = static_cast<int>(imageHeight * scale);
  return {(clientWidth - width) / 2, (clientHeight - height) / 2, width, height};
}

PixelRect LogoPlacement(int clientWidth, int clientHeight, int imageWidth, int imageHeight) {
  int width = static_cast<int>(clientWidth * 0.42);
  double scale = imageWidth > 0 ? static_cast<double>(width) / imageWidth : 0.0;
  return {static_cast<int>(clientWidth * 0.04), static_cast<int>(clientHeight * 0.06), width,
          static_cast<int>(imageHeight * scale)};
}

std::string VersionLineText() {
  return "MFLauncher " + std::string(kCurrentVersionTag) + "  —  " + std::string(kRepositoryPage);
}

float FittingTextSize(float preferred, float smallest, float availableWidth,
                      const std::function<float(float size)>& widthAtSize) {
  float size = preferred;
  while (size > smallest && widthAtSize(size) > availableWidth) size = std::max(smallest, size - 1.0f);
  return size;
}

float SharedFittingTextSize(float preferred, float smallest, const std::vector<float>& availableWidths,
                            const std::function<float(int label, float size)>& widthAtSize) {
  float size = preferred;
  for (size_t i = 0; i < availableWidths.size(); ++i) {
    int label = static_cast<int>(i);
    size = FittingTextSize(size, smallest, availableWidths[i], [&](float pixels) { return widthAtSize(label, pixels); });
  }
  return size;
}

ButtonColours ButtonColoursFor(const MenuItem& item, bool focused) {
  if (item.pressed) return {0xFF3C3C3C, 0xFFC8C8C8};
  if (item.hovered || focused) return {0xF0323232, 0xFFF0F0F0};
  return {0xDC141414, 0xFFC8C8C8};
}

BannerLook BannerLookFor(bool active) {
  constexpr std::uint32_t kGlowRgb = 0x781616;
  auto glow = [](std::array<std::uint32_t, 5> alphas) {
    for (std::uint32_t& a : alphas) a = (a << 24) | kGlowRgb;
    return alphas;
  };
  if (active) return {glow({0x05, 0x07, 0x09, 0x0E, 0x1C}), 0xF5242428, 0xF516161A, 0xDCC8C8C8};
  return {glow({0x03, 0x04, 0x05, 0x08, 0x10}), 0xE616161A, 0xE60E0E12, 0xB48C3838};
}

std::span<const char* const> ButtonFontFamilies() {
  static constexpr const char* kFamilies[] = {"Bahnschrift", "Segoe UI", "Tahoma"};
  return kFamilies;
}

std::span<const char* const> TextFontFamilies() {
  static constexpr const char* kFamilies[] = {"Segoe UI", "Tahoma", "Arial"};
  return kFamilies;
}

}  // namespace mf::app
