#pragma once
// The properties every input must keep through the settings parsers, shared by the libFuzzer
// target and the bounded random-input test of the native build.
#include <string>
#include <string_view>
#include <vector>

#include "settings/setting_def.h"

namespace mf::settings::fuzzing {

// Runs the input through the mirefall.toml reader and writer, config repair and the
// launcher.ini and language parsers. Returns a description of the first broken property,
// or an empty text when all hold:
//  - the TOML statements of the input, with the line ends between them, are the input;
//  - after one save, reading the saved text and saving again gives the same bytes;
//  - a repaired text needs no second repair, has every game key at its top level and no
//    key twice in one table;
//  - launcher.ini text written from a parsed map parses back to the same map, in the same
//    key order;
//  - a quoted TOML string reads back as the text it was made from.
std::string CheckSettingsParsers(std::string_view input);

// What a save writes after reading text into the given rows.
std::string SaveAfterReading(std::string_view text, std::vector<SettingDef> schema);

}  // namespace mf::settings::fuzzing
