// The show's life cycle in TSchoner, driven through a fake platform window
// and fake system services with an in-memory registry. Scratch files and
// pictures are the real ones of the platform.

#include "slideshow/Schoner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/AppError.h"
#include "fakes/FakeSystemServices.h"
#include "base/Registry.h"
#include "config/Settings.h"
#include "resources/Pictures.h"
#include "slideshow/BrowserSettingsGuard.h"
#include "slideshow/ScratchFiles.h"

namespace brisander {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using Log = std::vector<std::string>;

// System services of a platform that leaves the password to the screen
// saver; every write to the registry and every change of the running flag is
// logged.
class FakeServices : public FakeSystemServices {
 public:
  explicit FakeServices(Log& log) : log_(log) {
    registry.onSet = [this](const std::string& name) { log_.push_back("set " + name); };
    libraries[kPasswordCpl] = {};
  }

  void SetScreenSaverRunningParameter(uint32_t uiParam) override {
    log_.push_back("running " + std::to_string(uiParam));
  }
  void SetPasswordAccepted(bool accepted) { libraries[kPasswordCpl].passwordAccepted = accepted; }
  int PasswordChecks() const { return static_cast<int>(verifyWindows.size()); }
  void SetCursorAfterDialog(TPoint point) {
    cursorX = point.X;
    cursorY = point.Y;
  }

  static constexpr const char* kPasswordCpl = "C:\\WINDOWS\\SYSTEM\\PASSWORD.CPL";

 private:
  Log& log_;
};

// A window of 800 x 600 (after the maximize) that logs the core's requests.
// Its own message procedure does what the class library's would: a key
// reaches FormKeyDown, every message is logged as "own <number>".
class FakePlatform : public SlideshowPlatform {
 public:
  explicit FakePlatform(Log& log) : log_(log) {}

  int32_t WindowWidth() override { return width; }
  int32_t WindowHeight() override { return height; }
  void Maximize() override {
    log_.push_back("Maximize");
    width = 800;
    height = 600;
  }
  void SetWindowBounds(int32_t left, int32_t top, int32_t w, int32_t h) override {
    log_.push_back("WindowBounds " + Numbers({left, top, w, h}));
    width = w;
    height = h;
  }
  std::optional<TRect> ParentWindowRect() override { return parentRect; }
  void HideTaskbarEntry() override { log_.push_back("HideTaskbarEntry"); }
  void HideWindow() override { log_.push_back("HideWindow"); }
  void RequestClose() override { log_.push_back("RequestClose"); }
  WindowProcedure OwnWindowProc() override {
    return [this](WindowMessage& message) {
      log_.push_back("own " + std::to_string(message.Msg));
      if (message.Msg == WM_KEYDOWN_ && schoner) schoner->FormKeyDown();
    };
  }
  TPoint CursorPos() override { return cursor; }
  void SetCapture() override { log_.push_back("SetCapture"); }
  void ReleaseCapture() override { log_.push_back("ReleaseCapture"); }
  int32_t SystemMetric(int32_t index) override { return index == SM_CXHSCROLL_ ? 17 : 16; }
  void SetPageViewLeft(int32_t left) override { log_.push_back("PageViewLeft " + Numbers({left})); }
  void SetPageViewBounds(int32_t left, int32_t top, int32_t w, int32_t h) override {
    log_.push_back("PageViewBounds " + Numbers({left, top, w, h}));
    pageViewClientWidth = w;
  }
  int32_t PageViewClientWidth() override { return pageViewClientWidth; }
  void SetPageViewClientWidth(int32_t w) override {
    log_.push_back("PageViewClientWidth " + Numbers({w}));
  }
  void Navigate(const std::string& path) override {
    log_.push_back("Navigate");
    ++navigations;
    std::ifstream file(path, std::ios::binary);
    navigatedPages.emplace_back(std::istreambuf_iterator<char>(file),
                                std::istreambuf_iterator<char>());
  }
  void ProcessMessages() override {
    if (onProcessMessages) onProcessMessages();
  }
  void StopTimer() override { log_.push_back("StopTimer"); }
  void PostQuit() override {
    log_.push_back("PostQuit");
    scratchFilesAtQuit =
        std::filesystem::exists(schoner->PagePath) || std::filesystem::exists(schoner->PicturePath);
  }
  void ShowError(const std::string& text) override { log_.push_back("ShowError " + text); }

