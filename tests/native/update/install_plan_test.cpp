#include "update/install_plan.h"

#include <gtest/gtest.h>

namespace mf::update {
namespace {

TEST(InstallJournal, SavesEachOriginalOnceAndUndoesNewestFirst) {
  InstallJournal journal;
  EXPECT_TRUE(journal.NoteWrite("PlayMirefall.exe", true));
  EXPECT_FALSE(journal.NoteWrite("prompts/new.png", false));
  EXPECT_TRUE(journal.NoteWrite("prompts/old.png", true));
  // A second write to a file already replaced must not save the new bytes as the original.
  EXPECT_FALSE(journal.NoteWrite("PlayMirefall.exe", true));
  EXPECT_FALSE(journal.NoteWrite("prompts/./new.png", true));

  std::vector<InstallJournal::UndoStep> steps = journal.UndoSteps();
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[0].relative, "prompts/old.png");
  EXPECT_TRUE(steps[0].restoreOriginal);
  EXPECT_EQ(steps[1].relative, "prompts/new.png");
  EXPECT_FALSE(steps[1].restoreOriginal);  // added by the update: deleted on undo
  EXPECT_EQ(steps[2].relative, "PlayMirefall.exe");
  EXPECT_TRUE(steps[2].restoreOriginal);
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
