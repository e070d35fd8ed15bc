#pragma once
// The newer release the release check found, published for the title window.
//
// The release-check thread fills the text fields, then sets `available` and posts its
// message to the title window; the main thread reads the fields only after that message
// has arrived, so the record needs no lock.
#include <atomic>
#include <string>

namespace mf::update {

struct UpdateOffer {
  std::string tag;     // the release's version tag, such as "v2.1.0"
  std::string zipUrl;  // the release zip to download
  std::atomic<bool> available{false};
};

UpdateOffer& CurrentUpdateOffer();

}  // namespace mf::update
