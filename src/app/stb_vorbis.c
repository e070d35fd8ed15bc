/* The Vorbis decoder behind LoopingMusicTrack (Debian's libstb-dev), compiled once here.
   It only ever reads the track from memory: no stdio. */
#define STB_VORBIS_NO_STDIO
#define STB_VORBIS_NO_PUSHDATA_API
#include <stb_vorbis.h>
