#pragma once
// Runs one of the Python checkers beside these tests with Debian's Python, whose tomllib is
// the TOML parser the files are checked against: one that shares no code with the launcher.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "temp_folder.h"

namespace mf::settings::testing {

inline constexpr const char* kPython = "/usr/bin/python3";

// Skips the test where the checkers cannot run (the Windows build under Wine, no Python).
#define MF_SKIP_WITHOUT_PYTHON_CHECKS()                                                    \
  do {                                                                                     \
    if (!::mf::settings::testing::PythonChecksCanRun())                                    \
      GTEST_SKIP() << "the TOML checks run in the native build with " << ::mf::settings::testing::kPython; \
  } while (false)

inline bool PythonChecksCanRun() {
#ifdef _WIN32
  return false;
#else
  return std::filesystem::exists(kPython);
#endif
}

// Runs script (a file name beside these tests) with the arguments; its exit code, with its
// output in *output. 77 means the Python has no tomllib.
inline int RunPythonCheck(const std::string& script, const std::string& arguments, const std::filesystem::path& report,
                          std::string* output) {
#ifdef _WIN32
  (void)script, (void)arguments, (void)report, (void)output;
  return -1;
#else
  std::string command = std::string(kPython) + " '" + MF_SETTINGS_TEST_SCRIPT_DIR + "/" + script + "' " + arguments +
                        " > '" + report.string() + "' 2>&1";
  int status = std::system(command.c_str());
  *output = ReadBytes(report).value_or("");
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

}  // namespace mf::settings::testing
