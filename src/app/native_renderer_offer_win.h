#pragma once
// The one-time native renderer question, as start-up asks it.
#include <filesystem>

namespace mf::app {

// Asks once per installation, in a Yes/No box without owner, whether to switch the native
// renderer on; the answer goes to launcher.ini before mirefall.toml is written, so a failed
// configuration save does not bring the question back. Players who run it already are only
// recorded as such. Nothing is asked while launcher.ini cannot be read: the answer could
// not be kept.
void OfferNativeRenderer(const std::filesystem::path& executableFolder);

}  // namespace mf::app
