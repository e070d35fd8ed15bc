#include "update/extract_limits.h"

namespace mf::update {
namespace {

std::string Megabytes(std::uint64_t bytes) { return std::to_string((bytes + (1u << 20) - 1) >> 20) + " MB"; }

}  // namespace

std::string CheckUnpackSpace(const UnpackSpace& space) {
  const std::uint64_t limit = space.zipSize * kMaxUnpackRatio + kUnpackAllowance;
  if (space.declaredTotal > limit)
    return "zip declares " + Megabytes(space.declaredTotal) + " for a " + Megabytes(space.zipSize) +
           " archive: not a release";
  // Staging holds the whole release and the roll-back folder the originals it replaces,
  // at most as much again.
  if (space.freeInTemp / 2 < space.declaredTotal)
    return "not enough free space in the temporary folder: " + Megabytes(2 * space.declaredTotal) + " needed, " +
           Megabytes(space.freeInTemp) + " free";
  if (space.freeInInstall < space.declaredTotal)
    return "not enough free space in the game folder: " + Megabytes(space.declaredTotal) + " needed, " +
           Megabytes(space.freeInInstall) + " free";
  return {};
}

}  // namespace mf::update
