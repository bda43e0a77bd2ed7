#pragma once
// The Qt window of the slideshow: full screen in the run mode (or inside
// the screen saver daemon's window), inside the host's window (or as a
// plain window) in the preview. It carries the page
// view, answers the core's requests, and hands its events to the core as
// the window messages of the Windows build.

#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdint>
#include <memory>
#include <optional>

#include "linux/X11Windows.h"
#include "slideshow/Schoner.h"

namespace brisander {

class PageView;

class SlideshowWindow : public QWidget, public SlideshowPlatform {
  Q_OBJECT

 public:
  // `host` is the window to show in, nothing for a window of its own. When
  // `hostHandlesInput`, the host's owner watches the input: the window
  // takes no focus, grabs nothing and hands no input to the show.
  SlideshowWindow(std::optional<uint32_t> host, bool hostHandlesInput, RegistryBackend& registry);
  ~SlideshowWindow() override;

  void Attach(TSchoner& schoner);
  // Shows the window; once it is on screen the show starts (FormActivate,
  // then the timer).
  void StartShow();
  bool QuitRequested() const { return quitRequested_; }

  // SlideshowPlatform.
  int32_t WindowWidth() override { return width(); }
  int32_t WindowHeight() override { return height(); }
  void Maximize() override;
  void SetWindowBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;
  std::optional<TRect> ParentWindowRect() override;
  void HideTaskbarEntry() override;
  void HideWindow() override { hide(); }
  void RequestClose() override;
  WindowProcedure OwnWindowProc() override;
  TPoint CursorPos() override;
  void SetCapture() override;
  void ReleaseCapture() override;
  int32_t SystemMetric(int32_t index) override;
  void SetPageViewLeft(int32_t left) override;
  void SetPageViewBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;
  int32_t PageViewClientWidth() override;
  void SetPageViewClientWidth(int32_t width) override;
  void Navigate(const std::string& path) override;
  void ProcessMessages() override;
  void StopTimer() override { timer_.stop(); }
  void PostQuit() override;
  void ShowError(const std::string& text) override;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Deliver(uint32_t msg, uint32_t wParam = 0);
  void OwnProcedure(WindowMessage& message);
  void Activate();

  TSchoner* schoner_ = nullptr;
  std::optional<uint32_t> host_;
  bool hostHandlesInput_;
  std::unique_ptr<QWindow> foreignHost_;
  std::unique_ptr<HostWatcher> hostWatcher_;
  PageView* pageView_;
  QTimer timer_;
  bool started_ = false;
  bool captured_ = false;
  bool closeRequested_ = false;
  bool quitRequested_ = false;
};

}  // namespace brisander
