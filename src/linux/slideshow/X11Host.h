#pragma once
// The preview's host: a window of another program on the X11 display, named
// by its id on the command line. The slideshow window becomes its child and
// ends when the host goes away.

#include <QAbstractNativeEventFilter>
#include <cstdint>
#include <functional>
#include <optional>

namespace brisander {

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
