#pragma once
// Finds the fixed English texts that the program's sources pass for display: a string
// literal given directly to TrPtr(, TrWide( or (i18n::)Translate(, a named string constant
// given to them, and the labels of the few label tables the code translates row by row.
#include <string>
#include <string_view>
#include <vector>

namespace mf::i18n::testing {

struct SourceFile {
  std::string name;
  std::string text;
};

struct DisplayedText {
  std::string text;   // the literal's value, escapes decoded, adjacent literals joined
  std::string where;  // "file:line" of the call or table row
};

// Tables whose rows start with a label that the code passes through the translation.
inline constexpr std::string_view kLabelTables[] = {"kButtons"};

// Every displayed text of the given files, in file order. A constant given by name is
// looked up among the definitions `name = "literal";` of all files. Calls whose argument is
// no literal (a variable, an expression) are not reported; empty literals neither.
std::vector<DisplayedText> FindDisplayedTexts(const std::vector<SourceFile>& files);

}  // namespace mf::i18n::testing
