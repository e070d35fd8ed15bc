// Every fixed English text the program passes for display has a Ukrainian row, so a
// Ukrainian player never meets a stray English string.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "i18n/translate.h"
#include "source_literals.h"

namespace mf::i18n::testing {
namespace {

bool IsSourceFile(const std::filesystem::path& path) {
  const std::string extension = path.extension().string();
  return extension == ".cpp" || extension == ".h" || extension == ".hpp" || extension == ".cc" ||
         extension == ".inl";
}

std::vector<SourceFile> ReadSources(const std::filesystem::path& root) {
  std::vector<SourceFile> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file() || !IsSourceFile(entry.path())) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    files.push_back({entry.path().lexically_relative(root).generic_string(), std::move(text)});
  }
  return files;
}

TEST(SourceCoverageTest, EveryDisplayedLiteralHasATranslation) {
  const std::filesystem::path root = MF_SOURCE_DIR;
  std::error_code error;
  if (!std::filesystem::is_directory(root, error)) {
#ifdef _WIN32
    GTEST_SKIP() << "source folder not reachable from here: " << MF_SOURCE_DIR;
#else
    FAIL() << "source folder missing: " << MF_SOURCE_DIR;
#endif
  }

  const std::vector<SourceFile> files = ReadSources(root);
  ASSERT_FALSE(files.empty());
  const std::vector<DisplayedText> texts = FindDisplayedTexts(files);
  ASSERT_FALSE(texts.empty()) << "the scan found no displayed text at all; is the scanner still right?";

  std::ostringstream missing;
  int missingCount = 0;
  for (const DisplayedText& text : texts) {
    if (FindUkrainian(text.text) == nullptr) {
      ++missingCount;
      missing << "  " << text.where << ": \"" << text.text << "\"\n";
    }
  }
  EXPECT_EQ(missingCount, 0) << "displayed texts without a Ukrainian row:\n" << missing.str();
}

}  // namespace
}  // namespace mf::i18n::testing
