#pragma once
// Line handling shared by the readers of mirefall.toml, launcher.ini and launcher.lang.
#include <string_view>
#include <vector>

namespace mf::settings {

inline constexpr std::string_view kLineBlanks = " \t\r\n";
inline constexpr std::string_view kSpaceTab = " \t";

// The text without a leading UTF-8 byte-order mark (older Notepad writes one).
std::string_view StripUtf8Bom(std::string_view text);

// True for text that starts with a UTF-16 byte-order mark (either byte order): Notepad's
// "Unicode" files, which are not UTF-8 and must not be read or mixed with UTF-8 lines.
bool StartsWithUtf16Bom(std::string_view text);

// The lines of a text file, without their line ends. LF, CR LF and a lone CR all end a line,
// so files saved on any system read the same; a final line end adds no empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

std::string_view TrimLeft(std::string_view text, std::string_view chars);
std::string_view TrimRight(std::string_view text, std::string_view chars);
std::string_view Trim(std::string_view text, std::string_view chars);

}  // namespace mf::settings
