#include "app/launch_mode.h"

#include <climits>

namespace mf::app {

std::optional<ApplyUpdateRequest> ParseApplyUpdateRequest(const std::vector<std::string>& args) {
  if (args.size() < 5 || args[1] != "--apply-update") return std::nullopt;
  return ApplyUpdateRequest{args[2], args[3], ParseLeadingInt(args[4])};
}

bool MayAskForUpdateHelper(std::wstring_view commandLine) {
  std::wstring kept;
  kept.reserve(commandLine.size());
  for (wchar_t c : commandLine)
    if (c != L'"' && c != L'\\') kept += c;
  return kept.find(L"--apply-update") != std::wstring::npos;
}

int ParseLeadingInt(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > static_cast<long long>(INT_MAX) + 1) break;  // saturated either way
  }
  if (negative) return magnitude > static_cast<long long>(INT_MAX) ? INT_MIN : static_cast<int>(-magnitude);
  return magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
}

}  // namespace mf::app
