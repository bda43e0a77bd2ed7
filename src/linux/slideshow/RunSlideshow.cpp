// The Linux launcher of the slideshow: full screen (/s), inside a host
// window (/p <X11 window id>), or inside the window the XScreenSaver daemon
// hands over (/s with XSCREENSAVER_WINDOW set).

#include <malloc.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <cstdlib>
#include <QSocketNotifier>

#include "Application.h"
#include "linux/ErrorBox.h"
#include "linux/slideshow/SlideshowWindow.h"
#include "linux/X11Windows.h"
#include "protocol/ScreenSaver.h"
#include "slideshow/Schoner.h"

namespace brisander {
namespace {

// SIGTERM, SIGINT and SIGHUP end the show the way the input does, so that
// the settings are put back and the scratch files removed. The handler only
// writes a byte; the show ends on the GUI thread when the byte is read.
class ShutdownOnSignals {
 public:
  explicit ShutdownOnSignals(TSchoner& schoner) {
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets_) != 0) return;
    fcntl(sockets_[0], F_SETFL, O_NONBLOCK);
    fcntl(sockets_[1], F_SETFL, O_NONBLOCK);
    notifier_ = std::make_unique<QSocketNotifier>(sockets_[1], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [&schoner] {
      char byte;
      while (read(sockets_[1], &byte, 1) > 0) {
      }
      schoner.Guarded([&] { schoner.ShutdownSlideshow(); });
    });
    struct sigaction action {};
    action.sa_handler = [](int) {
      const char byte = 1;
      [[maybe_unused]] auto written = write(sockets_[0], &byte, 1);
    };
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals) sigaction(signal, &action, nullptr);
  }

  ~ShutdownOnSignals() {
    if (!notifier_) return;
    for (int signal : kSignals) ::signal(signal, SIG_DFL);
    notifier_.reset();
    close(sockets_[0]);
    close(sockets_[1]);
  }

 private:
  static constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
  static inline int sockets_[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> notifier_;
};

// The window the XScreenSaver daemon gives its screen saver to draw on,
// in decimal or 0x hexadecimal; nothing when unset or not a window id.
std::optional<uint32_t> DaemonWindow() {
  const char* value = std::getenv("XSCREENSAVER_WINDOW");
  if (!value || !*value) return std::nullopt;
  char* end = nullptr;
  const unsigned long long id = std::strtoull(value, &end, 0);
  if (*end != '\0' || id == 0 || id > UINT32_MAX) return std::nullopt;
  return static_cast<uint32_t>(id);
}

// The page view allocates and frees its pages and frames at every navigation. Left to
// itself, glibc serves them from the heap once the first one is freed, and
// the heap keeps what they leave behind, growing with each transition; a
// fixed threshold keeps every large block mapped on its own and given back
// to the system when freed.
void KeepLargeBlocksMapped() {
  constexpr int kLargeBlockBytes = 1 << 20;
  mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes);
}

}  // namespace

void RunSlideshow(int argc, char** argv) {
  KeepLargeBlocksMapped();
  SetApplicationTitle(ExecutablePath(argc, argv));
  auto& services = PlatformServices();

  QApplication application(argc, argv);
  // The cursor can be hidden only once the display is open.
  if (RunMode == rmRun) QGuiApplication::setOverrideCursor(Qt::BlankCursor);

  // The preview's host is on the command line; with none (0) the preview is
  // a plain window at the design bounds.
  std::optional<uint32_t> host;
  if (RunMode == rmPreview && ParentWindow != 0) host = static_cast<uint32_t>(ParentWindow);
  // Under the XScreenSaver daemon the show fills the daemon's window. The
  // daemon grabs the mouse and the keyboard, watches the input and ends the
  // show with SIGTERM, so the window neither grabs nor hands input to the
  // show's input filter.
  bool daemonHandlesInput = false;
  if (RunMode == rmRun) {
    host = DaemonWindow();
    daemonHandlesInput = host.has_value();
  }
  // A host that names no window leaves nowhere to draw: the show ends
  // quietly, before any setting has been touched.
  if (host && !QueryHostGeometry(*host)) return;
  if (RunMode == rmRun) SetScreenSaverRunning(services, true);

  SlideshowWindow window(host, daemonHandlesInput, services.Registry());
  TSchoner schoner(window, services);
  window.Attach(schoner);
  ShutdownOnSignals endOnSignals(schoner);

  schoner.Guarded([&] { schoner.FormCreate(); });
  window.StartShow();
  if (!window.QuitRequested()) application.exec();
}

}  // namespace brisander
