#include "update/install_plan.h"

#include <gtest/gtest.h>

namespace mf::update {
namespace {

using Step = InstallJournal::Step;

TEST(InstallJournal, KnowsEachPathOnceAndUndoesNewestFirst) {
  InstallJournal journal;
  journal.Note(Step::Replaced, "PlayMirefall.exe");
  journal.Note(Step::Folder, "prompts");
  journal.Note(Step::Added, "prompts/new.png");
  journal.Note(Step::Replaced, "prompts/old.png");
  // A second write to a file already replaced must not save the new bytes as the original.
  EXPECT_TRUE(journal.Knows("PlayMirefall.exe"));
  EXPECT_TRUE(journal.Knows("prompts/./new.png"));
  EXPECT_FALSE(journal.Knows("mirefall.exe"));

  std::vector<InstallJournal::UndoStep> steps = journal.UndoSteps();
  ASSERT_EQ(steps.size(), 4u);
  EXPECT_EQ(steps[0].relative, "prompts/old.png");
  EXPECT_EQ(steps[0].step, Step::Replaced);
  EXPECT_EQ(steps[1].relative, "prompts/new.png");
  EXPECT_EQ(steps[1].step, Step::Added);  // added by the update: deleted on undo
  EXPECT_EQ(steps[2].step, Step::Folder);  // after what it holds
  EXPECT_EQ(steps[3].relative, "PlayMirefall.exe");
}

// A replacement that failed left the file as it was: undo must not touch it, or it retries
// a file the game holds open and reports a failure for a file never overwritten.
TEST(InstallJournal, KeptTakesBackOnlyTheNewestStepForThatPath) {
  InstallJournal journal;
  journal.Note(Step::Replaced, "mirefall.exe");
  journal.Note(Step::Replaced, "hxbruntimerd.dll");
  journal.Note(Step::Kept, "mirefall.exe");
  std::vector<InstallJournal::UndoStep> steps = journal.UndoSteps();
  ASSERT_EQ(steps.size(), 1u);
  EXPECT_EQ(steps[0].relative, "hxbruntimerd.dll");
  EXPECT_FALSE(journal.Knows("mirefall.exe"));
}

TEST(InstallJournal, FileTextReadsBackAndACutLastLineIsIgnored) {
  std::string text = InstallJournal::HeaderLine("C:\\Games\\\xD0\x86\xD0\xB3\xD1\x80\xD0\xB8 Mirefall") +
                     InstallJournal::StepLine(Step::Replaced, "PlayMirefall.exe") +
                     InstallJournal::StepLine(Step::Folder, "prompts/xbox") +
                     InstallJournal::StepLine(Step::Added, std::filesystem::path("prompts") / "xbox" / "a.png") +
                     InstallJournal::StepLine(Step::Replaced, "mirefall.exe") +
                     InstallJournal::StepLine(Step::Kept, "mirefall.exe") + "replaced\tREADME.t";
  std::optional<ParsedInstallJournal> parsed = ParseInstallJournal(text);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->installFolderUtf8, "C:\\Games\\\xD0\x86\xD0\xB3\xD1\x80\xD0\xB8 Mirefall");
  std::vector<InstallJournal::UndoStep> steps = parsed->journal.UndoSteps();
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[0].relative, std::filesystem::path("prompts") / "xbox" / "a.png");
  EXPECT_EQ(steps[0].step, Step::Added);
  EXPECT_EQ(steps[1].relative, std::filesystem::path("prompts") / "xbox");
  EXPECT_EQ(steps[2].relative, "PlayMirefall.exe");
  EXPECT_EQ(steps[2].step, Step::Replaced);
  EXPECT_FALSE(parsed->complete);
  EXPECT_TRUE(ParseInstallJournal(text.substr(0, text.rfind('\n') + 1) + InstallJournal::CompleteLine())->complete);
}

TEST(InstallJournal, PlantedOrDamagedJournalsDoNothingOutsideTheInstallation) {
  EXPECT_FALSE(ParseInstallJournal(""));
  EXPECT_FALSE(ParseInstallJournal("mf1 install journal\tC:\\Games"));  // header cut short
  EXPECT_FALSE(ParseInstallJournal("added\tx\n"));
  std::optional<ParsedInstallJournal> parsed = ParseInstallJournal(
      "mf1 install journal\tC:\\Games\nadded\t../../Windows/evil.dll\nadded\tC:\\evil.dll\nadded\t/etc/x\n"
      "removed\tPlayMirefall.exe\nadded\t\nadded\n\nadded\tok.txt\n");
  ASSERT_TRUE(parsed);
  std::vector<InstallJournal::UndoStep> steps = parsed->journal.UndoSteps();
  ASSERT_EQ(steps.size(), 1u);
  EXPECT_EQ(steps[0].relative, "ok.txt");
}

TEST(InstallPlan, UserFilesAreNeverProgramFiles) {
  for (std::string_view user : kUserFiles)
    for (std::string_view program : kProgramFiles) EXPECT_NE(user, program);
  EXPECT_EQ(kLauncherFile, "PlayMirefall.exe");
  for (const InstallFolder& folder : kInstallFolders) {
    EXPECT_FALSE(folder.relative.starts_with("userdata/") && !folder.relative.starts_with("userdata/cache/"))
        << "only the shareable cache under userdata is ever installed";
  }
}

}  // namespace
}  // namespace mf::update
