#pragma once
// Shader-cache sharing as start-up runs it: the one-time consent question, then, while the
// player agrees, an upload of the cache each time it has changed.
#include <filesystem>

namespace mf::share {

// Asks for consent once (a Yes/No box without owner) and keeps the answer in launcher.ini.
// With consent, and when the cache differs from the one last uploaded, writes the upload
// script and its payload to the temporary folder and starts PowerShell hidden on it without
// waiting. Every failure ends the step silently; nothing is asked while launcher.ini cannot
// be read, since the answer could not be kept.
void ShareShaderCache(const std::filesystem::path& executableFolder);

// The cache folder beside the launcher: userdata\cache\shaders\shareable.
std::filesystem::path ShareableCacheFolder(const std::filesystem::path& executableFolder);

}  // namespace mf::share
