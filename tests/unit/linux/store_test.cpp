// The Linux registry store: shared by processes, safe against a killed
// writer, case-insensitive like the Windows registry, private to the user.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "base/AppError.h"
#include "base/LinuxStore.h"
#include "common/RegistrySandbox.h"
#include "config/Settings.h"

namespace brisander {
namespace {

using testing::RegistrySandbox;

constexpr const char* kKey = "Software\\Quennick\\Quennick - Marrowdale";

class StoreTest : public ::testing::Test {
 protected:
  std::unique_ptr<RegistryStore> Store() {
    auto store = RegistryStore::Open(RegistryStorePath());
    EXPECT_NE(store, nullptr);
    return store;
  }
  int32_t Read(const std::string& name) {
    TRegistry registry;
    registry.OpenKey(kKey, false);
    return registry.ReadInteger(name);
  }

  RegistrySandbox sandbox_;
};

// Runs `body` in a child process; its exit code is 0 when it returns true.
template <typename Body>
pid_t Spawn(Body body) {
  pid_t pid = fork();
  if (pid == 0) {
    bool ok = false;
    try {
      ok = body();
    } catch (...) {
    }
    _exit(ok ? 0 : 1);
  }
  return pid;
}

int ExitCode(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(StoreTest, TwoProcessesWritingAtOnceKeepEveryValue) {
  constexpr int kWrites = 100;
  Store()->CreateKey(kKey);
  int gate[2];
  ASSERT_EQ(pipe(gate), 0);
  std::vector<pid_t> writers;
  for (int writer = 0; writer < 2; ++writer) {
    writers.push_back(Spawn([&, writer] {
      close(gate[1]);
      char byte;
      read(gate[0], &byte, 1);  // both start when the gate closes
      for (int i = 0; i < kWrites; ++i) {
        TRegistry registry;
        registry.OpenKey(kKey, true);
        registry.WriteInteger("w" + std::to_string(writer) + "-" + std::to_string(i), i * 2 + writer);
      }
      return true;
    }));
  }
  close(gate[0]);
  close(gate[1]);
  for (pid_t pid : writers) EXPECT_EQ(ExitCode(pid), 0);

  EXPECT_EQ(Store()->ListValues(kKey).size(), 2u * kWrites);
  for (int writer = 0; writer < 2; ++writer)
    for (int i = 0; i < kWrites; ++i)
      ASSERT_EQ(Read("w" + std::to_string(writer) + "-" + std::to_string(i)), i * 2 + writer);
}

TEST_F(StoreTest, AWriterKilledMidStreamLeavesEveryCommittedValue) {
  int committed[2];
  ASSERT_EQ(pipe(committed), 0);
  pid_t pid = Spawn([&] {
    close(committed[0]);
    for (int32_t i = 0;; ++i) {
      TRegistry registry;
      registry.OpenKey(kKey, true);
      registry.WriteInteger("n" + std::to_string(i), i);
      registry.WriteInteger("last", i);
      // Reported only once both writes are committed.
      if (write(committed[1], &i, sizeof i) != sizeof i) return false;
    }
  });
  close(committed[1]);
  int32_t last = -1;
  for (int32_t reported; last < 100 && read(committed[0], &reported, sizeof reported) == sizeof reported;)
    last = reported;
  kill(pid, SIGKILL);
  for (int32_t reported; read(committed[0], &reported, sizeof reported) == sizeof reported;) last = reported;
  close(committed[0]);
  EXPECT_EQ(ExitCode(pid), -1);  // killed, not ended
  ASSERT_GE(last, 100);

  auto store = Store();
  ASSERT_NE(store, nullptr);
  EXPECT_GE(Read("last"), last);
  for (int32_t i = 0; i <= last; ++i) ASSERT_EQ(Read("n" + std::to_string(i)), i);
  EXPECT_NO_THROW(WriteEffectSetting(5));
  EXPECT_EQ(ReadEffectSetting(), 5);
}

TEST_F(StoreTest, KeysAndValueNamesIgnoreCaseAndKeepTheirFirstSpelling) {
  WriteEffectSetting(17);
  auto key = CurrentUserRegistry().Open("SOFTWARE\\quennick\\QUENNICK - marrowdale", false);
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(key->Query("EFFECT").has_value());
  EXPECT_EQ(key->Query("eFfEcT")->data, (std::vector<uint8_t>{17, 0, 0, 0}));
  ASSERT_TRUE(key->Set("EFFECT", RegValue{kRegDword, {18, 0, 0, 0}}));

  auto store = Store();
  EXPECT_EQ(store->CreateKey("software\\QUENNICK\\New"), "Software\\Quennick\\New");
  EXPECT_EQ(store->ListSubkeys("SOFTWARE\\QUENNICK"),
            (std::vector<std::string>{"New", "Quennick - Marrowdale"}));
  auto values = store->ListValues(kKey);
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0].name, "Effect");
  EXPECT_EQ(values[0].value.data, (std::vector<uint8_t>{18, 0, 0, 0}));
}

TEST_F(StoreTest, OpeningWithCreationMakesEveryParentAndWithoutItFindsOnlyExistingKeys) {
  EXPECT_EQ(CurrentUserRegistry().Open("A\\B\\C", false), nullptr);
  EXPECT_NE(CurrentUserRegistry().Open("A\\B\\C", true), nullptr);
  for (const char* path : {"A", "A\\B", "A\\B\\C", ""})
    EXPECT_NE(CurrentUserRegistry().Open(path, false), nullptr) << path;
  for (const char* path : {"A\\\\B", "\\A", "A\\", "A\\B\\C\\D"})
    EXPECT_EQ(CurrentUserRegistry().Open(path, false), nullptr) << path;
}

TEST_F(StoreTest, DeletingAKeyTakesItsSubtreeAndNothingElse) {
  auto store = Store();
  for (const char* path : {"a_b\\c", "axb\\c", "a%\\c", "a_bc"})
    ASSERT_TRUE(store->SetValue(*store->CreateKey(path), "v", RegValue{kRegBinary, {}})) << path;
  EXPECT_TRUE(store->DeleteKey("A_B"));
  EXPECT_FALSE(store->FindKey("a_b\\c"));
  EXPECT_FALSE(store->QueryValue("a_b\\c", "v"));
  for (const char* path : {"axb\\c", "a%\\c", "a_bc"}) {
    EXPECT_TRUE(store->FindKey(path)) << path;
    // An empty value exists all the same.
    EXPECT_EQ(store->QueryValue(path, "v")->data, std::vector<uint8_t>{}) << path;
  }
  EXPECT_FALSE(store->DeleteKey("a_b"));
  EXPECT_FALSE(store->DeleteKey(""));
}

TEST_F(StoreTest, TheFileAndItsNewFolderAreTheUsersOnly) {
  auto file = std::filesystem::path(RegistryStorePath());
  WriteEffectSetting(1);
  struct stat info {};
  ASSERT_EQ(stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  ASSERT_EQ(stat(file.parent_path().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST_F(StoreTest, AStoreThatCannotBeOpenedGivesTheClassLibrarysRules) {
  auto file = std::filesystem::path(RegistryStorePath());
  std::filesystem::create_directories(file.parent_path());
  struct Case {
    const char* what;
    void (*prepare)(const std::filesystem::path&);
  };
  const Case cases[] = {
      {"a folder", [](const std::filesystem::path& f) { std::filesystem::create_directory(f); }},
      {"not a database",
       [](const std::filesystem::path& f) { std::ofstream(f) << std::string(4096, 'x'); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(file);
    c.prepare(file);
    EXPECT_EQ(CurrentUserRegistry().Open(kKey, true), nullptr);
    EXPECT_EQ(ReadEffectSetting(), 23);
    try {
      WriteEffectSetting(4);
      ADD_FAILURE() << "no failure";
    } catch (const AppError& error) {
      EXPECT_STREQ(error.what(), "Fehler beim Setzen der Daten für 'Effect'");
    }
  }
}

}  // namespace
}  // namespace brisander
