// TRegistry's rules: which reads it accepts, how it stores what it writes,
// and the messages of its failures.

#include <gtest/gtest.h>

#include <climits>
#include <map>

#include "base/AppError.h"
#include "base/Registry.h"
#include "fakes/FakeRegistry.h"

namespace brisander {
namespace {

constexpr const char* kKey = "Software\\Test";

class RegistryTest : public ::testing::Test {
 protected:
  // A registry accessor with kKey open.
  TRegistry Opened() {
    TRegistry registry(backend_);
    EXPECT_TRUE(registry.OpenKey(kKey, true));
    return registry;
  }
  void Store(const std::string& name, RegValue value) { backend_.keys[kKey][name] = std::move(value); }
  const RegValue& Stored(const std::string& name) { return backend_.keys[kKey].at(name); }

  FakeRegistry backend_;
};

TEST_F(RegistryTest, IntegersAreStoredAsFourLittleEndianBytesAndReadBackUnchanged) {
  for (int32_t number : {0, 1, 23, -1, 0x12345678, INT_MIN, INT_MAX}) {
    SCOPED_TRACE(number);
    TRegistry registry = Opened();
    registry.WriteInteger("Effect", number);
    auto bits = static_cast<uint32_t>(number);
    EXPECT_EQ(Stored("Effect").type, kRegDword);
    EXPECT_EQ(Stored("Effect").data,
              (std::vector<uint8_t>{uint8_t(bits), uint8_t(bits >> 8), uint8_t(bits >> 16),
                                    uint8_t(bits >> 24)}));
    EXPECT_EQ(registry.ReadInteger("Effect"), number);
  }
}

TEST_F(RegistryTest, IntegerReadsRefuseOtherTypesAndLongData) {
  struct Case {
    const char* what;
    RegValue value;
    const char* message;
  };
  const Case cases[] = {
      {"string", {kRegSz, {'5', 0}}, "Ungültiger Datentyp für 'Effect'"},
      {"four binary bytes", {kRegBinary, {1, 0, 0, 0}}, "Ungültiger Datentyp für 'Effect'"},
      {"empty expandable string", {kRegExpandSz, {0}}, "Ungültiger Datentyp für 'Effect'"},
      {"eight-byte dword", {kRegDword, {1, 0, 0, 0, 0, 0, 0, 0}}, "Fehler beim Holen der Daten für 'Effect'"},
      {"five binary bytes", {kRegBinary, {1, 2, 3, 4, 5}}, "Fehler beim Holen der Daten für 'Effect'"},
      {"long string", {kRegSz, {'1', '2', '3', '4', 0}}, "Fehler beim Holen der Daten für 'Effect'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Store("Effect", c.value);
    TRegistry registry = Opened();
    try {
      registry.ReadInteger("Effect");
      ADD_FAILURE() << "no failure";
    } catch (const AppError& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
  }
}

TEST_F(RegistryTest, StringsKeepTheirTypeAndAreNeverExpanded) {
  TRegistry registry = Opened();
  registry.WriteString("plain", "%TEMP%\\a.wav");
  registry.WriteExpandString("expandable", "%SystemRoot%\\media\\b.wav");
  registry.WriteString("empty", "");

  EXPECT_EQ(Stored("plain").type, kRegSz);
  EXPECT_EQ(Stored("expandable").type, kRegExpandSz);
  // The ANSI functions store the terminating NUL with the text.
  EXPECT_EQ(Stored("empty").data, std::vector<uint8_t>{0});
  EXPECT_EQ(Stored("plain").data.back(), 0);

  EXPECT_EQ(registry.ReadString("plain"), "%TEMP%\\a.wav");
  EXPECT_EQ(registry.ReadString("expandable"), "%SystemRoot%\\media\\b.wav");
  EXPECT_EQ(registry.GetDataType("expandable"), kRegExpandSz);
  EXPECT_EQ(registry.ReadString("empty"), "");
}

TEST_F(RegistryTest, StringReadOfAnotherTypeFailsWithTheValueName) {
  Store("", RegValue{kRegDword, {1, 0, 0, 0}});
  TRegistry registry = Opened();
  try {
    registry.ReadString("");
    ADD_FAILURE() << "no failure";
  } catch (const AppError& error) {
    EXPECT_STREQ(error.what(), "Ungültiger Datentyp für ''");
  }
}

TEST_F(RegistryTest, AKeyThatCannotBeOpenedHasNoValuesAndRefusesWrites) {
  Store("Effect", RegValue{kRegDword, {7, 0, 0, 0}});
  backend_.refuseOpen = true;
  TRegistry registry(backend_);
  EXPECT_FALSE(registry.OpenKey(kKey, true));
  EXPECT_FALSE(registry.ValueExists("Effect"));
  EXPECT_EQ(registry.GetDataType("Effect"), kRegNone);

  auto expectWriteFailure = [](auto write) {
    try {
      write();
      ADD_FAILURE() << "no failure";
    } catch (const AppError& error) {
      EXPECT_STREQ(error.what(), "Fehler beim Setzen der Daten für 'Effect'");
    }
  };
  expectWriteFailure([&] { registry.WriteInteger("Effect", 3); });
  expectWriteFailure([&] { registry.WriteString("Effect", "x"); });
  expectWriteFailure([&] { registry.WriteExpandString("Effect", "x"); });
  EXPECT_EQ(backend_.keys[kKey]["Effect"].data, (std::vector<uint8_t>{7, 0, 0, 0}));
}

TEST_F(RegistryTest, OpeningWithoutCreationFailsForAnAbsentKeyAndCreatesNothing) {
  TRegistry registry(backend_);
  EXPECT_FALSE(registry.OpenKey(kKey, false));
  EXPECT_TRUE(backend_.keys.empty());
}

}  // namespace
}  // namespace brisander
