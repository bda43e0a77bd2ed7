// brisander-reg: reads and changes the Linux registry store of the current
// user from the shell, with the arguments and the output of the Windows
// console command `reg` for HKEY_CURRENT_USER:
//
//   brisander-reg query  KEY [/v NAME | /ve]
//   brisander-reg add    KEY [/v NAME | /ve] [/t TYPE] [/d DATA] [/f]
//   brisander-reg delete KEY [/v NAME | /ve] [/f]
//
// KEY is HKCU\... or HKEY_CURRENT_USER\...; messages go to standard output
// as `reg` writes them, and the exit code is 0 on success, 1 on failure.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/LinuxStore.h"

namespace brisander {
namespace {

constexpr const char* kSuccess = "reg: The operation completed successfully";
constexpr const char* kCancelled = "reg: The registry operation was cancelled";
constexpr const char* kKeyNotFound = "reg: Unable to find the specified registry key";
constexpr const char* kValueNotFound = "reg: Unable to find the specified registry value";
constexpr const char* kKeyInaccessible = "reg: Unable to access or create the specified registry key";
constexpr const char* kInvalidKey = "reg: Invalid registry key";
constexpr const char* kInvalidSystemKey = "reg: Invalid system key";
constexpr const char* kBadParameters = "reg: Invalid command line parameters";
constexpr const char* kRootName = "HKEY_CURRENT_USER";
constexpr const char* kDefaultValueLabel = "(Default)";

// A failure that ends the command with its message and exit code 1.
struct Failure {
  std::string message;
};

std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

struct TypeName {
  const char* name;
  uint32_t type;
};
constexpr TypeName kTypeNames[] = {
    {"REG_NONE", kRegNone},     {"REG_SZ", kRegSz},
    {"REG_EXPAND_SZ", kRegExpandSz}, {"REG_BINARY", kRegBinary},
    {"REG_DWORD", kRegDword},   {"REG_DWORD_LITTLE_ENDIAN", kRegDword},
    {"REG_MULTI_SZ", kRegMultiSz},
};

std::string TypeLabel(uint32_t type) {
  for (const auto& entry : kTypeNames)
    if (entry.type == type) return entry.name;
  return "0x" + std::to_string(type);
}

// The command line after the command's name.
struct Arguments {
  std::string command;  // upper case, for the syntax message
  std::string key;      // as given
  std::optional<std::string> valueName;  // "" for /ve
  std::optional<std::string> type;
  std::optional<std::string> data;
  bool force = false;

  Failure Syntax() const {
    return {"reg: Invalid syntax. Type \"REG " + command + " /?\" for help."};
  }
};

// Reads the options in any order, each at most once. `/x` and `-x` are the
// same, in any case.
Arguments ParseArguments(const std::vector<std::string>& args, bool withAddOptions, bool withForce) {
  Arguments parsed;
  parsed.command = Upper(args[0]);
  if (args.size() < 2) throw parsed.Syntax();
  parsed.key = args[1];
  for (size_t i = 2; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::string option = arg.size() >= 2 && (arg[0] == '/' || arg[0] == '-') ? Upper(arg.substr(1)) : "";
    auto takeText = [&](std::optional<std::string>& slot) {
      if (slot || i + 1 >= args.size()) throw parsed.Syntax();
      slot = args[++i];
    };
    if (option == "V") {
      takeText(parsed.valueName);
    } else if (option == "VE") {
      if (parsed.valueName) throw parsed.Syntax();
      parsed.valueName = "";
    } else if (option == "T" && withAddOptions) {
      takeText(parsed.type);
    } else if (option == "D" && withAddOptions) {
      takeText(parsed.data);
    } else if (option == "F" && withForce && !parsed.force) {
      parsed.force = true;
    } else {
      throw parsed.Syntax();
    }
  }
  return parsed;
}

// A key as written on the command line, split into the store's path and
// the path that is shown.
struct KeyName {
  std::string path;     // relative to HKEY_CURRENT_USER
  std::string display;  // HKEY_CURRENT_USER\...
};

KeyName ParseKey(const std::string& text) {
  size_t slash = text.find('\\');
  std::string root = Upper(text.substr(0, slash));
  if (root != "HKCU" && root != kRootName) throw Failure{kInvalidSystemKey};
  std::string path = slash == std::string::npos ? "" : text.substr(slash + 1);
  if (!path.empty() && path.back() == '\\') path.pop_back();
  if ((!path.empty() && path.back() == '\\') || path.find("\\\\") != std::string::npos ||
      (!path.empty() && path.front() == '\\'))
    throw Failure{kInvalidKey};
  return {path, path.empty() ? kRootName : std::string(kRootName) + '\\' + path};
}

// Asks on the terminal; the end of input counts as "No".
bool Confirm(const std::string& question) {
  while (true) {
    std::cout << question << " (Yes|No) " << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer)) return false;
    if (!answer.empty() && (answer[0] == 'y' || answer[0] == 'Y')) return true;
    if (!answer.empty() && (answer[0] == 'n' || answer[0] == 'N')) return false;
  }
}

