#include "share/shader_cache_manifest.h"

#include <gtest/gtest.h>

#include <optional>

#include "powershell_literal.h"

namespace mf::share {
namespace {

// FNV-1a as its authors describe it, written out here from its definition, with the
// launcher's own starting value.
std::string ReferenceFingerprint(std::string_view bytes) {
  unsigned long long hash = 0x14650fb0739d0383ULL;
  for (unsigned char byte : bytes) hash = (hash ^ byte) * 0x100000001b3ULL;
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", hash);
  return hex;
}

// The text of a JSON string whose opening quote is at text[at]; nothing when the string
// breaks JSON's rules (a raw control character, an unknown escape, no closing quote).
// Escaped code points above 0x7F are not needed here and count as broken.
std::optional<std::string> DecodeJsonString(std::string_view text, size_t& at) {
  if (at >= text.size() || text[at] != '"') return std::nullopt;
  std::string decoded;
  for (++at; at < text.size(); ++at) {
    unsigned char c = static_cast<unsigned char>(text[at]);
    if (c == '"') {
      ++at;
      return decoded;
    }
    if (c < 0x20) return std::nullopt;
    if (c != '\\') {
      decoded += static_cast<char>(c);
      continue;
    }
    if (++at >= text.size()) return std::nullopt;
    switch (text[at]) {
      case '"': decoded += '"'; break;
      case '\\': decoded += '\\'; break;
      case '/': decoded += '/'; break;
      case 'b': decoded += '\b'; break;
      case 'f': decoded += '\f'; break;
      case 'n': decoded += '\n'; break;
      case 'r': decoded += '\r'; break;
      case 't': decoded += '\t'; break;
      case 'u': {
        if (at + 4 >= text.size()) return std::nullopt;
        unsigned code = std::stoul(std::string(text.substr(at + 1, 4)), nullptr, 16);
        if (code > 0x7F) return std::nullopt;
        decoded += static_cast<char>(code);
        at += 4;
        break;
      }
      default: return std::nullopt;
    }
  }
  return std::nullopt;
}

// The "content" member of a payload that must be exactly {"content":"..."}.
std::optional<std::string> PayloadContent(std::string_view json) {
  constexpr std::string_view kOpening = "{\"content\":";
  if (json.substr(0, kOpening.size()) != kOpening) return std::nullopt;
  size_t at = kOpening.size();
  std::optional<std::string> content = DecodeJsonString(json, at);
  if (!content || json.substr(at) != "}") return std::nullopt;
  return content;
}

TEST(ShaderCacheFiles, OnlyShaderAndPipelineFilesCount) {
  for (const char* name : {"a.xsh", "pipelines.xpso", "UPPER.XSH", "Mixed.XpSo", ".xsh"})
    EXPECT_TRUE(IsShareableCacheFileName(name)) << name;
  for (const char* name : {"a.xsh.tmp", "a.xs", "axsh", ".shared_fp", "a.xpso.bak", "readme.txt", ""})
    EXPECT_FALSE(IsShareableCacheFileName(name)) << name;
}

TEST(ShaderCacheFingerprint, ManifestAndHashOfKnownCaches) {
  struct Case {
    std::vector<CacheFile> files;
    std::string manifest;
    std::string fingerprint;  // worked out apart from the code under test
  } cases[] = {
      {{}, "", "14650fb0739d0383"},
      {{{"a.xsh", 5000, 133497000000000000}, {"b.xpso", 4096, -1}},
       "a.xsh:5000:133497000000000000;b.xpso:4096:-1;",
       "8ba5fdac232ebee6"},
      {{{"\xD1\x88\xD0\xB5\xD0\xB9\xD0\xB4\xD0\xB5\xD1\x80.xsh", 70000, 0}},
       "\xD1\x88\xD0\xB5\xD0\xB9\xD0\xB4\xD0\xB5\xD1\x80.xsh:70000:0;",
       "4e850237af9cce1d"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BuildManifest(c.files), c.manifest);
    EXPECT_EQ(Fingerprint(c.manifest), c.fingerprint);
    EXPECT_EQ(Fingerprint(c.manifest), ReferenceFingerprint(c.manifest));
  }
  // One changed byte anywhere (here the last-write time) gives another fingerprint.
  EXPECT_NE(Fingerprint("a.xsh:5000:133497000000000001;b.xpso:4096:-1;"), "8ba5fdac232ebee6");
}

TEST(ShaderCacheFingerprint, SmallCachesAreNotWorthSharing) {
  EXPECT_FALSE(IsWorthSharing({}));
  EXPECT_FALSE(IsWorthSharing({{"a.xsh", 4095, 0}}));
  EXPECT_FALSE(IsWorthSharing({{"a.xsh", 0, 0}, {"b.xpso", 4095, 0}}));
  EXPECT_TRUE(IsWorthSharing({{"a.xsh", 4096, 0}}));
  EXPECT_TRUE(IsWorthSharing({{"a.xsh", 2048, 0}, {"b.xpso", 2048, 0}}));
}

TEST(ShaderCachePayload, MessageListsFilesInKibibytes) {
  std::vector<CacheFile> files = {{"a.xsh", 5000, 1}, {"b.xpso", 1023, 2}, {"c.xsh", 1u << 20, 3}};
  EXPECT_EQ(BuildPayloadJson("v2.0.11", files, "0123456789abcdef"),
            "{\"content\":\"MFRecomp shader cache | launcher v2.0.11 | a.xsh 4KB, b.xpso 0KB, c.xsh 1024KB, "
            "total 1029 KB | fp 0123456789abcdef\"}");
}

TEST(ShaderCachePayload, ValidJsonWhateverTheNamesHold) {
  const std::string names[] = {"say \"hi\".xsh", "back\\slash.xsh", "tab\there.xsh", "line\nbreak.xsh",
                               std::string("nul\x01" "bell\x07.xsh"), "\xD0\xBA\xD0\xB5\xD1\x88.xpso",
                               "slash/and\x7F.xsh"};
  for (const std::string& name : names) {
    std::optional<std::string> content = PayloadContent(BuildPayloadJson("v2.0.11", {{name, 8192, 0}}, "fp"));
    ASSERT_TRUE(content) << name;
    EXPECT_EQ(*content, "MFRecomp shader cache | launcher v2.0.11 | " + name + " 8KB, total 8 KB | fp fp");
  }
}

TEST(ShaderCacheScript, LinesInOrderWithCrLf) {
  ShareScriptPaths paths = {"C:\\Games\\Mirefall\\userdata\\cache\\shaders\\shareable",
                            "C:\\Temp\\MFRecomp_shadercache_0123456789abcdef.zip", "C:\\Temp\\mf1_share_cache.json",
                            "C:\\Games\\Mirefall\\userdata\\cache\\shaders\\shareable\\.shared_fp"};
  EXPECT_EQ(BuildShareScript(paths, "https://upload.invalid/hook", "0123456789abcdef"),
            "$ErrorActionPreference = 'Stop'\r\n"
            "$src = 'C:\\Games\\Mirefall\\userdata\\cache\\shaders\\shareable'\r\n"
            "$zip = 'C:\\Temp\\MFRecomp_shadercache_0123456789abcdef.zip'\r\n"
            "$jf = 'C:\\Temp\\mf1_share_cache.json'\r\n"
            "Remove-Item -LiteralPath $zip -ErrorAction SilentlyContinue\r\n"
            "$files = @(Get-ChildItem -LiteralPath $src -File | Where-Object { $_.Extension -eq '.xsh' -or "
            "$_.Extension -eq '.xpso' } | ForEach-Object { $_.FullName })\r\n"
            "Compress-Archive -LiteralPath $files -DestinationPath $zip -Force\r\n"
            "$marker = 'C:\\Games\\Mirefall\\userdata\\cache\\shaders\\shareable\\.shared_fp'\r\n"
            "& curl.exe -s -S -f -F \"payload_json=<$jf\" -F \"file=@$zip\" 'https://upload.invalid/hook' | Out-Null\r\n"
            "if ($LASTEXITCODE -eq 0) { [IO.File]::WriteAllText($marker, '0123456789abcdef') }\r\n"
            "Remove-Item -LiteralPath $zip, $jf -ErrorAction SilentlyContinue\r\n");
}

TEST(ShaderCacheScript, QuotesInPathsStayInsideTheirLiterals) {
  const std::string paths[] = {
      "C:\\Games\\O'Neil's Mirefall",
      "C:\\Ігри\\'; Remove-Item C:\\ -Recurse; '",
      "C:\\Games\\\xE2\x80\x98" "curly\xE2\x80\x99 and \xE2\x80\x9Alow\xE2\x80\x9B",
      "C:\\Games\\''",
      "C:\\Games\\$env:TEMP `n \"double\"",
      "C:\\Games\\Mirefall [GOG]",
      "C:\\Games\\Mirefall [GOG]\\*?",
  };
  for (const std::string& path : paths) {
    std::string quoted = PowerShellQuoted(path);
    size_t end = 0;
    EXPECT_EQ(testing::ParsePowerShellSingleQuoted(quoted, end), path) << quoted;
    EXPECT_EQ(end, quoted.size()) << "the literal ends where the quoting ends: " << quoted;

    std::string script = BuildShareScript({path, "z", "j", "m"}, "u", "fp");
    std::string line = script.substr(script.find("$src = "));
    line = line.substr(7, line.find("\r\n") - 7);
    EXPECT_EQ(line, quoted);
    // Brackets, * and ? are wildcards to -Path: the cache folder is only ever taken literally.
    EXPECT_EQ(script.find("-Path "), std::string::npos) << script;
    EXPECT_EQ(script.find("Join-Path"), std::string::npos) << script;
    EXPECT_NE(script.find("Get-ChildItem -LiteralPath $src -File"), std::string::npos) << script;
    EXPECT_NE(script.find("Compress-Archive -LiteralPath $files"), std::string::npos) << script;
  }
}

}  // namespace
}  // namespace mf::share
