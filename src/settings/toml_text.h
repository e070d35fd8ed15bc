#pragma once
// The small part of TOML that mirefall.toml values need. The game reads and writes the file
// with a real TOML library, so a string the launcher writes must mean to it exactly what the
// launcher meant, and a string the game wrote (such as "C:\\mods") must read back as the
// game meant it.
#include <string>
#include <string_view>

namespace mf::settings {

// The value between double quotes, with quotes, backslashes and control characters escaped.
// Bytes that are not valid UTF-8 cannot stand in a TOML file; each becomes U+FFFD.
std::string QuoteTomlString(std::string_view value);

// The value text up to the first '#' that starts a comment: one outside any quoted string
// when the value starts with a quote (or '[' or '{'), otherwise simply the first '#'.
std::string_view CutTomlComment(std::string_view valueText);

// Removes the quotes around a value. A well-formed double-quoted string has its escapes
// decoded (a backslash before a character that is no TOML escape stays, so files written
// before escaping still read); a well-formed single-quoted string is taken literally. Other
// matching quote pairs are peeled off one by one, so ''x'' and ""x"" read as x.
std::string UnquoteTomlValue(std::string_view valueText);

// The text of a complete string token of any of TOML's four kinds ("basic", 'literal',
// """multi-line basic""", '''multi-line literal'''), as a TOML parser reads it.
std::string DecodeTomlString(std::string_view token);

// What follows "key =" (on one line, or over several for a multi-line value), read as a
// value: a well-formed TOML value as TOML reads it (strings decoded, other values as
// written, a trailing comment dropped); anything else with its comment cut, blanks trimmed
// and quote pairs peeled off, as older files were read.
std::string ParseTomlValue(std::string_view valueText);

// True for text that TOML reads as a boolean, integer or float when written bare. Integers
// must fit in 64 signed bits, as TOML requires.
bool IsTomlBareValue(std::string_view text);

}  // namespace mf::settings
