#include "app/resource_deploy_win.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "app/deploy_table.h"
#include "app/resource_bytes_win.h"
#include "settings/file_io.h"
#include "ui/text_win.h"

namespace mf::app {

void DeployResourceFiles() {
  const std::filesystem::path folder = ui::ExecutableFolder();
  HMODULE module = ::GetModuleHandleW(nullptr);
  for (const DeployFolder& target : PlanDeployment(folder, DeployTable(), [](const std::filesystem::path& directory) {
         return ::PathIsDirectoryW(directory.c_str()) != FALSE;
       })) {
    // A folder that was missing when the pass began may have been made since, as the
    // parent of another; it is filled all the same.
    int created = ::SHCreateDirectoryExW(nullptr, target.directory.c_str(), nullptr);
    if (created != ERROR_SUCCESS && created != ERROR_ALREADY_EXISTS) continue;
    for (const DeployRow* row : target.rows) {
      std::string_view bytes = ResourceBytes(module, row->resourceId);
      if (bytes.empty()) continue;
      settings::WriteFileAtomically((folder / std::filesystem::path(row->relativePath)).make_preferred(), bytes);
    }
  }
}

}  // namespace mf::app
