#include "update/update_offer.h"

namespace mf::update {

UpdateOffer& CurrentUpdateOffer() {
  static UpdateOffer* const offer = new UpdateOffer;  // deliberately never freed, see the header
  return *offer;
}

}  // namespace mf::update
