#include <gtest/gtest.h>

#include "base/AppError.h"
#include "fakes/FakeSystemServices.h"
#include "protocol/ScreenSaver.h"

namespace brisander {
namespace {

constexpr int32_t kForeground = 4242;

struct IntegerCase {
  const char* text;
  std::optional<int32_t> value;
};

class IntegerTextTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerTextTest, ReadsByTheOneRule) {
  EXPECT_EQ(TryStrToInt(GetParam().text), GetParam().value) << "text: '" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Limits, IntegerTextTest,
    testing::Values(IntegerCase{"0", 0}, IntegerCase{"1234", 1234}, IntegerCase{"  +17", 17},
                    IntegerCase{"-5", -5}, IntegerCase{"2147483647", INT32_MAX},
                    IntegerCase{"-2147483648", INT32_MIN}, IntegerCase{"2147483648", std::nullopt},
                    IntegerCase{"-2147483649", std::nullopt}, IntegerCase{"$FF", 255},
                    IntegerCase{"x1f", 31}, IntegerCase{"0X10", 16}, IntegerCase{"$FFFFFFFF", -1},
                    IntegerCase{"$80000000", INT32_MIN}, IntegerCase{"$000000001", 1},
                    IntegerCase{"$100000000", std::nullopt}, IntegerCase{"-$10", -16},
                    IntegerCase{"", std::nullopt}, IntegerCase{" ", std::nullopt},
                    IntegerCase{"+", std::nullopt}, IntegerCase{"$", std::nullopt},
                    IntegerCase{"0x", std::nullopt}, IntegerCase{"12 ", std::nullopt},
                    IntegerCase{"\t12", std::nullopt}, IntegerCase{"1a", std::nullopt},
                    IntegerCase{"abc", std::nullopt}, IntegerCase{"$G", std::nullopt}));

TEST(IntegerText, BadTextRaisesTheStartupMessage) {
  try {
    StrToInt("abc");
    FAIL() << "no error";
  } catch (const ConvertError& error) {
    EXPECT_STREQ(error.what(), "'abc' ist kein gültiger Integerwert");
  }
}

struct CommandLineCase {
  std::vector<std::string> arguments;
  TRunMode runMode;
  int32_t parentWindow;
};

class CommandLineTest : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, SelectsModeAndWindow) {
  FakeSystemServices services;
  services.foregroundWindow = kForeground;
  auto parsed = ParseArguments(GetParam().arguments, services);
  EXPECT_EQ(parsed.runMode, GetParam().runMode);
  EXPECT_EQ(parsed.parentWindow, GetParam().parentWindow);
}

using Args = std::vector<std::string>;
INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineTest,
    testing::Values(
        CommandLineCase{Args{}, rmConfigure, 0}, CommandLineCase{Args{"/s"}, rmRun, 0},
        CommandLineCase{Args{"-s"}, rmRun, 0}, CommandLineCase{Args{"/S"}, rmRun, 0},
        CommandLineCase{Args{"S"}, rmRun, 0}, CommandLineCase{Args{"//s"}, rmRun, 0},
        CommandLineCase{Args{"-/s"}, rmRun, 0}, CommandLineCase{Args{" /-s"}, rmRun, 0},
        CommandLineCase{Args{"/s", "abc"}, rmRun, 0},
        CommandLineCase{Args{"/screensaver"}, rmRun, 0},
        CommandLineCase{Args{"/c"}, rmConfigure, kForeground},
        CommandLineCase{Args{"/c:1234"}, rmConfigure, 1234},
        CommandLineCase{Args{"/c", "1234"}, rmConfigure, 1234},
        CommandLineCase{Args{"/c:"}, rmConfigure, kForeground},
        CommandLineCase{Args{"/p", "1234"}, rmPreview, 1234},
        CommandLineCase{Args{"/l", "1234"}, rmPreview, 1234},
        CommandLineCase{Args{"/p:1234"}, rmPreview, 1234},
        CommandLineCase{Args{"/p:$10", "99"}, rmPreview, 16},
        CommandLineCase{Args{"1234"}, rmPreview, 1234}, CommandLineCase{Args{"0"}, rmPreview, 0},
        CommandLineCase{Args{"-5"}, rmPreview, -5},
        CommandLineCase{Args{"/a", "1234"}, rmChangePassword, 1234},
        CommandLineCase{Args{"/x"}, rmUnset, 0}, CommandLineCase{Args{"/"}, rmUnset, 0},
        CommandLineCase{Args{"/-/ "}, rmUnset, 0}, CommandLineCase{Args{""}, rmUnset, 0},
        CommandLineCase{Args{"/p", "1", "/s"}, rmPreview, 1}));

TEST(CommandLine, MissingOrBadHandleIsFatal) {
  FakeSystemServices services;
  const std::pair<Args, const char*> cases[] = {
      {{"/p"}, "''"},       {{"/p", "abc"}, "'abc'"}, {{"/a"}, "''"},
      {{"/l:"}, "''"},      {{"/c:zz"}, "'ZZ'"},      {{"/P", " 12 "}, "' 12 '"}};
  // The colon form takes its handle from the upper-cased first argument.
  for (const auto& [arguments, quoted] : cases) {
    try {
      ParseArguments(arguments, services);
      ADD_FAILURE() << "no error for " << arguments[0];
    } catch (const ConvertError& error) {
      EXPECT_EQ(std::string(error.what()), std::string(quoted) + " ist kein gültiger Integerwert");
    }
  }
}

TEST(CommandLine, SplitsAtBlanksAndControlsWithQuotesGrouping) {
  EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\Brisander.scr\"  /p\t1234"),
            (Args{"C:\\Program Files\\Brisander.scr", "/p", "1234"}));
  EXPECT_EQ(SplitCommandLine("a\"b c\"d  \"\""), (Args{"ab cd", ""}));
  EXPECT_EQ(SplitCommandLine("   "), Args{});
}

}  // namespace
}  // namespace brisander
