#include "update/helper_command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace mf::update {
namespace {

// Splits a command line the way CommandLineToArgvW does for the arguments after the
// program name: 2n backslashes before a quote give n and toggle quoting, 2n+1 give n and a
// literal quote, other backslashes are literal.
std::vector<std::wstring> SplitLikeWindows(std::wstring_view line) {
  std::vector<std::wstring> args;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
    if (i == line.size()) break;
    std::wstring arg;
    bool quoted = false;
    while (i < line.size() && (quoted || (line[i] != L' ' && line[i] != L'\t'))) {
      size_t backslashes = 0;
      while (i < line.size() && line[i] == L'\\') ++backslashes, ++i;
      if (i < line.size() && line[i] == L'"') {
        arg.append(backslashes / 2, L'\\');
        if (backslashes % 2) {
          arg += L'"';
        } else {
          quoted = !quoted;
        }
        ++i;
      } else {
        arg.append(backslashes, L'\\');
        if (i < line.size() && (quoted || (line[i] != L' ' && line[i] != L'\t'))) arg += line[i++];
      }
    }
    args.push_back(arg);
  }
  return args;
}

TEST(HelperCommandLine, QuotesPathsAndNotTheProcessId) {
  EXPECT_EQ(HelperCommandLine(L"C:\\Temp\\mf1_update_helper.exe", L"C:\\Temp\\mf1_update.zip",
                              L"D:\\My Games\\Mirefall", 4242),
            L"\"C:\\Temp\\mf1_update_helper.exe\" --apply-update \"C:\\Temp\\mf1_update.zip\" "
            L"\"D:\\My Games\\Mirefall\" 4242");
}

TEST(HelperCommandLine, EveryArgumentArrivesIntact) {
  const std::wstring folders[] = {
      L"G:\\",  L"D:\\My Games\\Mirefall",         L"C:\\Ігри\\Мірфол",  L"\\\\server\\share\\",
      L"C:\\a\\\\", L"C:\\odd\"name",  L"C:\\tab\there",  L"",
  };
  for (const std::wstring& folder : folders) {
    std::wstring line = HelperCommandLine(L"C:\\T\\h.exe", L"C:\\T emp\\z.zip", folder, 77);
    std::vector<std::wstring> args = SplitLikeWindows(line);
    ASSERT_EQ(args.size(), 5u) << line;
    EXPECT_EQ(args[0], L"C:\\T\\h.exe");
    EXPECT_EQ(args[1], L"--apply-update");
    EXPECT_EQ(args[2], L"C:\\T emp\\z.zip");
    EXPECT_EQ(args[3], folder) << line;
    EXPECT_EQ(args[4], L"77");
  }
}

TEST(QuoteArgument, DriveRootDoublesTheTrailingBackslash) {
  EXPECT_EQ(QuoteArgument(L"G:\\"), L"\"G:\\\\\"");
  EXPECT_EQ(QuoteArgument(L"C:\\Games\\x"), L"\"C:\\Games\\x\"");  // inner backslashes stay single
}

}  // namespace
}  // namespace mf::update
