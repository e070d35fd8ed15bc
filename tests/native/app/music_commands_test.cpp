#include "app/music_commands.h"

#include <gtest/gtest.h>

namespace mf::app {
namespace {

TEST(MusicCommands, OpenWithAndWithoutTheDeviceType) {
  const std::string path = "C:\\Users\\\xD0\x86\xD0\xB3\xD0\xBE\xD1\x80 O'Neil\\AppData\\Local\\Temp\\mfm1A2B.tmp.ogg";
  EXPECT_EQ(MusicOpenCommand(path, true), "open \"" + path + "\" type mpegvideo alias bgmusic");
  EXPECT_EQ(MusicOpenCommand(path, false), "open \"" + path + "\" alias bgmusic");
}

TEST(MusicCommands, VolumeIsTenTimesTheClampedPercentage) {
  EXPECT_EQ(MusicVolumeCommand(kMusicVolumePercent), "setaudio bgmusic volume to 250");
  EXPECT_EQ(MusicVolumeCommand(-5), "setaudio bgmusic volume to 0");
  EXPECT_EQ(MusicVolumeCommand(140), "setaudio bgmusic volume to 1000");
}

}  // namespace
}  // namespace mf::app
