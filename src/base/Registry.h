#pragma once
// The current user's registry (HKEY_CURRENT_USER) as the system uses it.
//
// RegistryBackend is the platform seam: the real registry on Windows, the
// per-user store on Linux. TRegistry puts the class library's rules on top
// of it: which types a read accepts, how long the data may be, and the
// messages of its failures. Paths are relative to HKEY_CURRENT_USER and use
// backslashes; key and value names compare without regard to case.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace brisander {

enum RegType : uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegDwordBigEndian = 5,
  kRegLink = 6,
  kRegMultiSz = 7,
  kRegQword = 11,
};

// A value as the registry holds it. String data are the 8-bit text with its
// terminating NUL, as the ANSI registry functions give and take them.
struct RegValue {
  uint32_t type = kRegNone;
  std::vector<uint8_t> data;
};

class RegistryBackend {
 public:
  class Key {
   public:
    virtual ~Key() = default;
    // The value of that name ("" is the key's default value), or nothing.
    virtual std::optional<RegValue> Query(const std::string& name) = 0;
    // Creates or replaces the value; false when the store refuses.
    virtual bool Set(const std::string& name, const RegValue& value) = 0;
  };

  virtual ~RegistryBackend() = default;
  // Opens the key for full access, creating it and its parents when
  // `create` is set; nothing when it cannot be opened (or created).
  virtual std::unique_ptr<Key> Open(const std::string& path, bool create) = 0;
};

// A REG_DWORD value: the 32 bits, little-endian.
RegValue DwordValue(uint32_t bits);
// A string value (REG_SZ or REG_EXPAND_SZ): the text and its terminating NUL.
RegValue StringValue(const std::string& text, uint32_t type = kRegSz);
// The bits of REG_DWORD data of at most four bytes, little-endian.
uint32_t DwordBits(const std::vector<uint8_t>& data);

// The platform's store of the current user.
RegistryBackend& CurrentUserRegistry();

// A registry accessor: one key open at a time. A failed open leaves no key
// open; every value then counts as missing and every write fails.
class TRegistry {
 public:
  explicit TRegistry(RegistryBackend& backend = CurrentUserRegistry()) : backend_(backend) {}

  bool OpenKey(const std::string& path, bool canCreate);
  void CloseKey() { key_.reset(); }

  bool ValueExists(const std::string& name);
  // The value's type; kRegNone when it is missing.
  uint32_t GetDataType(const std::string& name);
  // A REG_SZ or REG_EXPAND_SZ value, never expanded.
  std::string ReadString(const std::string& name);
  // A REG_DWORD value of at most four bytes.
  int32_t ReadInteger(const std::string& name);
  void WriteString(const std::string& name, const std::string& value);
  void WriteExpandString(const std::string& name, const std::string& value);
  void WriteInteger(const std::string& name, int32_t value);

 private:
  void Write(const std::string& name, const RegValue& value);

  RegistryBackend& backend_;
  std::unique_ptr<RegistryBackend::Key> key_;
};

// The class library's messages; "%s" is the value's name.
inline constexpr const char* kInvalidDataTypeMessage = "Ungültiger Datentyp für '%s'";
inline constexpr const char* kReadFailedMessage = "Fehler beim Holen der Daten für '%s'";
inline constexpr const char* kWriteFailedMessage = "Fehler beim Setzen der Daten für '%s'";

}  // namespace brisander
