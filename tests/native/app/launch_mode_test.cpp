#include "app/launch_mode.h"

#include <gtest/gtest.h>

#include <climits>

namespace mf::app {
namespace {

TEST(ApplyUpdateRequest, SelectedByTheSwitchAndThreeArguments) {
  auto request = ParseApplyUpdateRequest({"PlayMirefall.exe", "--apply-update", "C:\\Temp\\mf1_update.zip",
                                          "D:\\Games\\Mirefall", "4242"});
  ASSERT_TRUE(request);
  EXPECT_EQ(request->zipPath, "C:\\Temp\\mf1_update.zip");
  EXPECT_EQ(request->installDir, "D:\\Games\\Mirefall");
  EXPECT_EQ(request->oldProcessId, 4242);
}

TEST(ApplyUpdateRequest, ExtraArgumentsAreIgnored) {
  auto request = ParseApplyUpdateRequest({"x", "--apply-update", "z", "d", "7", "extra"});
  ASSERT_TRUE(request);
  EXPECT_EQ(request->oldProcessId, 7);
}

TEST(ApplyUpdateRequest, OtherwiseTheLauncherRuns) {
  const std::vector<std::vector<std::string>> launcherCommandLines = {
      {},
      {"PlayMirefall.exe"},
      {"PlayMirefall.exe", "--apply-update", "zip", "dir"},  // one argument short
      {"PlayMirefall.exe", "--APPLY-UPDATE", "zip", "dir", "1"},
      {"PlayMirefall.exe", "--apply-update=", "zip", "dir", "1"},
      {"PlayMirefall.exe", "zip", "--apply-update", "dir", "1"},
  };
  for (const auto& args : launcherCommandLines) EXPECT_FALSE(ParseApplyUpdateRequest(args));
}

TEST(ApplyUpdateRequest, NonNumericProcessIdBecomesZero) {
  auto request = ParseApplyUpdateRequest({"x", "--apply-update", "z", "d", "abc"});
  ASSERT_TRUE(request);
  EXPECT_EQ(request->oldProcessId, 0);
}

TEST(MayAskForUpdateHelper, OnlyALineThatCanSplitIntoTheSwitch) {
  struct Case {
    const wchar_t* commandLine;
    bool may;
  };
  const Case cases[] = {
      {LR"("C:\Games\Mirefall\PlayMirefall.exe")", false},
      {L"PlayMirefall.exe", false},
      {L"PlayMirefall.exe --apply", false},
      {L"PlayMirefall.exe --apply update", false},
      {LR"(PlayMirefall.exe --apply-update "C:\t\u.zip" "C:\Games" 42)", true},
      {LR"(PlayMirefall.exe "--apply-update" a b 1)", true},
      {LR"(PlayMirefall.exe --apply""-update a b 1)", true},
      {LR"(PlayMirefall.exe --apply\-update a b 1)", true},
  };
  for (const Case& c : cases) EXPECT_EQ(MayAskForUpdateHelper(c.commandLine), c.may) << testing::PrintToString(std::wstring(c.commandLine));
}

TEST(ParseLeadingInt, ReadsLikeTheRuntimesAtoi) {
  struct Case {
    const char* text;
    int expected;
  } cases[] = {
      {"123", 123},         {"  42", 42},           {"\t-17", -17},       {"+5", 5},
      {"12abc", 12},        {"abc", 0},             {"", 0},              {"-", 0},
      {"2147483647", INT_MAX}, {"2147483648", INT_MAX}, {"99999999999999999999", INT_MAX},
      {"-2147483648", INT_MIN}, {"-99999999999", INT_MIN}, {"0x1F", 0},   {"1 2", 1},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseLeadingInt(c.text), c.expected) << '"' << c.text << '"';
}

}  // namespace
}  // namespace mf::app
