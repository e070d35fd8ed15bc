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

// Just past the JSON string that opens at `open` (a double quote), escapes honoured; npos
// when the string does not end.
size_t PastString(std::string_view body, size_t open) {
  for (size_t i = open + 1; i < body.size(); ++i) {
    if (body[i] == '\\') {
      ++i;
    } else if (body[i] == '"') {
      return i + 1;
    }
  }
  return std::string_view::npos;
}

bool IsJsonSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

size_t SkipSpace(std::string_view body, size_t pos) {
  while (pos < body.size() && IsJsonSpace(body[pos])) ++pos;
  return pos;
}

// The element of the array that opens at `arrayOpen` ('[') in which `inside` lies: from its
// '{' to just past its '}' (or to the end of a truncated body). Empty when `inside` is not
// within an element object.
std::string_view ElementAround(std::string_view body, size_t arrayOpen, size_t inside) {
  int depth = 0;
  size_t elementStart = std::string_view::npos;
  for (size_t i = arrayOpen + 1; i < body.size(); ++i) {
    char c = body[i];
    if (c == '"') {
      size_t past = PastString(body, i);
      if (past == std::string_view::npos) break;
      i = past - 1;
    } else if (c == '{' || c == '[') {
      if (depth++ == 0 && c == '{') elementStart = i;
    } else if (c == '}' || c == ']') {
      if (depth == 0) break;  // the end of the array itself
      if (--depth == 0 && elementStart != std::string_view::npos) {
        if (elementStart <= inside && inside <= i) return body.substr(elementStart, i + 1 - elementStart);
        elementStart = std::string_view::npos;
      }
    }
  }
  if (elementStart != std::string_view::npos && elementStart <= inside) return body.substr(elementStart);
  return {};
}

// The raw string value of `key` among the object's own members (not those of objects nested
// in it); empty when the member is missing or not a string (null means no digest).
std::string OwnStringMember(std::string_view object, std::string_view key) {
  int depth = 0;
  for (size_t i = 0; i < object.size(); ++i) {
    char c = object[i];
    if (c == '{' || c == '[') {
      ++depth;
    } else if (c == '}' || c == ']') {
      --depth;
    } else if (c == '"') {
      size_t past = PastString(object, i);
      if (past == std::string_view::npos) return {};
      size_t colon = SkipSpace(object, past);
      if (depth == 1 && colon < object.size() && object[colon] == ':' && object.substr(i, past - i) == key) {
        size_t value = SkipSpace(object, colon + 1);
        if (value >= object.size() || object[value] != '"') return {};
        size_t valueEnd = PastString(object, value);
        if (valueEnd == std::string_view::npos) return {};
        return std::string(object.substr(value + 1, valueEnd - value - 2));
      }
      i = past - 1;
    }
  }
  return {};
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
  const size_t arrayOpen = body.find('[', scan);
  while (true) {
    size_t key = body.find(kUrlKey, scan);
    if (key == std::string_view::npos) return {};
    QuotedValue value = ValueAfter(body, key + kUrlKey.size());
    if (value.open == std::string_view::npos) return {};
    std::string_view url = body.substr(value.open + 1, value.close - value.open - 1);
    if (url.size() >= 4 && EndsWith(url, ".zip") && url.find("MFRecomp") != std::string_view::npos)
      return {std::string(url), arrayOpen == std::string_view::npos
                                    ? std::string()
                                    : OwnStringMember(ElementAround(body, arrayOpen, key), kDigestKey)};
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
