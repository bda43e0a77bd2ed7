#pragma once
// The screen-saver protocol: the command line, the run mode and the other
// process-wide values, the running flag and the passwords.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/SystemServices.h"

namespace brisander {

enum TRunMode : uint8_t {
  rmUnset = 0,
  rmConfigure = 1,
  rmChangePassword = 2,
  rmPreview = 3,
  rmRun = 4,
};

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
};

// Process-wide values. RunMode and ParentWindow are written only by
// ParseCommandLine, before the first window exists.
extern TRunMode RunMode;
extern int32_t ParentWindow;
inline constexpr int32_t MouseTolerance = 5;
extern TPoint StartCursorPos;

// The value of an integer text: optional leading blanks, an optional sign,
// then decimal digits within the 32-bit range, or up to eight significant
// hexadecimal digits after "$", "x" or "0x" taken as a 32-bit pattern.
std::optional<int32_t> TryStrToInt(std::string_view text);
// As TryStrToInt; a text that is not an integer text raises ConvertError
// with "'%s' ist kein gültiger Integerwert".
int32_t StrToInt(std::string_view text);

// Splits a command line into arguments at blanks and control characters;
// double quotes group characters into one argument and are dropped.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

struct ParsedCommandLine {
  TRunMode runMode = rmUnset;
  int32_t parentWindow = 0;
};

// The parse of the arguments after argument 0. `services` answers the
// foreground window for a "C" without a handle.
ParsedCommandLine ParseArguments(const std::vector<std::string>& arguments,
                                 SystemServices& services);

// Reads the process's arguments and sets RunMode and ParentWindow.
void ParseCommandLine(const std::vector<std::string>& arguments, SystemServices& services);

// The system's screen-saver-running flag: exactly 1 for true, 0 for false.
void SetScreenSaverRunning(SystemServices& services, bool running);

// The system's password-change dialog, owned by ParentWindow.
void ChangePassword(SystemServices& services);

// True when the show may close; asks for the screen-saver password where
// the system leaves that to the screen saver.
bool VerifyPassword(SystemServices& services);

// The full path of a system library: the system folder, one backslash, the
// file name; the bare name when the folder is empty.
std::string SystemLibraryPath(const std::string& systemDirectory, const std::string& fileName);

}  // namespace brisander
