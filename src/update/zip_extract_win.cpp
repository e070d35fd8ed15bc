#include "update/zip_extract_win.h"

#include <windows.h>
#include <zip.h>

#include <cstdint>
#include <memory>
#include <set>
#include <vector>

#include "ui/win_handles_win.h"
#include "update/extract_limits.h"
#include "update/file_ops_win.h"
#include "update/update_log_win.h"
#include "update/zip_entry_name.h"
#include "update/zip_layout.h"

namespace mf::update {
namespace {

struct ArchiveCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }  // read-only: nothing to write back
};
struct EntryCloser {
  void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};
using UniqueArchive = std::unique_ptr<zip_t, ArchiveCloser>;
using UniqueEntry = std::unique_ptr<zip_file_t, EntryCloser>;

std::string ErrorText(zip_error_t* error) {
  const char* text = zip_error_strerror(error);
  return text ? text : "unknown error";
}

// Opens through a wide path, so an installation or temporary folder with any letters in
// its name works.
UniqueArchive OpenArchive(const std::filesystem::path& zip, std::string& error) {
  zip_error_t openError;
  zip_error_init(&openError);
  zip_source_t* source = zip_source_win32w_create(zip.c_str(), 0, -1, &openError);
  if (!source) {
    error = "zip open failed: " + ErrorText(&openError);
    zip_error_fini(&openError);
    return nullptr;
  }
  zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &openError);
  if (!archive) {
    zip_source_free(source);
    error = "zip open failed: " + ErrorText(&openError);
  }
  zip_error_fini(&openError);
  return UniqueArchive(archive);
}

// Streams one entry into a new file, no further than its declared size: a longer stream
// is a corrupt or hostile archive, not a bigger file. The error text on failure.
bool ExtractEntry(zip_t* archive, zip_uint64_t index, zip_uint64_t declaredSize, const std::filesystem::path& target,
                  std::vector<char>& buffer, std::string& failure) {
  UniqueEntry entry(zip_fopen_index(archive, index, 0));
  if (!entry) {
    failure = ErrorText(zip_get_error(archive));
    return false;
  }
  win::UniqueFileHandle file(::CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    failure = "cannot create file (" + std::to_string(::GetLastError()) + ")";
    return false;
  }
  zip_uint64_t total = 0;
  for (;;) {
    zip_int64_t read = zip_fread(entry.get(), buffer.data(), buffer.size());
    if (read < 0) {
      failure = ErrorText(zip_file_get_error(entry.get()));
      return false;
    }
    if (read == 0) {
      if (total == declaredSize) return true;
      failure = "corrupt archive: " + std::to_string(total) + " bytes where " + std::to_string(declaredSize) +
                " were declared";
      return false;
    }
    total += static_cast<zip_uint64_t>(read);
    if (total > declaredSize) {
      failure = "corrupt archive: longer than its declared " + std::to_string(declaredSize) + " bytes";
      return false;
    }
    DWORD written = 0;
    if (!::WriteFile(file.get(), buffer.data(), static_cast<DWORD>(read), &written, nullptr) || written != read) {
      failure = "cannot write file (" + std::to_string(::GetLastError()) + ")";
      return false;
    }
  }
}

struct ZipEntry {
  zip_uint64_t index;
  std::string name;
  zip_uint64_t size;
};

std::vector<ZipEntry> ListEntries(zip_t* archive, zip_int64_t count) {
  std::vector<ZipEntry> entries;
  for (zip_int64_t index = 0; index < count; ++index) {
    zip_stat_t stat;
    if (zip_stat_index(archive, static_cast<zip_uint64_t>(index), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME))
      continue;
    entries.push_back({static_cast<zip_uint64_t>(index), stat.name, (stat.valid & ZIP_STAT_SIZE) ? stat.size : 0});
  }
  return entries;
}

std::uint64_t DeclaredTotal(const std::vector<ZipEntry>& entries) {
  std::uint64_t total = 0;
  for (const ZipEntry& entry : entries) total = entry.size > ~total ? ~0ull : total + entry.size;
  return total;
}

