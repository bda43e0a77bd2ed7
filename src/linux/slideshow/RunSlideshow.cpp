// Placeholder until the slideshow lands.
#include <cstdio>

#include "Application.h"

namespace brisander {
void RunSlideshow(int, char**) { std::fprintf(stderr, "brisander: the slideshow is not built yet\n"); }
}  // namespace brisander
