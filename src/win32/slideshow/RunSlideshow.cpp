// Placeholder until the slideshow lands.
#include <windows.h>

#include "Application.h"

namespace brisander {
void RunSlideshow(int, char**) { MessageBoxA(nullptr, "the slideshow is not built yet", "Brisander", MB_OK); }
}  // namespace brisander
