// The Windows start-up: arguments from the process's command line text, the
// start-up error box.

#include <windows.h>

#include "Application.h"
#include "protocol/ScreenSaver.h"

namespace brisander {

std::vector<std::string> ProcessArguments(int, char**) {
  auto arguments = SplitCommandLine(GetCommandLineA());
  if (!arguments.empty()) arguments.erase(arguments.begin());
  return arguments;
}

std::string ExecutablePath(int, char**) {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

void ShowStartupError(const std::string& title, const std::string& text) {
  MessageBoxA(nullptr, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace brisander
