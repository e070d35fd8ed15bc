#pragma once
// The command line that starts the update helper, built so that CommandLineToArgvW gives
// every argument back exactly.
#include <string>
#include <string_view>

namespace mf::update {

// The argument in double quotes, with the backslashes before a quote (and before the
// closing quote) doubled and quotes escaped: "G:\" would otherwise end as G:" and swallow
// the arguments after it.
std::wstring QuoteArgument(std::wstring_view argument);

// "<helper>" --apply-update "<zip>" "<install folder>" <process id>
std::wstring HelperCommandLine(std::wstring_view helperPath, std::wstring_view zipPath,
                               std::wstring_view installFolder, unsigned long processId);

}  // namespace mf::update
