#include "update/install_plan.h"

#include <algorithm>

#include "update/zip_entry_name.h"

namespace mf::update {
namespace {

constexpr std::string_view kHeader = "mf1 install journal\t";

struct StepName {
  InstallJournal::Step step;
  std::string_view name;
};
constexpr StepName kStepNames[] = {{InstallJournal::Step::Replaced, "replaced"},
                                   {InstallJournal::Step::Added, "added"},
                                   {InstallJournal::Step::Folder, "folder"},
                                   {InstallJournal::Step::Kept, "kept"}};

std::filesystem::path Key(const std::filesystem::path& relative) { return relative.lexically_normal(); }

std::string Utf8(const std::filesystem::path& path) {
  std::u8string text = path.generic_u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace

bool InstallJournal::Knows(const std::filesystem::path& relative) const {
  const std::filesystem::path key = Key(relative);
  return std::any_of(entries_.begin(), entries_.end(), [&](const UndoStep& step) { return step.relative == key; });
}

void InstallJournal::Note(Step step, const std::filesystem::path& relative) {
  const std::filesystem::path key = Key(relative);
  if (step != Step::Kept) {
    entries_.push_back({key, step});
    return;
  }
  auto newest = std::find_if(entries_.rbegin(), entries_.rend(), [&](const UndoStep& s) { return s.relative == key; });
  if (newest != entries_.rend()) entries_.erase(std::next(newest).base());
}

std::vector<InstallJournal::UndoStep> InstallJournal::UndoSteps() const {
  return {entries_.rbegin(), entries_.rend()};
}

std::string InstallJournal::HeaderLine(std::string_view installFolderUtf8) {
  return std::string(kHeader) + std::string(installFolderUtf8) + "\n";
}

std::string InstallJournal::StepLine(Step step, const std::filesystem::path& relative) {
  for (const StepName& known : kStepNames)
    if (known.step == step) return std::string(known.name) + "\t" + Utf8(Key(relative)) + "\n";
  return {};
}

std::string InstallJournal::CompleteLine() { return "complete\n"; }

std::optional<ParsedInstallJournal> ParseInstallJournal(std::string_view text) {
  size_t end = text.find('\n');
  if (end == std::string_view::npos || !text.starts_with(kHeader)) return std::nullopt;
  ParsedInstallJournal parsed;
  parsed.installFolderUtf8 = std::string(text.substr(kHeader.size(), end - kHeader.size()));
  for (size_t start = end + 1; (end = text.find('\n', start)) != std::string_view::npos; start = end + 1) {
    std::string_view line = text.substr(start, end - start);
    if (line == "complete") parsed.complete = true;
    size_t tab = line.find('\t');
    if (tab == std::string_view::npos || tab + 1 == line.size()) continue;
    std::string_view name = line.substr(0, tab), path = line.substr(tab + 1);
    // A journal lies in the temporary folder, open to any program: a path that could
    // leave the installation is never acted on.
    std::optional<std::filesystem::path> relative = StagingRelativePath(path);
    if (!relative) continue;
    for (const StepName& known : kStepNames)
      if (known.name == name) parsed.journal.Note(known.step, *relative);
  }
  return parsed;
}

}  // namespace mf::update
