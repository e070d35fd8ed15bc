#include "update/download_check.h"

#include <cstdint>
#include <cstdio>

namespace mf::update {

std::optional<std::string> Sha256FromDigest(std::string_view digest) {
  constexpr std::string_view kPrefix = "sha256:";
  if (digest.size() != kPrefix.size() + 64 || digest.substr(0, kPrefix.size()) != kPrefix) return std::nullopt;
  std::string hex;
  for (char c : digest.substr(kPrefix.size())) {
    if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return std::nullopt;
    hex += c;
  }
  return hex;
}

std::optional<std::uint64_t> ParseContentLength(std::string_view text) {
  if (text.empty()) return std::nullopt;
  std::uint64_t length = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    std::uint64_t digit = static_cast<std::uint64_t>(c - '0');
    if (length > (UINT64_MAX - digit) / 10) return std::nullopt;
    length = length * 10 + digit;
  }
  return length;
}

bool IsCompleteDownload(const DownloadOutcome& outcome, const std::optional<std::string>& expectedSha256) {
  if (outcome.status != 200 || !outcome.transferEnded || outcome.contentLengthUnreadable) return false;
  if (outcome.contentLength && *outcome.contentLength != outcome.bytesWritten) return false;
  return !expectedSha256 || *expectedSha256 == outcome.sha256;
}

int ProgressPermille(std::uint64_t done, std::uint64_t total) {
  if (total == 0) return 0;
  if (done >= total) return 1000;
  return static_cast<int>(done * 1000 / total);
}

std::string ProgressText(const std::string& format, std::uint64_t done, std::uint64_t total) {
  char text[128];
  std::snprintf(text, sizeof text, format.c_str(), static_cast<unsigned long long>(done >> 20),
                static_cast<unsigned long long>(total >> 20));
  return text;
}

}  // namespace mf::update
