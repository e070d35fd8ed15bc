#include "update/update_log_format.h"

#include <cstdio>

namespace mf::update {

std::string FormatLogLine(const LogClock& time, std::string_view message) {
  char prefix[40];
  std::snprintf(prefix, sizeof prefix, "[%04d-%02d-%02d %02d:%02d:%02d] ", time.year, time.month, time.day,
                time.hour, time.minute, time.second);
  std::string line = prefix;
  line += message;
  line += "\r\n";
  return line;
}

}  // namespace mf::update
