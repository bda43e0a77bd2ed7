#pragma once
// What the screen-saver protocol needs of the operating system. Windows
// answers with the real services; Linux with substitutes that behave like a
// system which asks for the screen-saver password itself.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace brisander {

class RegistryBackend;

class SystemServices {
 public:
  // A library loaded for the moment of one call.
  class Library {
   public:
    virtual ~Library() = default;
    // "PwdChangePasswordA" of MPR.DLL; false when the entry point is missing.
    virtual bool CallPwdChangePassword(const char* provider, int32_t owner) = 0;
    // "VerifyScreenSavePwd" of PASSWORD.CPL; nothing when the entry point is
    // missing, otherwise whether it returned TRUE.
    virtual std::optional<bool> CallVerifyScreenSavePwd(int32_t window) = 0;
  };

  virtual ~SystemServices() = default;

  // GetVersionExA on a zeroed record of 148 bytes; false when the call
  // fails, otherwise the record's dwPlatformId in `platformId`.
  virtual bool GetVersionPlatformId(uint32_t& platformId) = 0;
  // SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, uiParam, &flag, 0).
  virtual void SetScreenSaverRunningParameter(uint32_t uiParam) = 0;
  virtual std::string SystemDirectory() = 0;
  // The loaded library, or nothing when it does not load. Freed on release.
  virtual std::unique_ptr<Library> LoadSystemLibrary(const std::string& path) = 0;
  // ShowCursor: raises (true) or lowers (false) the display count once.
  virtual void ShowCursor(bool show) = 0;
  virtual void GetCursorPos(int32_t& x, int32_t& y) = 0;
  // The window in the foreground, 0 when there is none.
  virtual int32_t ForegroundWindow() = 0;
  virtual RegistryBackend& Registry() = 0;
};

// This platform's services.
SystemServices& PlatformServices();

}  // namespace brisander
