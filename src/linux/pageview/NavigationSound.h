#pragma once
// The click of the user's sound scheme when a navigation starts, as the
// browser that the page view stands for plays it. The slideshow mutes it for
// the time of a show by making the scheme name a file that does not exist.

#include <QSoundEffect>

#include "base/Registry.h"

namespace brisander {

class NavigationSound {
 public:
  explicit NavigationSound(RegistryBackend& registry) : registry_(registry) {}

  // Plays the sound file that the scheme names, where that file exists. A
  // system without a sound device plays nothing, silently.
  void Play();
  // The file played last; empty before the first.
  QUrl LastPlayed() const { return effect_.source(); }

 private:
  RegistryBackend& registry_;
  QSoundEffect effect_;
};

}  // namespace brisander
