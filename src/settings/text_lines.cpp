#include "settings/text_lines.h"

namespace mf::settings {

std::string_view StripUtf8Bom(std::string_view text) {
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (text.substr(0, kBom.size()) == kBom) text.remove_prefix(kBom.size());
  return text;
}

bool StartsWithUtf16Bom(std::string_view text) {
  return text.substr(0, 2) == "\xFF\xFE" || text.substr(0, 2) == "\xFE\xFF";
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    size_t end = text.find_first_of("\r\n");
    if (end == std::string_view::npos) {
      lines.push_back(text);
      break;
    }
    lines.push_back(text.substr(0, end));
    size_t endLength = text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    text.remove_prefix(end + endLength);
  }
  return lines;
}

std::string_view TrimLeft(std::string_view text, std::string_view chars) {
  size_t start = text.find_first_not_of(chars);
  return start == std::string_view::npos ? std::string_view{} : text.substr(start);
}

std::string_view TrimRight(std::string_view text, std::string_view chars) {
  size_t last = text.find_last_not_of(chars);
  return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

std::string_view Trim(std::string_view text, std::string_view chars) { return TrimRight(TrimLeft(text, chars), chars); }

}  // namespace mf::settings
