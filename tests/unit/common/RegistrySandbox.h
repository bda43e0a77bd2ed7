#pragma once
// The platform's real current-user registry, for the time of one test.
//
// On Linux the store is a new file of its own (BRISANDER_REGISTRY points at
// it until the sandbox ends). On Windows it is the real registry: the keys
// named at construction are put back as they were when the sandbox ends.

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "base/Registry.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>

#include <cstdlib>

#include "base/LinuxStore.h"
#endif

namespace brisander::testing {

class RegistrySandbox {
 public:
  explicit RegistrySandbox(const std::vector<std::string>& touchedKeys = {}) {
#ifdef _WIN32
    for (const auto& path : touchedKeys) saved_.push_back(Save(path));
#else
    (void)touchedKeys;
    static int counter = 0;
    folder_ = std::filesystem::temp_directory_path() /
              ("brisander-registry-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(folder_);
    if (const char* old = std::getenv(kVariable)) oldValue_ = old;
    ::setenv(kVariable, (folder_ / "registry.sqlite3").c_str(), 1);
#endif
  }

  ~RegistrySandbox() {
#ifdef _WIN32
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) Restore(*it);
    RemoveKey(kBackupRoot);
#else
    if (oldValue_)
      ::setenv(kVariable, oldValue_->c_str(), 1);
    else
      ::unsetenv(kVariable);
    std::filesystem::remove_all(folder_);
#endif
  }

  RegistrySandbox(const RegistrySandbox&) = delete;
  RegistrySandbox& operator=(const RegistrySandbox&) = delete;

  bool KeyExists(const std::string& path) { return CurrentUserRegistry().Open(path, false) != nullptr; }

  std::optional<RegValue> Value(const std::string& path, const std::string& name) {
    auto key = CurrentUserRegistry().Open(path, false);
    return key ? key->Query(name) : std::nullopt;
  }

  // Creates the key when needed.
  void SetValue(const std::string& path, const std::string& name, const RegValue& value) {
    auto key = CurrentUserRegistry().Open(path, true);
    if (!key || !key->Set(name, value)) throw std::runtime_error("cannot prepare " + path);
  }

  // Removes the key with its subkeys and values.
  void RemoveKey(const std::string& path) {
#ifdef _WIN32
    RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
#else
    if (auto store = RegistryStore::Open(RegistryStorePath())) store->DeleteKey(path);
#endif
  }

 private:
#ifdef _WIN32
  struct SavedKey {
    std::string path;
    std::string backup;  // a copy of the whole tree, or "" when it was absent
  };

  SavedKey Save(const std::string& path) {
    SavedKey saved{path, ""};
    HKEY source = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &source) != ERROR_SUCCESS)
      return saved;
    saved.backup = std::string(kBackupRoot) + "\\" + std::to_string(saved_.size());
    RemoveKey(saved.backup);
    HKEY backup = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, saved.backup.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &backup, nullptr);
    RegCopyTreeA(source, nullptr, backup);
    RegCloseKey(backup);
    RegCloseKey(source);
    return saved;
  }

  void Restore(const SavedKey& saved) {
    RemoveKey(saved.path);
    if (saved.backup.empty()) return;
    HKEY backup = nullptr;
    HKEY target = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, saved.backup.c_str(), 0, KEY_READ, &backup);
    RegCreateKeyExA(HKEY_CURRENT_USER, saved.path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &target, nullptr);
    RegCopyTreeA(backup, nullptr, target);
    RegCloseKey(target);
    RegCloseKey(backup);
    RemoveKey(saved.backup);
  }

  static constexpr const char* kBackupRoot = "Software\\Brisander test backup";
  std::vector<SavedKey> saved_;
#else
  static constexpr const char* kVariable = "BRISANDER_REGISTRY";
  std::filesystem::path folder_;
  std::optional<std::string> oldValue_;
#endif
};

}  // namespace brisander::testing
