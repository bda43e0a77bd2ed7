#pragma once
// What the slideshow window's core asks of its platform: the window, the
// page view inside it, the mouse, and the message loop. Windows answers with
// a Win32 window and the web browser control, Linux with a Qt window and its
// own page view.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "protocol/ScreenSaver.h"

namespace brisander {

// A window message with 32-bit fields. The Windows layer hands its messages
// in unchanged; the Linux layer translates its events into the same numbers.
struct WindowMessage {
  uint32_t Msg = 0;
  uint32_t WParam = 0;
  int32_t LParam = 0;
  int32_t Result = 0;
};

inline constexpr uint32_t WM_ACTIVATE_ = 6;
inline constexpr uint32_t WM_ACTIVATEAPP_ = 28;
inline constexpr uint32_t WM_NCACTIVATE_ = 134;
inline constexpr uint32_t WM_KEYDOWN_ = 256;
inline constexpr uint32_t WM_KEYUP_ = 257;
inline constexpr uint32_t WM_SYSKEYDOWN_ = 260;
inline constexpr uint32_t WM_SYSKEYUP_ = 261;
inline constexpr uint32_t WM_SYSCOMMAND_ = 274;
inline constexpr uint32_t WM_MOUSEMOVE_ = 512;
inline constexpr uint32_t WM_LBUTTONDOWN_ = 513;
inline constexpr uint32_t WM_LBUTTONUP_ = 514;
inline constexpr uint32_t WM_RBUTTONDOWN_ = 516;
inline constexpr uint32_t WM_MBUTTONDOWN_ = 519;
inline constexpr uint32_t SC_MINIMIZE_ = 0xF020;

// A message procedure bound to its window.
using WindowProcedure = std::function<void(WindowMessage&)>;

struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
};

inline constexpr int32_t SM_CYVSCROLL_ = 20;
inline constexpr int32_t SM_CXHSCROLL_ = 21;

class SlideshowPlatform {
 public:
  virtual ~SlideshowPlatform() = default;

  // The window.
  virtual int32_t WindowWidth() = 0;
  virtual int32_t WindowHeight() = 0;
  // Window state maximized: the whole screen, panels and taskbar included.
  virtual void Maximize() = 0;
  virtual void SetWindowBounds(int32_t left, int32_t top, int32_t width, int32_t height) = 0;
  // The window rectangle of ParentWindow; nothing when it names no window.
  virtual std::optional<TRect> ParentWindowRect() = 0;
  // The application shows no taskbar button and no task-switcher entry.
  virtual void HideTaskbarEntry() = 0;
  virtual void HideWindow() = 0;
  // The form's Close: the modal show ends and raises the close event
  // (FormClose) once the message in progress has been handled.
  virtual void RequestClose() = 0;
  // The window's own message procedure, that of its class.
  virtual WindowProcedure OwnWindowProc() = 0;

  // The mouse.
  virtual TPoint CursorPos() = 0;
  virtual void SetCapture() = 0;
  virtual void ReleaseCapture() = 0;
  virtual int32_t SystemMetric(int32_t index) = 0;

  // The page view (the web browser control on Windows).
  virtual void SetPageViewLeft(int32_t left) = 0;
  virtual void SetPageViewBounds(int32_t left, int32_t top, int32_t width, int32_t height) = 0;
  virtual int32_t PageViewClientWidth() = 0;
  virtual void SetPageViewClientWidth(int32_t width) = 0;
  // Raises an AppError when the navigation fails.
  virtual void Navigate(const std::string& path) = 0;

  // The message loop.
  virtual void ProcessMessages() = 0;
  virtual void StopTimer() = 0;
  virtual void PostQuit() = 0;
  // The standard error box with this text (its "." rule already applied).
  virtual void ShowError(const std::string& text) = 0;
};

}  // namespace brisander
