// Stores values of arbitrary type and bytes in a real store file, then
// reads them back the way the system does, checking the read rules.
//
// Input: four bytes of type (little-endian), then the value's data.

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/AppError.h"
#include "base/LinuxStore.h"
#include "base/Registry.h"

namespace {

constexpr const char* kKey = "Software\\Fuzz";
constexpr const char* kName = "Value";

// One store file for the whole run, in a folder of its own that is
// removed when the fuzzer exits.
brisander::RegistryStore& Store() {
  static const std::filesystem::path folder = [] {
    char pattern[] = "/tmp/store-fuzz.XXXXXX";
    if (!mkdtemp(pattern)) __builtin_trap();
    std::filesystem::path path = pattern;
    setenv("BRISANDER_REGISTRY", (path / "store.sqlite").c_str(), 1);
    std::atexit([] { std::filesystem::remove_all(folder); });
    return path;
  }();
  static auto store = [] {
    auto opened = brisander::RegistryStore::Open(folder / "store.sqlite");
    if (!opened || !opened->CreateKey(kKey)) __builtin_trap();
    return opened;
  }();
  return *store;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  brisander::RegValue value;
  value.type = uint32_t{data[0]} | uint32_t{data[1]} << 8 | uint32_t{data[2]} << 16 |
               uint32_t{data[3]} << 24;
  value.data.assign(data + 4, data + size);

  auto& store = Store();
  if (!store.SetValue(kKey, kName, value)) __builtin_trap();
  auto stored = store.QueryValue(kKey, kName);
  if (!stored || stored->type != value.type || stored->data != value.data) __builtin_trap();

  brisander::TRegistry registry;
  if (!registry.OpenKey(kKey, false)) __builtin_trap();
  if (registry.GetDataType(kName) != value.type) __builtin_trap();

  bool isString = value.type == brisander::kRegSz || value.type == brisander::kRegExpandSz;
  try {
    auto text = registry.ReadString(kName);
    // The text up to the first NUL, or all the data when there is none.
    std::string expected(value.data.begin(), value.data.end());
    expected.resize(std::min(expected.size(), expected.find('\0')));
    if (!isString || text != expected) __builtin_trap();
  } catch (const brisander::AppError&) {
    if (isString) __builtin_trap();
  }

  bool isInteger = value.type == brisander::kRegDword && value.data.size() <= 4;
  try {
    auto number = static_cast<uint32_t>(registry.ReadInteger(kName));
    if (!isInteger) __builtin_trap();
    for (size_t i = 0; i < 4; ++i)
      if (uint8_t(number >> (8 * i)) != (i < value.data.size() ? value.data[i] : 0))
        __builtin_trap();
  } catch (const brisander::AppError&) {
    if (isInteger) __builtin_trap();
  }
  return 0;
}
