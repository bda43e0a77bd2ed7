#include "linux/slideshow/SlideshowWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

#include "linux/ErrorBox.h"
#include "linux/pageview/PageView.h"

namespace brisander {
namespace {

constexpr uint32_t kWmClose = 16;
constexpr uint32_t kWmLButtonDblClk = 515;
constexpr uint32_t kWmRButtonUp = 517;
constexpr uint32_t kWmRButtonDblClk = 518;
constexpr uint32_t kWmMButtonUp = 520;
constexpr uint32_t kWmMButtonDblClk = 521;
constexpr uint32_t kWmMouseWheel = 522;
constexpr uint32_t kWmXButtonDown = 523;
constexpr uint32_t kWmXButtonUp = 524;
constexpr uint32_t kWmXButtonDblClk = 525;

struct ButtonMessages {
  uint32_t press, release, doubleClick;
};

ButtonMessages MessagesOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return {WM_LBUTTONDOWN_, WM_LBUTTONUP_, kWmLButtonDblClk};
    case Qt::RightButton:
      return {WM_RBUTTONDOWN_, kWmRButtonUp, kWmRButtonDblClk};
    case Qt::MiddleButton:
      return {WM_MBUTTONDOWN_, kWmMButtonUp, kWmMButtonDblClk};
    default:
      return {kWmXButtonDown, kWmXButtonUp, kWmXButtonDblClk};
  }
}

uint32_t MouseButtonMessage(QEvent::Type type, Qt::MouseButton button) {
  const ButtonMessages messages = MessagesOf(button);
  if (type == QEvent::MouseButtonPress) return messages.press;
  if (type == QEvent::MouseButtonRelease) return messages.release;
  return messages.doubleClick;
}

// Keys with Alt held, and Alt itself, are the system keys of Windows.
uint32_t KeyMessage(const QKeyEvent& key) {
  const bool system = (key.modifiers() & Qt::AltModifier) || key.key() == Qt::Key_Alt;
  if (key.type() == QEvent::KeyPress) return system ? WM_SYSKEYDOWN_ : WM_KEYDOWN_;
  return system ? WM_SYSKEYUP_ : WM_KEYUP_;
}

// Input and activation: what the show's input filter watches.
bool IsInputEvent(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
      return true;
    default:
      return false;
  }
}

}  // namespace

SlideshowWindow::SlideshowWindow(std::optional<uint32_t> host, bool hostHandlesInput,
                                 RegistryBackend& registry)
    : host_(host), hostHandlesInput_(hostHandlesInput), pageView_(new PageView(this, registry)) {
  // The full-screen show keeps out of the window manager's hands, as screen
  // savers do: nothing is drawn over it and it has no taskbar entry.
  Qt::WindowFlags flags = Qt::Window | Qt::FramelessWindowHint;
  if (!host_) flags |= Qt::WindowStaysOnTopHint;
  if (RunMode == rmRun && !host_) flags |= Qt::X11BypassWindowManagerHint;
  setWindowFlags(flags);
  setWindowTitle(QString::fromStdString(ApplicationTitleText()));
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  setAutoFillBackground(true);
  setFocusPolicy(hostHandlesInput_ ? Qt::NoFocus : Qt::StrongFocus);
  setMouseTracking(!hostHandlesInput_);
  setGeometry(kDesignLeft, kDesignTop, kDesignWidth, kDesignHeight);

  // The page view shows pages only; input belongs to the window.
  pageView_->setFocusPolicy(Qt::NoFocus);
  pageView_->setAttribute(Qt::WA_TransparentForMouseEvents);
  pageView_->setGeometry(0, 0, kDesignWidth, kDesignHeight);

  connect(&timer_, &QTimer::timeout, this,
          [this] { schoner_->Guarded([this] { schoner_->Timer1Timer(); }); });
  if (!hostHandlesInput_) {
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            [this, wasActive = false](Qt::ApplicationState state) mutable {
              const bool active = state == Qt::ApplicationActive;
              if (active != wasActive) Deliver(WM_ACTIVATEAPP_, active ? 1 : 0);
              wasActive = active;
            });
  }

  if (host_) {
    winId();
    foreignHost_.reset(QWindow::fromWinId(*host_));
    windowHandle()->setParent(foreignHost_.get());
    // A host that goes away closes the show like a close message would.
    hostWatcher_ = std::make_unique<HostWatcher>(*host_, [this] { Deliver(kWmClose); });
  }
}

SlideshowWindow::~SlideshowWindow() {
  // The host window owns its children; take ours back before it is freed.
  hide();
  if (foreignHost_ && windowHandle()) windowHandle()->setParent(nullptr);
}

void SlideshowWindow::Attach(TSchoner& schoner) { schoner_ = &schoner; }

void SlideshowWindow::StartShow() {
  winId();
  windowHandle()->installEventFilter(this);
  show();
}

bool SlideshowWindow::eventFilter(QObject* watched, QEvent* event) {
  // The show starts once the window is on screen, where it can take the
  // focus and the mouse.
  if (watched == windowHandle() && event->type() == QEvent::Expose && !started_ &&
      windowHandle()->isExposed()) {
    started_ = true;
    QTimer::singleShot(0, this, [this] { Activate(); });
  }
  return QWidget::eventFilter(watched, event);
}

