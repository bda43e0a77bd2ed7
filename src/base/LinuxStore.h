#pragma once
// The per-user registry store on Linux: one SQLite database that stands in
// for HKEY_CURRENT_USER. CurrentUserRegistry() and the brisander-reg command
// both work through this class.
//
// Key paths are relative to HKEY_CURRENT_USER, use backslashes and compare
// without regard to ASCII case; "" is the root, which always exists. Every
// call is one short transaction of its own, so several processes may share
// the file; a busy file is waited for.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Registry.h"

struct sqlite3;

namespace brisander {

// The store file: $BRISANDER_REGISTRY when set, else
// $XDG_CONFIG_HOME/brisander/registry.sqlite3 (or ~/.config/...).
std::filesystem::path RegistryStorePath();

class RegistryStore {
 public:
  struct NamedValue {
    std::string name;
    RegValue value;
  };

  // Opens the store file, creating it (mode 0600, a missing folder 0700)
  // and its tables when needed; nothing when that fails.
  static std::unique_ptr<RegistryStore> Open(const std::filesystem::path& file);
  ~RegistryStore();
  RegistryStore(const RegistryStore&) = delete;
  RegistryStore& operator=(const RegistryStore&) = delete;

  // The key's path with the case it was created with, or nothing when it
  // does not exist.
  std::optional<std::string> FindKey(const std::string& path);
  // Creates the key and all missing parents; its stored path, or nothing
  // when the path is malformed or the store refuses.
  std::optional<std::string> CreateKey(const std::string& path);
  // Removes the key with all its subkeys and values; false when it is
  // absent or is the root.
  bool DeleteKey(const std::string& path);

  std::optional<RegValue> QueryValue(const std::string& key, const std::string& name);
  // Creates or replaces the value; false when the key no longer exists.
  bool SetValue(const std::string& key, const std::string& name, const RegValue& value);
  // False when there was no such value.
  bool DeleteValue(const std::string& key, const std::string& name);

  // The key's values and the names of its direct subkeys, ordered by name
  // without regard to case.
  std::vector<NamedValue> ListValues(const std::string& key);
  std::vector<std::string> ListSubkeys(const std::string& key);

 private:
  explicit RegistryStore(sqlite3* db) : db_(db) {}
  bool Execute(const char* sql);

  sqlite3* db_;
};

}  // namespace brisander
