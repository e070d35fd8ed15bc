#pragma once
// The title music without any codec on the machine: the Ogg Vorbis track decoded in the
// process and looped through waveOut. For the machines whose MCI cannot open Ogg (stock
// and N editions of Windows, Wine and Proton).
#include <windows.h>

#include <string_view>

namespace mf::app {

// Plays the track in a seamless loop at the volume (percent of full level) until stop is
// signalled, then stops the device and returns true. Returns false at once when the track
// cannot be decoded or no output device opens: the launcher is then silent.
bool PlayThroughWaveOut(std::string_view oggBytes, int volumePercent, HANDLE stop);

}  // namespace mf::app
