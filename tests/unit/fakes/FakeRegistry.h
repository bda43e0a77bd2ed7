#pragma once
// An in-memory registry of one user, for tests of the rules above the
// platform's store.

#include <functional>
#include <map>

#include "base/Registry.h"

namespace brisander {

class FakeRegistry : public RegistryBackend {
 public:
  using Values = std::map<std::string, RegValue>;

  std::unique_ptr<Key> Open(const std::string& path, bool create) override {
    if (refuseOpen) return nullptr;
    if (!keys.contains(path)) {
      if (!create) return nullptr;
      keys[path];
    }
    return std::make_unique<FakeKey>(*this, path);
  }

  bool HasKey(const std::string& path) const { return keys.contains(path); }
  void Put(const std::string& path, const std::string& name, RegValue value) {
    keys[path][name] = std::move(value);
  }
  std::optional<RegValue> Get(const std::string& path, const std::string& name) const {
    auto key = keys.find(path);
    if (key == keys.end()) return std::nullopt;
    auto value = key->second.find(name);
    if (value == key->second.end()) return std::nullopt;
    return value->second;
  }

  std::map<std::string, Values> keys;
  bool refuseOpen = false;
  bool refuseWrites = false;
  // Told the name of every value written.
  std::function<void(const std::string&)> onSet;

 private:
  class FakeKey : public Key {
   public:
    FakeKey(FakeRegistry& registry, std::string path) : registry_(registry), path_(std::move(path)) {}
    std::optional<RegValue> Query(const std::string& name) override {
      auto& values = registry_.keys[path_];
      auto it = values.find(name);
      if (it == values.end()) return std::nullopt;
      return it->second;
    }
    bool Set(const std::string& name, const RegValue& value) override {
      if (registry_.refuseWrites) return false;
      if (registry_.onSet) registry_.onSet(name);
      registry_.keys[path_][name] = value;
      return true;
    }

   private:
    FakeRegistry& registry_;
    std::string path_;
  };
};

}  // namespace brisander
