#pragma once
// Expected file outputs kept byte for byte in tests/data/settings. Run the tests with
// MF_UPDATE_GOLDEN_FILES=1 to rewrite them after a deliberate format change, then review
// the difference before committing it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "temp_folder.h"

namespace mf::settings::testing {

inline std::filesystem::path GoldenFilePath(std::string_view name) {
  return std::filesystem::path(MF_SETTINGS_TEST_DATA_DIR) / std::string(name);
}

inline void ExpectMatchesGoldenFile(std::string_view name, const std::string& actual) {
  std::filesystem::path path = GoldenFilePath(name);
  if (std::getenv("MF_UPDATE_GOLDEN_FILES")) WriteBytes(path, actual);
  std::optional<std::string> expected = ReadBytes(path);
  ASSERT_TRUE(expected.has_value()) << "missing golden file " << path;
  EXPECT_EQ(actual, *expected) << "differs from " << path;
}

}  // namespace mf::settings::testing
