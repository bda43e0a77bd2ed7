// The page view: reading page texts, the transition patterns, and how a
// page with its photo is laid out.

#include "linux/pageview/PageView.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <vector>

#include "fakes/FakeRegistry.h"
#include "linux/pageview/PageParser.h"
#include "linux/pageview/TransitionRenderer.h"
#include "slideshow/BrowserSettingsGuard.h"
#include "slideshow/PageComposer.h"

namespace brisander {
namespace {

// ---- Page texts ----------------------------------------------------------

struct ComposedCase {
  EffectIndex effect;
  PageTransition expected;
};

void PrintTo(const ComposedCase& c, std::ostream* os) { *os << "effect " << c.effect; }

class ParseComposedPage : public testing::TestWithParam<ComposedCase> {};

TEST_P(ParseComposedPage, ReadsTransitionTableAndPicture) {
  const ComposedCase& c = GetParam();
  Random random;
  const std::string tag = MakeTransitionTag(c.effect, random);
  const std::string path = "C:\\Temp\\a b\\tmp12.tmp";

  PageLayout blank = ParsePage(MakeBlankPage(tag));
  EXPECT_EQ(blank.exitTransition, c.expected);
  EXPECT_EQ(blank.background, 0xFF000000u);
  EXPECT_TRUE(blank.picturePath.empty());
  EXPECT_EQ(blank.cellWidth, -1);

  for (auto [fitText, fit] :
       {std::pair{kFitWidth, PictureFit::kWidth}, std::pair{kFitHeight, PictureFit::kHeight}}) {
    PageLayout page = ParsePage(MakePicturePage(tag, 1366, 768, path, fitText));
    EXPECT_EQ(page.exitTransition, c.expected);
    EXPECT_EQ(page.background, 0xFF000000u);
    EXPECT_EQ(page.tableWidth, 1367);
    EXPECT_EQ(page.tableHeight, 769);
    EXPECT_EQ(page.cellWidth, 1366);
    EXPECT_EQ(page.cellHeight, 768);
    EXPECT_EQ(page.picturePath, path);
    EXPECT_EQ(page.fit, fit);
  }
}

constexpr PageTransition Reveal(int32_t pattern) { return {TransitionKind::kReveal, 3.0, pattern}; }

INSTANTIATE_TEST_SUITE_P(
    Effects, ParseComposedPage,
    testing::Values(ComposedCase{0, Reveal(0)}, ComposedCase{12, Reveal(12)},
                    ComposedCase{22, Reveal(22)},
                    ComposedCase{kEffectFade, {TransitionKind::kBlend, 3.0, 0}},
                    ComposedCase{-1, Reveal(-1)}, ComposedCase{1000, Reveal(1000)},
                    ComposedCase{INT32_MIN, Reveal(INT32_MIN)}));

TEST(ParsePage, RandomEffectGivesRandomRevealOrBlend) {
  Random random;
  random.Seed(7);
  std::set<TransitionKind> kinds;
  for (int i = 0; i < 200; ++i) {
    PageTransition t =
        ParsePage(MakeBlankPage(MakeTransitionTag(kEffectRandom, random))).exitTransition;
    kinds.insert(t.kind);
    if (t.kind == TransitionKind::kReveal) EXPECT_EQ(t.pattern, kRandomRevealPattern);
  }
  EXPECT_EQ(kinds, (std::set{TransitionKind::kBlend, TransitionKind::kReveal}));
}

struct MalformedCase {
  const char* name;
  const char* text;
  TransitionKind kind;
  int32_t pattern;
  double duration;
  uint32_t background;
  int32_t cellWidth;
  const char* picture;
  PictureFit fit;
};

void PrintTo(const MalformedCase& c, std::ostream* os) { *os << c.name; }

class ParseMalformedPage : public testing::TestWithParam<MalformedCase> {};

TEST_P(ParseMalformedPage, GivesDefinedLayout) {
  const MalformedCase& c = GetParam();
  PageLayout page = ParsePage(c.text);
  EXPECT_EQ(page.exitTransition.kind, c.kind);
  if (c.kind != TransitionKind::kNone) {
    EXPECT_EQ(page.exitTransition.pattern, c.pattern);
    EXPECT_DOUBLE_EQ(page.exitTransition.durationSeconds, c.duration);
  }
  EXPECT_EQ(page.background, c.background);
  EXPECT_EQ(page.cellWidth, c.cellWidth);
  EXPECT_EQ(page.picturePath, c.picture);
  EXPECT_EQ(page.fit, c.fit);
}

constexpr auto kNone = TransitionKind::kNone;
constexpr auto kBlend = TransitionKind::kBlend;
constexpr auto kReveal = TransitionKind::kReveal;
constexpr uint32_t kBlack = 0xFF000000u;

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseMalformedPage,
    testing::Values(
        MalformedCase{"Empty", "", kNone, 0, 0, kBlack, -1, "", PictureFit::kNone},
        MalformedCase{"LoneBracket", "<", kNone, 0, 0, kBlack, -1, "", PictureFit::kNone},
        MalformedCase{"StrayMarkup", "<<<>>><//><!-- x", kNone, 0, 0, kBlack, -1, "",
                      PictureFit::kNone},
        MalformedCase{"UnknownFilter", "<meta http-equiv=Page-Exit content=fooTrans(Duration=3)>",
                      kNone, 0, 0, kBlack, -1, "", PictureFit::kNone},
        MalformedCase{"EnterNotExit", "<meta http-equiv=Page-Enter content=blendTrans(Duration=3)>",
                      kNone, 0, 0, kBlack, -1, "", PictureFit::kNone},
        MalformedCase{"CaseAndSpaces",
                      "<meta http-equiv=page-exit content=\"BLENDTRANS( duration = 2.5 )\">",
                      kBlend, 0, 2.5, kBlack, -1, "", PictureFit::kNone},
        MalformedCase{"NegativeDuration",
                      "<meta http-equiv=Page-Exit content=blendTrans(Duration=-4)>", kBlend, 0, 1.0,
                      kBlack, -1, "", PictureFit::kNone},
        MalformedCase{"HugeDuration",
                      "<meta http-equiv=Page-Exit content=blendTrans(Duration=1e300)>", kBlend, 0,
                      kMaxTransitionSeconds, kBlack, -1, "", PictureFit::kNone},
        MalformedCase{"HugePattern",
                      "<meta http-equiv=Page-Exit content=revealTrans(Duration=3,transition="
                      "99999999999)>",
                      kReveal, -1, 3.0, kBlack, -1, "", PictureFit::kNone},
        MalformedCase{"Unterminated",
                      "<meta http-equiv=Page-Exit content=revealTrans(transition=x,Duration=",
                      kReveal, -1, 1.0, kBlack, -1, "", PictureFit::kNone},
        MalformedCase{"Colour", "<body bgcolor=\"#10A0fF\">", kNone, 0, 0, 0xFF10A0FFu, -1, "",
                      PictureFit::kNone},
        MalformedCase{"BadColour", "<body bgcolor=\"#zzzzzz\">", kNone, 0, 0, kBlack, -1, "",
                      PictureFit::kNone},
        MalformedCase{"ShortColour", "<body bgcolor=#12345>", kNone, 0, 0, kBlack, -1, "",
                      PictureFit::kNone},
        MalformedCase{"PercentCell", "<td width=\"50%\">", kNone, 0, 0, kBlack, -1, "",
                      PictureFit::kNone},
        MalformedCase{"NegativeCell", "<td width=\"-7\">", kNone, 0, 0, kBlack, 0, "",
                      PictureFit::kNone},
        MalformedCase{"HugeCell", "<td width=99999999999999999999>", kNone, 0, 0, kBlack,
                      kMaxPageDimension, "", PictureFit::kNone},
        MalformedCase{"UnclosedQuote", "<img src=\"/tmp/p.jpg", kNone, 0, 0, kBlack, -1,
                      "/tmp/p.jpg", PictureFit::kNone},
        MalformedCase{"UpperCase", "<IMG SRC='a.jpg' HEIGHT=100%>", kNone, 0, 0, kBlack, -1,
                      "a.jpg", PictureFit::kHeight},
        MalformedCase{"HalfWidth", "<img width=\"50%\" src=x>", kNone, 0, 0, kBlack, -1, "x",
                      PictureFit::kNone},
        MalformedCase{"Comment",
                      "<!-- <img src=\"hidden.jpg\" width=\"100%\"> --><img src=shown.jpg>", kNone,
                      0, 0, kBlack, -1, "shown.jpg", PictureFit::kNone}));

TEST(ParsePage, EveryPrefixOfAPageParses) {
  const std::string page =
      MakePicturePage(MakeTransitionTag(5), 800, 600, "/tmp/pic.jpg", kFitHeight);
  const std::string tagEnd = "transition=5)>";
  const size_t transitionComplete = page.find(tagEnd) + tagEnd.size();
  for (size_t length = 0; length <= page.size(); ++length) {
    // A copy of exactly this length, so that reading past it would be seen
    // by the sanitizers.
    const std::string prefix = page.substr(0, length);
    PageLayout layout = ParsePage(prefix);
    if (length >= transitionComplete) EXPECT_EQ(layout.exitTransition, Reveal(5)) << length;
  }
  EXPECT_EQ(ParsePage(page).fit, PictureFit::kHeight);
}

// ---- Transition frames ---------------------------------------------------

constexpr int kWidth = 240;
constexpr int kHeight = 120;
const QRgb kOld = qRgb(255, 0, 0);
const QRgb kNew = qRgb(0, 0, 255);

QImage Solid(QRgb colour, int width = kWidth, int height = kHeight) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

// Counts the pixels of the new page; fails on any pixel that is neither.
int CountNew(const QImage& frame) {
  int count = 0;
  for (int y = 0; y < frame.height(); ++y)
    for (int x = 0; x < frame.width(); ++x) {
      QRgb pixel = frame.pixel(x, y);
      EXPECT_TRUE(pixel == kOld || pixel == kNew) << x << "," << y;
      count += pixel == kNew;
    }
  return count;
}

QImage RenderReveal(int32_t pattern, double progress, uint64_t seed = 1) {
  TransitionRenderer renderer;
  EXPECT_TRUE(renderer.Start(Solid(kOld), Solid(kNew), Reveal(pattern), seed));
  QImage frame;
  renderer.RenderFrame(progress, frame);
  return frame;
}

struct PatternCase {
  int32_t pattern;
  std::vector<QPoint> newAtHalf;
  std::vector<QPoint> oldAtHalf;
};

void PrintTo(const PatternCase& c, std::ostream* os) { *os << "reveal " << c.pattern; }

class RevealPatternTest : public testing::TestWithParam<PatternCase> {};

TEST_P(RevealPatternTest, GoesFromOldToNewThroughTheExpectedMix) {
  const PatternCase& c = GetParam();
  EXPECT_EQ(CountNew(RenderReveal(c.pattern, 0.0)), 0);
  EXPECT_EQ(CountNew(RenderReveal(c.pattern, 1.0)), kWidth * kHeight);

  QImage half = RenderReveal(c.pattern, 0.5);
  for (QPoint p : c.newAtHalf) EXPECT_EQ(half.pixel(p), kNew) << p.x() << "," << p.y();
  for (QPoint p : c.oldAtHalf) EXPECT_EQ(half.pixel(p), kOld) << p.x() << "," << p.y();

  // The new page's region only grows.
  QImage earlier = RenderReveal(c.pattern, 0.0);
  int previousCount = 0;
  for (double progress : {0.1, 0.3, 0.5, 0.7, 0.9}) {
    QImage frame = RenderReveal(c.pattern, progress);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        if (earlier.pixel(x, y) == kNew) ASSERT_EQ(frame.pixel(x, y), kNew) << progress;
    int count = CountNew(frame);
    EXPECT_GT(count, previousCount) << progress;
    EXPECT_LT(count, kWidth * kHeight) << progress;
    previousCount = count;
    earlier = frame;
  }
}

// In the 240 x 120 view: blinds are 24 (vertical) or 12 (horizontal) pixels,
// checkerboard squares 20, strip blocks 5.
INSTANTIATE_TEST_SUITE_P(
    Patterns, RevealPatternTest,
    testing::Values(
        PatternCase{kBoxIn, {{5, 5}, {235, 115}, {10, 60}, {120, 10}}, {{120, 60}, {65, 35}}},
        PatternCase{kBoxOut, {{120, 60}, {65, 35}}, {{5, 5}, {235, 115}, {10, 60}, {120, 10}}},
        PatternCase{kCircleIn, {{2, 2}, {237, 117}, {30, 60}}, {{120, 60}, {170, 60}, {120, 2}}},
        PatternCase{kCircleOut, {{120, 60}, {170, 60}, {120, 2}}, {{2, 2}, {237, 117}, {30, 60}}},
        PatternCase{kWipeUp, {{5, 100}, {235, 61}}, {{5, 20}, {235, 58}}},
        PatternCase{kWipeDown, {{5, 20}, {235, 58}}, {{5, 100}, {235, 61}}},
        PatternCase{kWipeRight, {{5, 5}, {118, 115}}, {{122, 5}, {235, 115}}},
        PatternCase{kWipeLeft, {{122, 5}, {235, 115}}, {{5, 5}, {118, 115}}},
        PatternCase{
            kVerticalBlinds, {{2, 60}, {26, 10}, {218, 110}}, {{20, 60}, {46, 10}, {238, 110}}},
        PatternCase{
            kHorizontalBlinds, {{100, 2}, {100, 14}, {5, 110}}, {{100, 10}, {100, 22}, {5, 118}}},
        PatternCase{
            kCheckerboardAcross, {{5, 5}, {15, 25}, {225, 85}}, {{15, 5}, {5, 25}, {235, 85}}},
        PatternCase{
            kCheckerboardDown, {{5, 5}, {25, 15}, {205, 105}}, {{5, 15}, {25, 5}, {205, 115}}},
        PatternCase{kRandomDissolve, {}, {}},
        PatternCase{kSplitVerticalIn, {{5, 60}, {235, 60}}, {{120, 60}, {100, 5}}},
        PatternCase{kSplitVerticalOut, {{120, 60}, {100, 5}}, {{5, 60}, {235, 60}}},
        PatternCase{kSplitHorizontalIn, {{120, 5}, {120, 115}}, {{120, 60}, {5, 50}}},
        PatternCase{kSplitHorizontalOut, {{120, 60}, {5, 50}}, {{120, 5}, {120, 115}}},
        PatternCase{kStripsLeftDown, {{237, 2}, {70, 2}}, {{2, 117}, {140, 117}}},
        PatternCase{kStripsLeftUp, {{237, 117}, {70, 117}}, {{2, 2}, {140, 2}}},
        PatternCase{kStripsRightDown, {{2, 2}, {170, 2}}, {{237, 117}, {100, 117}}},
        PatternCase{kStripsRightUp, {{2, 117}, {170, 117}}, {{237, 2}, {100, 2}}},
        PatternCase{kRandomBarsHorizontal, {}, {}}, PatternCase{kRandomBarsVertical, {}, {}}),
    [](const testing::TestParamInfo<PatternCase>& info) {
      return "Reveal" + std::to_string(info.param.pattern);
    });

// A frame drawn over the one before it in the same target equals one drawn
// afresh, forwards, backwards and after the target was painted over.
TEST(RevealPattern, FramesInOneTargetEqualFreshFrames) {
  for (int32_t pattern = 0; pattern < kRevealPatternCount; ++pattern) {
    TransitionRenderer renderer;
    ASSERT_TRUE(renderer.Start(Solid(kOld), Solid(kNew), Reveal(pattern), 3));
    QImage frame;
    for (double progress : {0.0, 0.05, 0.1, 0.35, 0.35, 0.6, 0.2, 0.4, -1.0, 0.7, 0.95, 1.0, 0.9}) {
      if (progress < 0) {
        frame.fill(Qt::green);
        continue;
      }
      renderer.RenderFrame(progress, frame);
      ASSERT_EQ(frame, RenderReveal(pattern, progress, 3)) << pattern << " at " << progress;
    }
  }
}

TEST(RevealPattern, EveryPatternCoversTinyAndOddViews) {
  for (QSize size : {QSize(1, 1), QSize(3, 7), QSize(641, 1), QSize(5, 480)})
    for (int32_t pattern = 0; pattern < kRevealPatternCount; ++pattern) {
      TransitionRenderer renderer;
      ASSERT_TRUE(renderer.Start(Solid(kOld, size.width(), size.height()),
                                 Solid(kNew, size.width(), size.height()), Reveal(pattern), 9));
      QImage frame;
      int previous = 0;
      for (double progress : {0.0, 0.3, 0.7, 1.0}) {
        renderer.RenderFrame(progress, frame);
        const int count = CountNew(frame);
        EXPECT_GE(count, previous) << pattern << " at " << progress;
        previous = count;
      }
      EXPECT_EQ(previous, size.width() * size.height()) << pattern;
    }
}

TEST(RevealPattern, RandomPatternsRevealWholeUnitsInRandomOrder) {
  struct Case {
    int32_t pattern;
    int unitWidth;
    int unitHeight;
  };
  for (Case c : {Case{kRandomDissolve, kDissolveCellSize, kDissolveCellSize},
                 Case{kRandomBarsHorizontal, kWidth, 1}, Case{kRandomBarsVertical, 1, kHeight}}) {
    QImage first = RenderReveal(c.pattern, 0.5, 1);
    EXPECT_EQ(CountNew(first), kWidth * kHeight / 2) << c.pattern;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        ASSERT_EQ(first.pixel(x, y),
                  first.pixel(x / c.unitWidth * c.unitWidth, y / c.unitHeight * c.unitHeight))
            << c.pattern << " at " << x << "," << y;
    EXPECT_NE(first, RenderReveal(c.pattern, 0.5, 2)) << c.pattern;
    EXPECT_EQ(first, RenderReveal(c.pattern, 0.5, 1)) << c.pattern;
  }
}

TEST(TransitionRenderer, RandomRevealPicksAmongThePatterns) {
  std::set<int32_t> picked;
  for (uint64_t seed = 0; seed < 200; ++seed) {
    TransitionRenderer renderer;
    ASSERT_TRUE(renderer.Start(Solid(kOld), Solid(kNew), Reveal(kRandomRevealPattern), seed));
    picked.insert(renderer.Pattern());
  }
  EXPECT_GT(picked.size(), 15u);
  EXPECT_GE(*picked.begin(), 0);
  EXPECT_LT(*picked.rbegin(), kRevealPatternCount);
}

TEST(TransitionRenderer, CutsWhatItCannotPlay) {
  TransitionRenderer renderer;
  for (int32_t pattern : {-1, 24, 1000, INT32_MIN})
    EXPECT_FALSE(renderer.Start(Solid(kOld), Solid(kNew), Reveal(pattern), 0)) << pattern;
  EXPECT_FALSE(renderer.Start(Solid(kOld), Solid(kNew), PageTransition{}, 0));
  EXPECT_FALSE(renderer.Start(Solid(kOld), Solid(kNew, 10, 10), Reveal(0), 0));
  EXPECT_FALSE(renderer.Active());
}

TEST(TransitionRenderer, BlendMixesEveryPixel) {
  TransitionRenderer renderer;
  ASSERT_TRUE(renderer.Start(Solid(kOld), Solid(kNew), {TransitionKind::kBlend, 3.0, 0}, 0));
  QImage frame;
  for (auto [progress, red, blue] : {std::tuple{0.0, 255, 0}, std::tuple{0.25, 191, 64},
                                     std::tuple{0.5, 127, 127}, std::tuple{1.0, 0, 255}}) {
    renderer.RenderFrame(progress, frame);
    for (QPoint p : {QPoint(0, 0), QPoint(kWidth - 1, kHeight - 1), QPoint(100, 50)}) {
      EXPECT_NEAR(qRed(frame.pixel(p)), red, 1) << progress;
      EXPECT_NEAR(qBlue(frame.pixel(p)), blue, 1) << progress;
      EXPECT_EQ(qGreen(frame.pixel(p)), 0);
    }
  }
}

// ---- The page view -------------------------------------------------------

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "pageview_test";
  static char* argv[] = {name, nullptr};
  if (!QApplication::instance()) new QApplication(argc, argv);
}

