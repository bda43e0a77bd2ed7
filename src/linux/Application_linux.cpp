// The Linux start-up: arguments from argv, the start-up error box.

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

#include "Application.h"
#include "linux/ErrorBox.h"

namespace brisander {

std::vector<std::string> ProcessArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::string ExecutablePath(int argc, char** argv) { return argc > 0 ? argv[0] : "brisander"; }

void ShowStartupError(const std::string& title, const std::string& text) {
  // Without a display the message goes to standard error.
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if ((display && *display) || (wayland && *wayland)) {
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
