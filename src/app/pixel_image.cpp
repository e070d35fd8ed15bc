#include "app/pixel_image.h"

namespace mf::app {
namespace {

constexpr std::size_t kHeaderSize = 16;
constexpr std::uint32_t kLargestSide = 16384;

std::uint32_t ReadLittleEndian32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  return value;
}

}  // namespace

std::optional<PixelImage> ReadPixelImage(std::string_view bytes) {
  if (bytes.size() < kHeaderSize || !bytes.starts_with(kPixelImageMagic)) return std::nullopt;
  std::uint32_t width = ReadLittleEndian32(bytes, 4), height = ReadLittleEndian32(bytes, 8);
  std::uint32_t flags = ReadLittleEndian32(bytes, 12);
  if (width == 0 || height == 0 || width > kLargestSide || height > kLargestSide) return std::nullopt;
  if (bytes.size() - kHeaderSize < std::uint64_t{width} * height * 4) return std::nullopt;
  return PixelImage{static_cast<int>(width), static_cast<int>(height), (flags & kPixelImageOpaque) != 0,
                    (flags & kPixelImagePremultiplied) != 0,
                    reinterpret_cast<const unsigned char*>(bytes.data()) + kHeaderSize};
}

}  // namespace mf::app
