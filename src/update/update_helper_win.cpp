#include "update/update_helper_win.h"

#include <windows.h>

#include <filesystem>
#include <optional>

#include "resources/version.h"
#include "ui/win_handles_win.h"
#include "update/file_ops_win.h"
#include "update/install_plan.h"
#include "update/update_log_win.h"
#include "update/update_paths.h"
#include "update/zip_extract_win.h"

namespace mf::update {
namespace {

namespace fs = std::filesystem;

bool Exists(const fs::path& path) {
  std::error_code code;
  return fs::exists(path, code);
}

void WaitForLauncherExit(int processId) {
  if (processId != 0) {
    win::UniqueKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(processId)));
    if (process) {
      UpdateLog("wait: launcher exit");
      ::WaitForSingleObject(process.get(), 20000);
    }
  }
  ::Sleep(500);
}

// The staging folder itself when it holds the launcher, else its first subfolder that
// does (a zip that packs everything in one top folder); nothing when neither does.
std::optional<fs::path> FindZipRoot(const fs::path& staging) {
  if (Exists(staging / kLauncherFile)) return staging;
  std::error_code code;
  for (const fs::directory_entry& entry : fs::directory_iterator(staging, code))
    if (entry.is_directory(code) && Exists(entry.path() / kLauncherFile)) return entry.path();
  return std::nullopt;
}

void BackUpUserData(const fs::path& install, const fs::path& backup) {
  RemoveTree(backup);
  std::error_code code;
  fs::create_directories(backup, code);
  if (Exists(install / kUserDataFolder)) {
    std::string error;
    if (CopyTree(install / kUserDataFolder, backup / kUserDataFolder, kUserDataCacheFolder, error))
      UpdateLog("backup: userdata (without cache) -> " + PathText(backup));
    else
      UpdateLog("backup FAILED (continuing): " + error);
  }
  for (std::string_view name : kUserFiles)
    if (Exists(install / name)) ::CopyFileW((install / name).c_str(), (backup / name).c_str(), FALSE);
}

// Program files, then the folders. False with the error text at the first failure that
// must abort the update.
bool InstallRelease(const fs::path& root, Installer& installer, std::string& error) {
  for (std::string_view name : kProgramFiles) {
    if (!Exists(root / name)) {
      UpdateLog("skip: " + std::string(name) + " (not in zip)");
      continue;
    }
    if (!installer.InstallFile(root / name, name, error)) return false;
    UpdateLog("copy: " + std::string(name));
  }
  for (const InstallFolder& folder : kInstallFolders) {
    const fs::path relative = fs::path(folder.relative).make_preferred();
    if (!Exists(root / relative)) continue;
    std::string folderError;
    if (installer.InstallTree(root / relative, relative, folderError)) {
      UpdateLog("copy: " + std::string(folder.logName) + "/*");
    } else if (folder.required) {
      error = folderError;
      return false;
    } else {
      UpdateLog(std::string(folder.failurePrefix) + folderError);
    }
  }
  return true;
}

void StartLauncher(const fs::path& install) {
  const fs::path launcher = install / kLauncherFile;
  std::wstring commandLine = L"\"" + launcher.wstring() + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (::CreateProcessW(launcher.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, install.c_str(),
                       &startup, &info)) {
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
  } else {
    UpdateLog("relaunch FAILED: " + PathText(launcher) + " (" + std::to_string(::GetLastError()) + ")");
  }
}

}  // namespace

int RunUpdateHelper(const fs::path& zip, const fs::path& install, int oldProcessId) {
  std::optional<fs::path> temp = TempFolder();
  if (!temp) return 2;
  const fs::path log = *temp / kLogFileName;
  { win::UniqueFileHandle truncate(::CreateFileW(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                                 FILE_ATTRIBUTE_NORMAL, nullptr)); }
  SetUpdateLogFile(log);

  const fs::path staging = *temp / kStagingFolderName, backup = *temp / kBackupFolderName,
                 rollback = *temp / kRollbackFolderName;
  UpdateLog("update helper v" + std::string(kCurrentVersionTag.substr(1)) + " starting; zip=" + PathText(zip) +
            " dest=" + PathText(install));
  WaitForLauncherExit(oldProcessId);

  std::string error;
  bool succeeded = false;
  bool undone = true;
  if (ExtractZip(zip, staging, error)) {
    if (std::optional<fs::path> root = FindZipRoot(staging)) {
      UpdateLog("stage: zip root resolved to " + PathText(*root));
      BackUpUserData(install, backup);
      RemoveTree(rollback);
      Installer installer(install, rollback);
      succeeded = InstallRelease(*root, installer, error);
      if (!succeeded) {
        UpdateLog("FAILED: " + error);
        UpdateLog("rollback: putting the previous build back");
        undone = installer.Undo();
        error.clear();
      }
    } else {
      error = "zip holds no " + std::string(kLauncherFile) + " at its root or in a top folder: not a release";
    }
  }

  // Clean-up in every case once extraction was tried; the backup of the player's data stays.
  RemoveTree(staging);
  std::error_code ignored;
  fs::remove(zip, ignored);

  if (succeeded) {
    RemoveTree(rollback);
    UpdateLog("update: success -- relaunching");
    StartLauncher(install);
    SetUpdateLogFile({});
    fs::remove(log, ignored);
    return 0;
  }
  if (!error.empty()) UpdateLog("FAILED: " + error);
  if (undone) RemoveTree(rollback);
  else UpdateLog("rollback incomplete: the previous files are kept in " + PathText(rollback));
  UpdateLog("update: aborted -- launching previous build");
  StartLauncher(install);
  return 1;
}

}  // namespace mf::update