  static std::string Numbers(std::initializer_list<int32_t> numbers) {
    std::string text;
    for (int32_t n : numbers) text += (text.empty() ? "" : " ") + std::to_string(n);
    return text;
  }

  TSchoner* schoner = nullptr;
  int32_t width = kDesignWidth;
  int32_t height = kDesignHeight;
  int32_t pageViewClientWidth = 0;
  std::optional<TRect> parentRect;
  TPoint cursor{400, 300};
  int navigations = 0;
  std::vector<std::string> navigatedPages;
  std::function<void()> onProcessMessages;
  bool scratchFilesAtQuit = false;

 private:
  Log& log_;
};

void SendTo(TSchoner& schoner, uint32_t msg, uint32_t wParam = 0) {
  WindowMessage message{msg, wParam, 0, 0};
  schoner.Dispatch(message);
}

constexpr const char* kSoundPath = "C:\\WINDOWS\\MEDIA\\Start.wav";

class SchonerTest : public ::testing::Test {
 protected:
  SchonerTest() {
    RunMode = rmRun;
    ParentWindow = 0;
    PageTransitionsWereOff = false;
    services.registry.Put(kNavigationSoundKey, "", StringValue(kSoundPath));
    services.registry.Put(kBrowserMainKey, kPageTransitionsValueName, DwordValue(0));
    services.registry.Put(kSettingsKey, kEffectValueName, DwordValue(5));
    platform.schoner = &schoner;
  }

  ~SchonerTest() override {
    DeleteScratchFile(schoner.PagePath);
    DeleteScratchFile(schoner.PicturePath);
    // The process-wide values as the other tests expect them.
    RunMode = rmUnset;
    ParentWindow = 0;
    StartCursorPos = {};
    PageTransitionsWereOff = false;
  }

  // The window created and shown: both handlers have run.
  void Start() {
    schoner.FormCreate();
    schoner.FormActivate();
    log.clear();
  }

  // Ticks until the next slide; returns how many ticks it took.
  int TicksToNextSlide() {
    const int before = platform.navigations;
    for (int ticks = 1; ticks <= 1000; ++ticks) {
      schoner.Timer1Timer();
      if (platform.navigations != before) return ticks;
    }
    return -1;
  }

  // The photo number whose embedded bytes the picture file holds, or -1.
  int PhotoInPictureFile() {
    std::ifstream file(schoner.PicturePath, std::ios::binary);
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file),
                               std::istreambuf_iterator<char>()};
    for (int n = 0; n < kPhotoCount; ++n) {
      auto photo = FindPictureResource(kFirstPhoto + n);
      if (std::equal(bytes.begin(), bytes.end(), photo.begin(), photo.end())) return n;
    }
    return -1;
  }

  void Send(uint32_t msg, uint32_t wParam = 0) { SendTo(schoner, msg, wParam); }

  int Count(const std::string& entry) {
    return static_cast<int>(std::count(log.begin(), log.end(), entry));
  }
  bool Exists(const std::string& path) { return !path.empty() && std::filesystem::exists(path); }

  std::string SoundValue() {
    auto value = services.registry.Get(kNavigationSoundKey, "");
    return value ? std::string(reinterpret_cast<const char*>(value->data.data())) : "<missing>";
  }
  int32_t PageTransitions() {
    auto value = services.registry.Get(kBrowserMainKey, kPageTransitionsValueName);
    return value && value->type == kRegDword ? value->data[0] : -1;
  }

  Log log;
  FakeServices services{log};
  FakePlatform platform{log};
  Random random;
  TSchoner schoner{platform, services, random};
};

// --- Creation, activation and shutdown ------------------------------------

