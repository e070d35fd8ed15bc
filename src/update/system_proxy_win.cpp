#include "update/system_proxy_win.h"

#include <string>

#include "i18n/utf16_win.h"

namespace mf::update {
namespace {

#ifndef WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY
#define WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY 4
#endif

// The strings WinHTTP hands back for the caller to free with GlobalFree.
struct UserProxySettings {
  WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config = {};
  bool read = false;

  UserProxySettings() { read = ::WinHttpGetIEProxyConfigForCurrentUser(&config) != FALSE; }
  ~UserProxySettings() {
    if (config.lpszAutoConfigUrl) ::GlobalFree(config.lpszAutoConfigUrl);
    if (config.lpszProxy) ::GlobalFree(config.lpszProxy);
    if (config.lpszProxyBypass) ::GlobalFree(config.lpszProxyBypass);
  }
  UserProxySettings(const UserProxySettings&) = delete;
  UserProxySettings& operator=(const UserProxySettings&) = delete;
};

struct ResolvedProxy {
  WINHTTP_PROXY_INFO info = {};
  ResolvedProxy() = default;
  ~ResolvedProxy() {
    if (info.lpszProxy) ::GlobalFree(info.lpszProxy);
    if (info.lpszProxyBypass) ::GlobalFree(info.lpszProxyBypass);
  }
  ResolvedProxy(const ResolvedProxy&) = delete;
  ResolvedProxy& operator=(const ResolvedProxy&) = delete;
};

std::wstring RequestUrl(const HttpsEndpoint& endpoint) {
  return i18n::Utf8ToWide("https://" + endpoint.host + ":" + std::to_string(endpoint.port) + endpoint.path);
}

HINTERNET OpenSession(const wchar_t* agent, DWORD access, const wchar_t* proxy = WINHTTP_NO_PROXY_NAME,
                      const wchar_t* bypass = WINHTTP_NO_PROXY_BYPASS) {
  return ::WinHttpOpen(agent, access, proxy ? proxy : WINHTTP_NO_PROXY_NAME, bypass ? bypass : WINHTTP_NO_PROXY_BYPASS,
                       0);
}

// What the automatic detection and the configuration script choose for this URL, as the
// settings ask for them; false when they are off or do not answer.
bool AutomaticProxy(const wchar_t* agent, const WINHTTP_CURRENT_USER_IE_PROXY_CONFIG& config,
                    const HttpsEndpoint& endpoint, ResolvedProxy& resolved) {
  if (!config.fAutoDetect && !config.lpszAutoConfigUrl) return false;
  WINHTTP_AUTOPROXY_OPTIONS options = {};
  if (config.fAutoDetect) {
    options.dwFlags |= WINHTTP_AUTOPROXY_AUTO_DETECT;
    options.dwAutoDetectFlags = WINHTTP_AUTO_DETECT_TYPE_DHCP | WINHTTP_AUTO_DETECT_TYPE_DNS_A;
  }
  if (config.lpszAutoConfigUrl) {
    options.dwFlags |= WINHTTP_AUTOPROXY_CONFIG_URL;
    options.lpszAutoConfigUrl = config.lpszAutoConfigUrl;
  }
  options.fAutoLogonIfChallenged = TRUE;
  HINTERNET resolver = OpenSession(agent, WINHTTP_ACCESS_TYPE_NO_PROXY);
  if (!resolver) return false;
  bool answered = ::WinHttpGetProxyForUrl(resolver, RequestUrl(endpoint).c_str(), &options, &resolved.info) != FALSE;
  ::WinHttpCloseHandle(resolver);
  return answered;
}

}  // namespace

HINTERNET OpenSessionWithSystemProxy(const wchar_t* agent, const HttpsEndpoint& endpoint) {
  // The proxy is given to the session, not to the request: Wine (Proton, the Steam Deck)
  // ignores a request's own proxy, and accepts the automatic flag but connects directly.
  UserProxySettings settings;
  if (settings.read) {
    const WINHTTP_CURRENT_USER_IE_PROXY_CONFIG& config = settings.config;
    if (ResolvedProxy automatic; AutomaticProxy(agent, config, endpoint, automatic)) {
      if (automatic.info.dwAccessType == WINHTTP_ACCESS_TYPE_NAMED_PROXY && automatic.info.lpszProxy)
        return OpenSession(agent, WINHTTP_ACCESS_TYPE_NAMED_PROXY, automatic.info.lpszProxy,
                           automatic.info.lpszProxyBypass);
      return OpenSession(agent, WINHTTP_ACCESS_TYPE_NO_PROXY);  // the script said: direct
    }
    if (config.lpszProxy)
      return OpenSession(agent, WINHTTP_ACCESS_TYPE_NAMED_PROXY, config.lpszProxy, config.lpszProxyBypass);
  }
  // Nothing set by the user: Windows 8.1 and later still apply what the machine is set to;
  // older systems refuse the flag and connect directly.
  if (HINTERNET session = OpenSession(agent, WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY)) return session;
  return OpenSession(agent, WINHTTP_ACCESS_TYPE_NO_PROXY);
}

}  // namespace mf::update
