#include "win32/config/PictureControl.h"

namespace brisander {
namespace {

constexpr const char* kClassName = "BrisanderPicture";

HBITMAP BitmapOf(HWND window) { return reinterpret_cast<HBITMAP>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (HBITMAP bitmap = BitmapOf(window)) {
    BITMAP info;
    GetObjectA(bitmap, sizeof(info), &info);
    RECT client;
    GetClientRect(window, &client);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmap);
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
  }
  EndPaint(window, &paint);
}

LRESULT CALLBACK PictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // a hot region leaves the picture under it as it is
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_LBUTTONDOWN:
      if (GetDlgCtrlID(window) != 0) SetCapture(window);
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == window) {
        ReleaseCapture();
        RECT client;
        GetClientRect(window, &client);
        POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (PtInRect(&client, point)) {
          SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), STN_CLICKED),
                       reinterpret_cast<LPARAM>(window));
        }
      }
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterPictureClass() {
  static const bool registered = [] {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PictureProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    return RegisterClassA(&windowClass) != 0;
  }();
  (void)registered;
}

}  // namespace

HWND CreatePictureControl(HWND parent, int id, const RECT& bounds, HBITMAP bitmap) {
  RegisterPictureClass();
  // Pictures never clip their siblings: a background picture must paint
  // under the invisible hot regions that lie above it.
  HWND window = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE,
                                bounds.left, bounds.top, bounds.right - bounds.left,
                                bounds.bottom - bounds.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                                nullptr);
  SetPictureBitmap(window, bitmap);
  return window;
}

void SetPictureBitmap(HWND control, HBITMAP bitmap) {
  SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(bitmap));
  InvalidateRect(control, nullptr, FALSE);
}

}  // namespace brisander
