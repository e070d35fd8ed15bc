#include "update/helper_command_line.h"

namespace mf::update {

std::wstring QuoteArgument(std::wstring_view argument) {
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count double only before a quote.
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  quoted += L'"';
  return quoted;
}

std::wstring HelperCommandLine(std::wstring_view helperPath, std::wstring_view zipPath,
                               std::wstring_view installFolder, unsigned long processId) {
  return QuoteArgument(helperPath) + L" --apply-update " + QuoteArgument(zipPath) + L" " +
         QuoteArgument(installFolder) + L" " + std::to_wstring(processId);
}

}  // namespace mf::update