std::string HexBytes(const std::vector<uint8_t>& data) {
  static const char* const kDigits = "0123456789ABCDEF";
  std::string text;
  for (uint8_t byte : data) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 15];
  }
  return text;
}

// The value's data as `reg query` shows it.
std::string FormatData(const RegValue& value) {
  const auto& data = value.data;
  switch (value.type) {
    case kRegSz:
    case kRegExpandSz:
      return std::string(data.begin(), std::find(data.begin(), data.end(), uint8_t{0}));
    case kRegMultiSz: {
      std::string text;
      std::string current;
      for (uint8_t byte : data) {
        if (byte != 0) {
          current += static_cast<char>(byte);
          continue;
        }
        if (current.empty()) break;
        text += (text.empty() ? "" : "\\0") + current;
        current.clear();
      }
      return text;
    }
    case kRegDword:
      if (data.size() == 4) {
        char text[16];
        std::snprintf(text, sizeof text, "0x%x", DwordBits(data));
        return text;
      }
      return HexBytes(data);
    default:
      return HexBytes(data);
  }
}

std::optional<uint32_t> ParseDword(const std::string& text) {
  size_t pos = text.find_first_not_of(" \t");
  if (pos == std::string::npos) return std::nullopt;
  if (text[pos] == '+') ++pos;
  int base = 10;
  if (text.compare(pos, 2, "0x") == 0 || text.compare(pos, 2, "0X") == 0) {
    base = 16;
    pos += 2;
  }
  if (pos >= text.size()) return std::nullopt;
  uint64_t number = 0;
  for (; pos < text.size(); ++pos) {
    int digit = std::isdigit(static_cast<unsigned char>(text[pos]))  ? text[pos] - '0'
                : base == 16 && std::isxdigit(static_cast<unsigned char>(text[pos]))
                    ? std::toupper(static_cast<unsigned char>(text[pos])) - 'A' + 10
                    : -1;
    if (digit < 0) return std::nullopt;
    number = number * base + digit;
    if (number > UINT32_MAX) return std::nullopt;
  }
  return static_cast<uint32_t>(number);
}

