#pragma once
// Just enough of TOML's grammar to find where a key, a value or a whole statement ends:
// strings of all four kinds, arrays and inline tables that continue over several lines,
// dotted and quoted keys. mirefall.toml is read by the game with a full TOML parser, so a
// value the launcher keeps or rewrites must end where that parser says it ends.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace mf::settings {

inline constexpr std::string_view kTomlBlanks = " \t";

// The length of the string at the start of text: "basic", 'literal', """multi-line basic"""
// or '''multi-line literal'''. Nothing when it is not closed (a one-line string ends at its
// line end).
std::optional<size_t> MeasureTomlString(std::string_view text);

// The length of the value at the start of text. Arrays may continue over lines and hold
// comments; inline tables hold key = value pairs; other values must be a boolean, a number
// TOML accepts, or something shaped like a date or time. Nothing when the text does not
// start with a complete value.
std::optional<size_t> MeasureTomlValue(std::string_view text);

struct TomlValueScan {
  std::optional<size_t> length;  // as MeasureTomlValue gives it
  size_t reached = 0;            // how far the scan read before it ended or gave up
  bool ranOut = false;           // gave up at the end of the text with the value still open
};
TomlValueScan ScanTomlValue(std::string_view text);

struct TomlKey {
  size_t length = 0;  // of the key as written, up to its last character
  // One spelling per key: each part bare when it can be, otherwise in double quotes, joined
  // with '.'. So vsync, "vsync" and 'vsync' are all "vsync", and a.b differs from "a.b".
  std::string name;
};

// The key (bare, quoted or dotted) at the start of text, on one line.
std::optional<TomlKey> ScanTomlKey(std::string_view text);

}  // namespace mf::settings
