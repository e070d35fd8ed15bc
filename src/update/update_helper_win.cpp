#include "update/update_helper_win.h"

namespace mf::update {

int RunUpdateHelper(const std::string& /*zipPath*/, const std::string& /*installDir*/, int /*oldProcessId*/) {
  // This build cannot install updates yet: report failure so nothing is taken as installed.
  return 1;
}

}  // namespace mf::update
