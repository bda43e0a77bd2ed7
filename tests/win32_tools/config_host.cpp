// A stand-in for the window that owns the configuration dialog (the
// display settings): prints its handle, then shows in its title whether it
// takes input and whether it is in the foreground, for the tests to watch.

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

void ShowState(HWND window) {
  const std::string title = std::string("config host: ") + (IsWindowEnabled(window) ? "enabled" : "disabled") +
                            ", " + (GetForegroundWindow() == window ? "foreground" : "background");
  SetWindowTextA(window, title.c_str());
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ENABLE:
    case WM_ACTIVATE:
      // The foreground changes after the activation message; look again
      // once it has settled.
      PostMessageA(window, WM_APP, 0, 0);
      break;
    case WM_APP:
      ShowState(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = HostProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = "BrisanderConfigHost";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowA(windowClass.lpszClassName, "config host", WS_OVERLAPPEDWINDOW, 20, 20, 300, 200,
                              nullptr, nullptr, windowClass.hInstance, nullptr);
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  ShowState(window);
  std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
  std::fflush(stdout);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
