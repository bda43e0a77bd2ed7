#pragma once
// Screen-saver services of a pretend system: which platform it is, which
// password libraries it has and what they answer, and a record of the
// cursor count and the running flag.

#include <vector>

#include "fakes/FakeRegistry.h"
#include "protocol/SystemServices.h"

namespace brisander {

class FakeSystemServices : public SystemServices {
 public:
  struct FakeLibrary {
    bool hasEntryPoint = true;
    bool passwordAccepted = true;
  };

  bool GetVersionPlatformId(uint32_t& id) override {
    if (!versionCallSucceeds) return false;
    id = platformId;
    return true;
  }
  void SetScreenSaverRunningParameter(uint32_t uiParam) override { runningCalls.push_back(uiParam); }
  std::string SystemDirectory() override { return systemDirectory; }
  std::unique_ptr<Library> LoadSystemLibrary(const std::string& path) override {
    loadedPaths.push_back(path);
    auto it = libraries.find(path);
    if (it == libraries.end()) return nullptr;
    return std::make_unique<Loaded>(*this, it->second);
  }
  void ShowCursor(bool show) override {
    cursorCount += show ? 1 : -1;
    if (show) ++cursorShown;
  }
  void GetCursorPos(int32_t& x, int32_t& y) override {
    x = cursorX;
    y = cursorY;
  }
  int32_t ForegroundWindow() override { return foregroundWindow; }
  RegistryBackend& Registry() override { return registry; }

  bool versionCallSucceeds = true;
  uint32_t platformId = 1;  // the Windows 95/98/ME platform
  std::string systemDirectory = "C:\\WINDOWS\\SYSTEM";
  std::map<std::string, FakeLibrary> libraries;
  int32_t foregroundWindow = 0;
  int32_t cursorX = 0;
  int32_t cursorY = 0;
  FakeRegistry registry;

  std::vector<uint32_t> runningCalls;
  std::vector<std::string> loadedPaths;
  std::vector<std::string> passwordChanges;  // "provider owner"
  std::vector<int32_t> verifyWindows;
  int cursorCount = 0;
  int cursorShown = 0;

 private:
  class Loaded : public Library {
   public:
    Loaded(FakeSystemServices& system, FakeLibrary library) : system_(system), library_(library) {}
    bool CallPwdChangePassword(const char* provider, int32_t owner) override {
      if (!library_.hasEntryPoint) return false;
      system_.passwordChanges.push_back(std::string(provider) + " " + std::to_string(owner));
      return true;
    }
    std::optional<bool> CallVerifyScreenSavePwd(int32_t window) override {
      if (!library_.hasEntryPoint) return std::nullopt;
      system_.verifyWindows.push_back(window);
      return library_.passwordAccepted;
    }

   private:
    FakeSystemServices& system_;
    FakeLibrary library_;
  };
};

}  // namespace brisander
