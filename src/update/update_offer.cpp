#include "update/update_offer.h"

namespace mf::update {

UpdateOffer& CurrentUpdateOffer() {
  static UpdateOffer offer;
  return offer;
}

}  // namespace mf::update
