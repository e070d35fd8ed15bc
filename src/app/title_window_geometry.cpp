#include "app/title_window_geometry.h"

#include "resources/version.h"

namespace mf::app {

Point CentredWindowOrigin(int screenWidth, int screenHeight, int outerWidth, int outerHeight) {
  return {(screenWidth - outerWidth) / 2, (screenHeight - outerHeight) / 2};
}

std::string TitleWindowCaption() {
  return std::string("Mirefall Recompilation ") + std::string(kCurrentVersionTag) + " | «Quillwork»";
}

}  // namespace mf::app
