// Benchmark probe: downloads one URL with the launcher's own download worker (no dialog)
// after trusting the test CA, and prints the seconds the transfer took.
//   download_probe CA_DER URL DEST
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "i18n/utf16_win.h"
#include "trust_test_ca_win.h"
#include "update/download_win.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) return 2;
  std::ifstream ca(argv[1], std::ios::binary);
  if (!mf::test::TrustTestCa(std::string(std::istreambuf_iterator<char>(ca), {}))) return 3;
  mf::update::DownloadJob job;
  job.url = mf::i18n::WideToUtf8(argv[2]);
  job.destPath = argv[3];
  auto start = std::chrono::steady_clock::now();
  mf::update::RunDownload(job);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%.3f %llu\n", seconds, static_cast<unsigned long long>(job.bytesDone.load()));
  return job.succeeded ? 0 : 1;
}
