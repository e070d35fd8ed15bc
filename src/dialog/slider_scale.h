#pragma once
// A slider beside a number box: positions 0..1000 across the row's range, kept in step with
// the text in both directions.
#include <optional>
#include <string>
#include <string_view>

namespace mf::dialog {

inline constexpr int kSliderSteps = 1000;
inline constexpr int kSliderPageSize = 50;

// The number a box's text starts with, as the player typed it: blanks around it ignored, a
// decimal comma read as a point. 0 when the text starts with no number.
double ReadDecimal(std::string_view text);

// The slider position showing a value: the value's share of the range, clamped to it, on
// the 0..1000 scale (rounded half up); 0 when the range is empty.
int SliderPositionFor(double value, double min, double max);

// The box text for a slider position: a whole number for Int rows (rounded half away from
// zero), else up to four significant digits ("%.4g").
std::string SliderValueText(int position, double min, double max, bool wholeNumber);

}  // namespace mf::dialog