void SlideshowWindow::Activate() {
  if (!hostHandlesInput_) {
    activateWindow();
    setFocus();
  }
  schoner_->Guarded([this] { schoner_->FormActivate(); });
  if (!schoner_->Ended()) timer_.start(kTimerInterval);
}

bool SlideshowWindow::event(QEvent* event) {
  // The host's owner ends the show on input; the show's filter sees none.
  if (hostHandlesInput_ && IsInputEvent(event->type())) return QWidget::event(event);
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      Deliver(KeyMessage(*static_cast<QKeyEvent*>(event)));
      return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      Deliver(MouseButtonMessage(event->type(), static_cast<QMouseEvent*>(event)->button()));
      return true;
    case QEvent::MouseMove:
      Deliver(WM_MOUSEMOVE_);
      return true;
    case QEvent::Wheel:
      Deliver(kWmMouseWheel);
      return true;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
      Deliver(WM_ACTIVATE_, event->type() == QEvent::WindowActivate ? 1 : 0);
      break;
    case QEvent::Close:
      // The close goes the way of the window's messages; the window closes
      // when the show has ended.
      event->ignore();
      Deliver(kWmClose);
      return true;
    case QEvent::WindowStateChange:
      if (windowState() & Qt::WindowMinimized) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
        Deliver(WM_SYSCOMMAND_, SC_MINIMIZE_);
      }
      break;
    default:
      break;
  }
  return QWidget::event(event);
}

void SlideshowWindow::Deliver(uint32_t msg, uint32_t wParam) {
  if (!schoner_) return;
  WindowMessage message{msg, wParam, 0, 0};
  schoner_->Guarded([&] { schoner_->Dispatch(message); });
}

WindowProcedure SlideshowWindow::OwnWindowProc() {
  return [this](WindowMessage& message) { OwnProcedure(message); };
}

// What the form does with a message of its own: a key goes to the key
// handler (key preview is on), a close message is a close request, and a
// minimize command hides the window.
void SlideshowWindow::OwnProcedure(WindowMessage& message) {
  switch (message.Msg) {
    case WM_KEYDOWN_:
    case WM_SYSKEYDOWN_:
      schoner_->FormKeyDown();
      break;
    case kWmClose:
      RequestClose();
      break;
    case WM_SYSCOMMAND_:
      schoner_->WMSysCommand(message);
      break;
    default:
      break;
  }
}

void SlideshowWindow::RequestClose() {
  // The close event follows once the message in progress has been handled,
  // and only once however many requests come.
  if (closeRequested_) return;
  closeRequested_ = true;
  QTimer::singleShot(0, this, [this] {
    schoner_->Guarded([this] { schoner_->FormClose(); });
    hide();
  });
}

// Maximized inside a host is the host's whole inside.
void SlideshowWindow::Maximize() {
  if (!host_) {
    setGeometry(QGuiApplication::primaryScreen()->geometry());
  } else if (auto host = QueryHostGeometry(*host_)) {
    setGeometry(0, 0, host->width, host->height);
  }
}

void SlideshowWindow::SetWindowBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  setGeometry(left, top, width, height);
}

std::optional<TRect> SlideshowWindow::ParentWindowRect() {
  if (!host_) return std::nullopt;
  auto host = QueryHostGeometry(*host_);
  if (!host) return std::nullopt;
  return TRect{host->x, host->y, host->x + host->width, host->y + host->height};
}

void SlideshowWindow::HideTaskbarEntry() {
  // The full-screen window is unmanaged and a preview's is a child; only the
  // preview without a host is a managed window that taskbars would list.
  if (!host_ && !(windowFlags() & Qt::X11BypassWindowManagerHint)) setWindowFlag(Qt::Tool);
}

TPoint SlideshowWindow::CursorPos() {
  const QPoint position = QCursor::pos();
  return TPoint{position.x(), position.y()};
}

void SlideshowWindow::SetCapture() {
  if (hostHandlesInput_) return;
  grabMouse();
  grabKeyboard();
  captured_ = true;
}

void SlideshowWindow::ReleaseCapture() {
  if (hostHandlesInput_) return;
  releaseMouse();
  releaseKeyboard();
  captured_ = false;
}

int32_t SlideshowWindow::SystemMetric(int32_t index) {
  return index == SM_CYVSCROLL_ || index == SM_CXHSCROLL_ ? kScrollBarArrowSize : 0;
}

void SlideshowWindow::SetPageViewLeft(int32_t left) { pageView_->move(left, pageView_->y()); }

void SlideshowWindow::SetPageViewBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  pageView_->setGeometry(left, top, width, height);
}

int32_t SlideshowWindow::PageViewClientWidth() { return pageView_->ClientWidth(); }

void SlideshowWindow::SetPageViewClientWidth(int32_t width) { pageView_->SetClientWidth(width); }

void SlideshowWindow::Navigate(const std::string& path) { pageView_->Navigate(path); }

void SlideshowWindow::ProcessMessages() { QCoreApplication::processEvents(); }

void SlideshowWindow::PostQuit() {
  quitRequested_ = true;
  QCoreApplication::exit(0);
}

void SlideshowWindow::ShowError(const std::string& text) {
  // The box needs the keyboard and the mouse while it is up.
  const bool captured = captured_;
  if (captured) ReleaseCapture();
  ShowErrorBox(this, text);
  if (captured && !quitRequested_) SetCapture();
}

}  // namespace brisander
