#pragma once
// Which names from a release zip may be written under the staging folder.
#include <filesystem>
#include <optional>
#include <string_view>

namespace mf::update {

// The path, relative to the staging folder, where an entry with this UTF-8 name goes;
// nothing when the entry must be skipped. Skipped: empty names; names that are not
// well-formed UTF-8 (they have no Windows spelling); names containing ".."
// or ':' (a drive, or an alternate data stream); names starting with '/' or '\'; any
// component that Windows would not keep as a plain file name - a device name such as
// CON, NUL, CONIN$, CLOCK$, COM0, COM1, COM¹ or LPT9 with or without an extension, a trailing dot or space, or a
// character Windows does not allow in file names. A trailing '/' marks a folder entry
// and is not part of the path.
std::optional<std::filesystem::path> StagingRelativePath(std::string_view entryName);

// Whether the name is a folder entry (ends in '/' or '\').
bool IsFolderEntryName(std::string_view entryName);

}  // namespace mf::update
