// Feeds arbitrary command lines through the split and the parse.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/AppError.h"
#include "base/Registry.h"
#include "protocol/ScreenSaver.h"

namespace {

class NoSystem : public brisander::SystemServices {
 public:
  bool GetVersionPlatformId(uint32_t&) override { return false; }
  void SetScreenSaverRunningParameter(uint32_t) override {}
  std::string SystemDirectory() override { return {}; }
  std::unique_ptr<Library> LoadSystemLibrary(const std::string&) override { return nullptr; }
  void ShowCursor(bool) override {}
  void GetCursorPos(int32_t& x, int32_t& y) override { x = y = 0; }
  int32_t ForegroundWindow() override { return 1; }
  brisander::RegistryBackend& Registry() override { return brisander::CurrentUserRegistry(); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  NoSystem system;
  auto arguments = brisander::SplitCommandLine(text);
  if (!arguments.empty()) arguments.erase(arguments.begin());
  try {
    auto parsed = brisander::ParseArguments(arguments, system);
    if ((parsed.runMode == brisander::rmRun || parsed.runMode == brisander::rmUnset) &&
        parsed.parentWindow != 0)
      __builtin_trap();  // no handle in these modes
  } catch (const brisander::ConvertError&) {
  }
  (void)brisander::TryStrToInt(text);
  return 0;
}