constexpr int kViewWidth = 800;
constexpr int kViewHeight = 600;
const QRgb kPhotoColour = qRgb(255, 255, 255);

class PageViewTest : public testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    ASSERT_TRUE(folder.isValid());
    view = std::make_unique<PageView>(nullptr, registry);
    view->setGeometry(-kPageViewFrame, -kPageViewFrame, kViewWidth + kScrollBarArrowSize + 4,
                      kViewHeight + kScrollBarArrowSize + 4);
  }

  std::string PathOf(const char* name) const { return folder.filePath(name).toStdString(); }

  // Writes a photo of that size and a page that shows it the way the
  // slideshow does, and returns the page's path.
  std::string WritePicturePage(int photoWidth, int photoHeight, QRgb colour = kPhotoColour,
                               std::string_view tag = kBlendElement) {
    const std::string picture = PathOf("photo.jpg");
    EXPECT_TRUE(
        Solid(colour, photoWidth, photoHeight).save(QString::fromStdString(picture), "JPEG", 95));
    const std::string page = PathOf("page.htm");
    WritePageFile(page, MakePicturePage(
                            tag, kViewWidth, kViewHeight, picture,
                            ChooseSizeAttribute(kViewWidth, kViewHeight, photoWidth, photoHeight)));
    return page;
  }

  void SetPageTransitions(int32_t value) {
    registry.Put(kBrowserMainKey, kPageTransitionsValueName, DwordValue(static_cast<uint32_t>(value)));
  }

  bool IsPhoto(QPoint p) const {
    QRgb pixel = view->PageImage().pixel(p);
    return qRed(pixel) > 240 && qGreen(pixel) > 240 && qBlue(pixel) > 240;
  }
  bool IsBlack(QPoint p) const { return view->PageImage().pixel(p) == qRgb(0, 0, 0); }

  QTemporaryDir folder;
  FakeRegistry registry;
  std::unique_ptr<PageView> view;  // made once the application exists
};

