#pragma once
// The update helper's file work: copies that wait out a briefly locked file, whole folders
// copied or removed, and originals kept so that a failed update can be undone.
#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "update/install_plan.h"

namespace mf::update {

// CopyFileW over an existing file, tried up to `attempts` times with 250 ms between: a
// file the old launcher or the game still holds is often let go of a moment later. The
// Windows error of the last attempt, or ERROR_SUCCESS.
DWORD CopyFileWithRetries(const std::filesystem::path& from, const std::filesystem::path& to, int attempts);
inline constexpr int kCopyAttempts = 20;

// Removes the folder and everything in it; true when nothing is left.
bool RemoveTree(const std::filesystem::path& folder);

// Copies the source folder's files and folders into the target, overwriting files. A
// first-level entry named `excluded` is left out with all it holds. On the first failure
// the error text reads "copy failed: <file> (<Windows error>)"; files copied stay.
bool CopyTree(const std::filesystem::path& source, const std::filesystem::path& target, std::string_view excluded,
              std::string& error);

// Installs files into the installation folder, keeping each file's original in the
// rollback folder before it is first overwritten, so that Undo can restore the
// installation exactly as it was.
class Installer {
 public:
  Installer(std::filesystem::path installFolder, std::filesystem::path rollbackFolder);

  // Copies one file to `relative` under the installation (with retries). False with the
  // error text "copy failed: <name> (<Windows error>)" when it cannot be saved or written.
  bool InstallFile(const std::filesystem::path& from, const std::filesystem::path& relative, std::string& error);
  // The same for every file under a folder of the zip root.
  bool InstallTree(const std::filesystem::path& source, const std::filesystem::path& relative, std::string& error);

  // Puts back every original and deletes every added file, newest first, logging each
  // step. False when some file could not be restored (it is named in the log).
  bool Undo();

 private:
  std::filesystem::path install_;
  std::filesystem::path rollback_;
  InstallJournal journal_;
};

}  // namespace mf::update
