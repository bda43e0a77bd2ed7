#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "slideshow/PageComposer.h"

namespace brisander {
namespace {

TEST(TransitionTag, FixedIndexesGiveTheirElements) {
  Random random;
  EXPECT_EQ(MakeTransitionTag(23, random), kBlendElement);
  EXPECT_EQ(MakeTransitionTag(0, random),
            "<meta http-equiv=Page-Exit content=revealTrans(Duration=3,transition=0)>");
  EXPECT_EQ(MakeTransitionTag(22, random),
            "<meta http-equiv=Page-Exit content=revealTrans(Duration=3,transition=22)>");
  EXPECT_EQ(MakeTransitionTag(-1, random),
            "<meta http-equiv=Page-Exit content=revealTrans(Duration=3,transition=-1)>");
  EXPECT_EQ(MakeTransitionTag(1000, random),
            "<meta http-equiv=Page-Exit content=revealTrans(Duration=3,transition=1000)>");
  EXPECT_EQ(kBlendElement.size(), 58u);
  EXPECT_EQ(kRandomRevealElement.size(), 73u);
  EXPECT_EQ(kRevealPrefix.size(), 69u);
}

TEST(TransitionTag, RandomIndexBlendsAboutOncePerTwentyThree) {
  Random random;
  random.Seed(7);
  int blends = 0;
  constexpr int kDraws = 23000;
  for (int i = 0; i < kDraws; ++i) {
    auto tag = MakeTransitionTag(24, random);
    if (tag == kBlendElement)
      ++blends;
    else
      ASSERT_EQ(tag, kRandomRevealElement);
  }
  EXPECT_GT(blends, 800);
  EXPECT_LT(blends, 1200);
}

struct SizeCase {
  int32_t windowWidth, windowHeight, pictureWidth, pictureHeight;
  std::string_view expected;
};

class SizeAttributeTest : public testing::TestWithParam<SizeCase> {};

TEST_P(SizeAttributeTest, FitsByHeightOnlyWhenNarrower) {
  const auto& c = GetParam();
  EXPECT_EQ(ChooseSizeAttribute(c.windowWidth, c.windowHeight, c.pictureWidth, c.pictureHeight),
            c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SizeAttributeTest,
    testing::Values(SizeCase{800, 600, 1024, 768, kFitWidth},   // exactly 800: equal
                    SizeCase{800, 600, 576, 768, kFitHeight},   // 450
                    SizeCase{800, 600, 1024, 284, kFitWidth},   // 2163
                    SizeCase{800, 1, 1599, 2, kFitWidth},       // 799.5 rounds to 800
                    SizeCase{800, 1, 1601, 2, kFitWidth},       // 800.5 rounds to 800
                    SizeCase{800, 1, 1597, 2, kFitHeight},      // 798.5 rounds to 798
                    SizeCase{1920, 1080, 1024, 449, kFitWidth},
                    SizeCase{1280, 1024, 1024, 768, kFitWidth}));

TEST(Pages, BlankPageIsByteExact) {
  std::string expected =
      "<html><head><meta http-equiv=Page-Exit content=blendTrans(Duration=3)></head><body "
      "oncontextmenu=\"return false;\" "
      "style=\"margin-top:0;margin-left:0;margin-bottom:0;margin-right:0\" "
      "bgcolor=\"#000000\"></body></html>";
  EXPECT_EQ(MakeBlankPage(kBlendElement), expected);
  EXPECT_EQ(MakeBlankPage(kBlendElement).size(), 211u);
  EXPECT_EQ(MakeBlankPage(kRandomRevealElement).size(), 226u);
}

TEST(Pages, PicturePageIsByteExact) {
  std::string page = MakePicturePage(kBlendElement, 800, 600, "C:\\TEMP\\ins1A.jpg", kFitHeight);
  std::string expected =
      "<html><head><meta http-equiv=Page-Exit content=blendTrans(Duration=3)></head><body "
      "oncontextmenu=\"return false;\" "
      "style=\"margin-top:0;margin-left:0;margin-bottom:0;margin-right:0\" "
      "bgcolor=\"#000000\"><table cellspacing=\"0\" cellpadding=\"0\" border=\"0\" "
      "width=\"801\" height=\"601\" style=\"overflow:hidden\"><tr><td width=\"800\" "
      "height=\"600\" style=\"overflow:hidden\"><div align=\"center\" "
      "style=\"overflow:hidden\"><img src=\"C:\\TEMP\\ins1A.jpg\" "
      "height=\"100%\"></div></td></tr></table></body></html>";
  EXPECT_EQ(page, expected);
  // The fixed fragments' lengths: 12 + 58 + 184 + 10 + 41 + 10 + 70 + 10 + 2 + 13 + 39, plus
  // the four numbers and the path.
  EXPECT_EQ(page.size(), 449u + 3 + 3 + 3 + 3 + 17);
}

TEST(Pages, WrittenFileHoldsExactlyTheText) {
  auto path = std::filesystem::temp_directory_path() / "brisander-page-test.htm";
  std::string text = MakeBlankPage(kRandomRevealElement);
  WritePageFile(path.string(), "a much longer text that the page must replace entirely, bytes and all");
  WritePageFile(path.string(), text);
  std::ifstream in(path, std::ios::binary);
  std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  std::filesystem::remove(path);
  EXPECT_EQ(written, text);
  EXPECT_EQ(written.back(), '>');
}

}  // namespace
}  // namespace brisander
