#include "update/release_feed.h"

#include <gtest/gtest.h>

namespace mf::update {
namespace {

// Shaped like the release API's answer: the release's own URLs first, then the assets.
std::string Feed(const std::string& tag, const std::string& assets) {
  return R"({"url":"https://api.example/repos/QuillworkDev/MFRecomp/releases/1",)"
         R"("assets_url":"https://api.example/repos/QuillworkDev/MFRecomp/releases/1/assets",)"
         R"("tag_name":")" + tag + R"(","name":"Release","assets":[)" + assets + R"(],"body":"notes"})";
}

std::string Asset(const std::string& url, const std::string& digestField = "") {
  return R"({"name":"a","uploader":{"login":"bot","url":"https://api.example/users/bot"},)"
         R"("content_type":"application/zip","size":10,)" + digestField +
         R"("browser_download_url":")" + url + R"("})";
}

constexpr const char* kGoodUrl = "https://github.com/QuillworkDev/MFRecomp/releases/download/v2.0.12/MFRecomp.zip";

TEST(JsonStringField, RawTextBetweenTheQuotesAfterTheKey) {
  EXPECT_EQ(JsonStringField(Feed("v2.0.12", ""), "tag_name"), "v2.0.12");
  EXPECT_EQ(JsonStringField(R"({"tag_name" :  "v3"})", "tag_name"), "v3");
  EXPECT_EQ(JsonStringField(R"({"tag_name":"a\"b"})", "tag_name"), "a\\");  // escapes are not read
  EXPECT_EQ(JsonStringField(R"({"message":"Not Found"})", "tag_name"), "");
  EXPECT_EQ(JsonStringField(R"({"tag_name")", "tag_name"), "");
  EXPECT_EQ(JsonStringField(R"({"tag_name":)", "tag_name"), "");
  EXPECT_EQ(JsonStringField(R"({"tag_name":"v2.0.1)", "tag_name"), "");  // truncated body
  EXPECT_EQ(JsonStringField("", "tag_name"), "");
}

TEST(FindZipAsset, FirstZipOfTheProjectInFeedOrder) {
  struct Case {
    const char* what;
    std::string assets;
    std::string url;
  } cases[] = {
      {"one zip", Asset(kGoodUrl), kGoodUrl},
      {"tar.gz only", Asset("https://github.com/QuillworkDev/MFRecomp/releases/download/v2/MFRecomp.tar.gz"), ""},
      {"zip of another project", Asset("https://github.com/Other/Thing/releases/download/v2/Thing.zip"), ""},
      {"upper-case .ZIP before a good one",
       Asset("https://github.com/QuillworkDev/MFRecomp/releases/download/v2/MFRecomp.ZIP") + "," + Asset(kGoodUrl),
       kGoodUrl},
      {"two zips", Asset(kGoodUrl) + "," + Asset("https://x/MFRecomp-second.zip"), kGoodUrl},
      {"no assets", "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FindZipAsset(Feed("v2.0.12", c.assets)).url, c.url) << c.what;
}

TEST(FindZipAsset, MalformedUrlEndsTheScan) {
  EXPECT_EQ(FindZipAsset(R"({"assets":[{"browser_download_url":"https://x/MFRecomp.zip)").url, "");
  // A value that is not a string: the quotes found are the next key's, and the scan goes
  // past the real URL.
  EXPECT_EQ(
      FindZipAsset(R"({"assets":[{"browser_download_url": 5}, {"browser_download_url":"https://x/MFRecomp.zip"}]})")
          .url,
      "");
}

TEST(FindZipAsset, TheAssetsUrlKeyIsNotTheAssetList) {
  EXPECT_EQ(FindZipAsset(R"({"assets_url":"x","browser_download_url":"https://x/MFRecomp.zip"})").url, "");
}

TEST(FindZipAsset, DigestOfTheChosenAssetOnly) {
  const std::string hex(64, 'a');
  const std::string otherHex(64, 'b');
  std::string assets = Asset("https://x/MFRecomp.tar.gz", R"("digest":"sha256:)" + otherHex + R"(",)") + "," +
                       Asset(kGoodUrl, R"("digest": "sha256:)" + hex + R"(",)");
  ZipAsset asset = FindZipAsset(Feed("v2.0.12", assets));
  EXPECT_EQ(asset.url, kGoodUrl);
  EXPECT_EQ(asset.digest, "sha256:" + hex);

  // The earlier asset's digest does not carry over to a zip that has none, and null is none.
  assets = Asset("https://x/MFRecomp.tar.gz", R"("digest":"sha256:)" + otherHex + R"(",)") + "," + Asset(kGoodUrl);
  EXPECT_EQ(FindZipAsset(Feed("v2.0.12", assets)).digest, "");
  EXPECT_EQ(FindZipAsset(Feed("v2.0.12", Asset(kGoodUrl, R"("digest":null,)"))).digest, "");
}

// A mirror may order an asset's fields differently: the digest belongs to the object that
// holds the URL, wherever it stands in it.
TEST(FindZipAsset, DigestFromTheSameAssetObjectInAnyFieldOrder) {
  const std::string hex(64, 'a'), otherHex(64, 'b');
  auto urlFirst = [](const std::string& url, const std::string& digestField) {
    return R"({"browser_download_url":")" + url + R"(","name":"a",)" + digestField +
           R"("uploader":{"login":"bot","digest":"sha256:)" + std::string(64, 'c') + R"("},"size":10})";
  };
  struct Case {
    const char* what;
    std::string assets;
    std::string digest;
  } cases[] = {
      {"URL before the digest", urlFirst(kGoodUrl, R"("digest":"sha256:)" + hex + R"(",)"), "sha256:" + hex},
      {"URL first, after an asset with a digest",
       urlFirst("https://x/MFRecomp.tar.gz", R"("digest":"sha256:)" + otherHex + R"(",)") + "," +
           urlFirst(kGoodUrl, R"("digest":"sha256:)" + hex + R"(",)"),
       "sha256:" + hex},
      {"URL first, no digest of its own, the next asset has one",
       urlFirst(kGoodUrl, "") + "," + urlFirst("https://x/MFRecomp.tar.gz", R"("digest":"sha256:)" + otherHex + R"(",)"),
       ""},
      {"a nested object's digest is not the asset's", urlFirst(kGoodUrl, R"("digest":null,)"), ""},
      {"quotes and braces inside strings",
       R"({"name":"a \"}{\" b","digest":"sha256:)" + hex + R"(","browser_download_url":")" + std::string(kGoodUrl) +
           R"("})",
       "sha256:" + hex},
      {"an asset object left unclosed", R"({"browser_download_url":")" + std::string(kGoodUrl) +
                                             R"(","digest":"sha256:)" + hex + R"(")",
       "sha256:" + hex},
  };
  for (const Case& c : cases) {
    ZipAsset asset = FindZipAsset(Feed("v2.0.12", c.assets));
    EXPECT_EQ(asset.url, kGoodUrl) << c.what;
    EXPECT_EQ(asset.digest, c.digest) << c.what;
  }
}

TEST(FindNewerRelease, OfferOnlyForANewerTagWithAZip) {
  struct Case {
    const char* what;
    std::string body;
    bool offered;
  } cases[] = {
      {"same version", Feed("v2.0.11", Asset(kGoodUrl)), false},
      {"same, upper-case V", Feed("V2.0.11", Asset(kGoodUrl)), false},
      {"same, no v", Feed("2.0.11", Asset(kGoodUrl)), false},
      {"same with .0", Feed("v2.0.11.0", Asset(kGoodUrl)), false},
      {"letters only", Feed("latest", Asset(kGoodUrl)), false},
      {"component out of range", Feed("v99999999999", Asset(kGoodUrl)), false},
      {"newer, no zip", Feed("v2.0.12", Asset("https://x/MFRecomp.tar.gz")), false},
      {"not found answer", R"({"message":"Not Found","documentation_url":"https://docs.example"})", false},
      {"rate limited", R"({"message":"API rate limit exceeded for 127.0.0.1."})", false},
      {"truncated", Feed("v2.0.12", Asset(kGoodUrl)).substr(0, 200), false},
      {"empty", "", false},
      {"newer patch", Feed("v2.0.12", Asset(kGoodUrl)), true},
      {"extra component", Feed("v2.0.11.1", Asset(kGoodUrl)), true},
      {"release candidate", Feed("v2.1-rc1", Asset(kGoodUrl)), true},
  };
  for (const Case& c : cases) {
    std::optional<NewerRelease> release = FindNewerRelease(c.body, "v2.0.11");
    EXPECT_EQ(release.has_value(), c.offered) << c.what;
    if (release) {
      EXPECT_EQ(release->zip.url, kGoodUrl) << c.what;
    }
  }
  EXPECT_EQ(FindNewerRelease(Feed("v2.0.12", Asset(kGoodUrl)), "v2.0.11")->tag, "v2.0.12");
}

}  // namespace
}  // namespace mf::update
