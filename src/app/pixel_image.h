#pragma once
// The title-screen pictures as the executable carries them: pixels ready to draw, so that
// start-up copies or merely points at them instead of decoding a PNG. Made from the PNGs in
// resources/ at build time by tools/png_to_pixels.py.
//
// Layout, little-endian: "MFPX", width, height, flags (32 bits each), then width x height
// pixels of 4 bytes, rows top to bottom, each pixel blue, green, red, alpha. Flag bit 0:
// every alpha is 255. Flag bit 1: the colours are premultiplied by alpha (GDI+'s
// 32bppPARGB), so the pixels can be drawn from where they are; without it they are not
// (32bppARGB) and have to be converted once.
#include <cstdint>
#include <optional>
#include <string_view>

namespace mf::app {

inline constexpr std::string_view kPixelImageMagic = "MFPX";
inline constexpr std::uint32_t kPixelImageOpaque = 1;
inline constexpr std::uint32_t kPixelImagePremultiplied = 2;

struct PixelImage {
  int width = 0;
  int height = 0;
  bool opaque = false;
  bool premultiplied = false;
  const unsigned char* pixels = nullptr;  // inside the bytes given to ReadPixelImage
};

// The picture the bytes hold; nothing when they are not one (no magic, a size of zero or
// beyond 16384 pixels a side, or fewer pixel bytes than the size needs).
std::optional<PixelImage> ReadPixelImage(std::string_view bytes);

}  // namespace mf::app
