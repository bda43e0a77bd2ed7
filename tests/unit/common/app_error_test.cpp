#include <gtest/gtest.h>

#include "base/AppError.h"

namespace brisander {
namespace {

TEST(ErrorBoxText, AddsAFullStopOnlyAfterCharactersSortingAfterIt) {
  EXPECT_EQ(ErrorBoxText("'' ist kein gültiger Integerwert"), "'' ist kein gültiger Integerwert.");
  EXPECT_EQ(ErrorBoxText("Ungültiger Datentyp für 'Effect'"), "Ungültiger Datentyp für 'Effect'");
  EXPECT_EQ(ErrorBoxText("Done."), "Done.");
  EXPECT_EQ(ErrorBoxText("Why?"), "Why?.");
  EXPECT_EQ(ErrorBoxText("JPEG-Fehler #42"), "JPEG-Fehler #42.");
  EXPECT_EQ(ErrorBoxText("Stop!"), "Stop!");
  EXPECT_EQ(ErrorBoxText("a-"), "a-");
  EXPECT_EQ(ErrorBoxText(""), "");
}

TEST(ApplicationTitle, IsTheFileNameUpToItsFirstDotWithTheRestLowerCase) {
  EXPECT_EQ(ApplicationTitle("C:\\Windows\\System32\\Brisander.scr"), "Brisander");
  EXPECT_EQ(ApplicationTitle("C:\\x\\BRISANDER.SCR"), "Brisander");
  EXPECT_EQ(ApplicationTitle("/usr/bin/brisander"), "brisander");
  EXPECT_EQ(ApplicationTitle("my.saver.scr"), "my");
}

}  // namespace
}  // namespace brisander
