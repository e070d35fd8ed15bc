#pragma once
// Where the updater connects: HTTPS URLs and the release host.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mf::update {

inline constexpr std::uint16_t kHttpsPort = 443;

struct HttpsEndpoint {
  std::string host;
  std::uint16_t port = kHttpsPort;
  std::string path = "/";
};

// "host" or "host:port" (port 1 to 65535), the host a name or an IPv4 address (letters,
// digits, '.', '-', '_'). Nothing for an empty or malformed host or a bad port.
std::optional<HttpsEndpoint> ParseHostAndPort(std::string_view text);

// Only URLs that start with exactly "https://": the host (with an optional ":port") runs up
// to the next '/', the path from there ("/" when there is none). Nothing for any other
// scheme, upper case included, or an empty host.
std::optional<HttpsEndpoint> SplitHttpsUrl(std::string_view url);

// The public release API host, or the one named by MF_RELEASE_HOST (a mirror, or a test
// server): `overrideValue` is that variable's value when it is set. Nothing when the
// override is malformed: the check is then skipped rather than sent elsewhere.
inline constexpr std::string_view kReleaseApiHost = "api.github.com";
inline constexpr std::string_view kReleasePath = "/repos/QuillworkDev/MFRecomp/releases/latest";
std::optional<HttpsEndpoint> ReleaseEndpoint(const std::optional<std::string>& overrideValue);

}  // namespace mf::update
