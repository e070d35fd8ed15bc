#include "update/file_ops_win.h"

#include <utility>

#include "update/update_log_win.h"

namespace mf::update {
namespace {

std::string CopyFailure(const std::filesystem::path& file, DWORD windowsError) {
  return "copy failed: " + PathText(file) + " (" + std::to_string(windowsError) + ")";
}

bool IsExcluded(const std::filesystem::path& relative, std::string_view excluded) {
  return !excluded.empty() && !relative.empty() && PathText(*relative.begin()) == excluded;
}

// Every file under the folder, relative to it, leaving out the excluded first-level entry;
// folders are created under the target as they are met. False with the error text when
// the folder cannot be read or a folder cannot be made.
template <typename FileAction>
bool WalkTree(const std::filesystem::path& source, const std::filesystem::path& target, std::string_view excluded,
              std::string& error, FileAction onFile) {
  std::error_code code;
  std::filesystem::create_directories(target, code);
  if (code) {
    error = "cannot create folder: " + PathText(target) + " (" + code.message() + ")";
    return false;
  }
  std::filesystem::recursive_directory_iterator walk(source, code), end;
  for (; !code && walk != end; walk.increment(code)) {
    std::filesystem::path relative = walk->path().lexically_relative(source);
    if (IsExcluded(relative, excluded)) {
      walk.disable_recursion_pending();
      continue;
    }
    if (walk->is_directory(code)) {
      std::filesystem::create_directories(target / relative, code);
      if (code) {
        error = "cannot create folder: " + PathText(target / relative) + " (" + code.message() + ")";
        return false;
      }
    } else if (!onFile(walk->path(), relative)) {
      return false;
    }
  }
  if (code) {
    error = "cannot read folder: " + PathText(source) + " (" + code.message() + ")";
    return false;
  }
  return true;
}

}  // namespace

DWORD CopyFileWithRetries(const std::filesystem::path& from, const std::filesystem::path& to, int attempts) {
  DWORD lastError = ERROR_SUCCESS;
  for (int attempt = 0; attempt < attempts; ++attempt) {
    if (::CopyFileW(from.c_str(), to.c_str(), FALSE)) return ERROR_SUCCESS;
    lastError = ::GetLastError();
    if (attempt + 1 < attempts) ::Sleep(250);
  }
  return lastError;
}

bool RemoveTree(const std::filesystem::path& folder) {
  std::error_code code;
  std::filesystem::remove_all(folder, code);
  return !std::filesystem::exists(folder, code);
}

bool CopyTree(const std::filesystem::path& source, const std::filesystem::path& target, std::string_view excluded,
              std::string& error) {
  return WalkTree(source, target, excluded, error, [&](const std::filesystem::path& file,
                                                        const std::filesystem::path& relative) {
    if (::CopyFileW(file.c_str(), (target / relative).c_str(), FALSE)) return true;
    error = CopyFailure(file, ::GetLastError());
    return false;
  });
}

Installer::Installer(std::filesystem::path installFolder, std::filesystem::path rollbackFolder)
    : install_(std::move(installFolder)), rollback_(std::move(rollbackFolder)) {}

bool Installer::InstallFile(const std::filesystem::path& from, const std::filesystem::path& relative,
                            std::string& error) {
  const std::filesystem::path target = install_ / relative;
  std::error_code code;
  if (journal_.NoteWrite(relative, std::filesystem::is_regular_file(target, code))) {
    const std::filesystem::path saved = rollback_ / relative;
    std::filesystem::create_directories(saved.parent_path(), code);
    if (DWORD failure = CopyFileWithRetries(target, saved, kCopyAttempts)) {
      journal_.ForgetLastWrite();
      error = CopyFailure(relative, failure) + " - its original could not be kept";
      return false;
    }
  }
  std::filesystem::create_directories(target.parent_path(), code);
  if (DWORD failure = CopyFileWithRetries(from, target, kCopyAttempts)) {
    error = CopyFailure(relative, failure);
    return false;
  }
  return true;
}

bool Installer::InstallTree(const std::filesystem::path& source, const std::filesystem::path& relative,
                            std::string& error) {
  return WalkTree(source, install_ / relative, {}, error,
                  [&](const std::filesystem::path& file, const std::filesystem::path& inside) {
                    return InstallFile(file, relative / inside, error);
                  });
}

bool Installer::Undo() {
  bool restored = true;
  for (const InstallJournal::UndoStep& step : journal_.UndoSteps()) {
    const std::filesystem::path target = install_ / step.relative;
    if (step.restoreOriginal) {
      DWORD failure = CopyFileWithRetries(rollback_ / step.relative, target, kCopyAttempts);
      if (failure == ERROR_SUCCESS) {
        UpdateLog("rollback: restored " + PathText(step.relative));
      } else {
        restored = false;
        UpdateLog("rollback FAILED: " + PathText(step.relative) + " (" + std::to_string(failure) + ")");
      }
    } else {
      std::error_code code;
      std::filesystem::remove(target, code);
      if (!code) {
        UpdateLog("rollback: removed " + PathText(step.relative) + " (added by the update)");
      } else {
        restored = false;
        UpdateLog("rollback FAILED: " + PathText(step.relative) + " (" + code.message() + ")");
      }
    }
  }
  return restored;
}

}  // namespace mf::update
