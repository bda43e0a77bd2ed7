// Test helper, run under Wine:
//   wintool host W H      a top-level window whose client area is W x H;
//                         prints its handle, runs until it is closed
//   wintool find CLASS    prints the handle of a window of that class
//   wintool info HWND     prints key=value lines about the window
//   wintool close HWND    posts WM_CLOSE
//   wintool minimize HWND posts WM_SYSCOMMAND SC_MINIMIZE
//   wintool running       prints the system's screen-saver running flag
//   wintool texts TITLE   prints the class, style and text (UTF-8) of each
//                         child of the top-level window with that title
// Handles are decimal. Exit code 1 on a bad command or when nothing is found.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HWND ParseHandle(const char* text) {
  return reinterpret_cast<HWND>(static_cast<intptr_t>(std::strtol(text, nullptr, 10)));
}

long HandleValue(HWND window) { return static_cast<long>(reinterpret_cast<intptr_t>(window)); }

LRESULT CALLBACK HostProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, msg, wParam, lParam);
}

int Host(int width, int height) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = HostProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = "PreviewHost";
  RegisterClassA(&windowClass);
  RECT rect{0, 0, width, height};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  AdjustWindowRect(&rect, style, FALSE);
  HWND window = CreateWindowExA(0, "PreviewHost", "Preview host", style | WS_VISIBLE, 40, 40,
                                rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
  if (!window) return 1;
  std::printf("%ld\n", HandleValue(window));
  std::fflush(stdout);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

struct Search {
  const char* className;
  HWND found;
};

BOOL CALLBACK MatchClass(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, search->className) == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK SearchChildren(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  if (!MatchClass(window, data)) return FALSE;
  EnumChildWindows(window, MatchClass, data);
  return search->found ? FALSE : TRUE;
}

int Find(const char* className) {
  Search search{className, nullptr};
  EnumWindows(SearchChildren, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return 1;
  std::printf("%ld\n", HandleValue(search.found));
  return 0;
}

int Info(HWND window) {
  if (!IsWindow(window)) {
    std::printf("exists=0\n");
    return 1;
  }
  HWND parent = GetAncestor(window, GA_PARENT);
  if (parent == GetDesktopWindow()) parent = nullptr;
  HWND owner = GetWindow(window, GW_OWNER);
  RECT rect;
  GetWindowRect(window, &rect);
  POINT origin{rect.left, rect.top};
  if (parent) ScreenToClient(parent, &origin);
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
  std::printf("exists=1\n");
  std::printf("parent=%ld\n", HandleValue(parent));
  std::printf("owner=%ld\n", HandleValue(owner));
  std::printf("owner_exstyle=0x%08lX\n", owner ? static_cast<unsigned long>(GetWindowLongA(owner, GWL_EXSTYLE)) : 0UL);
  std::printf("style=0x%08lX\n", static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)));
  std::printf("exstyle=0x%08lX\n", static_cast<unsigned long>(GetWindowLongA(window, GWL_EXSTYLE)));
  std::printf("visible=%d\n", IsWindowVisible(window) ? 1 : 0);
  std::printf("position=%ld,%ld\n", origin.x, origin.y);
  std::printf("size=%ldx%ld\n", rect.right - rect.left, rect.bottom - rect.top);
  std::printf("captured=%d\n", thread.hwndCapture == window ? 1 : 0);
  std::printf("focus=%ld\n", HandleValue(thread.hwndFocus));
  return 0;
}

BOOL CALLBACK PrintChild(HWND window, LPARAM) {
  char className[256] = {};
  GetClassNameA(window, className, sizeof className);
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  char utf8[4096] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
  std::printf("%s 0x%08lX %s\n", className, static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)), utf8);
  return TRUE;
}

int Texts(const char* title) {
  HWND window = FindWindowA(nullptr, title);
  if (!window) return 1;
  EnumChildWindows(window, PrintChild, 0);
  return 0;
}

int Running() {
  BOOL running = FALSE;
  SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
  std::printf("%d\n", running ? 1 : 0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "host") == 0) return Host(std::atoi(argv[2]), std::atoi(argv[3]));
  if (argc == 3 && std::strcmp(argv[1], "find") == 0) return Find(argv[2]);
  if (argc == 3 && std::strcmp(argv[1], "info") == 0) return Info(ParseHandle(argv[2]));
  if (argc == 3 && std::strcmp(argv[1], "close") == 0)
    return PostMessageA(ParseHandle(argv[2]), WM_CLOSE, 0, 0) ? 0 : 1;
  if (argc == 3 && std::strcmp(argv[1], "minimize") == 0)
    return PostMessageA(ParseHandle(argv[2]), WM_SYSCOMMAND, SC_MINIMIZE, 0) ? 0 : 1;
  if (argc == 2 && std::strcmp(argv[1], "running") == 0) return Running();
  if (argc == 3 && std::strcmp(argv[1], "texts") == 0) return Texts(argv[2]);
  std::fprintf(stderr, "usage: wintool host W H | find CLASS | info|close|minimize HWND | running | texts TITLE\n");
  return 1;
}
