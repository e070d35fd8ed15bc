#pragma once
// Downloading the release zip on a worker thread while a small modal dialog shows the
// progress and offers Cancel.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>

namespace mf::update {

class HttpsRequest;

// One download, owned by the update flow for as long as the dialog runs. The dialog and
// the worker share it: the worker writes the counters and flags (release order) before it
// posts a message, the dialog reads them when the message arrives (acquire order).
struct DownloadJob {
  std::string url;                 // https only
  std::string expectedDigest;      // the feed's "sha256:..." digest, or empty
  std::filesystem::path destPath;  // exists after the run only when it succeeded

  HWND dialog = nullptr;
  std::atomic<bool> cancel{false};
  std::atomic<bool> done{false};
  std::atomic<bool> succeeded{false};
  std::atomic<std::uint64_t> bytesDone{0};
  std::atomic<std::uint64_t> bytesTotal{0};  // the announced length; 0 when unknown
  std::atomic<bool> progressPending{false};  // one progress message in the queue at most

  // The transfer in progress, registered before it first touches the network, so that
  // Cancel can close it while it connects, waits for headers or reads.
  std::mutex requestLock;
  HttpsRequest* request = nullptr;
};

// The worker's messages to the dialog: private to it, above WM_APP, so that no dialog
// manager message (DM_GETDEFID is WM_USER) is mistaken for them.
inline constexpr UINT kDownloadProgressMessage = WM_APP + 0x101;
inline constexpr UINT kDownloadFinishedMessage = WM_APP + 0x102;

// The worker: downloads, checks and keeps or deletes the file, then posts the finished
// message to the job's dialog (when it has one) as its last act.
void RunDownload(DownloadJob& job);

// Runs the progress dialog modally over the owner: 1 when the file was downloaded
// completely, 2 on failure or cancel (and at once when the worker cannot start). After a
// 2, the job's `cancel` tells whether the player (or the owner's end) stopped it.
INT_PTR RunDownloadDialog(HWND owner, DownloadJob& job);

}  // namespace mf::update
