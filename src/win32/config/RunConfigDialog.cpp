// Placeholder until the configuration dialog lands.
#include <windows.h>

#include "Application.h"

namespace brisander {
void RunConfigDialog(int, char**) { MessageBoxA(nullptr, "the configuration dialog is not built yet", "Brisander", MB_OK); }
}  // namespace brisander
