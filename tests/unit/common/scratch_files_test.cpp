#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "base/AppError.h"
#include "slideshow/ScratchFiles.h"

namespace brisander {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ScratchFiles : public ::testing::Test {
 protected:
  void SetUp() override {
#ifdef _WIN32
    folder_ = fs::temp_directory_path();
#else
    // The Linux folder is private to the user; the tests bring their own.
    folder_ = fs::temp_directory_path() / ("brisander-scratch-test-" + std::to_string(getpid()));
    fs::create_directory(folder_);
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::replace);
    setenv("BRISANDER_TEMP", folder_.c_str(), 1);
#endif
    work_ = folder_ / "brisander-scratch-work";
    fs::create_directories(work_);
  }
  void TearDown() override {
    fs::remove_all(work_);
#ifndef _WIN32
    unsetenv("BRISANDER_TEMP");
    fs::remove_all(folder_);
#endif
  }

  fs::path folder_;  // where scratch names must lie
  fs::path work_;    // files of a test
};

// "ins", hexadecimal digits, a dot and the extension.
bool HasScratchShape(const std::string& fileName, const std::string& ext) {
  const auto dot = fileName.size() - ext.size() - 1;
  if (fileName.size() < ext.size() + 5 || fileName.rfind("ins", 0) != 0) return false;
  const auto digits = fileName.substr(3, dot - 3);
  return digits.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos &&
         fileName[dot] == '.' && fileName.substr(dot + 1) == ext;
}

TEST_F(ScratchFiles, NamesLieInTheFolderAndEndInTheExtension) {
  for (std::string ext : {"jpg", "htm", "jpeg", "x"}) {
    const fs::path name = MakeScratchName(ext);
    EXPECT_EQ(name.parent_path(), (folder_ / "").parent_path()) << name;
    EXPECT_TRUE(HasScratchShape(name.filename().string(), ext)) << name;
  }
}

TEST_F(ScratchFiles, MakingANameLeavesNoFileBehind) {
  for (std::string ext : {"jpg", "htm"}) {
    const std::string name = MakeScratchName(ext);
    EXPECT_FALSE(fs::exists(name)) << name;
    const std::string placeholder = name.substr(0, name.size() - ext.size()) + "tmp";
    EXPECT_FALSE(fs::exists(placeholder)) << placeholder;
  }
}

TEST_F(ScratchFiles, DeleteRemovesAReadOnlyFile) {
  const auto path = work_ / "read-only.htm";
  std::ofstream(path) << "x";
  fs::permissions(path, fs::perms::owner_read, fs::perm_options::replace);
  DeleteScratchFile(path.string());
  EXPECT_FALSE(fs::exists(path));
}

TEST_F(ScratchFiles, DeleteIsSilentWhenThereIsNothingToDelete) {
  EXPECT_NO_THROW(DeleteScratchFile((work_ / "missing.jpg").string()));
  EXPECT_NO_THROW(DeleteScratchFile(""));
}

TEST_F(ScratchFiles, WriteCreatesAndThenReplacesTheContent) {
  const auto path = (work_ / "page.htm").string();
  std::string first(70000, '\0');
  for (size_t i = 0; i < first.size(); ++i) first[i] = static_cast<char>(i * 7);
  const std::string second = "<b>";
  for (const auto& content : {first, second}) {
    WriteScratchFile(path, content.data(), content.size());
    EXPECT_EQ(ReadFile(path), content);
  }
}

TEST_F(ScratchFiles, AFailedWriteNamesTheFile) {
  const auto path = (work_ / "no such folder" / "photo.jpg").string();
  try {
    WriteScratchFile(path, "x", 1);
    FAIL() << "wrote " << path;
  } catch (const AppError& error) {
    EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace brisander
