#pragma once
// The one stored setting: the transition the slideshow plays.

#include <array>
#include <string_view>

#include "base/Registry.h"
#include "slideshow/PageComposer.h"

namespace brisander {

inline constexpr const char* kSettingsKey = "Software\\Quennick\\Quennick - Marrowdale";
inline constexpr const char* kEffectValueName = "Effect";
inline constexpr EffectIndex kDefaultEffect = kEffectFade;

// The names of the 25 transitions, in EffectIndex order, as the dialog's
// list shows them.
inline constexpr std::array<std::string_view, 25> kEffectNames = {
    "Box in",
    "Box out",
    "Circle in",
    "Circle out",
    "Wipe up",
    "Wipe down",
    "Wipe right",
    "Wipe left",
    "Vertical blinds",
    "Horizontal blinds",
    "Checkerboard across",
    "Checkerboard down",
    "Random dissolve",
    "Split vertical in",
    "Split vertical out",
    "Split horizontal in",
    "Split horizontal out",
    "Strips left down",
    "Strips left up",
    "Strips right down",
    "Strips right up",
    "Random bars horizontal",
    "Random bars vertical",
    "Fade",
    "Random",
};

// The stored effect, unchanged, or 23 when there is none. Opens the key with
// creation, so the first read leaves the empty key behind. A value of
// another type raises the class library's read error.
EffectIndex ReadEffectSetting(RegistryBackend& registry = CurrentUserRegistry());

// Stores the effect as REG_DWORD, whatever it is (-1 for no selection).
void WriteEffectSetting(EffectIndex effect, RegistryBackend& registry = CurrentUserRegistry());

}  // namespace brisander
