#pragma once
// One HTTPS GET over WinHTTP, as both the release check and the download make it: agent
// "MFLauncher/1.0", the proxy the player set in Windows, TLS, redirects followed, and
// time-outs so that a dead connection ends instead of hanging.
#include <windows.h>
#include <winhttp.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "update/https_url.h"
#include "update/system_proxy_win.h"

namespace mf::update {

class HttpsRequest {
 public:
  // Prepares the request without touching the network, so that whoever may cancel it can
  // know it before anything can block. Send() then connects and waits for the headers.
  explicit HttpsRequest(const HttpsEndpoint& endpoint);
  ~HttpsRequest();
  HttpsRequest(const HttpsRequest&) = delete;
  HttpsRequest& operator=(const HttpsRequest&) = delete;

  // Connects, sends and receives the response headers; false on any failure or after
  // Abort(). Check it before reading.
  bool Send();
  bool ok() const { return received_; }
  std::uint32_t Status() const;
  // The Content-Length header as sent, whatever its length; nothing when there is none.
  std::optional<std::string> ContentLengthText() const;

  // Reads the next piece of the body into `buffer` (up to `capacity` bytes): the count
  // read, 0 with `ended` true at the end of the body, 0 with `ended` false when the
  // transfer failed or was aborted.
  std::size_t Read(char* buffer, std::size_t capacity, bool& ended);

  // Closes the request from another thread at any point, before Send() or during it
  // included, so that a connect, a handshake or a read waiting on the server gives up.
  void Abort();

 private:
  HINTERNET Request() const;

  HINTERNET session_ = nullptr;
  HINTERNET connection_ = nullptr;
  HINTERNET request_ = nullptr;  // read and cleared atomically: Abort() may race with any use
  bool received_ = false;
};

// The whole body of a GET, whatever its status; empty when the request could not be made,
// when the transfer broke off, or when the body grew beyond `limit` bytes.
std::string HttpsGet(const HttpsEndpoint& endpoint, std::size_t limit);

}  // namespace mf::update
