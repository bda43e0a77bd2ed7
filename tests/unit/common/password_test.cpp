#include <gtest/gtest.h>

#include "fakes/FakeSystemServices.h"
#include "protocol/ScreenSaver.h"
#include "protocol/Tools.h"

namespace brisander {
namespace {

constexpr const char* kPasswordCpl = "C:\\WINDOWS\\SYSTEM\\PASSWORD.CPL";

class PasswordTest : public testing::Test {
 protected:
  void SetUp() override {
    StartCursorPos = {-7, -7};
    services.foregroundWindow = 77;
    services.cursorX = 300;
    services.cursorY = 200;
  }

  void UsePassword(RegValue value) {
    services.registry.keys["Control Panel\\desktop"]["ScreenSaveUsePassword"] = std::move(value);
  }

  FakeSystemServices services;
};

TEST_F(PasswordTest, WindowsNtClosesAtOnceWithoutLookingAnywhere) {
  services.platformId = kVerPlatformWin32Nt;
  UsePassword(DwordValue(1));
  services.libraries[kPasswordCpl] = {true, false};
  EXPECT_TRUE(VerifyPassword(services));
  EXPECT_TRUE(services.loadedPaths.empty());
  EXPECT_EQ(services.cursorShown, 0);
  EXPECT_EQ(StartCursorPos.X, -7);
}

TEST_F(PasswordTest, NoPasswordWantedClosesWithoutDialog) {
  services.libraries[kPasswordCpl] = {true, false};
  for (bool withValue : {false, true}) {
    if (withValue) UsePassword(DwordValue(0));
    EXPECT_TRUE(VerifyPassword(services));
  }
  // A value that is no 32-bit integer cannot switch the password on.
  UsePassword({kRegSz, {'1', 0}});
  EXPECT_TRUE(VerifyPassword(services));
  UsePassword({kRegDword, {1, 0, 0, 0, 0, 0, 0, 0}});
  EXPECT_TRUE(VerifyPassword(services));
  EXPECT_TRUE(services.loadedPaths.empty());
  EXPECT_EQ(services.cursorShown, 0);
  EXPECT_EQ(StartCursorPos.X, -7);
}

TEST_F(PasswordTest, AsksTheLibraryWithTheCursorShownOnlyMeanwhile) {
  UsePassword(DwordValue(1));
  for (bool accepted : {true, false}) {
    services.libraries[kPasswordCpl] = {true, accepted};
    StartCursorPos = {-7, -7};
    EXPECT_EQ(VerifyPassword(services), accepted);
    EXPECT_EQ(services.cursorCount, 0);
    EXPECT_EQ(services.verifyWindows.back(), 77);
    EXPECT_EQ(StartCursorPos.X, 300);
    EXPECT_EQ(StartCursorPos.Y, 200);
  }
  EXPECT_EQ(services.cursorShown, 2);
}

TEST_F(PasswordTest, MissingLibraryOrEntryPointLetsTheShowClose) {
  UsePassword(DwordValue(2));
  EXPECT_TRUE(VerifyPassword(services));
  EXPECT_EQ(services.loadedPaths, std::vector<std::string>{kPasswordCpl});
  EXPECT_EQ(services.cursorShown, 1);
  EXPECT_EQ(services.cursorCount, 0);
  EXPECT_EQ(StartCursorPos.X, 300);

  services.libraries[kPasswordCpl] = {false, false};
  EXPECT_TRUE(VerifyPassword(services));
  EXPECT_TRUE(services.verifyWindows.empty());
}

TEST_F(PasswordTest, FailedVersionQueryTakesTheOldPlatformPath) {
  services.versionCallSucceeds = false;
  services.platformId = kVerPlatformWin32Nt;
  UsePassword(DwordValue(1));
  services.libraries[kPasswordCpl] = {true, false};
  EXPECT_FALSE(VerifyPassword(services));
}

TEST_F(PasswordTest, ChangePasswordCallsTheProviderDialogOwnedByTheParent) {
  ParentWindow = 1234;
  ChangePassword(services);  // no library: silent
  EXPECT_TRUE(services.passwordChanges.empty());
  services.libraries["C:\\WINDOWS\\SYSTEM\\MPR.DLL"] = {false, true};
  ChangePassword(services);  // no entry point: silent
  EXPECT_TRUE(services.passwordChanges.empty());
  services.libraries["C:\\WINDOWS\\SYSTEM\\MPR.DLL"] = {true, true};
  ChangePassword(services);
  EXPECT_EQ(services.passwordChanges, std::vector<std::string>{"SCRSAVE 1234"});
  ParentWindow = 0;
}

TEST(SystemLibraryPath, AddsOneBackslashAtMost) {
  EXPECT_EQ(SystemLibraryPath("C:\\WINDOWS\\SYSTEM", "MPR.DLL"), "C:\\WINDOWS\\SYSTEM\\MPR.DLL");
  EXPECT_EQ(SystemLibraryPath("C:\\", "MPR.DLL"), "C:\\MPR.DLL");
  EXPECT_EQ(SystemLibraryPath("", "MPR.DLL"), "MPR.DLL");
}

TEST(RunningFlag, PassesExactlyOneOrZero) {
  FakeSystemServices services;
  SetScreenSaverRunning(services, true);
  SetScreenSaverRunning(services, false);
  EXPECT_EQ(services.runningCalls, (std::vector<uint32_t>{1, 0}));
}

}  // namespace
}  // namespace brisander
