// The Linux start-up: arguments from argv, the start-up error box.

#include <xcb/xcb.h>

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

#include "Application.h"

namespace brisander {

std::vector<std::string> ProcessArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::string ExecutablePath(int argc, char** argv) { return argc > 0 ? argv[0] : "brisander"; }

namespace {

// Whether a box can be shown: a Wayland session, or an X server that answers.
bool DisplayAvailable() {
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (wayland && *wayland) return true;
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) return false;
  xcb_connection_t* connection = xcb_connect(display, nullptr);
  const bool answers = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  return answers;
}

}  // namespace

void ShowStartupError(const std::string& title, const std::string& text) {
  // Without a display the message goes to standard error.
  if (DisplayAvailable()) {
    int argc = 1;
    char name[] = "brisander";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    QMessageBox::critical(nullptr, QString::fromStdString(title), QString::fromStdString(text));
    return;
  }
  std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

}  // namespace brisander
