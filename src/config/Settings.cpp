#include "config/Settings.h"

namespace brisander {

EffectIndex ReadEffectSetting(RegistryBackend& backend) {
  TRegistry registry(backend);
  registry.OpenKey(kSettingsKey, true);
  if (!registry.ValueExists(kEffectValueName)) return kDefaultEffect;
  return registry.ReadInteger(kEffectValueName);
}

void WriteEffectSetting(EffectIndex effect, RegistryBackend& backend) {
  TRegistry registry(backend);
  registry.OpenKey(kSettingsKey, true);
  registry.WriteInteger(kEffectValueName, effect);
}

}  // namespace brisander
