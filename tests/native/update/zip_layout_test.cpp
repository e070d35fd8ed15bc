#include "update/zip_layout.h"

#include <gtest/gtest.h>

namespace mf::update {
namespace {

void Put(std::string& bytes, std::uint64_t value, int width) {
  for (int i = 0; i < width; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

struct Record {
  std::uint32_t offset;
  std::uint32_t compressedSize;
  std::string name;
};

// A zip file's shape: `dataSize` bytes of entries, then the central directory, then its end.
std::string ZipWithDirectory(std::uint32_t dataSize, const std::vector<Record>& records) {
  std::string zip(dataSize, 'D'), directory;
  for (const Record& record : records) {
    Put(directory, 0x02014b50, 4);
    Put(directory, 20, 2), Put(directory, 20, 2), Put(directory, 0, 2), Put(directory, 8, 2);
    Put(directory, 0, 4), Put(directory, 0, 4);  // time, date, crc
    Put(directory, record.compressedSize, 4), Put(directory, record.compressedSize * 3, 4);
    Put(directory, record.name.size(), 2), Put(directory, 0, 2), Put(directory, 0, 2);
    Put(directory, 0, 2), Put(directory, 0, 2), Put(directory, 0, 4), Put(directory, record.offset, 4);
    directory += record.name;
  }
  zip += directory;
  Put(zip, 0x06054b50, 4), Put(zip, 0, 2), Put(zip, 0, 2);
  Put(zip, records.size(), 2), Put(zip, records.size(), 2), Put(zip, directory.size(), 4), Put(zip, dataSize, 4);
  Put(zip, 0, 2);
  return zip;
}

std::optional<std::vector<ZipEntrySpan>> Spans(const std::string& zip) {
  return ReadZipEntrySpans(zip.size(), [&](std::uint64_t offset, std::size_t size) {
    return offset >= zip.size() ? std::string() : zip.substr(offset, size);
  });
}

TEST(ZipLayout, EntriesOneAfterAnotherDoNotOverlap) {
  std::string zip = ZipWithDirectory(200, {{0, 40, "a.txt"}, {40 + 30 + 5, 10, "b.txt"}, {150, 20, "c/"}});
  std::optional<std::vector<ZipEntrySpan>> spans = Spans(zip);
  ASSERT_TRUE(spans);
  ASSERT_EQ(spans->size(), 3u);
  EXPECT_EQ((*spans)[1].localHeaderOffset, 75u);
  EXPECT_EQ((*spans)[1].compressedSize, 10u);
  EXPECT_FALSE(ZipEntriesOverlap(*spans));
}

TEST(ZipLayout, RecordsThatShareTheirBytesOverlap) {
  struct Case {
    const char* what;
    std::vector<Record> records;
  } cases[] = {
      {"two records, one stream", {{0, 40, "a.txt"}, {0, 40, "b.txt"}}},
      {"a record inside another's data", {{0, 100, "big.bin"}, {60, 10, "small.bin"}}},
      {"listed out of order", {{120, 10, "late"}, {0, 200, "early"}}},
  };
  for (const Case& c : cases) {
    std::optional<std::vector<ZipEntrySpan>> spans = Spans(ZipWithDirectory(300, c.records));
    ASSERT_TRUE(spans) << c.what;
    EXPECT_TRUE(ZipEntriesOverlap(*spans)) << c.what;
  }
}

TEST(ZipLayout, MalformedDirectoriesAreNotRead) {
  std::string good = ZipWithDirectory(100, {{0, 40, "a.txt"}});
  EXPECT_FALSE(Spans(""));
  EXPECT_FALSE(Spans("<!DOCTYPE html><html>Not Found</html>"));
  EXPECT_FALSE(Spans(good.substr(0, good.size() - 30)));  // the end record cut off
  std::string wrongCount = good;
  wrongCount[good.size() - 22 + 10] = 2;  // two records claimed, one there
  EXPECT_FALSE(Spans(wrongCount));
  std::string pastTheEnd = good;
  pastTheEnd[good.size() - 22 + 16] = static_cast<char>(0xF0);  // the directory starts past the file
  EXPECT_FALSE(Spans(pastTheEnd));
}

}  // namespace
}  // namespace mf::update
