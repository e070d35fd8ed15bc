#include "settings/file_io.h"

#include <cstdio>
#include <memory>

#include "settings/file_replace.h"

namespace mf::settings {
namespace {

namespace fs = std::filesystem;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

UniqueFile OpenFile(const fs::path& path, bool forWriting) {
#ifdef _WIN32
  return UniqueFile(_wfopen(path.c_str(), forWriting ? L"wb" : L"rb"));
#else
  return UniqueFile(std::fopen(path.c_str(), forWriting ? "wb" : "rb"));
#endif
}

bool WriteNewFile(const fs::path& path, std::string_view bytes) {
  UniqueFile file = OpenFile(path, true);
  if (!file) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  written = std::fflush(file.get()) == 0 && written;
  return std::fclose(file.release()) == 0 && written;
}

bool IsReadOnly(const fs::file_status& status) {
  return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const fs::path& path) {
  UniqueFile file = OpenFile(path, false);
  if (!file) return std::nullopt;
  std::string bytes;
  char chunk[16384];
  for (;;) {
    size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
    bytes.append(chunk, got);
    if (got < sizeof chunk) break;
  }
  if (std::ferror(file.get())) return std::nullopt;
  return bytes;
}

bool IsSurelyAbsent(const fs::path& path) {
  std::error_code error;
  return fs::status(path, error).type() == fs::file_type::not_found;
}

bool WriteFileAtomically(const fs::path& target, std::string_view bytes) {
  std::error_code error;
  fs::file_status targetStatus = fs::status(target, error);
  bool targetExists = fs::exists(targetStatus);
  // Renaming over a read-only file works on some systems; the player marked it read-only to
  // keep it as it is, so treat it as unwritable everywhere.
  if (targetExists && IsReadOnly(targetStatus)) return false;

  fs::path temporary = target;
  temporary += ".mf1_new";
  if (!WriteNewFile(temporary, bytes)) {
    fs::remove(temporary, error);
    return false;
  }
  if (targetExists) fs::permissions(temporary, targetStatus.permissions(), error);  // keep the old file's mode
  if (!ReplaceFileWith(temporary, target)) {
    fs::remove(temporary, error);
    return false;
  }
  return true;
}

std::string PathToUtf8(const fs::path& path) {
  std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

}  // namespace mf::settings
