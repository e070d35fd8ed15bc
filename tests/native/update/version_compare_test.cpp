#include "update/version_compare.h"

#include <gtest/gtest.h>

namespace mf::update {
namespace {

TEST(ParseVersion, ReadsDottedComponentsUntilSomethingElse) {
  struct Case {
    const char* tag;
    VersionNumber expected;
  } cases[] = {
      {"v2.0.11", {2, 0, 11}},  {"V2.0.11", {2, 0, 11}},      {"2.0.11", {2, 0, 11}},
      {"v2.0.12-beta", {2, 0, 12}}, {"2.x", {2}},             {"v2.1-rc1", {2, 1}},
      {"vv2", {}},              {"release", {}},              {"", {}},
      {"v", {}},                {"1.", {1}},                  {"v2147483647", {2147483647}},
      {"v007.1", {7, 1}},
  };
  for (const Case& c : cases) {
    std::optional<VersionNumber> parsed = ParseVersion(c.tag);
    ASSERT_TRUE(parsed) << c.tag;
    EXPECT_EQ(*parsed, c.expected) << c.tag;
  }
}

TEST(ParseVersion, ComponentBeyondTheIntRangeIsAnError) {
  EXPECT_FALSE(ParseVersion("v99999999999"));
  EXPECT_FALSE(ParseVersion("v2.2147483648"));
  EXPECT_FALSE(ParseVersion("1.99999999999999999999999999"));
}

TEST(IsNewerVersion, ComparesNumbersNotText) {
  struct Case {
    const char* remote;
    bool newer;
  } cases[] = {
      {"v2.0.11", false}, {"V2.0.11", false}, {"2.0.11", false},   {"v2.0.11.0", false},
      {"v2.0.10", false}, {"v1.99.99", false}, {"letters", false}, {"v99999999999", false},
      {"v2.0.12", true},  {"v2.0.11.1", true}, {"v2.1-rc1", true}, {"v2.1", true},
      {"v10.0.0", true},  {"3", true},
  };
  for (const Case& c : cases) EXPECT_EQ(IsNewerVersion(c.remote, "v2.0.11"), c.newer) << c.remote;
  EXPECT_TRUE(IsNewerVersion("v10.0.0", "v9.9.9"));
  EXPECT_FALSE(IsNewerVersion("", ""));
}

}  // namespace
}  // namespace mf::update
