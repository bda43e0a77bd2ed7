#include "slideshow/BrowserSettingsGuard.h"

namespace brisander {

bool PageTransitionsWereOff = false;

namespace {

// The navigation sound is the key's default value, which has no name.
constexpr const char* kDefaultValue = "";

// Keys of other software are opened without creation: when one is absent,
// its values count as missing and nothing is changed.
void WriteSoundPath(TRegistry& registry, bool wasExpandable, const std::string& path) {
  // The value keeps the type it had, so an expandable path stays expandable.
  if (wasExpandable)
    registry.WriteExpandString(kDefaultValue, path);
  else
    registry.WriteString(kDefaultValue, path);
}

}  // namespace

void MuteNavigationSound(RegistryBackend& backend) {
  TRegistry registry(backend);
  registry.OpenKey(kNavigationSoundKey, false);
  if (!registry.ValueExists(kDefaultValue)) return;
  std::string path = registry.ReadString(kDefaultValue);
  WriteSoundPath(registry, registry.GetDataType(kDefaultValue) == kRegExpandSz, path + std::string(kDeactivatedMarker));
}

void RestoreNavigationSound(RegistryBackend& backend) {
  TRegistry registry(backend);
  registry.OpenKey(kNavigationSoundKey, false);
  if (!registry.ValueExists(kDefaultValue)) return;
  std::string path = registry.ReadString(kDefaultValue);
  if (auto marker = path.find(kDeactivatedMarker); marker != std::string::npos) path.resize(marker);
  WriteSoundPath(registry, registry.GetDataType(kDefaultValue) == kRegExpandSz, path);
}

void EnablePageTransitions(RegistryBackend& backend) {
  TRegistry registry(backend);
  registry.OpenKey(kBrowserMainKey, false);
  if (!registry.ValueExists(kPageTransitionsValueName)) return;
  PageTransitionsWereOff = registry.ReadInteger(kPageTransitionsValueName) == 0;
  registry.WriteInteger(kPageTransitionsValueName, 1);
}

void RestorePageTransitions(RegistryBackend& backend) {
  TRegistry registry(backend);
  registry.OpenKey(kBrowserMainKey, false);
  if (!registry.ValueExists(kPageTransitionsValueName)) return;
  registry.WriteInteger(kPageTransitionsValueName, 0);
}

}  // namespace brisander
