// Placeholder until the scratch files land.
#include "base/AppError.h"
#include "slideshow/ScratchFiles.h"

namespace brisander {
std::string MakeScratchName(const std::string&) { throw AppError("not built yet"); }
void DeleteScratchFile(const std::string&) {}
void WriteScratchFile(const std::string&, const void*, size_t) { throw AppError("not built yet"); }
}  // namespace brisander
