#pragma once
// Whole-file reading and writing for the launcher's small text files. Paths are
// std::filesystem::path, which is wide on Windows, so folders with non-ASCII names work.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace mf::settings {

// The file's bytes, or nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// True only when nothing is at path. A path whose state cannot be told (access denied
// on the folder) counts as present.
bool IsSurelyAbsent(const std::filesystem::path& path);

// Replaces the file's contents with bytes in one step: the bytes go to a temporary file in
// the same folder, created under a fresh random name that must not exist yet, which then
// takes the target's place, so a reader (or a crash) never meets
// a half-written file. A read-only target is left alone. On failure the old file stays as it
// was and the temporary file is removed.
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// The path as UTF-8 text, for messages. Works for every name Windows accepts: a unit that
// is no character (an unpaired surrogate) shows as U+FFFD.
std::string PathToUtf8(const std::filesystem::path& path);

// The path as UTF-8 text that names the same file again, or nothing when it cannot be
// written in UTF-8 (an unpaired surrogate in a Windows name).
std::optional<std::string> PathToExactUtf8(const std::filesystem::path& path);

}  // namespace mf::settings
