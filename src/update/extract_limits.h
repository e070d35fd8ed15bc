#pragma once
// How much a release zip may unpack to before extraction starts: the archive's declared
// sizes against its own size and the free space of the volumes it will fill.
#include <cstdint>
#include <string>

namespace mf::update {

// Deflate can pack a run of zeros a thousand to one; a real release (programs, DLLs,
// textures) packs a few to one. Anything past this is a zip bomb or a broken archive.
inline constexpr std::uint64_t kMaxUnpackRatio = 20;
// Small zips are allowed this much whatever their ratio.
inline constexpr std::uint64_t kUnpackAllowance = 16ull << 20;

struct UnpackSpace {
  std::uint64_t declaredTotal;  // the sum of the entries' uncompressed sizes
  std::uint64_t zipSize;
  std::uint64_t freeInTemp;     // staging and the saved originals both go there
  std::uint64_t freeInInstall;  // each new file is written beside its target first
};

// Empty when the zip may be unpacked; otherwise the reason, for the log.
std::string CheckUnpackSpace(const UnpackSpace& space);

}  // namespace mf::update
