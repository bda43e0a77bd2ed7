// The screen-saver services of Windows.

#include <windows.h>

#include "base/Registry.h"
#include "protocol/SystemServices.h"

namespace brisander {
namespace {

// The system may write this variable with the running flag; nothing reads it.
UINT g_previousRunningState = 0;

class WindowsLibrary : public SystemServices::Library {
 public:
  explicit WindowsLibrary(HMODULE module) : module_(module) {}
  ~WindowsLibrary() override { FreeLibrary(module_); }

  bool CallPwdChangePassword(const char* provider, int32_t owner) override {
    using Fn = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, LPVOID);
    auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, "PwdChangePasswordA")));
    if (!fn) return false;
    fn(provider, reinterpret_cast<HWND>(static_cast<intptr_t>(owner)), 0, nullptr);
    return true;
  }

  std::optional<bool> CallVerifyScreenSavePwd(int32_t window) override {
    using Fn = BOOL(WINAPI*)(HWND);
    auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, "VerifyScreenSavePwd")));
    if (!fn) return std::nullopt;
    return fn(reinterpret_cast<HWND>(static_cast<intptr_t>(window))) == TRUE;
  }

 private:
  HMODULE module_;
};

class WindowsServices : public SystemServices {
 public:
  bool GetVersionPlatformId(uint32_t& platformId) override {
    OSVERSIONINFOA info;
    ZeroMemory(&info, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;  // 148 bytes
    if (!GetVersionExA(&info)) return false;
    platformId = info.dwPlatformId;
    return true;
  }

  void SetScreenSaverRunningParameter(uint32_t uiParam) override {
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, uiParam, &g_previousRunningState, 0);
  }

  std::string SystemDirectory() override {
    char buffer[MAX_PATH + 1] = {};
    UINT length = GetSystemDirectoryA(buffer, MAX_PATH);
    return std::string(buffer, length <= MAX_PATH ? length : 0);
  }

  std::unique_ptr<Library> LoadSystemLibrary(const std::string& path) override {
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module) return nullptr;
    return std::make_unique<WindowsLibrary>(module);
  }

  void ShowCursor(bool show) override { ::ShowCursor(show ? TRUE : FALSE); }

  void GetCursorPos(int32_t& x, int32_t& y) override {
    POINT p{};
    ::GetCursorPos(&p);
    x = p.x;
    y = p.y;
  }

  int32_t ForegroundWindow() override {
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(GetForegroundWindow()));
  }

  RegistryBackend& Registry() override { return CurrentUserRegistry(); }
};

}  // namespace

SystemServices& PlatformServices() {
  static WindowsServices services;
  return services;
}

}  // namespace brisander
