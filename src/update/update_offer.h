#pragma once
// The newer release the release check found, published for the title window.
//
// The release-check thread fills the text fields, then sets `available` (release order)
// and posts its message to the title window; the main thread reads the fields only after
// it has seen `available` set (acquire order), so the record needs no lock. It is set at
// most once per run and never cleared.
#include <atomic>
#include <string>

namespace mf::update {

struct UpdateOffer {
  std::string tag;        // the release's version tag exactly as the feed gives it, such as "v2.0.12"
  std::string zipUrl;     // the release zip to download
  std::string zipDigest;  // the feed's digest of the zip ("sha256:..."), empty when it gives none
  std::atomic<bool> available{false};
};

// The process's one offer. It is never destroyed, so a release check still running while
// the process exits never writes to a destroyed record.
UpdateOffer& CurrentUpdateOffer();

}  // namespace mf::update
