#pragma once
// The settings table as data: every row with its default value, in table order.
#include <vector>

#include "settings/setting_def.h"

namespace mf::settings {

// The rows at their defaults. The monitor row's choice list is empty here: it depends on the
// displays attached when the schema is built.
const std::vector<SettingDef>& DefaultSettingRows();

}  // namespace mf::settings
