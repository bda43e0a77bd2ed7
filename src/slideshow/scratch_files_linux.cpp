// Scratch files on Linux. A mend over the Windows way: the shared temporary
// folder (/tmp) lets other users guess the names and plant links there, so
// the files live in a folder private to the user, which is checked whenever
// a name is made, and no write follows a link; the names keep the Windows
// shape.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "base/AppError.h"
#include "slideshow/ScratchFiles.h"

namespace brisander {

namespace {

std::string SystemReason(int error) { return std::strerror(error); }

AppError FileError(const char* pattern, const std::string& path, int error) {
  return AppError(FormatPattern(pattern, path) + " " + SystemReason(error));
}

// A folder we may trust: a real directory (not a link), ours, and closed to
// everybody else.
bool IsPrivateFolder(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
         (info.st_mode & 07777) == 0700;
}

// Creates the folder (mode 0700) when it is missing and refuses one that is
// not private.
std::string PrivateFolder(const std::string& path) {
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
    throw FileError("Ordner %s kann nicht angelegt werden.", path, errno);
  if (!IsPrivateFolder(path))
    throw AppError(FormatPattern(
        "Der Ordner %s ist kein privater Ordner (ein Verzeichnis des Benutzers mit den Rechten 0700)",
        path));
  return path;
}

// The variable's value, empty when it is not set.
std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// BRISANDER_TEMP (for tests), else the user's runtime folder when it is
// sound, else a folder of the user's own under TMPDIR or /tmp.
std::string ScratchFolder() {
  if (auto folder = EnvironmentValue("BRISANDER_TEMP"); !folder.empty())
    return PrivateFolder(folder);
  if (auto runtime = EnvironmentValue("XDG_RUNTIME_DIR"); !runtime.empty() && IsPrivateFolder(runtime))
    return PrivateFolder(runtime + "/brisander");
  auto temp = EnvironmentValue("TMPDIR");
  if (temp.empty()) temp = "/tmp";
  return PrivateFolder(temp + "/brisander-" + std::to_string(geteuid()));
}

std::string HexName(unsigned number) {
  char text[16];
  std::snprintf(text, sizeof text, "ins%X.tmp", number);
  return text;
}

}  // namespace

std::string MakeScratchName(const std::string& ext) {
  const std::string folder = ScratchFolder();
  // Like the system's unique-name service on Windows: a 16-bit number (not
  // 0) from a random start, the next one while a file of that name exists,
  // and a placeholder that proves the name was free.
  const unsigned start = std::random_device{}();
  int error = EEXIST;
  for (unsigned step = 0; step < 0xFFFF && error == EEXIST; ++step) {
    const std::string placeholder = folder + "/" + HexName(1 + (start + step) % 0xFFFF);
    const int fd = open(placeholder.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
      error = errno;
      continue;
    }
    close(fd);
    unlink(placeholder.c_str());
    return placeholder.substr(0, placeholder.size() - 3) + ext;
  }
  throw AppError(FormatPattern(kNoScratchNameMessage, folder) + " (" +
                 SystemReason(error) + ")");
}

void DeleteScratchFile(const std::string& path) {
  if (!path.empty()) unlink(path.c_str());
}

void WriteScratchFile(const std::string& path, const void* data, size_t size) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) throw FileError(kCannotCreateFileMessage, path, errno);
  auto bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t written = write(fd, bytes, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      const int error = written < 0 ? errno : EIO;
      close(fd);
      throw FileError(kCannotWriteFileMessage, path, error);
    }
    bytes += written;
    size -= static_cast<size_t>(written);
  }
  if (close(fd) != 0) throw FileError(kCannotWriteFileMessage, path, errno);
}

}  // namespace brisander
