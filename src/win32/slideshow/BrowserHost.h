#pragma once
// The web browser control inside a window: an in-place active OLE object
// that talks to a small site of ours. The bounds are in the window's client
// coordinates and may reach beyond its edges.

#include <windows.h>

#include <exdisp.h>
#include <ole2.h>

#include <string>

namespace brisander {

class BrowserHost {
 public:
  // Creates the control in `window`. Needs COM on this thread. When the
  // control cannot be created (its class is not registered or its library
  // does not load), the host stays empty: its bounds are kept and
  // navigation does nothing, so the show goes on as a black window that
  // still writes its pages; a screen saver has no one to read an error box
  // once per slide. A control without its HTML engine navigates without
  // error and shows an empty view of its own colour.
  BrowserHost(HWND window, const RECT& bounds);
  ~BrowserHost();
  BrowserHost(const BrowserHost&) = delete;
  BrowserHost& operator=(const BrowserHost&) = delete;

  bool HasControl() const { return browser_ != nullptr; }
  const RECT& Bounds() const { return bounds_; }
  void SetBounds(const RECT& bounds);

  // Sends the control to a local file given by its path in the ANSI code
  // page. A failing result raises an AppError with the system's text.
  void Navigate(const std::string& path);

 private:
  class Site;

  void Create(HWND window);
  void Release();

  Site* site_ = nullptr;
  IOleObject* object_ = nullptr;
  IWebBrowser2* browser_ = nullptr;
  RECT bounds_;
};

}  // namespace brisander
