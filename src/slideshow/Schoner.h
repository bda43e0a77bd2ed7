#pragma once
// TSchoner: the state and the life cycle of a show, independent of the
// platform. The platform creates it with its window, hands every window
// message to Dispatch, calls the event handlers at the moments their names
// say, and answers the core's requests through SlideshowPlatform.

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/ScreenSaver.h"
#include "resources/Pictures.h"
#include "slideshow/PageComposer.h"
#include "slideshow/SlideshowPlatform.h"

namespace brisander {

inline constexpr int32_t kFirstSlideTicks = 20;
inline constexpr int32_t kTimerInterval = 100;  // milliseconds
inline constexpr int32_t kDesignLeft = 774;
inline constexpr int32_t kDesignTop = 365;
inline constexpr int32_t kDesignWidth = 720;
inline constexpr int32_t kDesignHeight = 664;
inline constexpr int32_t kPageViewMinimumWidth = 700;

// Shuffles by as many random exchanges as the list has entries; reseeds the
// process's generator first.
void ShuffleStrings(std::vector<std::string>& list, Random& random = ProcessRandom());

class TSchoner {
 public:
  TSchoner(SlideshowPlatform& platform, SystemServices& services,
           Random& random = ProcessRandom());

  // Window events.
  void FormCreate();
  void FormActivate();
  void Timer1Timer();
  void FormKeyDown();
  void FormClose();
  // True when the command was handled here (a minimize hides the window).
  bool WMSysCommand(WindowMessage& message);

  // Delivers a message to the window's current message procedure.
  void Dispatch(WindowMessage& message);
  void FilterMessage(WindowMessage& message);

  // Ends the show: running flag, timer, browser settings, scratch files, and
  // the quit request. Runs once; later calls do nothing.
  void ShutdownSlideshow();
  bool Ended() const { return ended_; }

  // Runs an event handler; an error that escapes it is shown in the error
  // box and the show goes on.
  template <typename Handler>
  void Guarded(Handler&& handler) {
    try {
      handler();
    } catch (const std::exception& error) {
      ReportError(error);
    }
  }

  // The state of a show.
  std::string PagePath;
  std::string PicturePath;
  int32_t TicksLeft = 0;
  EffectIndex CurrentEffect = 0;
  int32_t PlaylistPos = 0;
  std::string TransitionTag;
  WindowProcedure SavedWindowProc;
  WindowProcedure WindowProc;
  std::vector<std::string> Playlist;  // the hidden list box's items
  TJPEGImage Image1;                  // the photo of the current slide

 private:
  void FillPlaylist();
  void ShowNextSlide();
  void AttemptClose();
  void LoadEffect();
  void ReportError(const std::exception& error);

  SlideshowPlatform& platform_;
  SystemServices& services_;
  Random& random_;
  bool activated_ = false;
  bool ended_ = false;
};

}  // namespace brisander
