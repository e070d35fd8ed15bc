#include "update/version_compare.h"

#include <algorithm>
#include <limits>

namespace mf::update {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<VersionNumber> ParseVersion(std::string_view tag) {
  if (!tag.empty() && (tag.front() == 'v' || tag.front() == 'V')) tag.remove_prefix(1);
  VersionNumber components;
  size_t pos = 0;
  while (pos < tag.size()) {
    size_t end = pos;
    std::int64_t value = 0;
    while (end < tag.size() && IsDigit(tag[end])) {
      value = value * 10 + (tag[end] - '0');
      if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
      ++end;
    }
    if (end == pos) break;
    components.push_back(static_cast<std::int32_t>(value));
    if (end == tag.size() || tag[end] != '.') break;
    pos = end + 1;
  }
  return components;
}

bool IsNewerVersion(std::string_view remote, std::string_view current) {
  std::optional<VersionNumber> a = ParseVersion(remote), b = ParseVersion(current);
  if (!a || !b) return false;
  size_t count = std::max(a->size(), b->size());
  for (size_t i = 0; i < count; ++i) {
    std::int32_t x = i < a->size() ? (*a)[i] : 0, y = i < b->size() ? (*b)[i] : 0;
    if (x != y) return x > y;
  }
  return false;
}

}  // namespace mf::update
