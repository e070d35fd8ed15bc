#include "update/https_url.h"

namespace mf::update {

std::optional<HttpsEndpoint> ParseHostAndPort(std::string_view text) {
  HttpsEndpoint endpoint;
  size_t colon = text.find(':');
  endpoint.host = std::string(text.substr(0, colon));
  if (endpoint.host.empty()) return std::nullopt;
  for (char c : endpoint.host) {
    bool nameCharacter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                         c == '-' || c == '_';
    if (!nameCharacter) return std::nullopt;
  }
  if (colon == std::string_view::npos) return endpoint;
  std::string_view digits = text.substr(colon + 1);
  if (digits.empty() || digits.size() > 5) return std::nullopt;
  unsigned port = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    port = port * 10 + static_cast<unsigned>(c - '0');
  }
  if (port == 0 || port > 65535) return std::nullopt;
  endpoint.port = static_cast<std::uint16_t>(port);
  return endpoint;
}

std::optional<HttpsEndpoint> SplitHttpsUrl(std::string_view url) {
  constexpr std::string_view kScheme = "https://";
  if (url.substr(0, kScheme.size()) != kScheme) return std::nullopt;
  std::string_view rest = url.substr(kScheme.size());
  size_t slash = rest.find('/');
  std::optional<HttpsEndpoint> endpoint = ParseHostAndPort(rest.substr(0, slash));
  if (!endpoint) return std::nullopt;
  if (slash != std::string_view::npos) endpoint->path = std::string(rest.substr(slash));
  return endpoint;
}

std::optional<HttpsEndpoint> ReleaseEndpoint(const std::optional<std::string>& overrideValue) {
  std::optional<HttpsEndpoint> endpoint =
      overrideValue ? ParseHostAndPort(*overrideValue) : ParseHostAndPort(kReleaseApiHost);
  if (endpoint) endpoint->path = std::string(kReleasePath);
  return endpoint;
}

}  // namespace mf::update
