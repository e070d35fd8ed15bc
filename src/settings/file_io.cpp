#include "settings/file_io.h"

#include <cstdio>
#include <memory>

namespace mf::settings {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

UniqueFile OpenForReading(const std::filesystem::path& path) {
#ifdef _WIN32
  return UniqueFile(_wfopen(path.c_str(), L"rb"));
#else
  return UniqueFile(std::fopen(path.c_str(), "rb"));
#endif
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
  UniqueFile file = OpenForReading(path);
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

}  // namespace mf::settings
