#include "update/release_check_win.h"

#include <thread>

#include "i18n/utf16_win.h"
#include "resources/version.h"
#include "update/https_client_win.h"
#include "update/update_offer.h"

namespace mf::update {
namespace {

// MF_RELEASE_HOST ("host" or "host:port") names a mirror or a test server.
std::optional<std::string> ReleaseHostOverride() {
  wchar_t value[512];
  DWORD length = ::GetEnvironmentVariableW(L"MF_RELEASE_HOST", value, 512);
  if (length == 0 || length >= 512) return std::nullopt;
  return i18n::WideToUtf8(std::wstring_view(value, length));
}

// Whom the check tells, and how.
struct OfferRecipient {
  HWND window = nullptr;
  UINT message = 0;
};

// The thread body; the recipient is its own copy.
void ReleaseCheckThread(OfferRecipient recipient) {
  if (std::optional<NewerRelease> release = CheckForNewerRelease())
    PublishOffer(*release, recipient.window, recipient.message);
}

}  // namespace

std::optional<NewerRelease> CheckForNewerRelease() {
  std::optional<HttpsEndpoint> endpoint = ReleaseEndpoint(ReleaseHostOverride());
  if (!endpoint) return std::nullopt;
  return FindNewerRelease(HttpsGet(*endpoint), kCurrentVersionTag);
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
