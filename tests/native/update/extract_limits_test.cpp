#include "update/extract_limits.h"

#include <gtest/gtest.h>

namespace mf::update {
namespace {

constexpr std::uint64_t kMB = 1 << 20;

TEST(CheckUnpackSpace, RefusesBombsAndFullVolumes) {
  struct Case {
    UnpackSpace space;
    const char* reason;  // start of the refusal, or empty
  } cases[] = {
      {{380 * kMB, 153 * kMB, 100000 * kMB, 100000 * kMB}, ""},  // a real release
      {{20 * kMB, 1000, 100000 * kMB, 100000 * kMB}, "zip declares 20 MB for a 1 MB archive"},
      {{1024 * kMB, 1 * kMB, 100000 * kMB, 100000 * kMB}, "zip declares 1024 MB"},
      {{5 * kMB, 1000, 100000 * kMB, 100000 * kMB}, ""},  // a tiny zip within the allowance
      {{380 * kMB, 153 * kMB, 700 * kMB, 100000 * kMB}, "not enough free space in the temporary folder: 760 MB"},
      {{380 * kMB, 153 * kMB, 100000 * kMB, 379 * kMB}, "not enough free space in the game folder"},
      {{~0ull / 2, 1, ~0ull, ~0ull}, "zip declares"},
  };
  for (const Case& c : cases) {
    std::string reason = CheckUnpackSpace(c.space);
    if (*c.reason == 0) EXPECT_EQ(reason, "") << c.space.declaredTotal;
    else EXPECT_TRUE(reason.starts_with(c.reason)) << reason;
  }
}

}  // namespace
}  // namespace mf::update
