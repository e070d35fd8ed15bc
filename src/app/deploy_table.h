#pragma once
// The files the launcher carries as resources and writes beside itself: the PlayStation
// prompt icon sets with their licence and read-me, and the texture-replacement folder's
// title logo and read-me. Only folders that do not exist are written, so a player's edits
// inside an existing folder stay, and a deleted folder comes back whole.
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace mf::app {

struct DeployRow {
  int resourceId;            // RCDATA
  std::string relativePath;  // from the launcher's folder, '/'-separated
};

// 55 rows, resources 300 to 354 in order.
std::span<const DeployRow> DeployTable();

// A folder to create and the rows to write into it.
struct DeployFolder {
  std::filesystem::path directory;
  std::vector<const DeployRow*> rows;
};

// The folders of the table, in the order the table first names them, that did not exist
// when the pass began, each with every row whose file goes there. The question is asked of
// each folder before anything is created, so a folder made as another's parent (prompts
// for prompts\ps_fullsolid) still gets its own files on a fresh install.
std::vector<DeployFolder> PlanDeployment(const std::filesystem::path& launcherFolder, std::span<const DeployRow> table,
                                         const std::function<bool(const std::filesystem::path&)>& directoryExists);

}  // namespace mf::app
