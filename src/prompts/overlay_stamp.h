#pragma once
// Knowing, without drawing, that an overlay file on disk is already what would be written.
//
// Drawing and PNG-encoding the two overlay images costs more than the rest of start-up, yet
// the result changes only when its inputs do. Every overlay the launcher writes carries a
// stamp in a PNG text chunk just before the image's end: a fingerprint of everything the
// drawing depends on, and a hash of the file's bytes before the stamp. When a file on disk
// carries the stamp the current inputs give, and its bytes still hash to the stamped value,
// drawing again would write the same bytes, so it is skipped. A file the player edited,
// one cut short, or one written by something else carries no valid stamp and is redrawn.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "prompts/overlay_plan.h"

namespace mf::prompts {

// The bytes of the icon files an overlay uses, by icon name; a missing entry is a file that
// could not be read.
using IconFiles = std::map<std::string, std::string, std::less<>>;

// 64-bit FNV-1a.
std::uint64_t Fnv1a64(std::string_view bytes);

// A 16-hex-digit fingerprint of one atlas's drawing: the program's version, the font the
// key caps use, the image size and every step with its place, label and icon bytes.
std::string OverlayFingerprint(std::string_view programVersion, std::string_view fontFamily, const AtlasPlan& plan,
                               const IconFiles& icons);

// The PNG with the stamp chunk added before its IEND chunk; nothing when png does not end
// with an IEND chunk.
std::optional<std::string> AddOverlayStamp(std::string_view png, std::string_view fingerprint);

// True when fileBytes are a stamped PNG whose stamp holds this fingerprint and whose bytes
// before the stamp are unchanged.
bool HasOverlayStamp(std::string_view fileBytes, std::string_view fingerprint);

}  // namespace mf::prompts
