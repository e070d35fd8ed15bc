#include "update/install_plan.h"

#include <algorithm>

namespace mf::update {

bool InstallJournal::NoteWrite(const std::filesystem::path& relative, bool exists) {
  std::filesystem::path key = relative.lexically_normal();
  bool seen = std::any_of(entries_.begin(), entries_.end(), [&](const UndoStep& step) { return step.relative == key; });
  if (seen) return false;
  entries_.push_back({key, exists});
  return exists;
}

void InstallJournal::ForgetLastWrite() {
  if (!entries_.empty()) entries_.pop_back();
}

std::vector<InstallJournal::UndoStep> InstallJournal::UndoSteps() const {
  return {entries_.rbegin(), entries_.rend()};
}

}  // namespace mf::update
