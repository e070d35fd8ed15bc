#include "update/update_helper_win.h"

#include <windows.h>

#include <exception>
#include <filesystem>
#include <optional>

#include "resources/version.h"
#include "ui/win_handles_win.h"
#include "update/file_ops_win.h"
#include "update/helper_timings_win.h"
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
  TimedPhase timed(HelperPhase::Wait);
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
  std::optional<fs::path> root;
  for (const fs::directory_entry& entry : fs::directory_iterator(staging, code)) {
    if (!entry.is_directory(code) || entry.is_symlink(code) || !Exists(entry.path() / kLauncherFile)) continue;
    if (!root) root = entry.path();
    else UpdateLog("stage: " + PathText(entry.path().filename()) + " also holds " + std::string(kLauncherFile) +
                   "; installing from " + PathText(root->filename()) + " only");
  }
  return root;
}

// The player's data, copied into a new backup that replaces the previous one only once it
// is complete: a stop half-way leaves the last good backup.
void BackUpUserData(const fs::path& install, const fs::path& backup) {
  TimedPhase timed(HelperPhase::Backup);
  const fs::path fresh = fs::path(backup.native() + L".new");
  UpdateLog("backup: copying the player's files to " + PathText(fresh));
  if (!MakeFreshFolder(fresh)) {
    UpdateLog("backup FAILED (continuing): cannot create " + PathText(fresh));
    return;
  }
  if (Exists(install / kUserDataFolder)) {
    std::string error;
    if (CopyTree(install / kUserDataFolder, fresh / kUserDataFolder, kUserDataCacheFolder, error))
      UpdateLog("backup: userdata (without cache) -> " + PathText(backup));
    else
      UpdateLog("backup FAILED (continuing): " + error);
  }
  for (std::string_view name : kUserFiles)
    if (Exists(install / name) && !::CopyFileW((install / name).c_str(), (fresh / name).c_str(), FALSE))
      UpdateLog("backup FAILED (continuing): " + std::string(name) + " (" + std::to_string(::GetLastError()) + ")");
  if (!RemoveTree(backup) || !::MoveFileExW(fresh.c_str(), backup.c_str(), MOVEFILE_WRITE_THROUGH))
    UpdateLog("backup: the previous backup could not be replaced; this one is in " + PathText(fresh));
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
    const size_t mark = installer.Mark();
    std::string folderError;
    if (installer.InstallTree(root / relative, relative, folderError)) {
      UpdateLog("copy: " + std::string(folder.logName) + "/*");
    } else if (folder.required) {
      error = folderError;
      return false;
    } else {
      UpdateLog(std::string(folder.failurePrefix) + folderError);
      // Half old and half new files in one folder may fit neither build: the folder goes
      // back to what it was.
      if (installer.UndoSince(mark))
        UpdateLog("rollback: " + std::string(folder.logName) + " is back as it was before the update");
      else
        UpdateLog("rollback FAILED: " + std::string(folder.logName) + " is partly updated");
    }
  }
  return true;
}

// Gives the started launcher the one lasting handle of the relaunch mark, so the mark
// lives as long as that launcher does. A launcher that waited for this helper looks for
// it once the helper lets go of its mutex, which is only after this.
void MarkRelaunch(HANDLE launcherProcess) {
  win::UniqueKernelHandle mark(::CreateEventW(nullptr, TRUE, FALSE, kRelaunchMarkName));
  HANDLE inLauncher = nullptr;
  // Fails when the launcher has already ended: then there is no mark, which is the truth.
  if (mark) ::DuplicateHandle(::GetCurrentProcess(), mark.get(), launcherProcess, &inLauncher, 0, FALSE,
                              DUPLICATE_SAME_ACCESS);
}

// The Windows error when the launcher could not be started, else ERROR_SUCCESS. The
// helper's mutex is still held: the launcher finds itself marked as the relaunch in its
// environment and does not wait for it.
DWORD StartLauncher(const fs::path& install) {
  TimedPhase timed(HelperPhase::Relaunch);
  const fs::path launcher = install / kLauncherFile;
  std::wstring commandLine = L"\"" + launcher.wstring() + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  ::SetEnvironmentVariableW(kRelaunchVariable, L"1");
  const BOOL started = ::CreateProcessW(launcher.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        install.c_str(), &startup, &info);
  const DWORD failure = started ? ERROR_SUCCESS : ::GetLastError();
  ::SetEnvironmentVariableW(kRelaunchVariable, nullptr);
  if (!started) return failure;
  MarkRelaunch(info.hProcess);
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
  return ERROR_SUCCESS;
}

void StartPreviousLauncher(const fs::path& install) {
  UpdateLog("update: aborted -- launching previous build");
  if (DWORD failure = StartLauncher(install))
    UpdateLog("relaunch FAILED: " + PathText(install / kLauncherFile) + " (" + std::to_string(failure) + ")");
}

void CleanUp(const fs::path& staging, const fs::path& zip) {
  TimedPhase timed(HelperPhase::CleanUp);
  if (!RemoveTree(staging)) UpdateLog("could not remove " + PathText(staging) + " (left in place)");
  DeleteFileAlways(zip);
}

struct HelperPaths {
  fs::path zip, install, log, staging, backup, rollback;
};

