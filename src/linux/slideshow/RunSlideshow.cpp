// The Linux launcher of the slideshow: full screen (/s) or inside a host
// window (/p <X11 window id>).

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>

#include "Application.h"
#include "linux/ErrorBox.h"
#include "linux/slideshow/SlideshowWindow.h"
#include "linux/slideshow/X11Host.h"
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

}  // namespace

void RunSlideshow(int argc, char** argv) {
  SetApplicationTitle(ExecutablePath(argc, argv));
  auto& services = PlatformServices();
  if (RunMode == rmRun) SetScreenSaverRunning(services, true);

  QApplication application(argc, argv);
  // The cursor can be hidden only once the display is open.
  if (RunMode == rmRun) QGuiApplication::setOverrideCursor(Qt::BlankCursor);

  // A preview whose host names no window has nowhere to draw: it ends
  // quietly, before any setting has been touched. With no host at all (0)
  // the preview is a plain window at the design bounds.
  std::optional<uint32_t> host;
  if (RunMode == rmPreview && ParentWindow != 0) {
    host = static_cast<uint32_t>(ParentWindow);
    if (!QueryHostGeometry(*host)) return;
  }

  SlideshowWindow window(host, services.Registry());
  TSchoner schoner(window, services);
  window.Attach(schoner);
  ShutdownOnSignals endOnSignals(schoner);

  schoner.Guarded([&] { schoner.FormCreate(); });
  window.StartShow();
  if (!window.QuitRequested()) application.exec();
}

}  // namespace brisander
