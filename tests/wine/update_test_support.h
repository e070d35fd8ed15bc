#pragma once
// Release zips and folders for the updater's Wine tests.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace mf::test {

// A zip with these entries in this order; a name ending in '/' is a folder entry. Names
// are stored as given, hostile ones included.
using ZipEntries = std::vector<std::pair<std::string, std::string>>;
void WriteZip(const std::filesystem::path& zip, const ZipEntries& entries);
// The file entries of a zip (folder entries left out), in the zip's order; empty when it
// cannot be read.
ZipEntries ReadZip(const std::filesystem::path& zip);

std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);

// The stand-in game's program bytes with a marker appended: still a program that runs,
// and tells builds apart by their bytes. It writes "mirefall_started.txt" next to itself
// when started, whatever it is named.
std::string StandInProgram(const std::string& marker);

// The local HTTPS server of the updater tests (tests/https), started by CTest before them:
// its folder comes in MF_TEST_HTTPS_DIR. Construction trusts the server's test CA inside
// this Wine prefix only.
class TestHttpsServer {
 public:
  TestHttpsServer();
  bool ready() const { return port_ != 0; }
  // "localhost:PORT": the value for MF_RELEASE_HOST.
  std::wstring HostAndPort() const;
  std::string Url(const std::string& path) const;
  // Serves bytes at the path; `status`, `cut`, `rate` and `stall` go into the side files
  // that change the answer (see tests/https/https_server.py). Zero leaves one out.
  void Serve(const std::string& path, const std::string& bytes, int status = 0, long long cut = 0,
             long long rate = 0, long long stall = 0) const;
  // Answers the path with "302 Found" and this Location, as a release host does for an
  // asset's download address.
  void Redirect(const std::string& path, const std::string& location) const;
  void Remove(const std::string& path) const;
  // Adds a side file to a served path (".silent", ".endless", ".length": see the server).
  void AddSide(const std::string& path, const std::string& suffix, const std::string& text = "1") const;
  // The tunnelling proxy beside the server: "127.0.0.1:PORT", and the CONNECT lines it has
  // served so far.
  std::wstring ProxyHostAndPort() const;
  std::string ProxyLog() const;
  // The server's request log so far: one line per request ("GET /path HTTP/1.1" status).
  std::string RequestLog() const;

 private:
  std::filesystem::path folder_;
  int port_ = 0;
};

inline constexpr const char* kReleaseFeedPath = "repos/QuillworkDev/MFRecomp/releases/latest";

}  // namespace mf::test