// Pairs of hex digits; an odd count gets a leading zero.
std::optional<std::vector<uint8_t>> ParseHex(std::string text) {
  if (text.size() % 2) text.insert(text.begin(), '0');
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i < text.size(); i += 2) {
    if (!std::isxdigit(static_cast<unsigned char>(text[i])) ||
        !std::isxdigit(static_cast<unsigned char>(text[i + 1])))
      return std::nullopt;
    bytes.push_back(static_cast<uint8_t>(std::stoi(text.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

// Strings separated by the two characters "\0"; a separator at the end is
// allowed, an empty string between two is not.
std::optional<std::vector<uint8_t>> ParseMultiString(const std::string& text) {
  std::vector<uint8_t> bytes;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\\0", start);
    std::string part = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (part.empty()) return std::nullopt;
    bytes.insert(bytes.end(), part.begin(), part.end());
    bytes.push_back(0);
    start = end == std::string::npos ? text.size() : end + 2;
  }
  bytes.push_back(0);
  return bytes;
}

RegValue MakeValue(const Arguments& args) {
  std::string typeName = args.type ? Upper(*args.type) : "REG_SZ";
  const TypeName* type = nullptr;
  for (const auto& entry : kTypeNames)
    if (typeName == entry.name) type = &entry;
  if (!type) throw Failure{"reg: Unsupported registry data type [" + *args.type + "]"};
  std::string data = args.data.value_or("");
  auto invalid = [](const char* what) {
    return Failure{std::string("reg: The option [/d] must be followed by a valid ") + what};
  };
  switch (type->type) {
    case kRegDword: {
      if (!args.data) throw Failure{kBadParameters};
      auto number = ParseDword(data);
      if (!number) throw invalid("numeric value");
      return DwordValue(*number);
    }
    case kRegBinary: {
      auto bytes = ParseHex(data);
      if (!bytes) throw invalid("hexadecimal value");
      return {kRegBinary, *bytes};
    }
    case kRegMultiSz: {
      auto bytes = ParseMultiString(data);
      if (!bytes) throw invalid("string");
      return {kRegMultiSz, *bytes};
    }
    default:
      return StringValue(data, type->type);
  }
}

std::unique_ptr<RegistryStore> OpenStore() {
  auto store = RegistryStore::Open(RegistryStorePath());
  if (!store) throw Failure{kKeyInaccessible};
  return store;
}

std::string ExistingKey(RegistryStore& store, const KeyName& key) {
  auto path = store.FindKey(key.path);
  if (!path) throw Failure{kKeyNotFound};
  return *path;
}

void PrintValue(const std::string& label, const RegValue& value) {
  std::cout << "    " << label << "    " << TypeLabel(value.type) << "    " << FormatData(value)
            << '\n';
}

void Query(const Arguments& args) {
  KeyName key = ParseKey(args.key);
  auto store = OpenStore();
  std::string path = ExistingKey(*store, key);
  std::cout << '\n';
  if (args.valueName) {
    auto value = store->QueryValue(path, *args.valueName);
    if (!value) throw Failure{kValueNotFound};
    std::cout << key.display << '\n';
    PrintValue(args.valueName->empty() ? kDefaultValueLabel : *args.valueName, *value);
    std::cout << '\n';
    return;
  }
  auto values = store->ListValues(path);
  if (!values.empty()) {
    std::cout << key.display << '\n';
    for (const auto& [name, value] : values) PrintValue(name.empty() ? kDefaultValueLabel : name, value);
    std::cout << '\n';
  }
  for (const auto& subkey : store->ListSubkeys(path)) std::cout << key.display << '\\' << subkey << '\n';
}

void Add(const Arguments& args) {
  KeyName key = ParseKey(args.key);
  RegValue value = MakeValue(args);
  auto store = OpenStore();
  auto path = store->CreateKey(key.path);
  if (!path) throw Failure{kKeyInaccessible};
  // Without /v the key's default value is set.
  std::string name = args.valueName.value_or("");
  if (!args.force && store->QueryValue(*path, name) &&
      !Confirm("The registry value '" + name + "' already exists. Do you want to overwrite it?")) {
    std::cout << kCancelled << '\n';
    return;
  }
  if (!store->SetValue(*path, name, value)) throw Failure{kKeyInaccessible};
  std::cout << kSuccess << '\n';
}

void Delete(const Arguments& args) {
  KeyName key = ParseKey(args.key);
  auto store = OpenStore();
  std::string path = ExistingKey(*store, key);
  if (args.valueName) {
    std::string label = args.valueName->empty() ? kDefaultValueLabel : *args.valueName;
    if (!args.force && !Confirm("Are you sure you want to delete the registry value '" + label + "'?")) {
      std::cout << kCancelled << '\n';
      return;
    }
    if (!store->DeleteValue(path, *args.valueName)) throw Failure{kValueNotFound};
  } else {
    if (path.empty()) throw Failure{kInvalidKey};
    if (!args.force && !Confirm("Are you sure you want to delete the registry key '" + args.key + "'?")) {
      std::cout << kCancelled << '\n';
      return;
    }
    if (!store->DeleteKey(path)) throw Failure{kKeyNotFound};
  }
  std::cout << kSuccess << '\n';
}

int Run(const std::vector<std::string>& args) {
  try {
    if (args.empty()) throw Failure{"reg: Invalid syntax. Type \"REG /?\" for help."};
    std::string command = Upper(args[0]);
    if (command == "QUERY")
      Query(ParseArguments(args, false, false));
    else if (command == "ADD")
      Add(ParseArguments(args, true, true));
    else if (command == "DELETE")
      Delete(ParseArguments(args, false, true));
    else
      throw Failure{"reg: Invalid option [" + args[0] + "]. Type \"REG /?\" for help."};
    return 0;
  } catch (const Failure& failure) {
    std::cout << failure.message << '\n';
    return 1;
  }
}

}  // namespace
}  // namespace brisander

int main(int argc, char** argv) {
  return brisander::Run(std::vector<std::string>(argv + 1, argv + argc));
}
