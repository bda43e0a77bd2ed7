#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>

#include "base/AppError.h"
#include "slideshow/ScratchFiles.h"

namespace brisander {
namespace {

namespace fs = std::filesystem;

// Sets or clears environment variables for one test and puts them back.
class Environment {
 public:
  void Set(const char* name, const std::optional<std::string>& value) {
    if (const char* old = std::getenv(name)) saved_.emplace_back(name, std::string(old));
    else saved_.emplace_back(name, std::nullopt);
    if (value) setenv(name, value->c_str(), 1);
    else unsetenv(name);
  }
  ~Environment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      if (it->second) setenv(it->first.c_str(), it->second->c_str(), 1);
      else unsetenv(it->first.c_str());
    }
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

class PrivateScratchFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("brisander-private-test-" + std::to_string(getpid()));
    fs::remove_all(root_);
    MakeFolder(root_, 0700);
  }
  void TearDown() override { fs::remove_all(root_); }

  static void MakeFolder(const fs::path& path, mode_t mode) {
    fs::create_directory(path);
    chmod(path.c_str(), mode);
  }
  static mode_t ModeOf(const fs::path& path) {
    struct stat info {};
    lstat(path.c_str(), &info);
    return info.st_mode & 07777;
  }

  fs::path root_;
  Environment environment_;
};

struct RefusedFolder {
  const char* name;
  std::function<void(const fs::path& folder, const fs::path& root)> make;
};

TEST_F(PrivateScratchFolder, RefusesAFolderThatIsNotPrivate) {
  const RefusedFolder cases[] = {
      {"link to a private folder",
       [](const fs::path& folder, const fs::path& root) {
         MakeFolder(root / "real", 0700);
         fs::create_directory_symlink(root / "real", folder);
       }},
      {"open to the group and others", [](const fs::path& folder, const fs::path&) { MakeFolder(folder, 0755); }},
      {"writable by the group", [](const fs::path& folder, const fs::path&) { MakeFolder(folder, 0770); }},
      {"a file", [](const fs::path& folder, const fs::path&) { std::ofstream(folder) << "x"; }},
  };
  for (const auto& c : cases) {
    const auto folder = root_ / "scratch";
    fs::remove_all(folder);
    c.make(folder, root_);
    environment_.Set("BRISANDER_TEMP", folder.string());
    try {
      MakeScratchName("jpg");
      ADD_FAILURE() << c.name << " was accepted";
    } catch (const AppError& error) {
      EXPECT_NE(std::string(error.what()).find(folder.string()), std::string::npos)
          << c.name << ": " << error.what();
    }
  }
}

TEST_F(PrivateScratchFolder, CreatesAMissingFolderClosedToOthers) {
  const auto folder = root_ / "new";
  environment_.Set("BRISANDER_TEMP", folder.string());
  const fs::path name = MakeScratchName("htm");
  EXPECT_EQ(name.parent_path(), folder);
  EXPECT_EQ(ModeOf(folder), 0700u);
}

struct FolderChoice {
  const char* name;
  std::optional<mode_t> runtimeMode;  // XDG_RUNTIME_DIR's mode; unset when empty
  bool inRuntimeFolder;
};

TEST_F(PrivateScratchFolder, UsesTheRuntimeFolderOnlyWhenItIsPrivate) {
  const FolderChoice cases[] = {
      {"private runtime folder", 0700, true},
      {"runtime folder open to others", 0755, false},
      {"no runtime folder", std::nullopt, false},
  };
  const auto runtime = root_ / "runtime";
  const auto temp = root_ / "temp";
  MakeFolder(temp, 01777);
  const auto fallback = temp / ("brisander-" + std::to_string(geteuid()));
  for (const auto& c : cases) {
    fs::remove_all(runtime);
    environment_.Set("BRISANDER_TEMP", std::nullopt);
    environment_.Set("TMPDIR", temp.string());
    if (c.runtimeMode) MakeFolder(runtime, *c.runtimeMode);
    environment_.Set("XDG_RUNTIME_DIR", c.runtimeMode ? std::optional(runtime.string()) : std::nullopt);

    const fs::path name = MakeScratchName("jpg");
    EXPECT_EQ(name.parent_path(), c.inRuntimeFolder ? runtime / "brisander" : fallback) << c.name;
    EXPECT_EQ(ModeOf(name.parent_path()), 0700u) << c.name;
  }
}

TEST_F(PrivateScratchFolder, WritingDoesNotFollowALinkAtThePath) {
  const auto target = root_ / "target.txt";
  std::ofstream(target) << "keep";
  const auto link = root_ / "page.htm";
  fs::create_symlink(target, link);
  EXPECT_THROW(WriteScratchFile(link.string(), "new", 3), AppError);
  std::ifstream in(target);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "keep");
}

TEST_F(PrivateScratchFolder, WrittenFilesAreTheUsersOnly) {
  const auto path = root_ / "photo.jpg";
  WriteScratchFile(path.string(), "x", 1);
  EXPECT_EQ(ModeOf(path), 0600u);
}

}  // namespace
}  // namespace brisander
