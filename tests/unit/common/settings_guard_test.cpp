// The stored effect and the browser settings guard over the platform's real
// current-user registry (a store of its own per case on Linux; the real
// registry, put back afterwards, on Windows).

#include <gtest/gtest.h>

#include <climits>
#include <optional>

#include "RegistrySandbox.h"
#include "base/AppError.h"
#include "config/Settings.h"
#include "slideshow/BrowserSettingsGuard.h"

namespace brisander {
namespace {

using testing::RegistrySandbox;

// Runs the call and returns the message of the AppError it raises.
template <typename Call>
std::string FailureOf(Call call) {
  try {
    call();
  } catch (const AppError& error) {
    return error.what();
  }
  return "(no failure)";
}

const std::vector<std::string> kTouchedKeys = {"Software\\Quennick", kNavigationSoundKey,
                                               kBrowserMainKey};

class StoredEffectTest : public ::testing::Test {
 protected:
  void SetUp() override { sandbox_.RemoveKey("Software\\Quennick"); }
  RegistrySandbox sandbox_{kTouchedKeys};
};

TEST_F(StoredEffectTest, FirstReadGivesFadeAndLeavesTheEmptyKeyBehind) {
  ASSERT_FALSE(sandbox_.KeyExists(kSettingsKey));
  EXPECT_EQ(ReadEffectSetting(), 23);
  EXPECT_TRUE(sandbox_.KeyExists(kSettingsKey));
  EXPECT_FALSE(sandbox_.Value(kSettingsKey, kEffectValueName).has_value());
}

TEST_F(StoredEffectTest, AnyIntegerIsReadBackUnchanged) {
  for (int32_t effect : {0, 23, 24, -1, 25, 1000, INT_MIN, INT_MAX}) {
    SCOPED_TRACE(effect);
    WriteEffectSetting(effect);
    EXPECT_EQ(sandbox_.Value(kSettingsKey, kEffectValueName)->data, DwordValue(effect).data);
    EXPECT_EQ(sandbox_.Value(kSettingsKey, kEffectValueName)->type, kRegDword);
    EXPECT_EQ(ReadEffectSetting(), effect);
  }
}

TEST_F(StoredEffectTest, ValueOfAnotherTypeFailsTheRead) {
  struct Case {
    RegValue stored;
    const char* message;
  };
  const Case cases[] = {
      {StringValue("5", kRegSz), "Ungültiger Datentyp für 'Effect'"},
      {RegValue{kRegBinary, {5, 0, 0, 0}}, "Ungültiger Datentyp für 'Effect'"},
      {StringValue("Fade", kRegSz), "Fehler beim Holen der Daten für 'Effect'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    sandbox_.SetValue(kSettingsKey, kEffectValueName, c.stored);
    EXPECT_EQ(FailureOf([] { ReadEffectSetting(); }), c.message);
    EXPECT_EQ(sandbox_.Value(kSettingsKey, kEffectValueName)->data, c.stored.data);
  }
}

class GuardTest : public ::testing::Test {
 protected:
  void SetUp() override { PageTransitionsWereOff = false; }
  void TearDown() override { PageTransitionsWereOff = false; }
};

TEST_F(GuardTest, NavigationSoundIsMutedAndRestored) {
  struct Case {
    uint32_t type;
    std::string before;
    std::string during;
    std::string after;
  };
  const Case cases[] = {
      {kRegSz, "C:\\Sounds\\click.wav", "C:\\Sounds\\click.wav[deactivated]", "C:\\Sounds\\click.wav"},
      {kRegSz, "", "[deactivated]", ""},
      // Left behind by a run that was killed: the cut is at the first marker.
      {kRegSz, "a.wav[deactivated]", "a.wav[deactivated][deactivated]", "a.wav"},
      {kRegSz, "a[deactivated]b", "a[deactivated]b[deactivated]", "a"},
      // The marker is compared case-sensitively.
      {kRegSz, "[Deactivated]", "[Deactivated][deactivated]", "[Deactivated]"},
      {kRegExpandSz, "%SystemRoot%\\Media\\click.wav", "%SystemRoot%\\Media\\click.wav[deactivated]",
       "%SystemRoot%\\Media\\click.wav"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.before);
    RegistrySandbox sandbox(kTouchedKeys);
    sandbox.SetValue(kNavigationSoundKey, "", StringValue(c.before, c.type));

    MuteNavigationSound();
    auto during = sandbox.Value(kNavigationSoundKey, "");
    EXPECT_EQ(during->data, StringValue(c.during, c.type).data);
    EXPECT_EQ(during->type, c.type);

    RestoreNavigationSound();
    auto after = sandbox.Value(kNavigationSoundKey, "");
    EXPECT_EQ(after->data, StringValue(c.after, c.type).data);
    EXPECT_EQ(after->type, c.type);
  }
}

TEST_F(GuardTest, RestoreWithoutMarkerWritesTheTextBackUnexpanded) {
  RegistrySandbox sandbox(kTouchedKeys);
  sandbox.SetValue(kNavigationSoundKey, "", StringValue("%WINDIR%\\x.wav", kRegExpandSz));
  RestoreNavigationSound();
  EXPECT_EQ(sandbox.Value(kNavigationSoundKey, "")->data, StringValue("%WINDIR%\\x.wav", kRegExpandSz).data);
  EXPECT_EQ(sandbox.Value(kNavigationSoundKey, "")->type, kRegExpandSz);
}

TEST_F(GuardTest, PageTransitionsAreSwitchedOnAndBackOffOnlyWhenTheyWereOff) {
  struct Case {
    std::optional<int32_t> before;
    std::optional<int32_t> during;
    bool wereOff;
    std::optional<int32_t> after;
  };
  const Case cases[] = {
      {std::nullopt, std::nullopt, false, std::nullopt},
      {0, 1, true, 0},
      {1, 1, false, 1},
      {2, 1, false, 1},
      {-1, 1, false, 1},
  };
  auto transitions = [](RegistrySandbox& sandbox) -> std::optional<int32_t> {
    auto value = sandbox.Value(kBrowserMainKey, kPageTransitionsValueName);
    if (!value) return std::nullopt;
    EXPECT_EQ(value->type, kRegDword);
    return value->data == DwordValue(0).data ? 0 : value->data == DwordValue(1).data ? 1 : -99;
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.before ? std::to_string(*c.before) : "absent");
    RegistrySandbox sandbox(kTouchedKeys);
    sandbox.RemoveKey(kBrowserMainKey);
    sandbox.SetValue(kBrowserMainKey, "Other", DwordValue(5));
    if (c.before) sandbox.SetValue(kBrowserMainKey, kPageTransitionsValueName, DwordValue(*c.before));
    PageTransitionsWereOff = false;

    EnablePageTransitions();
    EXPECT_EQ(transitions(sandbox), c.during);
    EXPECT_EQ(PageTransitionsWereOff, c.wereOff);

    // The shutdown's rule.
    if (PageTransitionsWereOff) RestorePageTransitions();
    EXPECT_EQ(transitions(sandbox), c.after);
  }
}

TEST_F(GuardTest, AbsentKeysAreNeitherCreatedNorChanged) {
  RegistrySandbox sandbox(kTouchedKeys);
  sandbox.RemoveKey(kNavigationSoundKey);
  sandbox.RemoveKey(kBrowserMainKey);

  MuteNavigationSound();
  EnablePageTransitions();
  RestorePageTransitions();
  RestoreNavigationSound();

  EXPECT_FALSE(sandbox.KeyExists(kNavigationSoundKey));
  EXPECT_FALSE(sandbox.KeyExists(kBrowserMainKey));
  EXPECT_FALSE(PageTransitionsWereOff);
}

TEST_F(GuardTest, AKeyWithoutTheValueIsLeftAlone) {
  RegistrySandbox sandbox(kTouchedKeys);
  sandbox.RemoveKey(kNavigationSoundKey);
  sandbox.RemoveKey(kBrowserMainKey);
  sandbox.SetValue(kNavigationSoundKey, "Other", StringValue("x", kRegSz));
  sandbox.SetValue(kBrowserMainKey, "Other", DwordValue(0));

  MuteNavigationSound();
  EnablePageTransitions();
  RestorePageTransitions();
  RestoreNavigationSound();

  EXPECT_FALSE(sandbox.Value(kNavigationSoundKey, "").has_value());
  EXPECT_FALSE(sandbox.Value(kBrowserMainKey, kPageTransitionsValueName).has_value());
}

TEST_F(GuardTest, ValuesOfTheWrongTypeFailAndStayUnchanged) {
  struct Case {
    const char* key;
    const char* name;
    RegValue stored;
    void (*routine)(RegistryBackend&);
    const char* message;
  };
  const Case cases[] = {
      {kNavigationSoundKey, "", DwordValue(1), MuteNavigationSound, "Ungültiger Datentyp für ''"},
      {kNavigationSoundKey, "", RegValue{kRegBinary, {'a', 0}}, RestoreNavigationSound,
       "Ungültiger Datentyp für ''"},
      {kBrowserMainKey, kPageTransitionsValueName, StringValue("0", kRegSz), EnablePageTransitions,
       "Ungültiger Datentyp für 'Page_Transitions'"},
      {kBrowserMainKey, kPageTransitionsValueName, RegValue{kRegDword, {0, 0, 0, 0, 0, 0, 0, 0}},
       EnablePageTransitions, "Fehler beim Holen der Daten für 'Page_Transitions'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    RegistrySandbox sandbox(kTouchedKeys);
    sandbox.SetValue(c.key, c.name, c.stored);
    PageTransitionsWereOff = false;
    EXPECT_EQ(FailureOf([&] { c.routine(CurrentUserRegistry()); }), c.message);
    EXPECT_EQ(sandbox.Value(c.key, c.name)->data, c.stored.data);
    EXPECT_EQ(sandbox.Value(c.key, c.name)->type, c.stored.type);
    EXPECT_FALSE(PageTransitionsWereOff);
  }
}

}  // namespace
}  // namespace brisander
