#include "update_test_support.h"

#include <windows.h>
#include <zip.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "trust_test_ca_win.h"
#include "wine_test_support.h"

namespace mf::test {

void WriteZip(const std::filesystem::path& zip, const ZipEntries& entries) {
  std::filesystem::create_directories(zip.parent_path());
  std::filesystem::remove(zip);
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* file = zip_source_win32w_create(zip.c_str(), 0, -1, &error);
  zip_t* archive = file ? zip_open_from_source(file, ZIP_CREATE | ZIP_TRUNCATE, &error) : nullptr;
  if (!archive) throw std::runtime_error("cannot create zip: " + std::string(zip_error_strerror(&error)));
  for (const auto& [name, bytes] : entries) {
    if (!name.empty() && name.back() == '/') {
      zip_dir_add(archive, name.c_str(), ZIP_FL_ENC_UTF_8);
      continue;
    }
    zip_source_t* data = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
    if (zip_file_add(archive, name.c_str(), data, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) zip_source_free(data);
  }
  if (zip_close(archive) != 0) throw std::runtime_error("cannot write zip: " + std::string(zip_strerror(archive)));
}

ZipEntries ReadZip(const std::filesystem::path& zip) {
  ZipEntries entries;
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* file = zip_source_win32w_create(zip.c_str(), 0, -1, &error);
  zip_t* archive = file ? zip_open_from_source(file, ZIP_RDONLY, &error) : nullptr;
  if (!archive) {
    if (file) zip_source_free(file);
    return entries;
  }
  const zip_int64_t count = zip_get_num_entries(archive, 0);
  for (zip_int64_t index = 0; index < count; ++index) {
    zip_stat_t stat;
    if (zip_stat_index(archive, index, 0, &stat) != 0) continue;
    std::string name = stat.name;
    if (name.empty() || name.back() == '/') continue;
    std::string bytes(static_cast<size_t>(stat.size), '\0');
    zip_file_t* entry = zip_fopen_index(archive, index, 0);
    if (!entry) continue;
    const zip_int64_t read = zip_fread(entry, bytes.data(), bytes.size());
    zip_fclose(entry);
    if (read != static_cast<zip_int64_t>(bytes.size())) continue;
    entries.emplace_back(std::move(name), std::move(bytes));
  }
  zip_discard(archive);
  return entries;
}

std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

std::string StandInProgram(const std::string& marker) {
  return ReadBytes(BuildOutputFolder() / "mirefall.exe") + marker;
}

namespace {

void WriteOrRemoveSide(const std::filesystem::path& file, long long value) {
  if (value) {
    WriteBytes(file, std::to_string(value));
  } else {
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
  }
}

}  // namespace

TestHttpsServer::TestHttpsServer() {
  wchar_t folder[1024];
  DWORD length = ::GetEnvironmentVariableW(L"MF_TEST_HTTPS_DIR", folder, 1024);
  if (length == 0 || length >= 1024) return;
  folder_ = std::filesystem::path(std::wstring(folder, length));
  if (!TrustTestCa(ReadBytes(folder_ / "ca.der"))) return;  // not ready: the tests say so
  port_ = std::atoi(ReadBytes(folder_ / "port").c_str());
}

std::wstring TestHttpsServer::HostAndPort() const { return L"localhost:" + std::to_wstring(port_); }

std::string TestHttpsServer::Url(const std::string& path) const {
  return "https://localhost:" + std::to_string(port_) + "/" + path;
}

void TestHttpsServer::Serve(const std::string& path, const std::string& bytes, int status, long long cut,
                            long long rate, long long stall) const {
  const std::filesystem::path file = folder_ / "www" / path;
  WriteBytes(file, bytes);
  WriteOrRemoveSide(file.string() + ".status", status);
  WriteOrRemoveSide(file.string() + ".cut", cut);
  WriteOrRemoveSide(file.string() + ".rate", rate);
  WriteOrRemoveSide(file.string() + ".stall", stall);
  for (const char* side : {".silent", ".endless", ".length"}) {
    std::error_code ignored;
    std::filesystem::remove(file.string() + side, ignored);
  }
}

void TestHttpsServer::AddSide(const std::string& path, const std::string& suffix, const std::string& text) const {
  WriteBytes((folder_ / "www" / path).string() + suffix, text);
}

std::wstring TestHttpsServer::ProxyHostAndPort() const {
  return L"127.0.0.1:" + std::to_wstring(std::atoi(ReadBytes(folder_ / "proxy-port").c_str()));
}

std::string TestHttpsServer::ProxyLog() const {
  std::error_code missing;
  return std::filesystem::exists(folder_ / "proxy.log", missing) ? ReadBytes(folder_ / "proxy.log") : std::string();
}

void TestHttpsServer::Redirect(const std::string& path, const std::string& location) const {
  WriteBytes(folder_ / "www" / (path + ".redirect"), location);
}

void TestHttpsServer::Remove(const std::string& path) const {
  std::error_code ignored;
  std::filesystem::remove(folder_ / "www" / path, ignored);
  std::filesystem::remove(folder_ / "www" / (path + ".redirect"), ignored);
}

std::string TestHttpsServer::RequestLog() const { return ReadBytes(folder_ / "server.log"); }

}  // namespace mf::test
