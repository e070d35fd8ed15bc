#pragma once
// Reading the release feed's JSON answer ("releases/latest") by plain substring search:
// only two things matter, the tag and the zip asset, and both are found without parsing.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace mf::update {

// The raw text of the first string value after the quoted key: the bytes between the two
// double quotes that follow the next ':'. Escapes are not interpreted. Empty when absent.
std::string JsonStringField(std::string_view body, std::string_view key);

struct ZipAsset {
  std::string url;     // the asset's "browser_download_url"
  std::string digest;  // its "digest" when the feed gives one, such as "sha256:<64 hex>"
};

// The first asset, in feed order, whose download URL ends in ".zip" (exact case) and
// contains "MFRecomp". An empty URL when there is none, or when a URL is malformed (the
// scan stops there). The digest is the one given in the same asset object as the URL,
// wherever the feed places it among the asset's fields.
ZipAsset FindZipAsset(std::string_view body);

// The most of the feed's answer the check reads: the real one is about 10 KB, and a server
// that sends without end must not fill the launcher's memory.
inline constexpr std::size_t kMaxFeedBytes = 4 * 1024 * 1024;

// What the release check publishes: a tag newer than ours and its zip.
struct NewerRelease {
  std::string tag;  // exactly as the feed gives it
  ZipAsset zip;
};

// The release in the feed's answer when its tag is newer than `currentTag` and it has a
// zip asset; nothing otherwise (an error answer, an older or unreadable tag, no zip).
std::optional<NewerRelease> FindNewerRelease(std::string_view body, std::string_view currentTag);

}  // namespace mf::update
