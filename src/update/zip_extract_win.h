#pragma once
// Unpacking the release zip into the staging folder.
#include <filesystem>
#include <string>

namespace mf::update {

// Empties the staging folder and extracts every entry whose name is safe into it; unsafe
// names are skipped with a log line. False with an error text ("zip open failed: ...",
// "extract failed: <name> - ...") when the zip cannot be read or a file not written.
bool ExtractZip(const std::filesystem::path& zip, const std::filesystem::path& staging, std::string& error);

}  // namespace mf::update