TEST_F(PageViewTest, PlacedBeyondTheWindowItsPageAreaIsTheWindow) {
  EXPECT_EQ(view->PageArea(), QRect(kPageViewFrame, kPageViewFrame, kViewWidth, kViewHeight));
  EXPECT_EQ(view->mapToParent(view->PageArea().topLeft()), QPoint(0, 0));
  EXPECT_EQ(view->ClientWidth(), kViewWidth + kScrollBarArrowSize);
  view->show();
  view->SetClientWidth(700);
  EXPECT_EQ(view->ClientWidth(), 700);
  EXPECT_EQ(view->width(), 704);
  EXPECT_EQ(view->PageImage().size(), QSize(700 - kScrollBarArrowSize, kViewHeight));
}

struct FitCase {
  int photoWidth;
  int photoHeight;
  QRect shown;  // where the photo lies in the 800 x 600 page
};

void PrintTo(const FitCase& c, std::ostream* os) { *os << c.photoWidth << "x" << c.photoHeight; }

class PageViewFit : public PageViewTest, public testing::WithParamInterface<FitCase> {};

TEST_P(PageViewFit, ScalesAndCentresThePhotoOnBlack) {
  const FitCase& c = GetParam();
  view->Navigate(WritePicturePage(c.photoWidth, c.photoHeight));
  ASSERT_EQ(view->PageImage().size(), QSize(kViewWidth, kViewHeight));
  // Inside the photo, a few pixels away from its edges (scaling blurs them).
  const QRect inside = c.shown.adjusted(3, 3, -3, -3);
  for (QPoint p : {inside.topLeft(), inside.topRight(), inside.bottomLeft(), inside.bottomRight(),
                   inside.center()})
    EXPECT_TRUE(IsPhoto(p)) << p.x() << "," << p.y();
  // The black bars around it.
  const QRect outside = c.shown.adjusted(-3, -3, 3, 3);
  for (QPoint p :
       {QPoint(outside.left(), c.shown.center().y()), QPoint(outside.right(), c.shown.center().y()),
        QPoint(c.shown.center().x(), outside.top()),
        QPoint(c.shown.center().x(), outside.bottom())})
    if (view->PageImage().rect().contains(p)) EXPECT_TRUE(IsBlack(p)) << p.x() << "," << p.y();
}

