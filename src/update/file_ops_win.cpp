#include "update/file_ops_win.h"

#include <aclapi.h>

#include <utility>

#include "i18n/utf16_win.h"
#include "ui/win_handles_win.h"
#include "update/helper_timings_win.h"
#include "update/update_log_win.h"

namespace mf::update {
namespace {

namespace fs = std::filesystem;

// A new file is written under this name beside its target, then renamed over it.
constexpr std::wstring_view kBesideSuffix = L".mf1_new";

fs::path Beside(const fs::path& target) { return fs::path(target.native() + std::wstring(kBesideSuffix)); }

fs::path SavedOriginal(const fs::path& rollback, const fs::path& relative) { return rollback / L"files" / relative; }

std::string CopyFailure(const fs::path& file, DWORD windowsError) {
  return "copy failed: " + PathText(file) + " (" + std::to_string(windowsError) + ")";
}

bool IsExcluded(const fs::path& relative, std::string_view excluded) {
  return !excluded.empty() && !relative.empty() && PathText(*relative.begin()) == excluded;
}

bool IsMissing(DWORD windowsError) {
  return windowsError == ERROR_FILE_NOT_FOUND || windowsError == ERROR_PATH_NOT_FOUND;
}

void ClearReadOnly(const fs::path& file) {
  DWORD attributes = ::GetFileAttributesW(file.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    ::SetFileAttributesW(file.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
}

// A CD, a write-protected card or a read-only mount: access stays denied however long one waits.
bool IsOnReadOnlyVolume(const fs::path& file) {
  wchar_t volume[MAX_PATH + 1];
  DWORD flags = 0;
  return ::GetVolumePathNameW(file.c_str(), volume, MAX_PATH + 1) &&
         ::GetVolumeInformationW(volume, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0) &&
         (flags & FILE_READ_ONLY_VOLUME);
}

bool Flush(HANDLE file) {
  TimedPhase timed(HelperPhase::Flush);
  return ::FlushFileBuffers(file) != 0;
}

DWORD FlushToDisk(const fs::path& file) {
  TimedPhase timed(HelperPhase::Flush);
  win::UniqueFileHandle handle(::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle) return ::GetLastError();
  return ::FlushFileBuffers(handle.get()) ? ERROR_SUCCESS : ::GetLastError();
}

// A running program cannot be replaced, but it can be renamed: it goes aside under a
// name of its own, the new file takes its place, and the old one is deleted once nothing
// runs it (now, or at the next replacement). This is how a launcher that was started on
// a half-installed update puts its own previous build back. Files held open without
// delete sharing refuse the rename as well, and keep the error.
DWORD MoveRunningProgramAside(const fs::path& beside, const fs::path& to, DWORD error) {
  if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) return error;
  const fs::path aside = fs::path(to.native() + L".mf1_old");
  DeleteFileAlways(aside);
  if (!::MoveFileExW(to.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING)) return error;
  if (!::MoveFileExW(beside.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) {
    ::MoveFileExW(aside.c_str(), to.c_str(), 0);
    return error;
  }
  DeleteFileAlways(aside);
  return ERROR_SUCCESS;
}

DWORD ReplaceOnce(const fs::path& from, const fs::path& to) {
  const fs::path beside = Beside(to);
  DeleteFileAlways(beside);
  DWORD error = ERROR_SUCCESS;
  if (!::CopyFileW(from.c_str(), beside.c_str(), FALSE)) {
    error = ::GetLastError();
  } else {
    ClearReadOnly(beside);  // the copy carries the source's attribute; the flush must open it
    error = FlushToDisk(beside);
    if (error == ERROR_SUCCESS) {
      ClearReadOnly(to);  // a rename does not replace a read-only file
      if (!::MoveFileExW(beside.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = MoveRunningProgramAside(beside, to, ::GetLastError());
    }
  }
  if (error != ERROR_SUCCESS) DeleteFileAlways(beside);
  return error;
}

// Every entry under the folder, relative to it, leaving out the excluded first-level
// entry; onFolder and onFile decide. Links are not entered. False with the error text
// when the folder cannot be read or an action fails.
template <typename FolderAction, typename FileAction>
bool WalkTree(const fs::path& source, std::string_view excluded, std::string& error, FolderAction onFolder,
              FileAction onFile) {
  std::error_code code;
  fs::recursive_directory_iterator walk(source, fs::directory_options::none, code), end;
  for (; !code && walk != end; walk.increment(code)) {
    const fs::path relative = walk->path().lexically_relative(source);
    if (IsExcluded(relative, excluded)) {
      walk.disable_recursion_pending();
      continue;
    }
    if (walk->is_symlink(code)) {
      walk.disable_recursion_pending();
      continue;
    }
    if (walk->is_directory(code) ? !onFolder(relative) : !onFile(walk->path(), relative)) return false;
  }
  if (code) {
    error = "cannot read folder: " + PathText(source) + " (" + code.message() + ")";
    return false;
  }
  return true;
}

// Puts back one step of an undo. True when the installation holds what it held before.
bool UndoStep(const fs::path& install, const fs::path& rollback, const InstallJournal::UndoStep& step) {
  const fs::path target = install / step.relative;
  switch (step.step) {
    case InstallJournal::Step::Replaced: {
      DWORD failure = ReplaceFile(SavedOriginal(rollback, step.relative), target, kCopyAttempts);
      if (failure != ERROR_SUCCESS) {
        UpdateLog("rollback FAILED: " + PathText(step.relative) + " (" + std::to_string(failure) + ")");
        return false;
      }
      UpdateLog("rollback: restored " + PathText(step.relative));
      return true;
    }
    case InstallJournal::Step::Added:
      DeleteFileAlways(Beside(target));
      if (!DeleteFileAlways(target)) {
        UpdateLog("rollback FAILED: " + PathText(step.relative) + " (" + std::to_string(::GetLastError()) + ")");
        return false;
      }
      UpdateLog("rollback: removed " + PathText(step.relative) + " (added by the update)");
      return true;
    case InstallJournal::Step::Folder:
      if (::RemoveDirectoryW(target.c_str()) || IsMissing(::GetLastError())) {
        UpdateLog("rollback: removed folder " + PathText(step.relative) + " (added by the update)");
      } else {
        // Something the update did not put there (the player's own file) stays, and its
        // folder with it.
        UpdateLog("rollback: kept folder " + PathText(step.relative) + " (not empty)");
      }
      return true;
    case InstallJournal::Step::Kept:
      return true;
  }
  return true;
}

bool UndoAll(const fs::path& install, const fs::path& rollback, const std::vector<InstallJournal::UndoStep>& steps) {
  bool restored = true;
  for (const InstallJournal::UndoStep& step : steps) restored = UndoStep(install, rollback, step) && restored;
  return restored;
}

std::string ReadWholeFile(const fs::path& file) {
  win::UniqueFileHandle handle(::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string text;
  if (!handle) return text;
  char buffer[16384];
  DWORD read = 0;
  while (::ReadFile(handle.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
  return text;
}

}  // namespace

bool MayPassOnRetry(DWORD windowsError) {
  // A running program or an open handle without delete sharing shows as access denied.
  return windowsError == ERROR_SHARING_VIOLATION || windowsError == ERROR_LOCK_VIOLATION ||
         windowsError == ERROR_ACCESS_DENIED || windowsError == ERROR_USER_MAPPED_FILE;
}

DWORD ReplaceFile(const fs::path& from, const fs::path& to, int attempts) {
  DWORD lastError = ERROR_SUCCESS;
  for (int attempt = 0; attempt < attempts; ++attempt) {
    lastError = ReplaceOnce(from, to);
    if (lastError == ERROR_SUCCESS || !MayPassOnRetry(lastError)) return lastError;
    if (lastError == ERROR_ACCESS_DENIED && IsOnReadOnlyVolume(to)) return lastError;
    if (attempt + 1 < attempts) ::Sleep(250);
  }
  return lastError;
}

// A renamed file keeps the permissions it was made with in the player's temporary folder
// (the player, the system and administrators only); a copy would take those of its new
// folder. It is given its folder's, as a copy would, so another account on the PC can still
// run the game. Volumes without permissions (FAT, exFAT) refuse, which changes nothing.
void TakeFolderPermissions(const fs::path& file) {
  ACL none;
  if (!::InitializeAcl(&none, sizeof none, ACL_REVISION)) return;
  ::SetNamedSecurityInfoW(const_cast<wchar_t*>(file.c_str()), SE_FILE_OBJECT,
                          DACL_SECURITY_INFORMATION | UNPROTECTED_DACL_SECURITY_INFORMATION, nullptr, nullptr, &none,
                          nullptr);
}

DWORD MoveIntoPlace(const fs::path& from, const fs::path& to, int attempts) {
  // After the rename `to` is the staged file itself: its bytes go to the disk first, so a
  // power cut cannot leave the name over data that never arrived. Unpacking wrote them
  // without a flush (a stop there is harmless), so this is the one flush each file gets.
  if (DWORD failure = FlushToDisk(from)) return failure;
  DWORD lastError = ERROR_SUCCESS;
  for (int attempt = 0; attempt < attempts; ++attempt) {
    ClearReadOnly(to);
    if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      TakeFolderPermissions(to);
      return ERROR_SUCCESS;
    }
    lastError = ::GetLastError();
    if (lastError == ERROR_NOT_SAME_DEVICE) return lastError;
    lastError = MoveRunningProgramAside(from, to, lastError);
    if (lastError == ERROR_SUCCESS) TakeFolderPermissions(to);
    if (lastError == ERROR_SUCCESS || !MayPassOnRetry(lastError)) return lastError;
    if (lastError == ERROR_ACCESS_DENIED && IsOnReadOnlyVolume(to)) return lastError;
    if (attempt + 1 < attempts) ::Sleep(250);
  }
  return lastError;
}

bool DeleteFileAlways(const fs::path& file) {
  if (::DeleteFileW(file.c_str())) return true;
  DWORD error = ::GetLastError();
  if (IsMissing(error)) return true;
  ClearReadOnly(file);
  return ::DeleteFileW(file.c_str()) || IsMissing(::GetLastError());
}

bool RemoveTree(const fs::path& folder) {
  const DWORD attributes = ::GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return IsMissing(::GetLastError());
  if (attributes & FILE_ATTRIBUTE_READONLY) ::SetFileAttributesW(folder.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return DeleteFileAlways(folder);
  // A link or junction to a folder: RemoveDirectoryW removes the link, not the target.
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return ::RemoveDirectoryW(folder.c_str()) != 0;
  WIN32_FIND_DATAW found;
  {
    win::UniqueFindHandle find(::FindFirstFileW((folder / L"*").c_str(), &found));
    if (find) {
      do {
        const std::wstring_view name = found.cFileName;
        if (name != L"." && name != L"..") RemoveTree(folder / found.cFileName);
      } while (::FindNextFileW(find.get(), &found));
    }
  }
  return ::RemoveDirectoryW(folder.c_str()) || IsMissing(::GetLastError());
}

bool MakeFreshFolder(const fs::path& folder) {
  if (!RemoveTree(folder)) return false;
  std::error_code code;
  fs::create_directories(folder.parent_path(), code);
  return ::CreateDirectoryW(folder.c_str(), nullptr) != 0;
}

bool CopyTree(const fs::path& source, const fs::path& target, std::string_view excluded, std::string& error) {
  std::error_code code;
  fs::create_directories(target, code);
  if (code) {
    error = "cannot create folder: " + PathText(target) + " (" + code.message() + ")";
    return false;
  }
  return WalkTree(
      source, excluded, error,
      [&](const fs::path& relative) {
        fs::create_directories(target / relative, code);
        if (!code) return true;
        error = "cannot create folder: " + PathText(target / relative) + " (" + code.message() + ")";
        return false;
      },
      [&](const fs::path& file, const fs::path& relative) {
        if (::CopyFileW(file.c_str(), (target / relative).c_str(), FALSE)) return true;
        error = CopyFailure(file, ::GetLastError());
        return false;
      });
}

fs::path JournalFile(const fs::path& rollbackFolder) { return rollbackFolder / L"journal.txt"; }

Installer::Installer(fs::path installFolder, fs::path rollbackFolder)
    : install_(std::move(installFolder)), rollback_(std::move(rollbackFolder)) {}

bool Installer::Begin() {
  TimedPhase timed(HelperPhase::Journal);
  if (!MakeFreshFolder(rollback_)) return false;
  win::UniqueFileHandle file(::CreateFileW(JournalFile(rollback_).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                           CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  const std::string header = InstallJournal::HeaderLine(PathText(install_));
  DWORD written = 0;
  return ::WriteFile(file.get(), header.data(), static_cast<DWORD>(header.size()), &written, nullptr) &&
         written == header.size() && Flush(file.get());
}

bool Installer::AppendLine(const std::string& line) {
  TimedPhase timed(HelperPhase::Journal);
  win::UniqueFileHandle file(::CreateFileW(JournalFile(rollback_).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file && ::WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
         written == line.size() && Flush(file.get());
}

bool Installer::Complete() {
  pending_ += InstallJournal::CompleteLine();
  return WriteJournal();
}

void Installer::Note(InstallJournal::Step step, const fs::path& relative) {
  pending_ += InstallJournal::StepLine(step, relative);
  journal_.Note(step, relative);
  if (step == InstallJournal::Step::Kept) {
    for (auto newest = done_.rbegin(); newest != done_.rend(); ++newest)
      if (newest->relative == relative.lexically_normal()) {
        done_.erase(std::next(newest).base());
        break;
      }
  } else {
    done_.push_back({relative.lexically_normal(), step});
  }
}

std::string Installer::JournalWriteFailure() const {
  return "cannot write the roll-back journal in " + PathText(rollback_);
}

bool Installer::WriteJournal() {
  if (pending_.empty()) return true;
  if (!AppendLine(pending_)) return false;
  pending_.clear();
  return true;
}

bool Installer::Journal(InstallJournal::Step step, const fs::path& relative) {
  Note(step, relative);
  return WriteJournal();
}

bool Installer::MakeFolders(const fs::path& relativeFolder, std::string& error) {
  fs::path relative;
  for (const fs::path& part : relativeFolder) {
    relative /= part;
    const fs::path folder = install_ / relative;
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    if (!Journal(InstallJournal::Step::Folder, relative)) {
      error = JournalWriteFailure();
      return false;
    }
    if (!::CreateDirectoryW(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
      error = "cannot create folder: " + PathText(folder) + " (" + std::to_string(::GetLastError()) + ")";
      Journal(InstallJournal::Step::Kept, relative);
      return false;
    }
  }
  return true;
}

bool Installer::Prepare(const fs::path& relative, std::string& error) {
  const fs::path target = install_ / relative;
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  const DWORD lookup = attributes == INVALID_FILE_ATTRIBUTES ? ::GetLastError() : ERROR_SUCCESS;
  if (attributes == INVALID_FILE_ATTRIBUTES && !IsMissing(lookup)) {
    // Unknown is not "absent": an undo would delete a file that was there.
    error = CopyFailure(relative, lookup) + " - cannot tell whether it exists";
    return false;
  }
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    error = CopyFailure(relative, ERROR_DIRECTORY) + " - a folder of that name is in the way";
    return false;
  }
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists) {
    const fs::path saved = SavedOriginal(rollback_, relative);
    std::error_code code;
    fs::create_directories(saved.parent_path(), code);
    TimedPhase timed(HelperPhase::SaveOriginal);
    if (DWORD failure = ReplaceFile(target, saved, kCopyAttempts)) {
      error = CopyFailure(relative, failure) + " - its original could not be kept";
      return false;
    }
  }
  Note(exists ? InstallJournal::Step::Replaced : InstallJournal::Step::Added, relative);
  return true;
}

bool Installer::Place(const fs::path& from, const fs::path& relative, bool noted, std::string& error) {
  const fs::path target = install_ / relative;
  DWORD failure = ERROR_NOT_SAME_DEVICE;
  {
    TimedPhase timed(HelperPhase::IntoPlace);
    // Staged on the installation's volume, the file is renamed in; elsewhere it is copied.
    if (sameVolume_) failure = MoveIntoPlace(from, target, kCopyAttempts);
    if (failure == ERROR_NOT_SAME_DEVICE) {
      sameVolume_ = false;
      failure = ReplaceFile(from, target, kCopyAttempts);
    }
  }
  if (failure == ERROR_SUCCESS) return true;
  error = CopyFailure(relative, failure);
  // The rename never happened: the file is as it was, and undo must leave it alone.
  if (noted) Journal(InstallJournal::Step::Kept, relative);
  return false;
}

bool Installer::InstallFile(const fs::path& from, const fs::path& relative, std::string& error) {
  const bool first = !journal_.Knows(relative);
  if (first && (!MakeFolders(relative.parent_path(), error) || !Prepare(relative, error))) return false;
  if (!WriteJournal()) {
    error = JournalWriteFailure();
    return false;
  }
  return Place(from, relative, first, error);
}

bool Installer::InstallTree(const fs::path& source, const fs::path& relative, std::string& error) {
  if (!MakeFolders(relative, error)) return false;
  struct Staged {
    fs::path from, relative;
    bool noted;
  };
  std::vector<Staged> files;
  if (!WalkTree(
          source, {}, error, [&](const fs::path& inside) { return MakeFolders(relative / inside, error); },
          [&](const fs::path& file, const fs::path& inside) {
            files.push_back({file, relative / inside, false});
            return true;
          }))
    return false;
  // Every file's step is noted and every original kept first; one write of the journal then
  // puts all their lines on the disk before any file of the folder changes.
  for (Staged& file : files) {
    file.noted = !journal_.Knows(file.relative);
    if (file.noted && !Prepare(file.relative, error)) return false;
  }
  if (!WriteJournal()) {
    error = JournalWriteFailure();
    return false;
  }
  for (const Staged& file : files)
    if (!Place(file.from, file.relative, file.noted, error)) return false;
  return true;
}

size_t Installer::Mark() const { return done_.size(); }

bool Installer::UndoSince(size_t mark) {
  TimedPhase timed(HelperPhase::Undo);
  std::vector<InstallJournal::UndoStep> steps(done_.rbegin(), done_.rend() - static_cast<std::ptrdiff_t>(mark));
  bool restored = UndoAll(install_, rollback_, steps);
  if (restored) {
    for (const InstallJournal::UndoStep& step : steps) Note(InstallJournal::Step::Kept, step.relative);
    WriteJournal();
  }
  return restored;
}

bool Installer::Undo() {
  TimedPhase timed(HelperPhase::Undo);
  if (!UndoAll(install_, rollback_, journal_.UndoSteps())) return false;
  Finish();
  return true;
}

void Installer::Finish() {
  TimedPhase timed(HelperPhase::CleanUp);
  // Without its journal the folder is only leftovers: the order makes a stop in between safe.
  DeleteFileAlways(JournalFile(rollback_));
  if (!RemoveTree(rollback_)) UpdateLog("could not remove " + PathText(rollback_) + " (left in place)");
}

LeftoverUpdate UndoLeftoverUpdate(const fs::path& rollbackFolder) {
  TimedPhase timed(HelperPhase::Undo);
  const fs::path journalFile = JournalFile(rollbackFolder);
  if (::GetFileAttributesW(journalFile.c_str()) == INVALID_FILE_ATTRIBUTES) return LeftoverUpdate::None;
  std::optional<ParsedInstallJournal> parsed = ParseInstallJournal(ReadWholeFile(journalFile));
  if (!parsed) {
    UpdateLog("rollback: unreadable journal in " + PathText(rollbackFolder) + " - removed");
    RemoveTree(rollbackFolder);
    return LeftoverUpdate::None;
  }
  // The system's conversion: a damaged name gives a path that matches nothing, not a throw.
  if (parsed->complete) {
    RemoveTree(rollbackFolder);
    return LeftoverUpdate::None;
  }
  const fs::path install = i18n::Utf8ToWide(parsed->installFolderUtf8);
  UpdateLog("rollback: an earlier update of " + PathText(install) +
            " was stopped before it finished; putting the previous build back");
  if (!UndoAll(install, rollbackFolder, parsed->journal.UndoSteps())) {
    UpdateLog("rollback incomplete: the previous files are kept in " + PathText(rollbackFolder));
    return LeftoverUpdate::UndoFailed;
  }
  DeleteFileAlways(journalFile);
  RemoveTree(rollbackFolder);
  UpdateLog("rollback: the previous build is back in place");
  return LeftoverUpdate::Undone;
}

}  // namespace mf::update
