// The current user's registry on Windows (advapi32).

#include <windows.h>

#include "base/Registry.h"

namespace brisander {
namespace {

class WindowsKey : public RegistryBackend::Key {
 public:
  explicit WindowsKey(HKEY key) : key_(key) {}
  ~WindowsKey() override { RegCloseKey(key_); }

  std::optional<RegValue> Query(const std::string& name) override {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      return std::nullopt;
    RegValue value{type, std::vector<uint8_t>(size)};
    if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, value.data.data(), &size) !=
        ERROR_SUCCESS)
      return std::nullopt;
    value.type = type;
    value.data.resize(size);
    return value;
  }

  bool Set(const std::string& name, const RegValue& value) override {
    return RegSetValueExA(key_, name.c_str(), 0, value.type, value.data.data(),
                          static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
  }

 private:
  HKEY key_;
};

class WindowsRegistry : public RegistryBackend {
 public:
  std::unique_ptr<Key> Open(const std::string& path, bool create) override {
    HKEY key = nullptr;
    LONG result =
        create ? RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_ALL_ACCESS, nullptr, &key, nullptr)
               : RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key);
    if (result != ERROR_SUCCESS) return nullptr;
    return std::make_unique<WindowsKey>(key);
  }
};

}  // namespace

RegistryBackend& CurrentUserRegistry() {
  static WindowsRegistry registry;
  return registry;
}

}  // namespace brisander