INSTANTIATE_TEST_SUITE_P(
    Photos, PageViewFit,
    testing::Values(FitCase{1024, 768, QRect(0, 0, 800, 600)},    // fills the page
                    FitCase{1024, 284, QRect(0, 189, 800, 222)},  // bars above and below
                    FitCase{576, 768, QRect(175, 0, 450, 600)}),  // bars left and right
    [](const testing::TestParamInfo<FitCase>& info) {
      return "Photo" + std::to_string(info.param.photoWidth) + "x" +
             std::to_string(info.param.photoHeight);
    });

TEST_F(PageViewTest, UnreadablePageShowsBlack) {
  view->Navigate(WritePicturePage(1024, 768));
  ASSERT_TRUE(IsPhoto({400, 300}));
  view->Navigate(PathOf("missing.htm"));
  EXPECT_TRUE(IsBlack({400, 300}));
  EXPECT_EQ(view->Layout().exitTransition.kind, TransitionKind::kNone);

  WritePageFile(PathOf("page.htm"), MakePicturePage(kBlendElement, kViewWidth, kViewHeight,
                                                    PathOf("gone.jpg"), kFitWidth));
  view->Navigate(PathOf("page.htm"));
  EXPECT_TRUE(IsBlack({400, 300}));
}

TEST_F(PageViewTest, ReadsPageAndPhotoAfreshAtEveryNavigation) {
  const std::string page = WritePicturePage(1024, 768, qRgb(255, 255, 255));
  view->Navigate(page);
  EXPECT_TRUE(IsPhoto({400, 300}));
  WritePicturePage(1024, 768, qRgb(0, 0, 0));
  view->Navigate(page);
  EXPECT_TRUE(qRed(view->PageImage().pixel(400, 300)) < 16);
}

