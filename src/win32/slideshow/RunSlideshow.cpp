// The slideshow on Windows: a hidden application window that owns the
// show's window, the show's window with the web browser control, and the
// modal run that drives them. The life cycle itself is TSchoner's.

#include <windows.h>

#include <ole2.h>

#include <memory>

#include "Application.h"
#include "protocol/ScreenSaver.h"
#include "slideshow/Schoner.h"
#include "win32/ErrorBox.h"
#include "win32/slideshow/BrowserHost.h"

namespace brisander {
namespace {

constexpr char kApplicationClass[] = "BrisanderApplication";
constexpr char kWindowClass[] = "TSchoner";
constexpr char kWindowCaption[] = "Schoner";
constexpr UINT_PTR kTimerId = 1;

HWND ParentHandle() { return reinterpret_cast<HWND>(static_cast<intptr_t>(ParentWindow)); }

class SchonerWindow final : public SlideshowPlatform {
 public:
  SchonerWindow();
  ~SchonerWindow() override;
  SchonerWindow(const SchonerWindow&) = delete;
  SchonerWindow& operator=(const SchonerWindow&) = delete;

  // False when the window could not be made: a preview's host went away.
  bool Exists() const { return window_ != nullptr; }
  // Creates the show in the window, shows it modally, then handles
  // messages until the quit request arrives.
  void Run(SystemServices& services);

