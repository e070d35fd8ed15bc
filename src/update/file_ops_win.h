#pragma once
// The update helper's file work: files replaced in one rename so that none is ever left
// half-written, copies that wait out a briefly locked file, folders removed without
// following links, and a journal of every change so that a failed or interrupted update
// can be undone.
#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "update/install_plan.h"

namespace mf::update {

inline constexpr int kCopyAttempts = 20;

// Whether a failed file operation may pass when tried again: another program holds the
// file. A missing path, a write-protected volume or a full disk never will.
bool MayPassOnRetry(DWORD windowsError);

// Writes `from` beside `to` (under a temporary name), flushes it to disk and then puts it
// in place with one rename, so `to` holds either its old or its new bytes whatever
// happens. A read-only target is replaced all the same. Retried up to `attempts` times,
// 250 ms apart, while the error may pass. The Windows error, or ERROR_SUCCESS.
DWORD ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to, int attempts);

// Puts `from`, a file of the helper's own, at `to` in one rename once its bytes are on the
// disk, retried like ReplaceFile. ERROR_NOT_SAME_DEVICE when the two are on different
// volumes: nothing has changed, and the file is to be copied with ReplaceFile instead.
DWORD MoveIntoPlace(const std::filesystem::path& from, const std::filesystem::path& to, int attempts);

// Deletes one file, read-only or not. True when it is gone (or never was).
bool DeleteFileAlways(const std::filesystem::path& file);

// Removes the folder and everything in it, read-only files included. A link or junction,
// at the top or inside, is removed as a link: what it points to is never entered. True
// when nothing is left.
bool RemoveTree(const std::filesystem::path& folder);

// Makes an empty folder of the helper's own at this path: whatever stands there - a
// folder, a file, a link planted by another program - is removed first (a link as a
// link). False when the path cannot be cleared or made.
bool MakeFreshFolder(const std::filesystem::path& folder);

// Copies the source folder's files and folders into the target, overwriting files. A
// first-level entry named `excluded` is left out with all it holds. On the first failure
// the error text reads "copy failed: <file> (<Windows error>)"; files copied stay.
bool CopyTree(const std::filesystem::path& source, const std::filesystem::path& target, std::string_view excluded,
              std::string& error);

// Installs files into the installation folder. Before it changes anything it writes the
// step to the journal in the roll-back folder (and saves the original there), so that
// Undo - in this run, or in a later one after the helper was stopped - puts the
// installation back exactly as it was.
class Installer {
 public:
  Installer(std::filesystem::path installFolder, std::filesystem::path rollbackFolder);

  // Starts an empty journal. False when the roll-back folder cannot be made.
  bool Begin();

  // Puts one staged file at `relative` under the installation: renamed in when staging is
  // on the same volume (the staged file is then gone), copied otherwise. False with the
  // error text "copy failed: <name> (<Windows error>)" when it cannot be saved or written;
  // the file is then as it was.
  bool InstallFile(const std::filesystem::path& from, const std::filesystem::path& relative, std::string& error);
  // The same for every file and folder under a folder of the zip root, with one write of
  // the journal for all of the folder's files.
  bool InstallTree(const std::filesystem::path& source, const std::filesystem::path& relative, std::string& error);

  // How far the journal is; UndoSince puts back what came after it (a folder whose
  // update failed is made entirely old again).
  size_t Mark() const;
  bool UndoSince(size_t mark);

  // Undoes every step, newest first, logging each; then the roll-back folder is removed.
  // False when something could not be put back (named in the log; the folder stays so
  // that a later run can finish the undo).
  bool Undo();
  // Every file is in place: the journal says so, and from then on only this run's Undo
  // (when the new launcher does not start) acts on it.
  bool Complete();
  // The update is complete: the journal is deleted first, then the saved originals.
  void Finish();

 private:
  bool AppendLine(const std::string& line);
  // Notes a step in memory and queues its line; WriteJournal puts the queued lines on the
  // disk, and must come before any change they describe. Journal does both.
  void Note(InstallJournal::Step step, const std::filesystem::path& relative);
  bool WriteJournal();
  std::string JournalWriteFailure() const;  // the error text when the journal cannot be written
  bool Journal(InstallJournal::Step step, const std::filesystem::path& relative);
  bool MakeFolders(const std::filesystem::path& relativeFolder, std::string& error);
  // Keeps the original of a file about to be written and notes the step; nothing in the
  // installation changes.
  bool Prepare(const std::filesystem::path& relative, std::string& error);
  // Writes the file; on failure takes the step back when this call's Prepare noted it.
  bool Place(const std::filesystem::path& from, const std::filesystem::path& relative, bool noted, std::string& error);

  std::filesystem::path install_;
  std::filesystem::path rollback_;
  InstallJournal journal_;
  std::string pending_;     // journal lines not yet on the disk
  bool sameVolume_ = true;  // until a rename says otherwise
  std::vector<InstallJournal::UndoStep> done_;  // in order, for UndoSince
};

// The journal file inside a roll-back folder; its presence means an unfinished update.
std::filesystem::path JournalFile(const std::filesystem::path& rollbackFolder);

// Undoes the journal left in the roll-back folder by an update that did not finish, if
// there is one, and removes the folder when that worked. Logs what it does. Nothing when
// there is no journal, or when it belongs to an update that completed (its folder is then
// removed).
enum class LeftoverUpdate { None, Undone, UndoFailed };
LeftoverUpdate UndoLeftoverUpdate(const std::filesystem::path& rollbackFolder);

}  // namespace mf::update
