// Linux substitutes for the screen-saver services of Windows. The desktop's
// screen locker asks for the password itself, so the platform counts as one
// that does (as Windows NT does); there is no password library to load, and
// the running flag is kept in the process and reported to nothing.

#include "base/Registry.h"
#include "protocol/SystemServices.h"
#include "protocol/Tools.h"

namespace brisander {
namespace {

class LinuxServices : public SystemServices {
 public:
  bool GetVersionPlatformId(uint32_t& platformId) override {
    platformId = kVerPlatformWin32Nt;
    return true;
  }
  void SetScreenSaverRunningParameter(uint32_t uiParam) override { running_ = uiParam; }
  std::string SystemDirectory() override { return {}; }
  std::unique_ptr<Library> LoadSystemLibrary(const std::string&) override { return nullptr; }
  void ShowCursor(bool) override {}
  void GetCursorPos(int32_t& x, int32_t& y) override { x = y = 0; }
  // No foreign window can own the dialog unless the command line names it.
  int32_t ForegroundWindow() override { return 0; }
  RegistryBackend& Registry() override { return CurrentUserRegistry(); }

 private:
  uint32_t running_ = 0;
};

}  // namespace

SystemServices& PlatformServices() {
  static LinuxServices services;
  return services;
}

}  // namespace brisander
