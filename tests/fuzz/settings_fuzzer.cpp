// libFuzzer entry: any crash, sanitizer report or broken property is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "settings_fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string broken =
      mf::settings::fuzzing::CheckSettingsParsers(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!broken.empty()) {
    std::fprintf(stderr, "settings_fuzzer: %s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
