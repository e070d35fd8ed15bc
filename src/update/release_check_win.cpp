#include "update/release_check_win.h"

#include <memory>
#include <thread>

#include "app/title_window_win.h"
#include "app/version.h"
#include "i18n/utf16_win.h"
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

// The thread body. It owns the cell holding the window handle and frees it when it ends.
void ReleaseCheckThread(std::unique_ptr<HWND> windowCell) {
  if (std::optional<NewerRelease> release = CheckForNewerRelease()) PublishOffer(*release, *windowCell);
}

}  // namespace

std::optional<NewerRelease> CheckForNewerRelease() {
  std::optional<HttpsEndpoint> endpoint = ReleaseEndpoint(ReleaseHostOverride());
  if (!endpoint) return std::nullopt;
  return FindNewerRelease(HttpsGet(*endpoint), app::kCurrentVersionTag);
}

void PublishOffer(const NewerRelease& release, HWND titleWindow) {
  UpdateOffer& offer = CurrentUpdateOffer();
  if (offer.available.load(std::memory_order_acquire)) return;  // published once per run
  offer.tag = release.tag;
  offer.zipUrl = release.zip.url;
  offer.zipDigest = release.zip.digest;
  offer.available.store(true, std::memory_order_release);
  if (titleWindow) ::PostMessageW(titleWindow, app::kUpdateOfferPublishedMessage, 0, 0);
}

void StartReleaseCheck(HWND titleWindow) {
  try {
    std::thread(ReleaseCheckThread, std::make_unique<HWND>(titleWindow)).detach();
  } catch (const std::exception&) {
    // No thread, no check: the launcher works the same without the banner.
  }
}

}  // namespace mf::update
