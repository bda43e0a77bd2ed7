#include "slideshow/Schoner.h"

#include <cstdlib>

#include "base/AppError.h"
#include "config/Settings.h"
#include "slideshow/BrowserSettingsGuard.h"
#include "slideshow/ScratchFiles.h"

namespace brisander {

void ShuffleStrings(std::vector<std::string>& list, Random& random) {
  random.SeedFromClock();
  const auto count = static_cast<int32_t>(list.size());
  if (count <= 0) return;
  for (int32_t i = 0; i < count; ++i) {
    int32_t a = random.Next(count);
    int32_t b = random.Next(count);
    std::swap(list[a], list[b]);
  }
}

TSchoner::TSchoner(SlideshowPlatform& platform, SystemServices& services, Random& random)
    : platform_(platform), services_(services), random_(random) {
  WindowProc = platform_.OwnWindowProc();
}

void TSchoner::ReportError(const std::exception& error) {
  platform_.ShowError(ErrorBoxText(error.what()));
}

void TSchoner::FormCreate() {
  // Every step runs even when an earlier one fails, so that the window is
  // always set up completely: placed, without taskbar entry, with a valid
  // procedure for the input filter to hand messages on to. Each failure is
  // shown in the error box; a failed LoadEffect leaves CurrentEffect at 0.
  auto& registry = services_.Registry();
  Guarded([&] { MuteNavigationSound(registry); });
  Guarded([&] { EnablePageTransitions(registry); });
  platform_.SetPageViewLeft(platform_.WindowWidth());
  SavedWindowProc = platform_.OwnWindowProc();
  if (RunMode == rmPreview) {
    // Preview without a host (ParentWindow 0) keeps the design bounds: a
    // plain window. A host that vanished before this point is left to the
    // launcher, which ends the show quietly.
    if (auto rect = platform_.ParentWindowRect())
      platform_.SetWindowBounds(0, 0, rect->Right - rect->Left, rect->Bottom - rect->Top);
  } else {
    platform_.Maximize();
  }
  platform_.HideTaskbarEntry();
  TicksLeft = kFirstSlideTicks;
  Guarded([&] { LoadEffect(); });
}

void TSchoner::LoadEffect() { CurrentEffect = ReadEffectSetting(services_.Registry()); }

void TSchoner::FillPlaylist() {
  random_.SeedFromClock();
  Playlist.clear();
  for (int i = 0; i < kPhotoCount; ++i) Playlist.push_back(std::to_string(i));
  PlaylistPos = static_cast<int32_t>(Playlist.size());
}

void TSchoner::FormActivate() {
  // The show starts once: a later activation (the launcher's main loop shows
  // the window again after the modal show) must not make new scratch files
  // that nothing would delete.
  if (activated_ || ended_) return;
  activated_ = true;

  FillPlaylist();
  StartCursorPos = platform_.CursorPos();
  try {
    PicturePath = MakeScratchName("jpg");
    PagePath = MakeScratchName("htm");
  } catch (const std::exception& error) {
    // Without two scratch paths no slide can be shown: report it and end
    // the show cleanly, the user's settings restored.
    ReportError(error);
    ShutdownSlideshow();
    return;
  }
  TransitionTag = MakeTransitionTag(CurrentEffect, random_);
  WritePageFile(PagePath, MakeBlankPage(TransitionTag));
  platform_.Navigate(PagePath);

  const int32_t width = platform_.WindowWidth();
  const int32_t height = platform_.WindowHeight();
  platform_.SetPageViewBounds(-2, -2, platform_.SystemMetric(SM_CXHSCROLL_) + width + 4,
                              platform_.SystemMetric(SM_CYVSCROLL_) + height + 4);
  if (platform_.PageViewClientWidth() < kPageViewMinimumWidth)
    platform_.SetPageViewClientWidth(kPageViewMinimumWidth);

  WindowProc = [this](WindowMessage& message) { FilterMessage(message); };
  if (RunMode == rmRun) platform_.SetCapture();
}

void TSchoner::Timer1Timer() {
  platform_.ProcessMessages();
  // The show may have ended while the messages were handled; nothing is
  // written after that, so no scratch file outlives the show. A tick before
  // the show started has no playlist and no scratch names to work with.
  if (ended_ || !activated_) return;
  if (TicksLeft > 0)
    --TicksLeft;
  else
    ShowNextSlide();
  platform_.ProcessMessages();
}

void TSchoner::ShowNextSlide() {
  ++PlaylistPos;
  if (PlaylistPos >= static_cast<int32_t>(Playlist.size())) {
    PlaylistPos = 0;
    ShuffleStrings(Playlist, random_);
  }
  TicksLeft = 60 + random_.Next(30);
  const int32_t picture = StrToInt(Playlist.at(PlaylistPos));

  Image1.LoadFromResource(kFirstPhoto + picture);
  Image1.SaveToFile(PicturePath);
  const int32_t width = platform_.WindowWidth();
  const int32_t height = platform_.WindowHeight();
  auto sizeAttribute = ChooseSizeAttribute(width, height, Image1.Width(), Image1.Height());
  TransitionTag = MakeTransitionTag(CurrentEffect, random_);
  WritePageFile(PagePath, MakePicturePage(TransitionTag, width, height, PicturePath, sizeAttribute));
  platform_.Navigate(PagePath);
}

void TSchoner::FormKeyDown() { platform_.RequestClose(); }

void TSchoner::FormClose() { ShutdownSlideshow(); }

bool TSchoner::WMSysCommand(WindowMessage& message) {
  if ((message.WParam & 0xFFF0) != SC_MINIMIZE_) return false;
  platform_.HideWindow();
  return true;
}

void TSchoner::Dispatch(WindowMessage& message) {
  // A copy: the procedure may replace WindowProc while it runs.
  auto procedure = WindowProc;
  procedure(message);
}

void TSchoner::FilterMessage(WindowMessage& message) {
  if (RunMode != rmRun) {
    SavedWindowProc(message);
    return;
  }
  switch (message.Msg) {
    case WM_ACTIVATE_:
    case WM_ACTIVATEAPP_:
    case WM_NCACTIVATE_:
      if ((message.WParam & 0xFFFF) == 0) AttemptClose();
      break;
    case WM_KEYDOWN_:
    case WM_KEYUP_:
    case WM_SYSKEYDOWN_:
    case WM_SYSKEYUP_:
    case WM_LBUTTONDOWN_:
    case WM_RBUTTONDOWN_:
    case WM_MBUTTONDOWN_:
      AttemptClose();
      break;
    case WM_MOUSEMOVE_: {
      TPoint cursor = platform_.CursorPos();
      if (std::abs(cursor.X - StartCursorPos.X) > MouseTolerance ||
          std::abs(cursor.Y - StartCursorPos.Y) > MouseTolerance)
        AttemptClose();
      break;
    }
    default:
      SavedWindowProc(message);
      return;
  }
  message.Result = 0;
}

void TSchoner::AttemptClose() {
  platform_.ReleaseCapture();
  WindowProc = SavedWindowProc;
  if (VerifyPassword(services_))
    ShutdownSlideshow();
  else
    WindowProc = [this](WindowMessage& message) { FilterMessage(message); };
  platform_.SetCapture();
}

void TSchoner::ShutdownSlideshow() {
  if (ended_) return;
  ended_ = true;
  // A failing step does not stop the others: whatever can be restored is
  // restored, the scratch files are deleted and the loop is ended. The
  // failures are shown before the quit request.
  auto& registry = services_.Registry();
  if (RunMode == rmRun) SetScreenSaverRunning(services_, false);
  platform_.StopTimer();
  Guarded([&] { RestoreNavigationSound(registry); });
  if (PageTransitionsWereOff) Guarded([&] { RestorePageTransitions(registry); });
  DeleteScratchFile(PagePath);
  DeleteScratchFile(PicturePath);
  platform_.PostQuit();
}

}  // namespace brisander
