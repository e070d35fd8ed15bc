#include "update/release_check_win.h"

#include <thread>

#include "i18n/utf16_win.h"
#include "resources/version.h"
#include "update/https_client_win.h"
#include "update/update_offer.h"

namespace mf::update {
namespace {

// MF_RELEASE_HOST ("host" or "host:port") names a mirror or a test server. Set but empty
// or malformed, it still counts as set, so that the check is skipped rather than sent to
// the public host instead.
std::optional<std::string> ReleaseHostOverride() {
  std::wstring value(256, L'\0');
  while (true) {
    ::SetLastError(ERROR_SUCCESS);
    DWORD length = ::GetEnvironmentVariableW(L"MF_RELEASE_HOST", value.data(), static_cast<DWORD>(value.size()));
    if (length == 0) {
      if (::GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::string();
    }
    if (length < value.size()) return i18n::WideToUtf8(std::wstring_view(value.data(), length));
    value.resize(length);  // the size asked for, its terminating null included
  }
}

// Whom the check tells, and how.
struct OfferRecipient {
  HWND window = nullptr;
  UINT message = 0;
};

// The thread body; the recipient is its own copy.
void ReleaseCheckThread(OfferRecipient recipient) {
  // Nothing that goes wrong in a background check may end the launcher: a check that
  // fails offers nothing.
  try {
    if (std::optional<NewerRelease> release = CheckForNewerRelease())
      PublishOffer(*release, recipient.window, recipient.message);
  } catch (...) {
  }
}

}  // namespace

std::optional<HttpsEndpoint> ConfiguredReleaseEndpoint() { return ReleaseEndpoint(ReleaseHostOverride()); }

std::optional<NewerRelease> CheckForNewerRelease() {
  std::optional<HttpsEndpoint> endpoint = ConfiguredReleaseEndpoint();
  if (!endpoint) return std::nullopt;
  return FindNewerRelease(HttpsGet(*endpoint, kMaxFeedBytes), kCurrentVersionTag);
}

void PublishOffer(const NewerRelease& release, HWND notifyWindow, UINT offerMessage) {
  UpdateOffer& offer = CurrentUpdateOffer();
  if (offer.available.load(std::memory_order_acquire)) return;  // published once per run
  offer.tag = release.tag;
  offer.zipUrl = release.zip.url;
  offer.zipDigest = release.zip.digest;
  offer.available.store(true, std::memory_order_release);
  if (notifyWindow) ::PostMessageW(notifyWindow, offerMessage, 0, 0);
}

void StartReleaseCheck(HWND notifyWindow, UINT offerMessage) {
  try {
    std::thread(ReleaseCheckThread, OfferRecipient{notifyWindow, offerMessage}).detach();
  } catch (const std::exception&) {
    // No thread, no check: the launcher works the same without the banner.
  }
}

}  // namespace mf::update
