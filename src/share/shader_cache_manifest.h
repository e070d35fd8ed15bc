#pragma once
// What the shader-cache upload is made of: the list of cache files, the fingerprint that
// tells whether the cache changed since it was last shared, and the two texts handed to
// PowerShell (the message that goes with the upload and the script that does it).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mf::share {

struct CacheFile {
  std::string name;             // UTF-8, without folder
  std::uint64_t size = 0;       // bytes
  std::int64_t lastWrite = 0;   // Windows file time: 100-ns ticks since 1601-01-01
};

// True for the names the game gives its shareable cache files: the extension ".xsh" or
// ".xpso" (in any letter case, as Windows matches names).
bool IsShareableCacheFileName(std::string_view name);

// "name:size:lastWrite;" per file, in the order given.
std::string BuildManifest(const std::vector<CacheFile>& files);
std::uint64_t TotalSize(const std::vector<CacheFile>& files);

// 64-bit FNV-1a over the manifest, from the project's own starting value, as 16 lower-case
// hex digits.
std::string Fingerprint(std::string_view manifest);

// A cache worth sending: at least one file and more than 4095 bytes in all.
bool IsWorthSharing(const std::vector<CacheFile>& files);

// The JSON payload: {"content":"<message>"}, the message escaped as JSON requires whatever
// the file names hold.
std::string BuildPayloadJson(std::string_view launcherVersion, const std::vector<CacheFile>& files,
                             std::string_view fingerprint);

// The paths the script works on, as UTF-8 Windows paths.
struct ShareScriptPaths {
  std::string cacheFolder;
  std::string archive;
  std::string payload;
  std::string marker;
};

// The PowerShell script: zips the cache, posts it with curl.exe to the webhook and, when
// curl succeeds, writes the fingerprint into the marker file. Lines end in CR LF.
std::string BuildShareScript(const ShareScriptPaths& paths, std::string_view webhookUrl,
                             std::string_view fingerprint);

// text as a PowerShell single-quoted string literal: every quote character PowerShell
// takes as a single quote (' and the typographic ‘ ’ ‚ ‛) is doubled, so the literal holds
// exactly text.
std::string PowerShellQuoted(std::string_view text);

}  // namespace mf::share
