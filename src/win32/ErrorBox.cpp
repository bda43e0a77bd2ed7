#include "win32/ErrorBox.h"

#include "Application.h"
#include "base/AppError.h"

namespace brisander {

const std::string& ApplicationTitleText() {
  static const std::string title = ApplicationTitle(ExecutablePath(0, nullptr));
  return title;
}

void ShowErrorBox(HWND owner, const std::string& text) {
  MessageBoxA(owner, text.c_str(), ApplicationTitleText().c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace brisander
