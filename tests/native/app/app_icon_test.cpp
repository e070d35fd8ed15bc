// The application icon as Windows reads it. The frames a window and the taskbar ask for are
// plain bitmaps, which load without a PNG decoder (starting one costs the launcher's first
// frame about 10 ms under Wine and Proton); only the 256 px frame is a PNG.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace mf::app {
namespace {

std::uint32_t Little(const std::string& bytes, size_t at, int width) {
  std::uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
  return value;
}

TEST(AppIcon, FramesUnder256PixelsAreBitmapsOfTheirSize) {
  std::ifstream file(std::string(MF_SOURCE_DIR) + "/resources/app.ico", std::ios::binary);
  ASSERT_TRUE(file);
  const std::string icon((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  ASSERT_GE(icon.size(), 6u);
  ASSERT_EQ(Little(icon, 2, 2), 1u) << "an icon, not a cursor";
  std::set<int> sizes;
  for (std::uint32_t entry = 0; entry < Little(icon, 4, 2); ++entry) {
    const size_t directory = 6 + 16 * entry;
    const int size = icon.at(directory) == 0 ? 256 : static_cast<unsigned char>(icon.at(directory));
    const size_t offset = Little(icon, directory + 12, 4);
    sizes.insert(size);
    if (size < 256) {
      EXPECT_EQ(Little(icon, offset, 4), 40u) << size << " px: a BITMAPINFOHEADER";
      EXPECT_EQ(Little(icon, offset + 4, 4), static_cast<std::uint32_t>(size)) << size << " px: width";
      EXPECT_EQ(Little(icon, offset + 8, 4), static_cast<std::uint32_t>(2 * size)) << size << " px: image and mask";
      EXPECT_EQ(Little(icon, offset + 14, 2), 32u) << size << " px: with alpha";
    } else {
      EXPECT_EQ(icon.substr(offset, 4), "\x89PNG") << "the 256 px frame";
    }
  }
  for (int wanted : {16, 24, 32, 48, 256}) EXPECT_TRUE(sizes.count(wanted)) << wanted << " px";
}

}  // namespace
}  // namespace mf::app
