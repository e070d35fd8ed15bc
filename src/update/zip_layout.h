#pragma once
// Where a zip's entries lie in the file, read from its central directory: an archive whose
// records share their bytes (one stored stream read as several files) is refused.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mf::update {

struct ZipEntrySpan {
  std::uint64_t localHeaderOffset;
  std::uint64_t compressedSize;
};

// Reads `size` bytes at `offset` of the zip file; fewer when the file ends first.
using ReadZipBytes = std::function<std::string(std::uint64_t offset, std::size_t size)>;

// The span of every central-directory record (Zip64 included); nothing when the directory
// cannot be found or is malformed.
std::optional<std::vector<ZipEntrySpan>> ReadZipEntrySpans(std::uint64_t fileSize, const ReadZipBytes& read);

// Whether any entry's data begins before the previous entry's header and data have ended.
bool ZipEntriesOverlap(std::vector<ZipEntrySpan> spans);

}  // namespace mf::update
