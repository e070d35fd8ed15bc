#include "dialog/slider_scale.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "settings/text_lines.h"

namespace mf::dialog {

double ReadDecimal(std::string_view text) {
  std::string number(settings::Trim(text, settings::kLineBlanks));
  std::replace(number.begin(), number.end(), ',', '.');
  // Only plain decimal notation: strtod would also take "inf", "nan" and hexadecimal.
  size_t end = number.find_first_not_of("+-0123456789.eE");
  number.resize(std::min(end, number.size()));
  const char* start = number.c_str();
  char* stop = nullptr;
  double value = std::strtod(start, &stop);
  return stop == start ? 0.0 : value;
}

int SliderPositionFor(double value, double min, double max) {
  if (!(max > min)) return 0;
  double share = std::clamp((value - min) / (max - min), 0.0, 1.0);
  if (share != share) share = 0;  // NaN from an infinite value
  return static_cast<int>(share * kSliderSteps + 0.5);
}

std::string SliderValueText(int position, double min, double max, bool wholeNumber) {
  double value = min + (max - min) * position / kSliderSteps;
  char text[64];
  if (wholeNumber) {
    long long rounded = static_cast<long long>(value >= 0 ? value + 0.5 : value - 0.5);
    std::snprintf(text, sizeof text, "%lld", rounded);
  } else {
    std::snprintf(text, sizeof text, "%.4g", value);
  }
  return text;
}

}  // namespace mf::dialog