TEST_F(SchonerTest, FormCreateChangesSettingsThenSetsUpTheFullScreenWindow) {
  schoner.FormCreate();
  EXPECT_THAT(log, ElementsAre("set ", "set Page_Transitions", "PageViewLeft 720", "Maximize",
                               "HideTaskbarEntry"));
  EXPECT_EQ(SoundValue(), std::string(kSoundPath) + "[deactivated]");
  EXPECT_EQ(PageTransitions(), 1);
  EXPECT_EQ(schoner.TicksLeft, 20);
  EXPECT_EQ(schoner.CurrentEffect, 5);
}

TEST_F(SchonerTest, FormCreateInPreviewTakesTheParentsSizeAtTheOrigin) {
  RunMode = rmPreview;
  ParentWindow = 1234;
  platform.parentRect = TRect{100, 50, 252, 162};
  schoner.FormCreate();
  EXPECT_THAT(log, ElementsAre("set ", "set Page_Transitions", "PageViewLeft 720",
                               "WindowBounds 0 0 152 112", "HideTaskbarEntry"));
}

TEST_F(SchonerTest, FormActivateWritesTheBlankPageThenPlacesThePageViewThenCaptures) {
  schoner.FormCreate();
  log.clear();
  platform.cursor = {123, 456};
  schoner.FormActivate();
  EXPECT_THAT(log, ElementsAre("Navigate", "PageViewBounds -2 -2 821 620", "SetCapture"));
  EXPECT_EQ(StartCursorPos.X, 123);
  EXPECT_EQ(StartCursorPos.Y, 456);
  EXPECT_EQ(platform.navigatedPages.at(0), MakeBlankPage(MakeTransitionTag(5)));
  EXPECT_THAT(schoner.Playlist,
              ElementsAre("0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"));
  EXPECT_EQ(schoner.PlaylistPos, 12);
  EXPECT_TRUE(schoner.PicturePath.ends_with(".jpg"));
  EXPECT_TRUE(schoner.PagePath.ends_with(".htm"));
  EXPECT_FALSE(Exists(schoner.PicturePath));
}

TEST_F(SchonerTest, FormActivateInASmallPreviewWidensThePageViewAndDoesNotCapture) {
  RunMode = rmPreview;
  ParentWindow = 1234;
  platform.parentRect = TRect{0, 0, 152, 112};
  schoner.FormCreate();
  log.clear();
  schoner.FormActivate();
  EXPECT_THAT(log,
              ElementsAre("Navigate", "PageViewBounds -2 -2 173 132", "PageViewClientWidth 700"));
}

TEST_F(SchonerTest, ShutdownRestoresEverythingInOrderAndDeletesTheScratchFilesBeforeQuitting) {
  PageTransitionsWereOff = false;
  Start();
  TicksToNextSlide();
  ASSERT_TRUE(Exists(schoner.PicturePath));
  log.clear();
  schoner.ShutdownSlideshow();
  EXPECT_THAT(log,
              ElementsAre("running 0", "StopTimer", "set ", "set Page_Transitions", "PostQuit"));
  EXPECT_FALSE(platform.scratchFilesAtQuit);
  EXPECT_EQ(SoundValue(), kSoundPath);
  EXPECT_EQ(PageTransitions(), 0);
}

TEST_F(SchonerTest, ShutdownLeavesTransitionsOnThatWereOnAndTheRunningFlagOutsideTheFullScreen) {
  services.registry.Put(kBrowserMainKey, kPageTransitionsValueName, DwordValue(1));
  RunMode = rmPreview;
  Start();
  schoner.ShutdownSlideshow();
  EXPECT_THAT(log, ElementsAre("StopTimer", "set ", "PostQuit"));
  EXPECT_EQ(PageTransitions(), 1);
}

// --- Slides -----------------------------------------------------------------

TEST_F(SchonerTest, FirstSlideComesWithThe21stTickThenAfterTicksLeftPlusOne) {
  Start();
  EXPECT_EQ(TicksToNextSlide(), 21);
  for (int slide = 0; slide < 25; ++slide) {
    const int32_t countdown = schoner.TicksLeft;
    ASSERT_GE(countdown, 60);
    ASSERT_LE(countdown, 89);
    ASSERT_EQ(TicksToNextSlide(), countdown + 1);
  }
}

