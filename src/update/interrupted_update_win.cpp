#include "update/interrupted_update_win.h"

#include <windows.h>

#include "ui/win_handles_win.h"
#include "update/file_ops_win.h"
#include "update/update_log_win.h"
#include "update/update_paths.h"

namespace mf::update {
namespace {

// The helper's mutex, taken when nobody holds it (also when a stopped helper left it
// abandoned); none while a helper works.
class HelperMutex {
 public:
  HelperMutex() : mutex_(::CreateMutexW(nullptr, FALSE, kHelperMutexName)) {
    if (mutex_) {
      DWORD wait = ::WaitForSingleObject(mutex_.get(), 0);
      owned_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    }
  }
  ~HelperMutex() {
    if (owned_) ::ReleaseMutex(mutex_.get());
  }
  HelperMutex(const HelperMutex&) = delete;
  HelperMutex& operator=(const HelperMutex&) = delete;
  bool owned() const { return owned_; }

 private:
  win::UniqueKernelHandle mutex_;
  bool owned_ = false;
};

}  // namespace

bool UpdateHelperIsAtWork() {
  win::UniqueKernelHandle mutex(::OpenMutexW(SYNCHRONIZE, FALSE, kHelperMutexName));
  if (!mutex) return false;  // no helper made it
  if (::WaitForSingleObject(mutex.get(), 0) == WAIT_TIMEOUT) return true;
  ::ReleaseMutex(mutex.get());  // free, or left by a stopped helper: taken only to look
  return false;
}

win::UniqueKernelHandle OpenUpdateHelperMutex() {
  return win::UniqueKernelHandle(::OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, kHelperMutexName));
}

bool TakeRelaunchMark() {
  const bool marked = ::GetEnvironmentVariableW(kRelaunchVariable, nullptr, 0) != 0;
  if (marked) ::SetEnvironmentVariableW(kRelaunchVariable, nullptr);
  return marked;
}

bool HelperRelaunchIsRunning() {
  return static_cast<bool>(win::UniqueKernelHandle(::OpenEventW(SYNCHRONIZE, FALSE, kRelaunchMarkName)));
}

void UndoInterruptedUpdate() {
  std::optional<std::filesystem::path> temp = TempFolder();
  if (!temp) return;
  const std::filesystem::path rollback = *temp / kRollbackFolderName, staging = *temp / kStagingFolderName;
  const bool journal = ::GetFileAttributesW(JournalFile(rollback).c_str()) != INVALID_FILE_ATTRIBUTES;
  const bool unpacked = ::GetFileAttributesW(staging.c_str()) != INVALID_FILE_ATTRIBUTES;
  if (!journal && !unpacked) return;
  HelperMutex mutex;  // held while the files are put back, so no helper starts on them
  if (!mutex.owned()) return;
  SetUpdateLogFile(*temp / kLogFileName);
  // Stopped while unpacking or backing up, the helper had not changed the installation yet;
  // the log then tells the player so, where it would otherwise end mid-way without a word.
  if (UndoLeftoverUpdate(rollback) == LeftoverUpdate::None && unpacked)
    UpdateLog("rollback: an earlier update was stopped before it changed the installation; nothing to put back");
  SetUpdateLogFile({});
  RemoveTree(staging);  // a whole release that a stopped helper unpacked: no use to anyone
}

}  // namespace mf::update
