#include "settings/native_renderer_offer.h"

#include <gtest/gtest.h>

#include "i18n/translate.h"

namespace mf::settings {
namespace {

class NativeRendererOfferText : public ::testing::Test {
 protected:
  void TearDown() override { i18n::SetUiLanguage(i18n::UiLanguage::English); }
};

TEST_F(NativeRendererOfferText, FourParagraphsWithTheProjectPage) {
  i18n::SetUiLanguage(i18n::UiLanguage::English);
  EXPECT_EQ(mf::settings::NativeRendererOfferText(),
            "Mirefall Recompilation 2.0: the native renderer is ready for testing.\n\n"
            "It draws the game directly with DirectX 12 instead of emulating the Xbox 360 graphics chip: a "
            "higher frame rate, and a sharper picture at a higher internal resolution (up to 4x). This is "
            "the first test version brought to a proper state: colours, lighting, the sky, depth of field "
            "and the mirror floors now look the way they should.\n\n"
            "Please play with it and tell us how it goes: your impressions, your FPS and your hardware "
            "(graphics card and processor), in the project's GitHub issues "
            "(https://github.com/mirefall-recomp/mirefall-launcher).\n\n"
            "Turn the native renderer on now? You can switch it off at any time in Settings -> Native.");
}

TEST_F(NativeRendererOfferText, UkrainianKeepsTheLayoutAndTheAddress) {
  i18n::SetUiLanguage(i18n::UiLanguage::Ukrainian);
  std::string text = mf::settings::NativeRendererOfferText();
  const std::string* first = i18n::FindUkrainian("Mirefall Recompilation 2.0: the native renderer is ready for testing.");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(text.rfind(*first + "\n\n", 0), 0u) << text;
  EXPECT_NE(text.find(" (https://github.com/mirefall-recomp/mirefall-launcher).\n\n"), std::string::npos);
  EXPECT_EQ(text.find("Please play"), std::string::npos);
  size_t breaks = 0;
  for (size_t at = text.find("\n\n"); at != std::string::npos; at = text.find("\n\n", at + 2)) ++breaks;
  EXPECT_EQ(breaks, 3u);
}

}  // namespace
}  // namespace mf::settings
