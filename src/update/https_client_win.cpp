#include "update/https_client_win.h"

#include <atomic>

#include "i18n/utf16_win.h"
#include "update/system_proxy_win.h"

namespace mf::update {
namespace {

constexpr int kTimeoutMs = 30000;

}  // namespace

HttpsRequest::HttpsRequest(const HttpsEndpoint& endpoint) {
  session_ = OpenSessionWithSystemProxy(L"MFLauncher/1.0", endpoint);
  if (!session_) return;
  ::WinHttpSetTimeouts(session_, kTimeoutMs, kTimeoutMs, kTimeoutMs, kTimeoutMs);
  connection_ = ::WinHttpConnect(session_, i18n::Utf8ToWide(endpoint.host).c_str(), endpoint.port, 0);
  if (!connection_) return;
  HINTERNET request = ::WinHttpOpenRequest(connection_, L"GET", i18n::Utf8ToWide(endpoint.path).c_str(), nullptr,
                                           WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, WINHTTP_FLAG_SECURE);
  if (!request) return;
  std::atomic_ref<HINTERNET>(request_).store(request);
}

HttpsRequest::~HttpsRequest() {
  Abort();
  if (connection_) ::WinHttpCloseHandle(connection_);
  if (session_) ::WinHttpCloseHandle(session_);
}

HINTERNET HttpsRequest::Request() const { return std::atomic_ref<HINTERNET>(const_cast<HINTERNET&>(request_)).load(); }

void HttpsRequest::Abort() {
  // Closing the handle is what makes WinHTTP give up a call blocked in another thread.
  HINTERNET request = std::atomic_ref<HINTERNET>(request_).exchange(nullptr);
  if (request) ::WinHttpCloseHandle(request);
}

bool HttpsRequest::Send() {
  HINTERNET request = Request();
  if (!request) return false;
  received_ = ::WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) &&
              ::WinHttpReceiveResponse(request, nullptr) && Request() != nullptr;
  return received_;
}

std::uint32_t HttpsRequest::Status() const {
  HINTERNET request = Request();
  DWORD status = 0, size = sizeof status;
  if (!request || !::WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                                         WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX))
    return 0;
  return status;
}

std::optional<std::string> HttpsRequest::ContentLengthText() const {
  HINTERNET request = Request();
  if (!request) return std::nullopt;
  // As text: the number form is 32 bits wide, too narrow for a large file. Asked for its
  // size first, so that a header of any length is read whole and judged, never skipped.
  DWORD size = 0;
  ::WinHttpQueryHeaders(request, WINHTTP_QUERY_CONTENT_LENGTH, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER,
                        &size, WINHTTP_NO_HEADER_INDEX);
  if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0) return std::nullopt;
  std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (!::WinHttpQueryHeaders(request, WINHTTP_QUERY_CONTENT_LENGTH, WINHTTP_HEADER_NAME_BY_INDEX, text.data(), &size,
                             WINHTTP_NO_HEADER_INDEX))
    return std::nullopt;
  text.resize(size / sizeof(wchar_t));
  return i18n::WideToUtf8(text);
}

std::size_t HttpsRequest::Read(char* buffer, std::size_t capacity, bool& ended) {
  ended = false;
  HINTERNET request = Request();
  if (!received_ || !request || capacity == 0) return 0;
  // Asking what is there first keeps a read from waiting for a full buffer on a slow line.
  DWORD available = 0;
  if (!::WinHttpQueryDataAvailable(request, &available)) return 0;
  if (available == 0) {
    ended = Request() != nullptr;
    return 0;
  }
  DWORD read = 0;
  DWORD ask = static_cast<DWORD>(capacity < available ? capacity : available);
  if (!::WinHttpReadData(request, buffer, ask, &read)) return 0;
  return read;
}

std::string HttpsGet(const HttpsEndpoint& endpoint, std::size_t limit) {
  HttpsRequest request(endpoint);
  if (!request.Send()) return {};
  std::string body;
  char piece[16 * 1024];
  bool ended = false;
  while (std::size_t read = request.Read(piece, sizeof piece, ended)) {
    if (read > limit - body.size()) return {};
    body.append(piece, read);
  }
  return ended ? body : std::string();
}

}  // namespace mf::update
