#pragma once
// The MCI command strings that play the title-screen music under the alias "bgmusic".
#include <string>
#include <string_view>

namespace mf::app {

// The music plays at a quarter of full volume, under whatever the player hears from Windows.
inline constexpr int kMusicVolumePercent = 25;

// "open "<path>" type mpegvideo alias bgmusic", or without the type so that MCI picks the
// device by the file's extension.
std::string MusicOpenCommand(std::string_view path, bool asMpegVideo);

// "setaudio bgmusic volume to N": MCI counts volume 0..1000, so N is ten times the
// percentage, after clamping it to 0..100.
std::string MusicVolumeCommand(int percent);

inline constexpr char kMusicPlayCommand[] = "play bgmusic repeat";
inline constexpr char kMusicStopCommand[] = "stop bgmusic";
inline constexpr char kMusicCloseCommand[] = "close bgmusic";

}  // namespace mf::app
