#include "update/release_feed.h"

#include "update/version_compare.h"

namespace mf::update {
namespace {

constexpr std::string_view kAssetsKey = "\"assets\"";
constexpr std::string_view kUrlKey = "\"browser_download_url\"";
constexpr std::string_view kDigestKey = "\"digest\"";

// The quoted value after `keyEnd` (the position just past a quoted key): from the next ':'
// the next two double quotes. npos in `open` when either is missing.
struct QuotedValue {
  size_t open = std::string_view::npos;
  size_t close = std::string_view::npos;
};

QuotedValue ValueAfter(std::string_view body, size_t keyEnd) {
  size_t colon = body.find(':', keyEnd);
  if (colon == std::string_view::npos) return {};
  size_t open = body.find('"', colon);
  if (open == std::string_view::npos) return {};
  size_t close = body.find('"', open + 1);
  if (close == std::string_view::npos) return {};
  return {open, close};
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// The digest of the asset entry that lies between `from` and `to`: its last "digest" key,
// and only when the value right after the colon is a string (null means no digest).
std::string DigestBetween(std::string_view body, size_t from, size_t to) {
  std::string_view region = body.substr(from, to - from);
  size_t key = region.rfind(kDigestKey);
  if (key == std::string_view::npos) return {};
  size_t pos = key + kDigestKey.size();
  while (pos < region.size() && (region[pos] == ' ' || region[pos] == '\t' || region[pos] == '\r' ||
                                 region[pos] == '\n'))
    ++pos;
  if (pos >= region.size() || region[pos] != ':') return {};
  ++pos;
  while (pos < region.size() && (region[pos] == ' ' || region[pos] == '\t' || region[pos] == '\r' ||
                                 region[pos] == '\n'))
    ++pos;
  if (pos >= region.size() || region[pos] != '"') return {};
  size_t close = region.find('"', pos + 1);
  if (close == std::string_view::npos) return {};
  return std::string(region.substr(pos + 1, close - pos - 1));
}

}  // namespace

std::string JsonStringField(std::string_view body, std::string_view key) {
  std::string needle = "\"" + std::string(key) + "\"";
  size_t found = body.find(needle);
  if (found == std::string_view::npos) return {};
  size_t keyEnd = found + needle.size();
  if (keyEnd >= body.size()) return {};
  QuotedValue value = ValueAfter(body, keyEnd);
  if (value.open == std::string_view::npos) return {};
  return std::string(body.substr(value.open + 1, value.close - value.open - 1));
}

ZipAsset FindZipAsset(std::string_view body) {
  size_t scan = body.find(kAssetsKey);
  if (scan == std::string_view::npos) return {};
  while (true) {
    size_t key = body.find(kUrlKey, scan);
    if (key == std::string_view::npos) return {};
    QuotedValue value = ValueAfter(body, key + kUrlKey.size());
    if (value.open == std::string_view::npos) return {};
    std::string_view url = body.substr(value.open + 1, value.close - value.open - 1);
    if (url.size() >= 4 && EndsWith(url, ".zip") && url.find("MFRecomp") != std::string_view::npos)
      return {std::string(url), DigestBetween(body, scan, key)};
    scan = value.close + 1;
  }
}

std::optional<NewerRelease> FindNewerRelease(std::string_view body, std::string_view currentTag) {
  if (body.empty()) return std::nullopt;
  std::string tag = JsonStringField(body, "tag_name");
  if (tag.empty() || !IsNewerVersion(tag, currentTag)) return std::nullopt;
  ZipAsset zip = FindZipAsset(body);
  if (zip.url.empty()) return std::nullopt;
  return NewerRelease{std::move(tag), std::move(zip)};
}

}  // namespace mf::update
