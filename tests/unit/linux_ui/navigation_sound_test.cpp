#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>

#include "fakes/FakeRegistry.h"
#include "linux/pageview/NavigationSound.h"
#include "slideshow/BrowserSettingsGuard.h"

namespace brisander {
namespace {

TEST(NavigationSound, PlaysOnlyAFileThatExists) {
  QTemporaryDir folder;
  const std::string wav = folder.filePath("click.wav").toStdString();
  std::ofstream(wav) << "RIFF";
  FakeRegistry registry;
  NavigationSound sound(registry);

  sound.Play();  // no scheme at all
  EXPECT_TRUE(sound.LastPlayed().isEmpty());

  TRegistry scheme(registry);
  scheme.OpenKey(kNavigationSoundKey, true);
  scheme.WriteString("", wav + std::string(kDeactivatedMarker));  // muted for a show
  sound.Play();
  EXPECT_TRUE(sound.LastPlayed().isEmpty());

  scheme.WriteString("", wav);
  sound.Play();
  EXPECT_EQ(sound.LastPlayed().toLocalFile().toStdString(), wav);
}

}  // namespace
}  // namespace brisander