// The named mutex a launcher checks at start-up. Held from the helper's start until the
// process ends, past the start of the launcher it hands over to: a launcher the player
// started meanwhile waits, and when it wakes the relaunch mark tells it whether that
// launcher is running (see update/helper_wait.h).
class BusySignal {
 public:
  BusySignal() : mutex_(::CreateMutexW(nullptr, TRUE, kHelperMutexName)) {
    // Another helper (or a launcher putting an unfinished update back) is at work: one
    // installation is changed by one process at a time.
    if (mutex_ && ::GetLastError() == ERROR_ALREADY_EXISTS) {
      UpdateLog("wait: another update is at work");
      ::WaitForSingleObject(mutex_.get(), 5 * 60 * 1000);
    }
  }
  ~BusySignal() {
    if (mutex_) ::ReleaseMutex(mutex_.get());
  }
  BusySignal(const BusySignal&) = delete;
  BusySignal& operator=(const BusySignal&) = delete;

 private:
  win::UniqueKernelHandle mutex_;
};

// Everything after the log is open. Exit code 0 once the new launcher has started.
int ApplyUpdate(const HelperPaths& paths, int oldProcessId) {
  WaitForLauncherExit(oldProcessId);

  // A journal left by a helper that was stopped is undone before anything else, and is
  // never overwritten: without it the damage could not be repaired.
  if (UndoLeftoverUpdate(paths.rollback) == LeftoverUpdate::UndoFailed) {
    UpdateLog("FAILED: the earlier unfinished update could not be undone; not installing over it");
    CleanUp(paths.staging, paths.zip);
    StartPreviousLauncher(paths.install);
    return 1;
  }

  std::string error;
  std::optional<fs::path> root;
  bool extracted = false;
  {
    TimedPhase timed(HelperPhase::Extract);
    extracted = ExtractZip(paths.zip, paths.staging, error);
  }
  if (extracted) {
    root = FindZipRoot(paths.staging);
    if (!root) error = "zip holds no " + std::string(kLauncherFile) + " at its root or in a top folder: not a release";
  }
  if (!root) {
    UpdateLog("FAILED: " + error);
    CleanUp(paths.staging, paths.zip);
    StartPreviousLauncher(paths.install);
    return 1;
  }
  UpdateLog("stage: zip root resolved to " + PathText(*root));
  BackUpUserData(paths.install, paths.backup);

  Installer installer(paths.install, paths.rollback);
  bool installed = installer.Begin();
  if (!installed) error = "cannot start the roll-back journal in " + PathText(paths.rollback);
  else installed = InstallRelease(*root, installer, error);
  CleanUp(paths.staging, paths.zip);

  if (installed) {
    UpdateLog("update: success -- relaunching");
    // The new launcher asks about a log at start-up: it must find none, so the log goes
    // first and comes back only if the start fails.
    SetUpdateLogFile({});
    installer.Complete();
    const fs::path keptLog = fs::path(paths.log.native() + L".last");
    DeleteFileAlways(keptLog);
    ::MoveFileExW(paths.log.c_str(), keptLog.c_str(), MOVEFILE_REPLACE_EXISTING);
    const DWORD failure = StartLauncher(paths.install);
    if (failure == ERROR_SUCCESS) {
      installer.Finish();
      DeleteFileAlways(keptLog);
      return 0;
    }
    ::MoveFileExW(keptLog.c_str(), paths.log.c_str(), MOVEFILE_REPLACE_EXISTING);
    SetUpdateLogFile(paths.log);
    error = "relaunch FAILED: " + PathText(paths.install / kLauncherFile) + " (" + std::to_string(failure) +
            ") - the new build does not start";
  }
  UpdateLog("FAILED: " + error);
  UpdateLog("rollback: putting the previous build back");
  if (!installer.Undo())
    UpdateLog("rollback incomplete: the previous files are kept in " + PathText(paths.rollback) +
              " and are put back at the next start");
  StartPreviousLauncher(paths.install);
  return 1;
}

}  // namespace

int RunUpdateHelper(const fs::path& zip, const fs::path& install, int oldProcessId) {
  std::optional<fs::path> temp = TempFolder();
  if (!temp) return 2;
  StartHelperTimings();
  struct TimingsAtTheEnd {
    ~TimingsAtTheEnd() { WriteHelperTimings(); }
  } timingsAtTheEnd;
  HelperPaths paths{zip, install, *temp / kLogFileName, *temp / kStagingFolderName, *temp / kBackupFolderName,
                    *temp / kRollbackFolderName};
  { win::UniqueFileHandle truncate(::CreateFileW(paths.log.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)); }
  SetUpdateLogFile(paths.log);
  // Held until the process ends, however it ends: a launcher started meanwhile knows that
  // the installation is being changed.
  const BusySignal busy;
  UpdateLog("update helper v" + std::string(kCurrentVersionTag.substr(1)) + " starting; zip=" + PathText(zip) +
            " dest=" + PathText(install));

  // Whatever goes wrong, the player is left with a complete build and a launcher running.
  try {
    return ApplyUpdate(paths, oldProcessId);
  } catch (const std::exception& failure) {
    SetUpdateLogFile(paths.log);
    UpdateLog(std::string("FAILED: unexpected error: ") + failure.what());
  } catch (...) {
    SetUpdateLogFile(paths.log);
    UpdateLog("FAILED: unexpected error");
  }
  try {
    UndoLeftoverUpdate(paths.rollback);
    CleanUp(paths.staging, paths.zip);
  } catch (...) {
    UpdateLog("rollback incomplete: unexpected error; the previous files are put back at the next start");
  }
  StartPreviousLauncher(install);
  return 1;
}

}  // namespace mf::update
