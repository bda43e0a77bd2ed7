// Placeholder until the configuration dialog lands.
#include <cstdio>

#include "Application.h"

namespace brisander {
void RunConfigDialog(int, char**) { std::fprintf(stderr, "brisander: the configuration dialog is not built yet\n"); }
}  // namespace brisander
