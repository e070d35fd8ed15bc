#include "update/zip_extract_win.h"

#include <windows.h>
#include <zip.h>

#include <memory>
#include <vector>

#include "ui/win_handles_win.h"
#include "update/file_ops_win.h"
#include "update/update_log_win.h"
#include "update/zip_entry_name.h"

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

// Streams one entry into a new file. The Windows or zip error text on failure.
bool ExtractEntry(zip_t* archive, zip_uint64_t index, const std::filesystem::path& target, std::string& failure) {
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
  std::vector<char> buffer(1 << 20);
  for (;;) {
    zip_int64_t read = zip_fread(entry.get(), buffer.data(), buffer.size());
    if (read < 0) {
      failure = ErrorText(zip_file_get_error(entry.get()));
      return false;
    }
    if (read == 0) return true;
    DWORD written = 0;
    if (!::WriteFile(file.get(), buffer.data(), static_cast<DWORD>(read), &written, nullptr) || written != read) {
      failure = "cannot write file (" + std::to_string(::GetLastError()) + ")";
      return false;
    }
  }
}

}  // namespace

bool ExtractZip(const std::filesystem::path& zip, const std::filesystem::path& staging, std::string& error) {
  RemoveTree(staging);
  std::error_code code;
  std::filesystem::create_directories(staging, code);
  UniqueArchive archive = OpenArchive(zip, error);
  if (!archive) return false;

  zip_int64_t count = zip_get_num_entries(archive.get(), 0);
  for (zip_int64_t index = 0; index < count; ++index) {
    zip_stat_t stat;
    if (zip_stat_index(archive.get(), index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME)) continue;
    std::string name = stat.name;
    std::optional<std::filesystem::path> relative = StagingRelativePath(name);
    if (!relative) {
      UpdateLog("stage: skipped unsafe entry name: " + name);
      continue;
    }
    const std::filesystem::path target = staging / *relative;
    if (IsFolderEntryName(name)) {
      std::filesystem::create_directories(target, code);
      continue;
    }
    std::filesystem::create_directories(target.parent_path(), code);
    std::string failure;
    if (!ExtractEntry(archive.get(), index, target, failure)) {
      error = "extract failed: " + name + " - " + failure;
      return false;
    }
  }
  UpdateLog("stage: extracted " + std::to_string(count) + " entries to " + PathText(staging));
  return true;
}

}  // namespace mf::update
