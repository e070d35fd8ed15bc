#include "settings/native_renderer_offer.h"

#include "i18n/translate.h"
#include "resources/version.h"

namespace mf::settings {
namespace {

constexpr const char* kReady = "Mirefall Recompilation 2.0: the native renderer is ready for testing.";
constexpr const char* kWhatItDoes =
    "It draws the game directly with DirectX 12 instead of emulating the Xbox 360 graphics chip: a "
    "higher frame rate, and a sharper picture at a higher internal resolution (up to 4x). This is "
    "the first test version brought to a proper state: colours, lighting, the sky, depth of field "
    "and the mirror floors now look the way they should.";
constexpr const char* kPleaseReport =
    "Please play with it and tell us how it goes: your impressions, your FPS and your hardware "
    "(graphics card and processor), in the project's GitHub issues";
constexpr const char* kTurnOnNow =
    "Turn the native renderer on now? You can switch it off at any time in Settings -> Native.";

}  // namespace

std::string NativeRendererOfferText() {
  return i18n::Translate(kReady) + "\n\n" + i18n::Translate(kWhatItDoes) + "\n\n" + i18n::Translate(kPleaseReport) +
         " (https://" + std::string(kRepositoryPage) + ").\n\n" + i18n::Translate(kTurnOnNow);
}

}  // namespace mf::settings
