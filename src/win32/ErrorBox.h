#pragma once
// The standard error box of the Windows user interface: error icon, OK, the
// application's title.

#include <windows.h>

#include <string>

namespace brisander {

// The application's title, made from the executable's file name.
const std::string& ApplicationTitleText();

// Shows the box with `text` (its "." rule already applied) and waits for OK.
void ShowErrorBox(HWND owner, const std::string& text);

}  // namespace brisander
