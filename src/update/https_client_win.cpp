#include "update/https_client_win.h"

#include <atomic>

#include "i18n/utf16_win.h"

namespace mf::update {
namespace {

constexpr int kTimeoutMs = 30000;

}  // namespace

HttpsRequest::HttpsRequest(const HttpsEndpoint& endpoint) {
  session_ = ::WinHttpOpen(L"MFLauncher/1.0", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                           WINHTTP_NO_PROXY_BYPASS, 0);
  if (!session_) return;
  ::WinHttpSetTimeouts(session_, kTimeoutMs, kTimeoutMs, kTimeoutMs, kTimeoutMs);
  connection_ = ::WinHttpConnect(session_, i18n::Utf8ToWide(endpoint.host).c_str(), endpoint.port, 0);
  if (!connection_) return;
  request_ = ::WinHttpOpenRequest(connection_, L"GET", i18n::Utf8ToWide(endpoint.path).c_str(), nullptr,
                                  WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, WINHTTP_FLAG_SECURE);
  if (!request_) return;
  received_ = ::WinHttpSendRequest(request_, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) &&
              ::WinHttpReceiveResponse(request_, nullptr);
}

HttpsRequest::~HttpsRequest() {
  HINTERNET request = std::atomic_ref<HINTERNET>(request_).exchange(nullptr);
  if (request) ::WinHttpCloseHandle(request);
  if (connection_) ::WinHttpCloseHandle(connection_);
  if (session_) ::WinHttpCloseHandle(session_);
}

void HttpsRequest::Abort() {
  HINTERNET request = std::atomic_ref<HINTERNET>(request_).exchange(nullptr);
  if (request) ::WinHttpCloseHandle(request);
}

std::uint32_t HttpsRequest::Status() const {
  DWORD status = 0, size = sizeof status;
  if (!request_ || !::WinHttpQueryHeaders(request_, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                                          WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
    return 0;
  return status;
}

std::optional<std::uint64_t> HttpsRequest::ContentLength() const {
  // As text: the number form is 32 bits wide, too narrow for a large file.
  wchar_t text[32] = {};
  DWORD size = sizeof text;
  if (!request_ || !::WinHttpQueryHeaders(request_, WINHTTP_QUERY_CONTENT_LENGTH, WINHTTP_HEADER_NAME_BY_INDEX, text,
                                          &size, WINHTTP_NO_HEADER_INDEX))
    return std::nullopt;
  std::uint64_t length = 0;
  bool digits = false;
  for (const wchar_t* c = text; *c; ++c) {
    if (*c < L'0' || *c > L'9') return std::nullopt;
    length = length * 10 + static_cast<std::uint64_t>(*c - L'0');
    digits = true;
  }
  if (!digits) return std::nullopt;
  return length;
}

bool HttpsRequest::ReadPiece(std::string& piece, bool& ended) {
  piece.clear();
  ended = false;
  HINTERNET request = std::atomic_ref<HINTERNET>(request_).load();
  if (!received_ || !request) return false;
  DWORD available = 0;
  if (!::WinHttpQueryDataAvailable(request, &available)) return false;
  if (available == 0) {
    ended = true;
    return false;
  }
  piece.resize(available);
  DWORD read = 0;
  if (!::WinHttpReadData(request, piece.data(), available, &read) || read == 0) return false;
  piece.resize(read);
  return true;
}

std::string HttpsGet(const HttpsEndpoint& endpoint) {
  HttpsRequest request(endpoint);
  std::string body, piece;
  bool ended = false;
  while (request.ReadPiece(piece, ended)) body += piece;
  return body;
}

}  // namespace mf::update