TEST_F(SchonerTest, EveryPassOfTwelveSlidesShowsEachPhotoOnce) {
  Start();
  for (int pass = 0; pass < 3; ++pass) {
    std::set<int> shown;
    for (int slide = 0; slide < kPhotoCount; ++slide) {
      ASSERT_GT(TicksToNextSlide(), 0);
      shown.insert(PhotoInPictureFile());
    }
    EXPECT_EQ(shown.size(), 12u) << "pass " << pass;
    EXPECT_FALSE(shown.contains(-1));
  }
}

TEST_F(SchonerTest, EachSlideWritesThePicturePageForTheWindowAndThePhoto) {
  Start();
  TicksToNextSlide();
  auto photo = FindPictureResource(kFirstPhoto + PhotoInPictureFile());
  auto header = ReadJpegHeader(photo);
  EXPECT_EQ(platform.navigatedPages.back(),
            MakePicturePage(MakeTransitionTag(5), 800, 600, schoner.PicturePath,
                            ChooseSizeAttribute(800, 600, header.width, header.height)));
}

TEST_F(SchonerTest, ANestedTickNeverShowsASecondSlide) {
  Start();
  bool nested = false;
  platform.onProcessMessages = [&] {
    if (nested) return;
    nested = true;
    schoner.Timer1Timer();
    nested = false;
  };
  int slides = 0;
  for (int tick = 0; tick < 300; ++tick) {
    const int before = platform.navigations;
    schoner.Timer1Timer();
    ASSERT_LE(platform.navigations - before, 1) << "tick " << tick;
    slides += platform.navigations - before;
  }
  EXPECT_GE(slides, 2);
}

// --- Ending the show ----------------------------------------------------------

struct ClosePath {
  const char* name;
  TRunMode mode;
  std::function<void(TSchoner&)> trigger;
};

class SchonerClosePathTest : public SchonerTest, public ::testing::WithParamInterface<ClosePath> {};

