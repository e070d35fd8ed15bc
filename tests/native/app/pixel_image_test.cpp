#include "app/pixel_image.h"

#include <gtest/gtest.h>

#include <string>

namespace mf::app {
namespace {

std::string Word(std::uint32_t value) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

std::string Image(std::uint32_t width, std::uint32_t height, std::uint32_t flags, std::size_t pixelBytes) {
  return "MFPX" + Word(width) + Word(height) + Word(flags) + std::string(pixelBytes, '\x7F');
}

TEST(PixelImage, ReadsSizeFlagsAndPixels) {
  std::string bytes = Image(3, 2, kPixelImageOpaque, 3 * 2 * 4);
  std::optional<PixelImage> image = ReadPixelImage(bytes);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 3);
  EXPECT_EQ(image->height, 2);
  EXPECT_TRUE(image->opaque);
  EXPECT_FALSE(image->premultiplied);
  EXPECT_EQ(image->pixels, reinterpret_cast<const unsigned char*>(bytes.data()) + 16);
  EXPECT_FALSE(ReadPixelImage(Image(3, 2, 0, 24))->opaque);
  std::optional<PixelImage> premultiplied = ReadPixelImage(Image(3, 2, kPixelImagePremultiplied, 24));
  EXPECT_FALSE(premultiplied->opaque);
  EXPECT_TRUE(premultiplied->premultiplied);
}

TEST(PixelImage, RefusesWhatIsNotAWholePicture) {
  const std::string cases[] = {
      "",
      "MFPX",
      Image(3, 2, 0, 23),                             // one byte short
      "\x89PNG" + Word(3) + Word(2) + Word(0) + std::string(24, '\0'),  // a PNG's start
      Image(0, 2, 0, 0),
      Image(3, 0, 0, 0),
      Image(16385, 1, 0, 16385 * 4),
      Image(0xFFFFFFFFu, 0xFFFFFFFFu, 0, 64),         // a size whose byte count overflows
  };
  for (const std::string& bytes : cases) EXPECT_FALSE(ReadPixelImage(bytes)) << bytes.size() << " bytes";
}

}  // namespace
}  // namespace mf::app
