#pragma once
// Small helpers for the settings tests: readable gtest output and short row construction.
#include <ostream>
#include <string>

#include "settings/setting_def.h"

namespace mf::settings {

inline void PrintTo(const SettingChoice& choice, std::ostream* out) {
  *out << "{\"" << choice.value << "\", \"" << choice.label << "\"}";
}

namespace testing {

// A row with only what the file code looks at: key, kind and value.
inline SettingDef MakeRow(std::string key, SettingKind kind, std::string value) {
  SettingDef row;
  row.key = std::move(key);
  row.kind = kind;
  row.value = std::move(value);
  return row;
}

}  // namespace testing
}  // namespace mf::settings