TEST_P(SchonerClosePathTest, RunsShutdownExactlyOnce) {
  RunMode = GetParam().mode;
  ParentWindow = 0;
  Start();
  TicksToNextSlide();
  GetParam().trigger(schoner);
  // The platform answers a close request with the close event.
  if (Count("RequestClose") > 0) schoner.FormClose();
  EXPECT_EQ(Count("PostQuit"), 1);
  EXPECT_FALSE(Exists(schoner.PagePath));
  EXPECT_FALSE(Exists(schoner.PicturePath));
  EXPECT_EQ(SoundValue(), kSoundPath);

  // Whatever comes afterwards ends nothing a second time.
  Send(WM_KEYDOWN_);
  schoner.FormClose();
  schoner.ShutdownSlideshow();
  schoner.Timer1Timer();
  EXPECT_EQ(Count("PostQuit"), 1);
  EXPECT_EQ(Count("StopTimer"), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SchonerClosePathTest,
    ::testing::Values(
        ClosePath{"FilterKey", rmRun, [](TSchoner& s) { SendTo(s, WM_KEYDOWN_); }},
        ClosePath{"FilterDeactivation", rmRun, [](TSchoner& s) { SendTo(s, WM_ACTIVATEAPP_, 0); }},
        ClosePath{"KeyInPreview", rmPreview, [](TSchoner& s) { SendTo(s, WM_KEYDOWN_); }},
        ClosePath{"CloseRequest", rmRun, [](TSchoner& s) { s.FormClose(); }},
        ClosePath{"DirectCall", rmRun, [](TSchoner& s) { s.ShutdownSlideshow(); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SchonerTest, KeyInPreviewClosesWithoutAPasswordCheck) {
  RunMode = rmPreview;
  services.registry.Put("Control Panel\\desktop", "ScreenSaveUsePassword", DwordValue(1));
  services.SetPasswordAccepted(false);
  Start();
  Send(WM_KEYDOWN_);
  EXPECT_THAT(log, ElementsAre("own 256", "RequestClose"));
  EXPECT_EQ(services.PasswordChecks(), 0);
}

TEST_F(SchonerTest, MinimizeHidesTheWindowAndTheShowGoesOn) {
  Start();
  WindowMessage minimize{WM_SYSCOMMAND_, SC_MINIMIZE_ | 2, 0, 0};
  EXPECT_TRUE(schoner.WMSysCommand(minimize));
  WindowMessage other{WM_SYSCOMMAND_, 0xF060, 0, 0};
  EXPECT_FALSE(schoner.WMSysCommand(other));
  EXPECT_THAT(log, ElementsAre("HideWindow"));
  EXPECT_FALSE(schoner.Ended());
}

// The filter in full-screen mode, with a password that is asked for and
// refused, so that every attempt shows as one check and the show goes on.
struct FilterCase {
  uint32_t msg;
  uint32_t wParam;
  bool attempts;
  bool handedOn;
};

class SchonerRefusedPasswordTest : public SchonerTest {
 protected:
  void SetUp() override {
    services.registry.Put("Control Panel\\desktop", "ScreenSaveUsePassword", DwordValue(1));
    services.SetPasswordAccepted(false);
    services.SetCursorAfterDialog(platform.cursor);
    Start();
  }
};

class SchonerFilterTest : public SchonerRefusedPasswordTest,
                          public ::testing::WithParamInterface<FilterCase> {};

TEST_P(SchonerFilterTest, WithholdsOrHandsOn) {
  const auto& c = GetParam();
  WindowMessage message{c.msg, c.wParam, 0, 0};
  schoner.Dispatch(message);
  EXPECT_EQ(services.PasswordChecks(), c.attempts ? 1 : 0);
  EXPECT_EQ(Count("own " + std::to_string(c.msg)), c.handedOn ? 1 : 0);
  if (!c.handedOn) EXPECT_EQ(message.Result, 0);
  if (c.attempts) EXPECT_THAT(log, ElementsAre("ReleaseCapture", "SetCapture"));
  EXPECT_FALSE(schoner.Ended());
}

INSTANTIATE_TEST_SUITE_P(
    Messages, SchonerFilterTest,
    ::testing::Values(
        FilterCase{WM_ACTIVATE_, 0, true, false},
        FilterCase{WM_ACTIVATE_, 1, false, false},
        FilterCase{WM_ACTIVATE_, 0x10000, true, false},
        FilterCase{WM_ACTIVATEAPP_, 0, true, false},
        FilterCase{WM_ACTIVATEAPP_, 1, false, false},
        FilterCase{WM_NCACTIVATE_, 0, true, false},
        FilterCase{WM_NCACTIVATE_, 1, false, false},
        FilterCase{WM_KEYDOWN_, 0, true, false},
        FilterCase{WM_KEYUP_, 0, true, false},
        FilterCase{WM_SYSKEYDOWN_, 0, true, false},
        FilterCase{WM_SYSKEYUP_, 0, true, false},
        FilterCase{WM_LBUTTONDOWN_, 0, true, false},
        FilterCase{WM_RBUTTONDOWN_, 0, true, false},
        FilterCase{WM_MBUTTONDOWN_, 0, true, false},
        FilterCase{WM_MOUSEMOVE_, 0, false, false},
        FilterCase{WM_LBUTTONUP_, 0, false, true},
        FilterCase{515, 0, false, true},  // left double click
        FilterCase{517, 0, false, true},  // right button up
        FilterCase{522, 0, false, true},  // wheel
        FilterCase{523, 0, false, true},  // extra button down
        FilterCase{258, 0, false, true},  // character
        FilterCase{16, 0, false, true},  // close
        FilterCase{WM_SYSCOMMAND_, SC_MINIMIZE_, false, true}));

struct MouseCase {
  int32_t dx;
  int32_t dy;
  bool attempts;
};

class SchonerMouseTest : public SchonerRefusedPasswordTest,
                         public ::testing::WithParamInterface<MouseCase> {};

TEST_P(SchonerMouseTest, MovementBeyondFivePixelsOnEitherAxisAttempts) {
  const auto& move = GetParam();
  platform.cursor = {StartCursorPos.X + move.dx, StartCursorPos.Y + move.dy};
  Send(WM_MOUSEMOVE_);
  EXPECT_EQ(services.PasswordChecks(), move.attempts ? 1 : 0);
  EXPECT_EQ(Count("own 512"), 0);
}

INSTANTIATE_TEST_SUITE_P(Moves, SchonerMouseTest,
                         ::testing::Values(MouseCase{5, 5, false}, MouseCase{-5, -5, false},
                                           MouseCase{6, 0, true}, MouseCase{0, 6, true},
                                           MouseCase{-6, 0, true}, MouseCase{0, -6, true}));

TEST_F(SchonerTest, AFailedPasswordCheckPutsTheFilterBackMeasuringFromAfterTheDialog) {
  services.registry.Put("Control Panel\\desktop", "ScreenSaveUsePassword", DwordValue(1));
  services.SetPasswordAccepted(false);
  Start();
  services.SetCursorAfterDialog({100, 100});
  Send(WM_KEYUP_);
  EXPECT_EQ(services.PasswordChecks(), 1);
  EXPECT_THAT(log, ElementsAre("ReleaseCapture", "SetCapture"));

  platform.cursor = {105, 95};
  Send(WM_MOUSEMOVE_);
  EXPECT_EQ(services.PasswordChecks(), 1);
  platform.cursor = {106, 100};
  Send(WM_MOUSEMOVE_);
  EXPECT_EQ(services.PasswordChecks(), 2);

  services.SetPasswordAccepted(true);
  Send(WM_LBUTTONDOWN_);
  EXPECT_EQ(services.PasswordChecks(), 3);
  EXPECT_TRUE(schoner.Ended());
  EXPECT_EQ(Count("PostQuit"), 1);

  // A passed check leaves the filter out.
  Send(WM_KEYUP_);
  EXPECT_EQ(services.PasswordChecks(), 3);
  EXPECT_EQ(Count("own 257"), 1);
}

TEST_F(SchonerTest, InPreviewTheFilterHandsEverythingOn) {
  RunMode = rmPreview;
  services.registry.Put("Control Panel\\desktop", "ScreenSaveUsePassword", DwordValue(1));
  Start();
  for (uint32_t msg : {WM_ACTIVATE_, WM_ACTIVATEAPP_, WM_KEYUP_, WM_MOUSEMOVE_, WM_LBUTTONDOWN_})
    Send(msg);
  EXPECT_THAT(log, ElementsAre("own 6", "own 28", "own 257", "own 512", "own 513"));
  EXPECT_EQ(services.PasswordChecks(), 0);
}

// --- Nothing written after the end ------------------------------------------

struct LateShutdown {
  const char* name;
  bool afterFirstSlide;     // the tick in question shows the second slide
  int processMessagesCall;  // the shutdown runs in this pumping of that tick
};

class SchonerLateShutdownTest : public SchonerTest,
                                public ::testing::WithParamInterface<LateShutdown> {};

TEST_P(SchonerLateShutdownTest, NoScratchFileRemains) {
  Start();
  if (GetParam().afterFirstSlide) TicksToNextSlide();
  while (schoner.TicksLeft > 0) schoner.Timer1Timer();
  ASSERT_TRUE(Exists(schoner.PagePath));
  log.clear();
  int calls = 0;
  platform.onProcessMessages = [&] {
    if (++calls == GetParam().processMessagesCall) schoner.ShutdownSlideshow();
  };
  schoner.Timer1Timer();
  schoner.FormActivate();  // the window shown once more after the show
  EXPECT_TRUE(schoner.Ended());
  EXPECT_FALSE(Exists(schoner.PagePath));
  EXPECT_FALSE(Exists(schoner.PicturePath));
  EXPECT_EQ(Count("Navigate"), GetParam().processMessagesCall == 2 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Ticks, SchonerLateShutdownTest,
                         ::testing::Values(LateShutdown{"BeforeTheFirstSlide", false, 1},
                                           LateShutdown{"AfterTheFirstSlide", false, 2},
                                           LateShutdown{"BeforeTheSecondSlide", true, 1},
                                           LateShutdown{"AfterTheSecondSlide", true, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Failing steps ------------------------------------------------------------

struct BadValue {
  const char* name;
  const char* key;
  const char* value;
  RegValue data;
  EffectIndex effect;  // CurrentEffect afterwards
};

class SchonerBadCreateTest : public SchonerTest, public ::testing::WithParamInterface<BadValue> {};

TEST_P(SchonerBadCreateTest, TheWindowIsSetUpAllTheSame) {
  const auto& bad = GetParam();
  services.registry.Put(bad.key, bad.value, bad.data);
  schoner.FormCreate();
  EXPECT_EQ(Count("ShowError " + FormatPattern(kInvalidDataTypeMessage, bad.value)), 1);
  EXPECT_EQ(Count("Maximize"), 1);
  EXPECT_EQ(Count("HideTaskbarEntry"), 1);
  EXPECT_EQ(schoner.TicksLeft, 20);
  EXPECT_EQ(schoner.CurrentEffect, bad.effect);

  // A valid procedure is there for the filter to hand messages on to.
  schoner.FormActivate();
  Send(16);
  EXPECT_EQ(Count("own 16"), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SchonerBadCreateTest,
    ::testing::Values(BadValue{"Sound", kNavigationSoundKey, "", DwordValue(1), 5},
                      BadValue{"Transitions", kBrowserMainKey, kPageTransitionsValueName,
                               StringValue("1"), 5},
                      BadValue{"Effect", kSettingsKey, kEffectValueName, StringValue("5"), 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadShutdown {
  const char* name;
  std::function<void(FakeRegistry&)> spoil;
  std::vector<std::string> errors;
  int32_t transitionsAfter;
};

class SchonerBadShutdownTest : public SchonerTest,
                               public ::testing::WithParamInterface<BadShutdown> {};

TEST_P(SchonerBadShutdownTest, RestoresWhatItCanAndEnds) {
  Start();
  TicksToNextSlide();
  GetParam().spoil(services.registry);
  schoner.ShutdownSlideshow();
  std::vector<std::string> errors;
  for (const auto& entry : log)
    if (entry.starts_with("ShowError ")) errors.push_back(entry.substr(10));
  EXPECT_EQ(errors, GetParam().errors);
  EXPECT_EQ(PageTransitions(), GetParam().transitionsAfter);
  EXPECT_EQ(log.back(), "PostQuit");
  EXPECT_FALSE(platform.scratchFilesAtQuit);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, SchonerBadShutdownTest,
    ::testing::Values(BadShutdown{"SoundOfWrongType",
                                  [](FakeRegistry& r) {
                                    r.Put(kNavigationSoundKey, "", DwordValue(1));
                                  },
                                  {FormatPattern(kInvalidDataTypeMessage, "")},
                                  0},
                      BadShutdown{"StoreRefusesWrites",
                                  [](FakeRegistry& r) { r.refuseWrites = true; },
                                  {FormatPattern(kWriteFailedMessage, ""),
                                   FormatPattern(kWriteFailedMessage, kPageTransitionsValueName)},
                                  1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SchonerTest, AnErrorInATickIsReportedAndTheShowGoesOn) {
  Start();
  for (int i = 0; i < 20; ++i) schoner.Timer1Timer();
  const std::string pagePath = schoner.PagePath;
  schoner.PagePath =
      (std::filesystem::path(pagePath).parent_path() / "missing" / "page.htm").string();
  schoner.Guarded([&] { schoner.Timer1Timer(); });
  EXPECT_EQ(std::count_if(log.begin(), log.end(),
                          [](const std::string& e) { return e.starts_with("ShowError "); }),
            1);
  EXPECT_GE(schoner.TicksLeft, 60);
  schoner.PagePath = pagePath;
  const int32_t countdown = schoner.TicksLeft;
  EXPECT_EQ(TicksToNextSlide(), countdown + 1);
}

}  // namespace
}  // namespace brisander
