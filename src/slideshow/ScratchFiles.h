#pragma once
// The two scratch files of a show (the current photo and the current page)
// in the user's temporary folder.

#include <cstddef>
#include <string>

namespace brisander {

// A new full path in the temporary folder: "ins", hexadecimal digits, a dot
// and `ext`. Leaves no file behind. Raises an AppError when the folder
// cannot be had or no name can be made, so that nothing is ever written to
// an undefined path.
std::string MakeScratchName(const std::string& ext);

// Removes the file, read-only or not; a missing file or an empty path is
// passed over in silence.
void DeleteScratchFile(const std::string& path);

// Creates the file or replaces its content with exactly these bytes. A
// failure raises an AppError naming the file and the system's reason.
void WriteScratchFile(const std::string& path, const void* data, size_t size);

}  // namespace brisander
