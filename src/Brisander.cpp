// The main routine: parses the command line once and starts the one routine
// that the run mode asks for.

#include "Application.h"
#include "base/AppError.h"
#include "protocol/ScreenSaver.h"

int main(int argc, char** argv) {
  using namespace brisander;
  auto& services = PlatformServices();
  try {
    ParseCommandLine(ProcessArguments(argc, argv), services);
  } catch (const ConvertError& error) {
    ShowStartupError(ApplicationTitle(ExecutablePath(argc, argv)), ErrorBoxText(error.what()));
    return 1;
  }

  switch (RunMode) {
    case rmChangePassword:
      ChangePassword(services);
      break;
    case rmPreview:
    case rmRun:
      RunSlideshow(argc, argv);
      break;
    default:
      RunConfigDialog(argc, argv);
      break;
  }
  return 0;
}
