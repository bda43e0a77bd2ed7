// Scratch files on Windows: the temporary folder and the system's unique names.

#include <windows.h>

#include "base/AppError.h"
#include "slideshow/ScratchFiles.h"

namespace brisander {

namespace {

// The system's text for an error code, without the trailing line break.
std::string SystemErrorText(DWORD code) {
  char* text = nullptr;
  const DWORD length = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string result = length ? std::string(text, length) : "Systemfehler " + std::to_string(code);
  LocalFree(text);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
    result.pop_back();
  return result;
}

AppError FileError(const char* pattern, const std::string& path, DWORD code) {
  return AppError(FormatPattern(pattern, path) + " " + SystemErrorText(code));
}

}  // namespace

std::string MakeScratchName(const std::string& ext) {
  char folder[261];
  char name[261];
  const DWORD length = GetTempPathA(260, folder);
  if (length == 0 || length > 260)
    throw AppError("Der Ordner für temporäre Dateien kann nicht ermittelt werden");
  // With the unique number 0 the system picks the number and creates an
  // empty placeholder "<folder>ins<hex>.tmp", which is not needed: only the
  // name is.
  if (GetTempFileNameA(folder, "inst", 0, name) == 0)
    throw AppError(FormatPattern(kNoScratchNameMessage, folder) + " (" +
                   SystemErrorText(GetLastError()) + ")");
  SetFileAttributesA(name, 0);
  DeleteFileA(name);
  std::string result(name);
  result.resize(result.size() - 3);
  return result + ext;
}

void DeleteScratchFile(const std::string& path) {
  SetFileAttributesA(path.c_str(), 0);
  DeleteFileA(path.c_str());
}

void WriteScratchFile(const std::string& path, const void* data, size_t size) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    throw FileError(kCannotCreateFileMessage, path, GetLastError());
  auto bytes = static_cast<const char*>(data);
  while (size > 0) {
    DWORD written = 0;
    if (!WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr) || written == 0) {
      const DWORD code = GetLastError();
      CloseHandle(file);
      throw FileError(kCannotWriteFileMessage, path, code);
    }
    bytes += written;
    size -= written;
  }
  CloseHandle(file);
}

}  // namespace brisander
