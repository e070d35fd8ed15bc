// The update log's lines and where the updater connects.
#include <gtest/gtest.h>

#include "update/https_url.h"
#include "update/update_log_format.h"

namespace mf::update {
namespace {

TEST(FormatLogLine, TimestampPrefixMessageAndCrLf) {
  EXPECT_EQ(FormatLogLine({2026, 3, 7, 9, 5, 1}, "copy: PlayMirefall.exe"),
            "[2026-03-07 09:05:01] copy: PlayMirefall.exe\r\n");
  EXPECT_EQ(FormatLogLine({2026, 12, 31, 23, 59, 59}, "stage: \xD0\x9C\xD1\x96\xD1\x80"),
            "[2026-12-31 23:59:59] stage: \xD0\x9C\xD1\x96\xD1\x80\r\n");
  EXPECT_EQ(FormatLogLine({2026, 1, 1, 0, 0, 0}, ""), "[2026-01-01 00:00:00] \r\n");
}

TEST(SplitHttpsUrl, HostOptionalPortAndPath) {
  auto url = SplitHttpsUrl("https://github.com/QuillworkDev/MFRecomp/releases/download/v2/MFRecomp.zip");
  ASSERT_TRUE(url);
  EXPECT_EQ(url->host, "github.com");
  EXPECT_EQ(url->port, 443);
  EXPECT_EQ(url->path, "/QuillworkDev/MFRecomp/releases/download/v2/MFRecomp.zip");

  url = SplitHttpsUrl("https://localhost:8443");
  ASSERT_TRUE(url);
  EXPECT_EQ(url->host, "localhost");
  EXPECT_EQ(url->port, 8443);
  EXPECT_EQ(url->path, "/");

  for (const char* bad : {"http://x/MFRecomp.zip", "HTTPS://x/MFRecomp.zip", "https:///x.zip", "https://x:0/a",
                          "https://x:99999/a", "https://x:44a/a", "https://x:/a", "", "ftp://x"})
    EXPECT_FALSE(SplitHttpsUrl(bad)) << bad;
}

TEST(ReleaseEndpoint, PublicHostUnlessOverridden) {
  auto endpoint = ReleaseEndpoint(std::nullopt);
  ASSERT_TRUE(endpoint);
  EXPECT_EQ(endpoint->host, "api.github.com");
  EXPECT_EQ(endpoint->port, 443);
  EXPECT_EQ(endpoint->path, "/repos/QuillworkDev/MFRecomp/releases/latest");

  endpoint = ReleaseEndpoint(std::string("localhost:8443"));
  ASSERT_TRUE(endpoint);
  EXPECT_EQ(endpoint->host, "localhost");
  EXPECT_EQ(endpoint->port, 8443);
  EXPECT_EQ(endpoint->path, "/repos/QuillworkDev/MFRecomp/releases/latest");

  EXPECT_FALSE(ReleaseEndpoint(std::string("")));
  EXPECT_FALSE(ReleaseEndpoint(std::string("localhost:https")));
  // A malformed override means no check, never the public host.
  for (const char* bad : {" ", "local host", "https://mirror.example", "mirror.example/api", ":8443", "[::1]:8443",
                          "mirror.example:8443:1"})
    EXPECT_FALSE(ReleaseEndpoint(std::string(bad))) << bad;
}

}  // namespace
}  // namespace mf::update
