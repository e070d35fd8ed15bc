#include "update/zip_entry_name.h"

#include <array>
#include <cctype>
#include <string>

#include "i18n/utf8.h"

namespace mf::update {
namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

// CON, PRN, AUX, NUL, CONIN$, CONOUT$, CLOCK$ and COM/LPT with one digit name devices
// whatever follows the first dot ("nul.txt" is NUL), and trailing spaces before that dot
// do not count either. The digit may be 0 (reserved on some Windows versions) or a
// superscript 1, 2 or 3, which Windows treats as the same device as the plain digit.
bool IsDeviceName(std::string_view component) {
  std::string_view stem = component.substr(0, component.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  const std::string upper = Upper(stem);
  static constexpr std::array<std::string_view, 7> kPlain = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$",
                                                             "CLOCK$"};
  for (std::string_view device : kPlain)
    if (upper == device) return true;
  if (!upper.starts_with("COM") && !upper.starts_with("LPT")) return false;
  const std::string_view digit = std::string_view(upper).substr(3);
  if (digit.size() == 1) return digit[0] >= '0' && digit[0] <= '9';
  return digit == "\xC2\xB9" || digit == "\xC2\xB2" || digit == "\xC2\xB3";  // superscript one, two, three
}

bool IsPlainComponent(std::string_view component) {
  if (component.empty() || component == ".") return false;
  if (component.back() == '.' || component.back() == ' ') return false;
  for (char c : component) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || c == '<' || c == '>' || c == '"' || c == '|' || c == '?' || c == '*') return false;
  }
  return !IsDeviceName(component);
}

}  // namespace

bool IsFolderEntryName(std::string_view entryName) { return !entryName.empty() && IsSeparator(entryName.back()); }

std::optional<std::filesystem::path> StagingRelativePath(std::string_view entryName) {
  if (entryName.empty() || IsSeparator(entryName.front()) || !i18n::IsWellFormedUtf8(entryName)) return std::nullopt;
  if (entryName.find("..") != std::string_view::npos || entryName.find(':') != std::string_view::npos)
    return std::nullopt;
  while (!entryName.empty() && IsSeparator(entryName.back())) entryName.remove_suffix(1);
  std::filesystem::path relative;
  size_t start = 0;
  while (start <= entryName.size()) {
    size_t end = start;
    while (end < entryName.size() && !IsSeparator(entryName[end])) ++end;
    std::string_view component = entryName.substr(start, end - start);
    if (!IsPlainComponent(component)) return std::nullopt;
    relative /= std::filesystem::path(std::u8string(component.begin(), component.end()));
    start = end + 1;
  }
  return relative;
}

}  // namespace mf::update
