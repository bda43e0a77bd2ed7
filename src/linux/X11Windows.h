#pragma once
// Windows of other programs on the X11 display, named by their ids on the
// command line: the preview's host and the dialog's owner. Everything goes
// through Qt's own xcb connection; without an X11 display nothing exists.

#include <QAbstractNativeEventFilter>
#include <cstdint>
#include <functional>
#include <optional>

namespace brisander {

// False also when the display is not an X11 display.
bool X11WindowExists(uint32_t window);

// Asks the window manager to activate the window (_NET_ACTIVE_WINDOW) and,
// for a display without one, gives it the input focus directly.
void ActivateX11Window(uint32_t window);

struct HostGeometry {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
};

// The host's position in its parent and its inner size; nothing when the
// display is not X11 or the id names no window.
std::optional<HostGeometry> QueryHostGeometry(uint32_t window);

// Calls `onGone` once when the host window is destroyed.
class HostWatcher : public QAbstractNativeEventFilter {
 public:
  HostWatcher(uint32_t window, std::function<void()> onGone);
  ~HostWatcher() override;
  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  uint32_t window_;
  std::function<void()> onGone_;
};

}  // namespace brisander
