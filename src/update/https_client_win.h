#pragma once
// One HTTPS GET over WinHTTP, as both the release check and the download make it: agent
// "MFLauncher/1.0", the system's proxy settings, TLS, redirects followed, and time-outs so
// that a dead connection ends instead of hanging.
#include <windows.h>
#include <winhttp.h>

#include <cstdint>
#include <optional>
#include <string>

#include "update/https_url.h"

namespace mf::update {

class HttpsRequest {
 public:
  // Opens, sends and receives the response headers. Check ok() before reading.
  explicit HttpsRequest(const HttpsEndpoint& endpoint);
  ~HttpsRequest();
  HttpsRequest(const HttpsRequest&) = delete;
  HttpsRequest& operator=(const HttpsRequest&) = delete;

  bool ok() const { return received_; }
  std::uint32_t Status() const;
  std::optional<std::uint64_t> ContentLength() const;

  // The next piece of the body: false when the body has ended (`ended` true) or the
  // transfer failed (`ended` false). `piece` holds the bytes read.
  bool ReadPiece(std::string& piece, bool& ended);

  // Closes the request from another thread, so that a read blocked on a stalled transfer
  // returns at once with a failure.
  void Abort();

 private:
  HINTERNET session_ = nullptr;
  HINTERNET connection_ = nullptr;
  HINTERNET request_ = nullptr;
  bool received_ = false;
};

// The whole body of a GET, whatever its status; empty when the request could not be made.
// A transfer that breaks off gives what had arrived.
std::string HttpsGet(const HttpsEndpoint& endpoint);

}  // namespace mf::update
