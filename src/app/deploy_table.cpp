#include "app/deploy_table.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace mf::app {
namespace {

// The icons of each set, in resource order.
constexpr std::array<std::string_view, 17> kIconNames = {
    "Circle",  "Create",           "Cross",       "L1",
    "L2",      "Left Stick All",   "Left Stick Click",
    "Left Stick Left-Right",       "Options",     "R1",
    "R2",      "Right Stick Click", "Right Stick Left-Right",
    "Right Stick Up-Down",         "Right Stick", "Square",
    "Triangle",
};
constexpr std::array<std::string_view, 3> kIconSets = {"ps_fullsolid", "ps_solid", "ps_outline"};
constexpr int kFirstResourceId = 300;

std::vector<DeployRow> BuildTable() {
  std::vector<DeployRow> rows;
  int id = kFirstResourceId;
  for (std::string_view set : kIconSets)
    for (std::string_view icon : kIconNames)
      rows.push_back({id++, "prompts/" + std::string(set) + "/" + std::string(icon) + ".png"});
  for (const char* file : {"prompts/LICENSE-vantrel.txt", "prompts/README.txt", "textures/6E42BC7CF738BCF0.png",
                           "textures/README.txt"})
    rows.push_back({id++, file});
  return rows;
}

std::filesystem::path TargetDirectory(const std::filesystem::path& launcherFolder, const DeployRow& row) {
  return (launcherFolder / std::filesystem::path(row.relativePath).parent_path()).make_preferred();
}

}  // namespace

std::span<const DeployRow> DeployTable() {
  static const std::vector<DeployRow> table = BuildTable();
  return table;
}

std::vector<DeployFolder> PlanDeployment(const std::filesystem::path& launcherFolder, std::span<const DeployRow> table,
                                         const std::function<bool(const std::filesystem::path&)>& directoryExists) {
  std::vector<std::filesystem::path> seen;
  std::vector<DeployFolder> plan;
  for (const DeployRow& row : table) {
    std::filesystem::path directory = TargetDirectory(launcherFolder, row);
    if (std::find(seen.begin(), seen.end(), directory) != seen.end()) continue;
    seen.push_back(directory);
    if (directoryExists(directory)) continue;
    DeployFolder& folder = plan.emplace_back(DeployFolder{directory, {}});
    for (const DeployRow& member : table)
      if (TargetDirectory(launcherFolder, member) == directory) folder.rows.push_back(&member);
  }
  return plan;
}

}  // namespace mf::app
