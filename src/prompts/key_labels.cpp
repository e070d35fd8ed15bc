#include "prompts/key_labels.h"

#include <array>
#include <cstdint>

namespace mf::prompts {
namespace {

struct FixedLabel {
  std::string_view name;  // lower case
  std::u16string_view label;
};

constexpr std::array<FixedLabel, 20> kFixedLabels = {{
    {"space", u"SPACE"},
    {"return", u"ENTER"},
    {"enter", u"ENTER"},
    {"control", u"CTRL"},
    {"ctrl", u"CTRL"},
    {"lcontrol", u"CTRL"},
    {"shift", u"SHIFT"},
    {"lshift", u"SHIFT"},
    {"alt", u"ALT"},
    {"menu", u"ALT"},
    {"escape", u"ESC"},
    {"tab", u"TAB"},
    {"backspace", u"BKSP"},
    {"capslock", u"CAPS"},
    {"wheelup", u"WHL\u2191"},
    {"wheeldown", u"WHL\u2193"},
    {"left", u"\u2190"},
    {"right", u"\u2192"},
    {"up", u"\u2191"},
    {"down", u"\u2193"},
}};

constexpr std::size_t kMaxPlainLabelBytes = 6;

std::string AsciiCase(std::string_view text, bool upper) {
  std::string result(text);
  for (char& c : result) {
    if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::u16string TokenLabel(std::string_view token) {
  const std::string lower = AsciiCase(token, false);
  for (const FixedLabel& fixed : kFixedLabels)
    if (fixed.name == lower) return std::u16string(fixed.label);
  std::string upper = AsciiCase(token, true);
  if (upper.size() > kMaxPlainLabelBytes) upper.resize(kMaxPlainLabelBytes);
  return Utf8ToUtf16(upper);
}

// Length of the valid UTF-8 sequence at the start of bytes and its code point; length 0
// when the bytes start no valid sequence.
std::size_t DecodeOne(std::string_view bytes, char32_t& codePoint) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
  const std::uint8_t lead = byte(0);
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  }
  std::size_t length;
  char32_t minimum;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, minimum = 0x80, codePoint = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, minimum = 0x800, codePoint = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, minimum = 0x10000, codePoint = lead & 0x07;
  } else {
    return 0;
  }
  if (bytes.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    codePoint = (codePoint << 6) | (byte(i) & 0x3F);
  }
  bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
  if (codePoint < minimum || codePoint > 0x10FFFF || surrogate) return 0;
  return length;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string result;
  while (!utf8.empty()) {
    char32_t codePoint = 0;
    std::size_t length = DecodeOne(utf8, codePoint);
    if (length == 0) {
      result.push_back(u'\uFFFD');
      utf8.remove_prefix(1);
      continue;
    }
    if (codePoint >= 0x10000) {
      codePoint -= 0x10000;
      result.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
      result.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
    } else {
      result.push_back(static_cast<char16_t>(codePoint));
    }
    utf8.remove_prefix(length);
  }
  return result;
}

std::u16string KeyCapLabel(std::string_view binding) {
  std::string_view chord = binding.substr(0, binding.find(','));
  std::u16string result;
  for (;;) {
    std::size_t plus = chord.find('+');
    std::u16string label = TokenLabel(TrimSpaces(chord.substr(0, plus)));
    if (!label.empty()) {
      if (!result.empty()) result += u'+';
      result += label;
    }
    if (plus == std::string_view::npos) break;
    chord.remove_prefix(plus + 1);
  }
  return result.empty() ? u"?" : result;
}

}  // namespace mf::prompts
