#pragma once
// Two settings of the current user stand in the way of a show: the page
// view plays transitions only while "Page_Transitions" is on, and the sound
// scheme clicks at every navigation. The guard changes both for the time of
// a show and puts them back afterwards. The old sound path is recovered from
// the changed value itself, by cutting at the marker.

#include <string_view>

#include "base/Registry.h"

namespace brisander {

inline constexpr const char* kNavigationSoundKey =
    "AppEvents\\Schemes\\Apps\\Explorer\\Navigating\\.current";
inline constexpr const char* kBrowserMainKey = "Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr const char* kPageTransitionsValueName = "Page_Transitions";
inline constexpr std::string_view kDeactivatedMarker = "[deactivated]";

// Whether EnablePageTransitions found the setting off in this process.
extern bool PageTransitionsWereOff;

void MuteNavigationSound(RegistryBackend& registry = CurrentUserRegistry());
void RestoreNavigationSound(RegistryBackend& registry = CurrentUserRegistry());
void EnablePageTransitions(RegistryBackend& registry = CurrentUserRegistry());
void RestorePageTransitions(RegistryBackend& registry = CurrentUserRegistry());

}  // namespace brisander
