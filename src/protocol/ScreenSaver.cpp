#include "protocol/ScreenSaver.h"

#include "base/AppError.h"
#include "base/Registry.h"
#include "protocol/Tools.h"

namespace brisander {

TRunMode RunMode = rmUnset;
int32_t ParentWindow = 0;
TPoint StartCursorPos;

namespace {

constexpr uint32_t kSpiSetScreenSaverRunning = 97;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

std::optional<int32_t> TryStrToInt(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  auto rest = text.substr(i);
  size_t prefix = 0;
  if (rest.starts_with('$') || rest.starts_with('x') || rest.starts_with('X'))
    prefix = 1;
  else if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X'))
    prefix = 2;

  if (prefix > 0) {
    auto digits = rest.substr(prefix);
    if (digits.empty()) return std::nullopt;
    uint64_t bits = 0;
    for (char c : digits) {
      int d = HexDigit(c);
      if (d < 0) return std::nullopt;
      bits = bits * 16 + static_cast<uint64_t>(d);
      if (bits > 0xFFFFFFFFu) return std::nullopt;  // more than eight significant digits
    }
    auto pattern = static_cast<uint32_t>(bits);
    return static_cast<int32_t>(negative ? 0u - pattern : pattern);
  }

  if (rest.empty()) return std::nullopt;
  int64_t value = 0;
  for (char c : rest) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > int64_t{2147483648}) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(value);
}

int32_t StrToInt(std::string_view text) {
  if (auto value = TryStrToInt(text)) return *value;
  throw ConvertError(FormatPattern("'%s' ist kein gültiger Integerwert", text));
}

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  std::vector<std::string> arguments;
  size_t i = 0;
  while (true) {
    while (i < commandLine.size() && IsBlankOrControl(commandLine[i])) ++i;
    if (i >= commandLine.size()) break;
    std::string argument;
    bool quoted = false;
    for (; i < commandLine.size() && (quoted || !IsBlankOrControl(commandLine[i])); ++i) {
      if (commandLine[i] == '"')
        quoted = !quoted;
      else
        argument += commandLine[i];
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

ParsedCommandLine ParseArguments(const std::vector<std::string>& arguments,
                                 SystemServices& services) {
  ParsedCommandLine parsed;
  if (arguments.empty()) {
    parsed.runMode = rmConfigure;
    return parsed;
  }

  std::string a1 = arguments[0];
  for (char& c : a1)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  const std::string a2 = arguments.size() > 1 ? arguments[1] : std::string();

  if (auto number = TryStrToInt(a1)) {
    parsed.parentWindow = *number;
    parsed.runMode = rmPreview;
    return parsed;
  }

  size_t start = a1.find_first_not_of(" /-");
  // An argument made only of blanks, slashes and hyphens leaves no letter to
  // act on; it counts as an unknown letter: the dialog without an owner.
  if (start == std::string::npos) return parsed;
  std::string_view letters = std::string_view(a1).substr(start);

  const std::string handle =
      letters.size() >= 2 && letters[1] == ':' ? std::string(letters.substr(2)) : a2;

  switch (letters[0]) {
    case 'A':
      parsed.parentWindow = StrToInt(handle);
      parsed.runMode = rmChangePassword;
      break;
    case 'C':
      parsed.parentWindow = handle.empty() ? services.ForegroundWindow() : StrToInt(handle);
      parsed.runMode = rmConfigure;
      break;
    case 'L':
    case 'P':
      parsed.parentWindow = StrToInt(handle);
      parsed.runMode = rmPreview;
      break;
    case 'S':
      parsed.runMode = rmRun;
      break;
    default:
      break;
  }
  return parsed;
}

void ParseCommandLine(const std::vector<std::string>& arguments, SystemServices& services) {
  auto parsed = ParseArguments(arguments, services);
  RunMode = parsed.runMode;
  ParentWindow = parsed.parentWindow;
}

void SetScreenSaverRunning(SystemServices& services, bool running) {
  services.SetScreenSaverRunningParameter(running ? 1 : 0);
}

std::string SystemLibraryPath(const std::string& systemDirectory, const std::string& fileName) {
  std::string path = systemDirectory;
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path + fileName;
}

void ChangePassword(SystemServices& services) {
  auto library = services.LoadSystemLibrary(SystemLibraryPath(services.SystemDirectory(), "MPR.DLL"));
  if (library) library->CallPwdChangePassword("SCRSAVE", ParentWindow);
}

bool VerifyPassword(SystemServices& services) {
  if (IsWindowsNT(services)) return true;

  bool asksPassword = false;
  {
    TRegistry registry(services.Registry());
    if (registry.OpenKey("Control Panel\\desktop", false) &&
        registry.ValueExists("ScreenSaveUsePassword")) {
      // A value that is no 32-bit integer cannot switch the password on.
      try {
        asksPassword = registry.ReadInteger("ScreenSaveUsePassword") != 0;
      } catch (const AppError&) {
        asksPassword = false;
      }
    }
  }
  if (!asksPassword) return true;

  services.ShowCursor(true);
  bool passed = true;
  if (auto library =
          services.LoadSystemLibrary(SystemLibraryPath(services.SystemDirectory(), "PASSWORD.CPL"))) {
    // A library without the entry point cannot check: the show may close.
    passed = library->CallVerifyScreenSavePwd(services.ForegroundWindow()).value_or(true);
  }
  services.ShowCursor(false);
  services.GetCursorPos(StartCursorPos.X, StartCursorPos.Y);
  return passed;
}

}  // namespace brisander
