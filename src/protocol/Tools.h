#pragma once
// The platform test.

#include "protocol/SystemServices.h"

namespace brisander {

inline constexpr uint32_t kVerPlatformWin32Nt = 2;

// True when the system filled the version record; its platform in
// `platformId`.
inline bool GetOsVersionInfo(SystemServices& services, uint32_t& platformId) {
  return services.GetVersionPlatformId(platformId);
}

inline bool IsWindowsNT(SystemServices& services) {
  uint32_t platformId = 0;
  return GetOsVersionInfo(services, platformId) && platformId == kVerPlatformWin32Nt;
}

}  // namespace brisander
