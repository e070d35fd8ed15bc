#pragma once
// One line of the update log: "[YYYY-MM-DD hh:mm:ss] message" and CR LF, UTF-8.
#include <string>
#include <string_view>

namespace mf::update {

struct LogClock {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

std::string FormatLogLine(const LogClock& time, std::string_view message);

}  // namespace mf::update