std::uint64_t FileSize(const std::filesystem::path& file) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Free bytes for this user on the folder's volume; unlimited when Windows cannot say, so
// an odd file system does not block every update.
std::uint64_t FreeSpace(const std::filesystem::path& folder) {
  ULARGE_INTEGER available;
  if (!::GetDiskFreeSpaceExW(folder.c_str(), &available, nullptr, nullptr)) return ~0ull;
  return available.QuadPart;
}

// True when the central directory lists records that share their bytes: one stored stream
// extracted as several files (a zip bomb's trick). A directory that cannot be read here is
// left to libzip, which has opened the archive already.
bool HasOverlappingRecords(const std::filesystem::path& zip) {
  win::UniqueFileHandle file(::CreateFileW(zip.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  auto read = [&](std::uint64_t offset, std::size_t size) {
    std::string bytes(size, '\0');
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    DWORD got = 0;
    if (!::SetFilePointerEx(file.get(), position, nullptr, FILE_BEGIN) ||
        !::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(size), &got, nullptr))
      got = 0;
    bytes.resize(got);
    return bytes;
  };
  std::optional<std::vector<ZipEntrySpan>> spans = ReadZipEntrySpans(FileSize(zip), read);
  return spans && ZipEntriesOverlap(std::move(*spans));
}

// Windows compares file names by upper-casing them with its own table.
std::wstring CaseFolded(std::wstring name) {
  if (!name.empty()) ::CharUpperBuffW(name.data(), static_cast<DWORD>(name.size()));
  return name;
}

// Bytes that are not UTF-8 would make the log unreadable: they are shown as \xNN.
std::string SafeForLog(const std::string& name) {
  std::string shown;
  for (unsigned char byte : name) {
    if (byte >= 0x20 && byte < 0x80) {
      shown += static_cast<char>(byte);
    } else {
      static constexpr char kHex[] = "0123456789ABCDEF";
      shown += "\\x";
      shown += kHex[byte >> 4];
      shown += kHex[byte & 15];
    }
  }
  return shown;
}

}  // namespace

bool ExtractZip(const std::filesystem::path& zip, const std::filesystem::path& staging, std::string& error) {
  if (!MakeFreshFolder(staging)) {
    error = "cannot create the staging folder " + PathText(staging) + " (" + std::to_string(::GetLastError()) + ")";
    return false;
  }
  UniqueArchive archive = OpenArchive(zip, error);
  if (!archive) return false;

  if (HasOverlappingRecords(zip)) {
    error = "corrupt archive: entries share their data (overlapping records)";
    return false;
  }
  zip_int64_t count = zip_get_num_entries(archive.get(), 0);
  std::vector<ZipEntry> entries = ListEntries(archive.get(), count);
  if (std::string refusal = CheckUnpackSpace({DeclaredTotal(entries), FileSize(zip), FreeSpace(staging),
                                              FreeSpace(staging.parent_path())}); !refusal.empty()) {
    error = refusal;
    return false;
  }
  UpdateLog("stage: extracting " + std::to_string(count) + " entries to " + PathText(staging));
  std::set<std::wstring> written;  // as a file system that ignores case sees the names
  std::vector<char> buffer(1 << 20);
  std::error_code code;
  for (const ZipEntry& entry : entries) {
    const std::string& name = entry.name;
    std::optional<std::filesystem::path> relative = StagingRelativePath(name);
    if (!relative) {
      UpdateLog("stage: skipped unsafe entry name: " + SafeForLog(name));
      continue;
    }
    const std::filesystem::path target = staging / *relative;
    if (IsFolderEntryName(name)) {
      std::filesystem::create_directories(target, code);
      continue;
    }
    if (!written.insert(CaseFolded(relative->native())).second) {
      UpdateLog("stage: skipped entry whose name differs from an earlier one only in case: " + name);
      continue;
    }
    std::filesystem::create_directories(target.parent_path(), code);
    std::string failure;
    if (!ExtractEntry(archive.get(), entry.index, entry.size, target, buffer, failure)) {
      error = "extract failed: " + name + " - " + failure;
      return false;
    }
  }
  UpdateLog("stage: extracted " + std::to_string(count) + " entries to " + PathText(staging));
  return true;
}

}  // namespace mf::update
