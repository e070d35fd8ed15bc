#include "update/download_check.h"

#include <gtest/gtest.h>

#include "update/sha256.h"

namespace mf::update {
namespace {

std::string Sha256Of(std::string_view data, size_t piece) {
  Sha256 hash;
  for (size_t i = 0; i < data.size(); i += piece) hash.Update(data.data() + i, std::min(piece, data.size() - i));
  return hash.HexDigest();
}

TEST(Sha256, KnownAnswersInAnyPieces) {
  EXPECT_EQ(Sha256Of("", 1), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(Sha256Of("abc", 1), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  const std::string twoBlocks = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
  for (size_t piece : {1, 7, 55, 56, 64, 1000})
    EXPECT_EQ(Sha256Of(twoBlocks, piece), "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  EXPECT_EQ(Sha256Of(std::string(1000000, 'a'), 4096),
            "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(Sha256FromDigest, OnlyTheSha256Form) {
  const std::string hex(64, 'a');
  EXPECT_EQ(Sha256FromDigest("sha256:" + hex), hex);
  EXPECT_EQ(Sha256FromDigest("sha256:" + std::string(64, 'F')), std::string(64, 'f'));
  EXPECT_FALSE(Sha256FromDigest(""));
  EXPECT_FALSE(Sha256FromDigest("sha512:" + hex));
  EXPECT_FALSE(Sha256FromDigest("sha256:" + hex.substr(1)));
  EXPECT_FALSE(Sha256FromDigest("sha256:" + hex.substr(1) + "g"));
  EXPECT_FALSE(Sha256FromDigest("SHA256:" + hex));
}

TEST(IsCompleteDownload, OnlyAWholeVerifiedBody) {
  const std::string digest(64, '1');
  DownloadOutcome good{200, 7000000, 7000000, true, digest};
  EXPECT_TRUE(IsCompleteDownload(good, digest));
  EXPECT_TRUE(IsCompleteDownload(good, std::nullopt));

  DownloadOutcome noLength = good;
  noLength.contentLength.reset();
  EXPECT_TRUE(IsCompleteDownload(noLength, std::nullopt));

  struct Case {
    const char* what;
    DownloadOutcome outcome;
  } failures[] = {
      {"404 page", {404, 120, 120, true, digest}},
      {"rate limited", {403, 120, 120, true, digest}},
      {"cut connection", {200, 7000000, 3500000, true, digest}},
      {"read error", {200, std::nullopt, 3500000, false, digest}},
      {"more than announced", {200, 10, 11, true, digest}},
      {"wrong digest", {200, 7000000, 7000000, true, std::string(64, '2')}},
  };
  for (const Case& c : failures) EXPECT_FALSE(IsCompleteDownload(c.outcome, digest)) << c.what;

  DownloadOutcome unreadableLength = noLength;
  unreadableLength.contentLengthUnreadable = true;
  EXPECT_FALSE(IsCompleteDownload(unreadableLength, std::nullopt)) << "a length that cannot be read is no length check";
}

TEST(ParseContentLength, DecimalDigitsOfAnyLengthWithinSixtyFourBits) {
  struct Case {
    std::string text;
    std::optional<std::uint64_t> length;
  } cases[] = {
      {"0", 0},
      {"160432128", 160432128},
      {"18446744073709551615", UINT64_MAX},
      {std::string(40, '0') + "300000", 300000},  // longer than any fixed query buffer
      {"18446744073709551616", std::nullopt},
      {"99999999999999999999999", std::nullopt},
      {"", std::nullopt},
      {"12 34", std::nullopt},
      {"-5", std::nullopt},
      {"0x10", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseContentLength(c.text), c.length) << c.text;
}

TEST(Progress, PermilleAndWholeMebibytes) {
  EXPECT_EQ(ProgressPermille(3500000, 7000000), 500);
  EXPECT_EQ(ProgressPermille(5, 0), 0);
  EXPECT_EQ(ProgressPermille(8, 7), 1000);
  EXPECT_EQ(ProgressText("%llu / %llu MB", 3500000, 7000000), "3 / 6 MB");
  EXPECT_EQ(ProgressText("%llu / %llu MB", 5, 0), "0 / 0 MB");
}

}  // namespace
}  // namespace mf::update
