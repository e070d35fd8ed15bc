#include "app/music_temp_files.h"

#include <gtest/gtest.h>

namespace mf::app {
namespace {

TEST(MusicTempFiles, OnlyTheNamesTheLauncherGivesItsTrack) {
  for (const char* name : {"mfm1.tmp.ogg", "mfmA3F.tmp.ogg", "mfm1a2b.tmp.ogg", "mfmFFFF.tmp.ogg"})
    EXPECT_TRUE(IsMusicTempFileName(name)) << name;
  for (const char* name : {"mfm.tmp.ogg", "mfm12345.tmp.ogg", "mfmXYZ.tmp.ogg", "mfm1A2B.tmp", "mfm1A2B.ogg",
                           "mfm1A2B.tmp.ogg.bak", "xmfm1A2B.tmp.ogg", "mf1_update.log", "mfm 1A.tmp.ogg",
                           "MFM~1.OGG"})
    EXPECT_FALSE(IsMusicTempFileName(name)) << name;
}

}  // namespace
}  // namespace mf::app
