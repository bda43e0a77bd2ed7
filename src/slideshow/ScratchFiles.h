#pragma once
// The two scratch files of a show (the current photo and the current page)
// in the user's temporary folder.

#include <cstddef>
#include <string>

namespace brisander {

// The failures' messages; "%s" is the folder or the file. The system's
// reason follows each.
inline constexpr const char* kNoScratchNameMessage = "Temporäre Datei kann nicht angelegt werden: %s";
inline constexpr const char* kCannotCreateFileMessage = "Datei %s kann nicht erstellt werden.";
inline constexpr const char* kCannotWriteFileMessage = "Fehler beim Schreiben der Datei %s.";

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
