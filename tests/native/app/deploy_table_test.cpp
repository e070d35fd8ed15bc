#include "app/deploy_table.h"

#include <gtest/gtest.h>

#include <set>

namespace mf::app {
namespace {

namespace fs = std::filesystem;

const fs::path kLauncher = fs::path("game") / "Mirefall";

fs::path Folder(const char* relative) { return (kLauncher / relative).make_preferred(); }

std::vector<std::pair<fs::path, std::size_t>> Summary(const std::vector<DeployFolder>& plan) {
  std::vector<std::pair<fs::path, std::size_t>> summary;
  for (const DeployFolder& folder : plan) summary.emplace_back(folder.directory, folder.rows.size());
  return summary;
}

TEST(DeployTable, ResourcesThreeHundredToThreeHundredFiftyFour) {
  auto table = DeployTable();
  ASSERT_EQ(table.size(), 55u);
  for (std::size_t i = 0; i < table.size(); ++i) EXPECT_EQ(table[i].resourceId, 300 + static_cast<int>(i));
  EXPECT_EQ(table[0].relativePath, "prompts/ps_fullsolid/Circle.png");
  EXPECT_EQ(table[5].relativePath, "prompts/ps_fullsolid/Left Stick All.png");
  EXPECT_EQ(table[16].relativePath, "prompts/ps_fullsolid/Triangle.png");
  EXPECT_EQ(table[17].relativePath, "prompts/ps_solid/Circle.png");
  EXPECT_EQ(table[50].relativePath, "prompts/ps_outline/Triangle.png");
  EXPECT_EQ(table[51].relativePath, "prompts/LICENSE-vantrel.txt");
  EXPECT_EQ(table[52].relativePath, "prompts/README.txt");
  EXPECT_EQ(table[53].relativePath, "textures/6E42BC7CF738BCF0.png");
  EXPECT_EQ(table[54].relativePath, "textures/README.txt");
}

TEST(PlanDeployment, FreshFolderGetsEverythingIncludingThePromptsTexts) {
  std::vector<fs::path> asked;
  auto plan = PlanDeployment(kLauncher, DeployTable(), [&](const fs::path& directory) {
    asked.push_back(directory);
    return false;
  });
  EXPECT_EQ(Summary(plan), (std::vector<std::pair<fs::path, std::size_t>>{{Folder("prompts/ps_fullsolid"), 17},
                                                                          {Folder("prompts/ps_solid"), 17},
                                                                          {Folder("prompts/ps_outline"), 17},
                                                                          {Folder("prompts"), 2},
                                                                          {Folder("textures"), 2}}));
  EXPECT_EQ(asked.size(), 5u) << "each folder is asked about once";
  EXPECT_EQ(plan[3].rows[0]->resourceId, 351);
  EXPECT_EQ(plan[3].rows[1]->resourceId, 352);
}

TEST(PlanDeployment, ExistingFoldersAreLeftAlone) {
  const std::set<fs::path> existing = {Folder("prompts"), Folder("prompts/ps_fullsolid"), Folder("prompts/ps_outline"),
                                       Folder("textures")};
  auto plan = PlanDeployment(kLauncher, DeployTable(), [&](const fs::path& d) { return existing.contains(d); });
  EXPECT_EQ(Summary(plan), (std::vector<std::pair<fs::path, std::size_t>>{{Folder("prompts/ps_solid"), 17}}));
  EXPECT_EQ(plan[0].rows.front()->resourceId, 317);
  EXPECT_EQ(plan[0].rows.back()->resourceId, 333);

  EXPECT_TRUE(PlanDeployment(kLauncher, DeployTable(), [](const fs::path&) { return true; }).empty());
}

}  // namespace
}  // namespace mf::app
