#include "settings/file_io.h"

#include <fcntl.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <random>
#include <utility>
#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#else
#include <unistd.h>
#endif

#include "i18n/utf8.h"
#include "settings/file_replace.h"

namespace mf::settings {
namespace {

namespace fs = std::filesystem;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

UniqueFile OpenFileForReading(const fs::path& path) {
#ifdef _WIN32
  return UniqueFile(_wfopen(path.c_str(), L"rb"));
#else
  return UniqueFile(std::fopen(path.c_str(), "rb"));
#endif
}

// Creates the file only if nothing is at path yet, not even a link, so that no file is ever
// written through a name someone else made.
UniqueFile CreateNewFile(const fs::path& path) {
#ifdef _WIN32
  int descriptor = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (descriptor < 0) return nullptr;
  UniqueFile file(_fdopen(descriptor, "wb"));
  if (!file) _close(descriptor);
#else
  int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (descriptor < 0) return nullptr;
  UniqueFile file(::fdopen(descriptor, "wb"));
  if (!file) ::close(descriptor);
#endif
  return file;
}

bool WriteAndClose(UniqueFile file, std::string_view bytes) {
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  written = std::fflush(file.get()) == 0 && written;
  return std::fclose(file.release()) == 0 && written;
}

// A fresh temporary file beside target, named "mf1_" + the target's name + a random part,
// and created exclusively: a name that is taken (a leftover, a planted link) is never
// opened, another one is tried instead. Empty path when no file could be created.
std::pair<fs::path, UniqueFile> CreateTemporaryBeside(const fs::path& target) {
  std::random_device entropy;
  for (int attempt = 0; attempt < 16; ++attempt) {
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%08x%08x.tmp", entropy(), entropy());
    fs::path name = "mf1_";
    name += target.filename();  // wide on Windows: no code-page conversion of the name
    name += suffix;
    fs::path temporary = target.parent_path() / name;
    errno = 0;
    if (UniqueFile file = CreateNewFile(temporary)) return {temporary, std::move(file)};
    if (errno != EEXIST) break;
  }
  return {};
}

#ifdef _WIN32
std::u16string_view NativeUnits(const fs::path& path) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t));
  return {reinterpret_cast<const char16_t*>(path.native().data()), path.native().size()};
}
#endif

bool IsReadOnly(const fs::file_status& status) {
  return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const fs::path& path) {
  UniqueFile file = OpenFileForReading(path);
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

  auto [temporary, file] = CreateTemporaryBeside(target);
  if (!file) return false;
  if (!WriteAndClose(std::move(file), bytes)) {
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

// path.u8string() throws for a Windows name holding an unpaired surrogate, which NTFS allows.
std::string PathToUtf8(const fs::path& path) {
#ifdef _WIN32
  return i18n::Utf16ToUtf8(NativeUnits(path));
#else
  return path.native();  // already the bytes the system stores
#endif
}

std::optional<std::string> PathToExactUtf8(const fs::path& path) {
#ifdef _WIN32
  if (!i18n::IsWellFormedUtf16(NativeUnits(path))) return std::nullopt;
#endif
  return PathToUtf8(path);
}

}  // namespace mf::settings
