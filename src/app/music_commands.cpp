#include "app/music_commands.h"

#include <algorithm>

namespace mf::app {

std::string MusicOpenCommand(std::string_view path, bool asMpegVideo) {
  return "open \"" + std::string(path) + "\"" + (asMpegVideo ? " type mpegvideo" : "") + " alias bgmusic";
}

std::string MusicVolumeCommand(int percent) {
  return "setaudio bgmusic volume to " + std::to_string(std::clamp(percent, 0, 100) * 10);
}

}  // namespace mf::app