  // SlideshowPlatform
  int32_t WindowWidth() override { return WindowRect().right - WindowRect().left; }
  int32_t WindowHeight() override { return WindowRect().bottom - WindowRect().top; }
  void Maximize() override { maximized_ = true; }
  void SetWindowBounds(int32_t left, int32_t top, int32_t width, int32_t height) override {
    SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  std::optional<TRect> ParentWindowRect() override;
  void HideTaskbarEntry() override {
    SetWindowLongA(application_, GWL_EXSTYLE, GetWindowLongA(application_, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
  }
  void HideWindow() override { ShowWindow(window_, SW_HIDE); }
  void RequestClose() override { closeRequested_ = true; }
  WindowProcedure OwnWindowProc() override {
    return [this](WindowMessage& message) {
      message.Result = static_cast<int32_t>(OwnProc(message.Msg, message.WParam, message.LParam));
    };
  }
  TPoint CursorPos() override {
    POINT point{};
    GetCursorPos(&point);
    return {point.x, point.y};
  }
  void SetCapture() override { ::SetCapture(window_); }
  void ReleaseCapture() override { ::ReleaseCapture(); }
  int32_t SystemMetric(int32_t index) override { return GetSystemMetrics(index); }
  void SetPageViewLeft(int32_t left) override;
  void SetPageViewBounds(int32_t left, int32_t top, int32_t width, int32_t height) override {
    browser_->SetBounds({left, top, left + width, top + height});
  }
  int32_t PageViewClientWidth() override { return browser_->Bounds().right - browser_->Bounds().left; }
  void SetPageViewClientWidth(int32_t width) override;
  void Navigate(const std::string& path) override { browser_->Navigate(path); }
  void ProcessMessages() override;
  void StopTimer() override { KillTimer(window_, kTimerId); }
  void PostQuit() override { PostQuitMessage(0); }
  void ShowError(const std::string& text) override;

 private:
  static LRESULT CALLBACK WindowProcedureEntry(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ApplicationProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  static void RegisterClasses();

  // Shows the window and handles messages until the window is closed or
  // the quit request arrives.
  void ShowModal();
  // The window's own message handling, that of its class.
  LRESULT OwnProc(UINT msg, WPARAM wParam, LPARAM lParam);
  RECT WindowRect() const;
  // Takes one message off the queue and delivers it; waits when there is
  // none. Returns false once the quit request has been received.
  bool HandleMessage();
  void Deliver(MSG& msg);

  HWND application_ = nullptr;
  HWND window_ = nullptr;
  std::unique_ptr<BrowserHost> browser_;
  std::unique_ptr<TSchoner> schoner_;
  bool maximized_ = false;
  bool closeRequested_ = false;
  bool quitReceived_ = false;
};

void SchonerWindow::RegisterClasses() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA application{};
  application.lpfnWndProc = ApplicationProcedure;
  application.hInstance = instance;
  application.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  application.lpszClassName = kApplicationClass;
  RegisterClassA(&application);

  WNDCLASSA window{};
  window.style = CS_DBLCLKS;
  window.lpfnWndProc = WindowProcedureEntry;
  window.hInstance = instance;
  window.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  window.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  window.lpszClassName = kWindowClass;
  RegisterClassA(&window);
}

SchonerWindow::SchonerWindow() {
  RegisterClasses();
  HINSTANCE instance = GetModuleHandleA(nullptr);
  // The application's own window: hidden, it carries the taskbar entry
  // that FormCreate takes away, and owns the show's window.
  application_ = CreateWindowExA(0, kApplicationClass, ApplicationTitleText().c_str(),
                                 WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                                 nullptr, nullptr, instance, this);

  // In a preview the window is exactly a visible child of the host;
  // otherwise a borderless topmost popup.
  const bool child = ParentWindow != 0;
  const DWORD style = child ? WS_CHILD | WS_VISIBLE : WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  const DWORD exStyle = child ? 0 : WS_EX_TOPMOST;
  window_ = CreateWindowExA(exStyle, kWindowClass, kWindowCaption, style, kDesignLeft, kDesignTop,
                            kDesignWidth, kDesignHeight, child ? ParentHandle() : application_,
                            nullptr, instance, this);
}

void SchonerWindow::Run(SystemServices& services) {
  browser_ = std::make_unique<BrowserHost>(window_, RECT{0, 0, kDesignWidth, kDesignHeight});
  SetTimer(window_, kTimerId, kTimerInterval, nullptr);
  schoner_ = std::make_unique<TSchoner>(*this, services);
  schoner_->FormCreate();
  ShowModal();
  while (!quitReceived_ && HandleMessage()) {
  }
}

SchonerWindow::~SchonerWindow() {
  KillTimer(window_, kTimerId);
  // The core first: messages that releasing the control causes get the
  // default handling.
  schoner_.reset();
  browser_.reset();
  DestroyWindow(window_);
  DestroyWindow(application_);
}

LRESULT CALLBACK SchonerWindow::WindowProcedureEntry(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<SchonerWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  // Until the show's core exists, and after it is gone, the system's
  // default handling answers.
  if (!self || !self->schoner_) return DefWindowProcA(window, msg, wParam, lParam);
  WindowMessage message{msg, static_cast<uint32_t>(wParam), static_cast<int32_t>(lParam), 0};
  self->schoner_->Dispatch(message);
  return message.Result;
}

LRESULT CALLBACK SchonerWindow::ApplicationProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<SchonerWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (msg) {
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The session ends and the process with it: put the user's settings
      // back and remove the scratch files while there is time.
      if (wParam && self && self->schoner_) self->schoner_->ShutdownSlideshow();
      return 0;
    default:
      return DefWindowProcA(window, msg, wParam, lParam);
  }
}

LRESULT SchonerWindow::OwnProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      schoner_->Guarded([&] { schoner_->FormKeyDown(); });
      return 0;
    case WM_TIMER:
      if (wParam != kTimerId) break;
      schoner_->Guarded([&] { schoner_->Timer1Timer(); });
      return 0;
    case WM_CLOSE:
      RequestClose();
      return 0;
    case WM_SYSCOMMAND: {
      WindowMessage message{msg, static_cast<uint32_t>(wParam), static_cast<int32_t>(lParam), 0};
      if (schoner_->WMSysCommand(message)) return 0;
      break;
    }
    case WM_DESTROY:
      // A preview's host may close and take the window with it: the show
      // ends properly then too.
      schoner_->Guarded([&] { schoner_->ShutdownSlideshow(); });
      break;
    default:
      break;
  }
  return DefWindowProcA(window_, msg, wParam, lParam);
}

RECT SchonerWindow::WindowRect() const {
  RECT rect{};
  GetWindowRect(window_, &rect);
  return rect;
}

std::optional<TRect> SchonerWindow::ParentWindowRect() {
  RECT rect;
  if (ParentWindow == 0 || !GetWindowRect(ParentHandle(), &rect)) return std::nullopt;
  return TRect{rect.left, rect.top, rect.right, rect.bottom};
}

void SchonerWindow::SetPageViewLeft(int32_t left) {
  RECT bounds = browser_->Bounds();
  bounds.right = left + (bounds.right - bounds.left);
  bounds.left = left;
  browser_->SetBounds(bounds);
}

void SchonerWindow::SetPageViewClientWidth(int32_t width) {
  RECT bounds = browser_->Bounds();
  bounds.right = bounds.left + width;
  browser_->SetBounds(bounds);
}

void SchonerWindow::ShowError(const std::string& text) {
  // A top-level window of ours owns the box, so that it stays above the
  // topmost show and does not hang off a preview's host.
  ShowErrorBox(ParentWindow != 0 ? application_ : window_, text);
}

void SchonerWindow::Deliver(MSG& msg) {
  const bool ours = msg.hwnd == window_ || IsChild(window_, msg.hwnd);
  // A click into a preview gives its window the keyboard, so that a key
  // can end it; the full-screen show has the keyboard from its start.
  if (ours && (msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN ||
               msg.message == WM_MBUTTONDOWN) && GetFocus() != window_)
    SetFocus(window_);
  // Keys meant for the page view's own windows go to the show's window
  // first, so that they end the show whichever of them has the keyboard.
  if (ours && msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) msg.hwnd = window_;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

bool SchonerWindow::HandleMessage() {
  MSG msg;
  if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
    quitReceived_ = true;
    return false;
  }
  Deliver(msg);
  return true;
}

void SchonerWindow::ProcessMessages() {
  MSG msg;
  while (!quitReceived_ && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT)
      quitReceived_ = true;
    else
      Deliver(msg);
  }
}

void SchonerWindow::ShowModal() {
  if (ParentWindow == 0) {
    ShowWindow(window_, maximized_ ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    SetFocus(window_);
  }
  schoner_->Guarded([&] { schoner_->FormActivate(); });
  while (!quitReceived_ && HandleMessage()) {
    if (!closeRequested_) continue;
    closeRequested_ = false;
    schoner_->Guarded([&] { schoner_->FormClose(); });
    HideWindow();
    return;
  }
  HideWindow();
}

}  // namespace

void RunSlideshow(int, char**) {
  // A preview whose host has gone has nothing to show in: the process
  // ends without touching anything.
  if (RunMode == rmPreview && ParentWindow != 0 && !IsWindow(ParentHandle())) return;

  auto& services = PlatformServices();
  if (RunMode == rmRun) {
    SetScreenSaverRunning(services, true);
    services.ShowCursor(false);
  }
  // The web browser control needs a single-threaded apartment.
  OleInitialize(nullptr);
  {
    SchonerWindow window;
    if (window.Exists()) window.Run(services);
  }
  OleUninitialize();
}

}  // namespace brisander
