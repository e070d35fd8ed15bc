#pragma once
// Which of its two roles the executable plays, decided from its command line.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mf::app {

// "--apply-update ZIP INSTALL_DIR OLD_PID": this process is the update helper.
struct ApplyUpdateRequest {
  std::string zipPath;     // UTF-8
  std::string installDir;  // UTF-8
  int oldProcessId = 0;
};

// The update-helper request when the arguments (program name first) ask for it; nothing
// means the normal launcher. The switch is case-sensitive and needs at least three
// arguments after it; anything beyond them is ignored.
std::optional<ApplyUpdateRequest> ParseApplyUpdateRequest(const std::vector<std::string>& args);

// False when no argument of this raw command line (as GetCommandLineW gives it) can be
// "--apply-update", so that the launcher need not split it at all (splitting loads the
// shell library, which start-up otherwise does without). Splitting only removes quotes and
// backslashes, and joins nothing across blanks, so the switch, if present, is still there
// once those are removed.
bool MayAskForUpdateHelper(std::wstring_view commandLine);

// Decimal integer at the start of the text, as the C runtime's atoi reads it: leading
// blanks, an optional sign, digits up to the first non-digit; no digits give 0; values
// beyond the int range saturate.
int ParseLeadingInt(std::string_view text);

}  // namespace mf::app
