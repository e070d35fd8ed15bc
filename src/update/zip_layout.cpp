#include "update/zip_layout.h"

#include <algorithm>

namespace mf::update {
namespace {

constexpr std::uint32_t kEndOfDirectory = 0x06054b50, kZip64Locator = 0x07064b50, kZip64End = 0x06064b50,
                        kDirectoryRecord = 0x02014b50;
constexpr std::size_t kEndSize = 22, kLocatorSize = 20, kZip64EndSize = 56, kRecordSize = 46, kLocalHeaderSize = 30;
constexpr std::size_t kLargestComment = 0xFFFF;
// A directory larger than this is no release of ours.
constexpr std::uint64_t kLargestDirectory = 64ull << 20;

std::uint64_t Little(const std::string& bytes, std::size_t at, int width) {
  std::uint64_t value = 0;
  for (int i = width - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// The Zip64 extra field replaces the record's values that are all ones, in this order.
void ApplyZip64Extra(const std::string& extra, bool sizeIsWide, bool compressedIsWide, bool offsetIsWide,
                     ZipEntrySpan& span) {
  for (std::size_t at = 0; at + 4 <= extra.size();) {
    const std::uint64_t id = Little(extra, at, 2), length = Little(extra, at + 2, 2);
    if (at + 4 + length > extra.size()) return;
    if (id == 1) {
      std::size_t field = at + 4;
      const std::size_t end = field + length;
      if (sizeIsWide) field += 8;
      if (compressedIsWide && field + 8 <= end) span.compressedSize = Little(extra, field, 8), field += 8;
      if (offsetIsWide && field + 8 <= end) span.localHeaderOffset = Little(extra, field, 8);
      return;
    }
    at += 4 + length;
  }
}

}  // namespace

std::optional<std::vector<ZipEntrySpan>> ReadZipEntrySpans(std::uint64_t fileSize, const ReadZipBytes& read) {
  if (fileSize < kEndSize) return std::nullopt;
  const std::uint64_t tailStart = fileSize > kEndSize + kLargestComment ? fileSize - kEndSize - kLargestComment : 0;
  const std::string tail = read(tailStart, static_cast<std::size_t>(fileSize - tailStart));
  if (tail.size() < kEndSize) return std::nullopt;
  std::size_t end = tail.size() - kEndSize + 1;
  do {
    --end;
  } while (end > 0 && Little(tail, end, 4) != kEndOfDirectory);
  if (Little(tail, end, 4) != kEndOfDirectory) return std::nullopt;

  std::uint64_t count = Little(tail, end + 10, 2), size = Little(tail, end + 12, 4), offset = Little(tail, end + 16, 4);
  if (count == 0xFFFF || size == 0xFFFFFFFF || offset == 0xFFFFFFFF) {
    const std::uint64_t endOffset = tailStart + end;
    if (endOffset < kLocatorSize) return std::nullopt;
    const std::string locator = read(endOffset - kLocatorSize, kLocatorSize);
    if (locator.size() != kLocatorSize || Little(locator, 0, 4) != kZip64Locator) return std::nullopt;
    const std::string zip64 = read(Little(locator, 8, 8), kZip64EndSize);
    if (zip64.size() != kZip64EndSize || Little(zip64, 0, 4) != kZip64End) return std::nullopt;
    count = Little(zip64, 32, 8), size = Little(zip64, 40, 8), offset = Little(zip64, 48, 8);
  }
  if (size > kLargestDirectory || offset > fileSize || size > fileSize - offset) return std::nullopt;
  const std::string directory = read(offset, static_cast<std::size_t>(size));
  if (directory.size() != size) return std::nullopt;

  std::vector<ZipEntrySpan> spans;
  std::size_t at = 0;
  for (std::uint64_t index = 0; index < count; ++index) {
    if (at + kRecordSize > directory.size() || Little(directory, at, 4) != kDirectoryRecord) return std::nullopt;
    const std::size_t nameLength = Little(directory, at + 28, 2), extraLength = Little(directory, at + 30, 2),
                      commentLength = Little(directory, at + 32, 2);
    const std::size_t next = at + kRecordSize + nameLength + extraLength + commentLength;
    if (next > directory.size()) return std::nullopt;
    ZipEntrySpan span{Little(directory, at + 42, 4), Little(directory, at + 20, 4)};
    ApplyZip64Extra(directory.substr(at + kRecordSize + nameLength, extraLength),
                    Little(directory, at + 24, 4) == 0xFFFFFFFF, span.compressedSize == 0xFFFFFFFF,
                    span.localHeaderOffset == 0xFFFFFFFF, span);
    spans.push_back(span);
    at = next;
  }
  return spans;
}

bool ZipEntriesOverlap(std::vector<ZipEntrySpan> spans) {
  std::sort(spans.begin(), spans.end(),
            [](const ZipEntrySpan& a, const ZipEntrySpan& b) { return a.localHeaderOffset < b.localHeaderOffset; });
  for (std::size_t i = 1; i < spans.size(); ++i) {
    const ZipEntrySpan& previous = spans[i - 1];
    // The local header is at least this long, before its name and the data.
    const std::uint64_t previousEnd = previous.localHeaderOffset + kLocalHeaderSize + previous.compressedSize;
    if (previousEnd < previous.localHeaderOffset || spans[i].localHeaderOffset < previousEnd) return true;
  }
  return false;
}

}  // namespace mf::update
