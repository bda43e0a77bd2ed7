#pragma once
// The standard error box of the Qt user interface: error icon, OK, the
// application's title.

#include <string>

class QWidget;

namespace brisander {

// Remembers the application's title, made from the executable's path.
void SetApplicationTitle(const std::string& executablePath);
const std::string& ApplicationTitleText();

// Shows the box with `text` (its "." rule already applied) and waits for OK.
void ShowErrorBox(QWidget* owner, const std::string& text);

}  // namespace brisander
