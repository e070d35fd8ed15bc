#pragma once
// When a downloaded release zip counts as received, and how its progress reads.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mf::update {

// The hex digits of a "sha256:<64 hex>" digest, lower-cased; nothing for any other form
// (no digest, another algorithm), which the download then does not check.
std::optional<std::string> Sha256FromDigest(std::string_view digest);

// A Content-Length header's value: decimal digits only, at most 2^64 - 1 (leading zeros
// allowed). Nothing for anything else, which the download then counts as a failure.
std::optional<std::uint64_t> ParseContentLength(std::string_view text);

struct DownloadOutcome {
  std::uint32_t status = 0;                   // HTTP status code
  std::optional<std::uint64_t> contentLength; // when the server sent one
  std::uint64_t bytesWritten = 0;
  bool transferEnded = false;                 // the body was read to its end without error
  std::string sha256;                         // hex digest of what was written
  bool contentLengthUnreadable = false;       // a length header that is not a length
};

// A complete download: status 200, the body read to its end, as many bytes as the server
// announced (a length header that cannot be read fails), and the published SHA-256 (when there is one) matched. An error page, a cut
// connection and a corrupted file all fail.
bool IsCompleteDownload(const DownloadOutcome& outcome, const std::optional<std::string>& expectedSha256);

// The progress bar's position in 0..1000; 0 while the total is unknown.
int ProgressPermille(std::uint64_t done, std::uint64_t total);

// The status line: `format` is the translated "%llu / %llu MB", filled with whole
// mebibytes received and expected.
std::string ProgressText(const std::string& format, std::uint64_t done, std::uint64_t total);

}  // namespace mf::update
