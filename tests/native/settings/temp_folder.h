#pragma once
// A fresh folder under the system's temporary folder for one test, removed afterwards,
// and byte-exact file helpers that do not go through the code under test.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace mf::settings::testing {

class TempFolder {
 public:
  TempFolder() {
    std::random_device entropy;
    for (int attempt = 0;; ++attempt) {
      path_ = std::filesystem::temp_directory_path() /
              ("mf1_settings_test_" + std::to_string(entropy()) + "_" + std::to_string(attempt));
      if (std::filesystem::create_directory(path_)) break;
    }
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::all, ignored);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored))
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add,
                                   ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // name is UTF-8, so tests can use Cyrillic names on every system.
  std::filesystem::path operator/(std::string_view name) const {
    return path_ / std::filesystem::path(std::u8string(name.begin(), name.end()));
  }

 private:
  std::filesystem::path path_;
};

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::optional<std::string> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Names in the folder, for checking that no temporary file was left behind.
inline std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace mf::settings::testing
