#pragma once
// The properties every input must keep through the settings parsers, shared by the libFuzzer
// target and the bounded random-input test of the native build.
#include <string>
#include <string_view>

namespace mf::settings::fuzzing {

// Runs the input through the mirefall.toml reader and writer, config repair and the
// launcher.ini and language parsers. Returns a description of the first broken property,
// or an empty text when all hold:
//  - after one save, reading the saved text and saving again gives the same bytes;
//  - a repaired text needs no second repair;
//  - launcher.ini text written from a parsed map parses back to the same map;
//  - a quoted TOML string reads back as the text it was made from.
std::string CheckSettingsParsers(std::string_view input);

}  // namespace mf::settings::fuzzing
