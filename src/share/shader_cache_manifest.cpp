#include "share/shader_cache_manifest.h"

#include <array>
#include <cstdio>

#include "settings/toml_text.h"

namespace mf::share {
namespace {

constexpr std::uint64_t kFnvPrime = 0x100000001b3ULL;
// The project's own starting value in place of FNV's usual offset basis, so its
// fingerprints are not those of any other cache list.
constexpr std::uint64_t kFingerprintBasis = 0x14650fb0739d0383ULL;

constexpr std::uint64_t kSmallestSharedCache = 4096;

// UTF-8 spellings of the characters PowerShell accepts as single quotes.
constexpr std::array<std::string_view, 5> kPowerShellSingleQuotes = {"'", "\xE2\x80\x98", "\xE2\x80\x99",
                                                                     "\xE2\x80\x9A", "\xE2\x80\x9B"};

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  text = text.substr(text.size() - suffix.size());
  for (size_t i = 0; i < suffix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != suffix[i]) return false;
  }
  return true;
}

std::string Kib(std::uint64_t bytes) { return std::to_string(bytes >> 10); }

// The one-line message that goes with the upload.
std::string UploadMessage(std::string_view launcherVersion, const std::vector<CacheFile>& files,
                          std::string_view fingerprint) {
  std::string message = "MFRecomp shader cache | launcher " + std::string(launcherVersion) + " | ";
  for (const CacheFile& file : files) message += file.name + " " + Kib(file.size) + "KB, ";
  message += "total " + Kib(TotalSize(files)) + " KB | fp " + std::string(fingerprint);
  return message;
}

}  // namespace

bool IsShareableCacheFileName(std::string_view name) {
  return EndsWithIgnoringCase(name, ".xsh") || EndsWithIgnoringCase(name, ".xpso");
}

std::string BuildManifest(const std::vector<CacheFile>& files) {
  std::string manifest;
  for (const CacheFile& file : files)
    manifest += file.name + ":" + std::to_string(file.size) + ":" + std::to_string(file.lastWrite) + ";";
  return manifest;
}

std::uint64_t TotalSize(const std::vector<CacheFile>& files) {
  std::uint64_t total = 0;
  for (const CacheFile& file : files) total += file.size;
  return total;
}

std::string Fingerprint(std::string_view manifest) {
  std::uint64_t hash = kFingerprintBasis;
  for (unsigned char byte : manifest) {
    hash ^= byte;
    hash *= kFnvPrime;
  }
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return hex;
}

bool IsWorthSharing(const std::vector<CacheFile>& files) {
  return !files.empty() && TotalSize(files) >= kSmallestSharedCache;
}

std::string BuildPayloadJson(std::string_view launcherVersion, const std::vector<CacheFile>& files,
                             std::string_view fingerprint) {
  // A TOML basic string, as the settings writer quotes it, is also a JSON string: the same
  // escapes for quotes, backslashes and control characters, and valid UTF-8 throughout.
  return "{\"content\":" + settings::QuoteTomlString(UploadMessage(launcherVersion, files, fingerprint)) + "}";
}

std::string BuildShareScript(const ShareScriptPaths& paths, std::string_view webhookUrl,
                             std::string_view fingerprint) {
  const std::string lines[] = {
      "$ErrorActionPreference = 'Stop'",
      "$src = " + PowerShellQuoted(paths.cacheFolder),
      "$zip = " + PowerShellQuoted(paths.archive),
      "$jf = " + PowerShellQuoted(paths.payload),
      "Remove-Item -LiteralPath $zip -ErrorAction SilentlyContinue",
      // Literal paths only: -Path would read the brackets of a folder such as "Mirefall [GOG]" as
      // a wildcard set, match nothing and leave the archive empty.
      "$files = @(Get-ChildItem -LiteralPath $src -File | Where-Object { $_.Extension -eq '.xsh' -or "
      "$_.Extension -eq '.xpso' } | ForEach-Object { $_.FullName })",
      "Compress-Archive -LiteralPath $files -DestinationPath $zip -Force",
      "$marker = " + PowerShellQuoted(paths.marker),
      "& curl.exe -s -S -f -F \"payload_json=<$jf\" -F \"file=@$zip\" " + PowerShellQuoted(webhookUrl) +
          " | Out-Null",
      "if ($LASTEXITCODE -eq 0) { [IO.File]::WriteAllText($marker, " + PowerShellQuoted(fingerprint) + ") }",
      "Remove-Item -LiteralPath $zip, $jf -ErrorAction SilentlyContinue",
  };
  std::string script;
  for (const std::string& line : lines) script += line + "\r\n";
  return script;
}

std::string PowerShellQuoted(std::string_view text) {
  std::string quoted = "'";
  for (size_t i = 0; i < text.size();) {
    bool wasQuote = false;
    for (std::string_view quote : kPowerShellSingleQuotes) {
      if (text.substr(i, quote.size()) != quote) continue;
      quoted.append(quote).append(quote);
      i += quote.size();
      wasQuote = true;
      break;
    }
    if (!wasQuote) quoted += text[i++];
  }
  return quoted + "'";
}

}  // namespace mf::share