// Transitions are on unless the setting says otherwise; a store without it plays them.
TEST_F(PageViewTest, PlaysTheLeftPagesTransitionOnlyWhileTransitionsAreOn) {
  struct Case {
    std::optional<int32_t> setting;
    std::string_view leftPageTag;
    bool plays;
  };
  const std::string blank = PathOf("blank.htm");
  for (const Case& c :
       {Case{1, kBlendElement, true}, Case{1, kRandomRevealElement, true},
        Case{0, kBlendElement, false}, Case{2, kBlendElement, false},
        Case{std::nullopt, kBlendElement, true},
        Case{1, "<meta http-equiv=Page-Exit content=revealTrans(Duration=3,transition=24)>", false},
        Case{1, "", false}}) {
    registry.keys.clear();
    if (c.setting) SetPageTransitions(*c.setting);
    WritePageFile(blank, MakeBlankPage(c.leftPageTag));
    view->Navigate(blank);
    view->Navigate(WritePicturePage(1024, 768));
    EXPECT_EQ(view->TransitionRunning(), c.plays) << c.leftPageTag << " setting " << c.setting.value_or(-99);
  }
}

TEST_F(PageViewTest, FrameLogGetsOneLinePerPaintAndPerNavigation) {
  const std::string log = PathOf("frames.log");
  setenv("BRISANDER_FRAME_LOG", log.c_str(), 1);
  PageView logged(nullptr, registry);
  unsetenv("BRISANDER_FRAME_LOG");
  logged.resize(100, 100);
  logged.grab();
  logged.Navigate(PathOf("missing.htm"));
  logged.grab();
  std::ifstream lines(log);
  std::string line;
  std::vector<std::string> events;
  long long previous = 0;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    long long ms = 0;
    std::string what;
    ASSERT_TRUE(fields >> ms >> what) << line;
    EXPECT_GE(ms, previous);
    previous = ms;
    events.push_back(what);
  }
  EXPECT_EQ(events, (std::vector<std::string>{"frame", "navigate", "frame"}));
}

}  // namespace
}  // namespace brisander
