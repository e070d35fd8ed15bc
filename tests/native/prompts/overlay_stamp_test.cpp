#include "prompts/overlay_stamp.h"

#include <gtest/gtest.h>

namespace mf::prompts {
namespace {

// The smallest PNG: a 1 x 1 transparent pixel.
const std::string kTinyPng(
    "\x89\x50\x4E\x47\x0D\x0A\x1A\x0A\x00\x00\x00\x0D\x49\x48\x44\x52\x00\x00\x00\x01\x00\x00\x00\x01"
    "\x08\x06\x00\x00\x00\x1F\x15\xC4\x89\x00\x00\x00\x0D\x49\x44\x41\x54\x78\x9C\x63\x60\x60\x60\x60"
    "\x00\x00\x00\x05\x00\x01\xA5\xF6\x45\x40\x00\x00\x00\x00\x49\x45\x4E\x44\xAE\x42\x60\x82",
    70);

AtlasPlan SamplePlan(std::u16string label, std::string icon = {}) {
  AtlasPlan plan{&OverlayAtlases()[0], {}};
  plan.steps.push_back({DrawKind::KeyCap, {4, 4, 120, 120}, std::move(label), {}});
  if (!icon.empty()) plan.steps.push_back({DrawKind::Icon, {0, 0, 128, 128}, {}, icon});
  return plan;
}

TEST(OverlayStamp, AStampedFileIsRecognisedUntilAByteChanges) {
  std::optional<std::string> stamped = AddOverlayStamp(kTinyPng, "0123456789abcdef");
  ASSERT_TRUE(stamped);
  EXPECT_EQ(stamped->substr(0, kTinyPng.size() - 12), kTinyPng.substr(0, kTinyPng.size() - 12));
  EXPECT_TRUE(stamped->ends_with(kTinyPng.substr(kTinyPng.size() - 12)));  // IEND stays last
  EXPECT_NE(stamped->find("tEXtMirefall prompt overlay"), std::string::npos);

  EXPECT_TRUE(HasOverlayStamp(*stamped, "0123456789abcdef"));
  EXPECT_FALSE(HasOverlayStamp(*stamped, "0123456789abcdee")) << "other inputs";
  EXPECT_FALSE(HasOverlayStamp(kTinyPng, "0123456789abcdef")) << "no stamp";

  std::string edited = *stamped;
  edited[40] ^= 1;  // a pixel byte changed by a player's editor
  EXPECT_FALSE(HasOverlayStamp(edited, "0123456789abcdef"));
  for (std::size_t cut : {std::size_t{1}, std::size_t{12}, stamped->size() / 2, stamped->size()})
    EXPECT_FALSE(HasOverlayStamp(stamped->substr(0, stamped->size() - cut), "0123456789abcdef")) << "cut " << cut;
}

TEST(OverlayStamp, OnlyWholePngsAreStamped) {
  EXPECT_FALSE(AddOverlayStamp("", "0123456789abcdef"));
  EXPECT_FALSE(AddOverlayStamp(kTinyPng.substr(0, kTinyPng.size() - 1), "0123456789abcdef"));
  EXPECT_FALSE(AddOverlayStamp("GIF89a" + kTinyPng.substr(6), "0123456789abcdef"));
}

TEST(OverlayFingerprint, ChangesWithEveryInput) {
  const IconFiles icons = {{"Cross", "cross bytes"}};
  const std::string base = OverlayFingerprint("v2.0.11", "Arial", SamplePlan(u"E", "Cross"), icons);
  EXPECT_EQ(base.size(), 16u);
  EXPECT_EQ(base, OverlayFingerprint("v2.0.11", "Arial", SamplePlan(u"E", "Cross"), icons));

  EXPECT_NE(base, OverlayFingerprint("v2.0.12", "Arial", SamplePlan(u"E", "Cross"), icons));
  EXPECT_NE(base, OverlayFingerprint("v2.0.11", "Liberation Sans", SamplePlan(u"E", "Cross"), icons));
  EXPECT_NE(base, OverlayFingerprint("v2.0.11", "Arial", SamplePlan(u"F", "Cross"), icons));
  EXPECT_NE(base, OverlayFingerprint("v2.0.11", "Arial", SamplePlan(u"E", "Circle"), icons));
  EXPECT_NE(base, OverlayFingerprint("v2.0.11", "Arial", SamplePlan(u"E", "Cross"), {{"Cross", "edited bytes"}}));
  EXPECT_NE(base, OverlayFingerprint("v2.0.11", "Arial", SamplePlan(u"E", "Cross"), {}));
  AtlasPlan moved = SamplePlan(u"E", "Cross");
  moved.steps[0].rect.x += 1;
  EXPECT_NE(base, OverlayFingerprint("v2.0.11", "Arial", moved, icons));
  AtlasPlan otherAtlas = SamplePlan(u"E", "Cross");
  otherAtlas.atlas = &OverlayAtlases()[1];
  EXPECT_NE(base, OverlayFingerprint("v2.0.11", "Arial", otherAtlas, icons));
}

TEST(Fnv1a64, KnownValues) {
  EXPECT_EQ(Fnv1a64(""), 0xCBF29CE484222325ull);
  EXPECT_EQ(Fnv1a64("a"), 0xAF63DC4C8601EC8Cull);
}

}  // namespace
}  // namespace mf::prompts
