// The current user's registry on Linux: a per-user SQLite store.
//
// Every call is one short transaction, and the database runs with a
// write-ahead log, so a process killed at any point leaves every committed
// value in place. Processes that meet a busy database wait for it instead
// of taking a value as missing.

#include <fcntl.h>
#include <pwd.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "base/LinuxStore.h"

namespace brisander {
namespace {

constexpr int kBusyTimeoutMs = 10000;
constexpr int kSchemaVersion = 1;

// Key paths are compared with SQLite's NOCASE collation (ASCII letters).
constexpr const char* kSchema = R"sql(
  CREATE TABLE IF NOT EXISTS registry_keys(
    path TEXT PRIMARY KEY COLLATE NOCASE
  ) WITHOUT ROWID;
  CREATE TABLE IF NOT EXISTS registry_values(
    key TEXT NOT NULL COLLATE NOCASE,
    name TEXT NOT NULL COLLATE NOCASE,
    type INTEGER NOT NULL,
    data BLOB NOT NULL,
    PRIMARY KEY(key, name)
  ) WITHOUT ROWID;
  INSERT OR IGNORE INTO registry_keys(path) VALUES('');
  PRAGMA user_version = 1;
)sql";

class Statement {
 public:
  Statement(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr); }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& Bind(const std::string& text) {
    sqlite3_bind_text(stmt_, ++bound_, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    return *this;
  }
  Statement& Bind(const RegValue& value) {
    sqlite3_bind_int64(stmt_, ++bound_, value.type);
    // A null pointer would bind NULL; an empty value is an empty blob.
    static const uint8_t kEmpty = 0;
    sqlite3_bind_blob(stmt_, ++bound_, value.data.empty() ? &kEmpty : value.data.data(),
                      static_cast<int>(value.data.size()), SQLITE_TRANSIENT);
    return *this;
  }
  // True while a row is available.
  bool Step() { return stmt_ && sqlite3_step(stmt_) == SQLITE_ROW; }
  // True when the statement ran to its end.
  bool Run() { return stmt_ && sqlite3_step(stmt_) == SQLITE_DONE; }

  std::string Text(int column) {
    auto text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return text ? std::string(text, sqlite3_column_bytes(stmt_, column)) : std::string();
  }
  RegValue Value(int typeColumn) {
    RegValue value{static_cast<uint32_t>(sqlite3_column_int64(stmt_, typeColumn)), {}};
    auto data = static_cast<const uint8_t*>(sqlite3_column_blob(stmt_, typeColumn + 1));
    if (data) value.data.assign(data, data + sqlite3_column_bytes(stmt_, typeColumn + 1));
    return value;
  }
  int Int(int column) { return sqlite3_column_int(stmt_, column); }

 private:
  sqlite3_stmt* stmt_ = nullptr;
  int bound_ = 0;
};

// A LIKE pattern for every path below `key`.
std::string DescendantPattern(const std::string& key) {
  std::string pattern;
  for (char c : key) {
    if (c == '!' || c == '%' || c == '_') pattern += '!';
    pattern += c;
  }
  if (!key.empty()) pattern += '\\';
  return pattern + '%';
}

// The path split at its backslashes; nothing when a part is empty.
std::optional<std::vector<std::string>> SplitKeyPath(const std::string& path) {
  std::vector<std::string> parts;
  if (path.empty()) return parts;
  size_t start = 0;
  while (true) {
    size_t end = path.find('\\', start);
    std::string part = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (part.empty()) return std::nullopt;
    parts.push_back(std::move(part));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

// Creates the missing folders of `folder`, each readable by its owner only.
bool MakeFolders(const std::filesystem::path& folder) {
  std::filesystem::path partial;
  for (const auto& part : folder) {
    partial /= part;
    if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return true;
}

bool CreateStoreFile(const std::filesystem::path& file) {
  if (file.has_parent_path() && !MakeFolders(file.parent_path())) return false;
  int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

std::filesystem::path HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  const passwd* user = ::getpwuid(::getuid());
  return user && user->pw_dir ? user->pw_dir : "/";
}

}  // namespace

std::filesystem::path RegistryStorePath() {
  if (const char* file = std::getenv("BRISANDER_REGISTRY"); file && *file) return file;
  std::filesystem::path config;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/')
    config = xdg;
  else
    config = HomeFolder() / ".config";
  return config / "brisander" / "registry.sqlite3";
}

std::unique_ptr<RegistryStore> RegistryStore::Open(const std::filesystem::path& file) {
  if (!CreateStoreFile(file)) return nullptr;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return nullptr;
  }
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  std::unique_ptr<RegistryStore> store(new RegistryStore(db));
  // With the log a commit survives the death of its process without
  // waiting for the disk; only a power loss may cost the last commits.
  store->Execute("PRAGMA synchronous = NORMAL");

  int version = -1;
  if (Statement query(db, "PRAGMA user_version"); query.Step()) version = query.Int(0);
  if (version == kSchemaVersion) return store;
  if (version != 0) return nullptr;  // not a database, or a layout this program does not know
  // A new store. The log mode is kept in the file; setting it twice is harmless.
  store->Execute("PRAGMA journal_mode = WAL");
  if (!store->Execute("BEGIN IMMEDIATE")) return nullptr;
  if (!store->Execute(kSchema) || !store->Execute("COMMIT")) return nullptr;
  return store;
}

// Closing rolls back a transaction that was left unfinished.
RegistryStore::~RegistryStore() { sqlite3_close(db_); }

bool RegistryStore::Execute(const char* sql) {
  return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::optional<std::string> RegistryStore::FindKey(const std::string& path) {
  Statement find(db_, "SELECT path FROM registry_keys WHERE path = ?");
  if (!find.Bind(path).Step()) return std::nullopt;
  return find.Text(0);
}

std::optional<std::string> RegistryStore::CreateKey(const std::string& path) {
  if (auto existing = FindKey(path)) return existing;
  auto parts = SplitKeyPath(path);
  if (!parts || !Execute("BEGIN IMMEDIATE")) return std::nullopt;
  // Each part goes below the parent's stored path, so existing keys keep
  // the case they were created with.
  std::string current;
  for (const auto& part : *parts) {
    std::string candidate = current.empty() ? part : current + '\\' + part;
    if (!Statement(db_, "INSERT OR IGNORE INTO registry_keys(path) VALUES(?)").Bind(candidate).Run())
      break;
    auto stored = FindKey(candidate);
    if (!stored) break;
    current = *stored;
  }
  if (current.size() != path.size() || !Execute("COMMIT")) {
    Execute("ROLLBACK");
    return std::nullopt;
  }
  return current;
}

bool RegistryStore::DeleteKey(const std::string& path) {
  if (path.empty() || !Execute("BEGIN IMMEDIATE")) return false;
  auto key = FindKey(path);
  bool deleted =
      key &&
      Statement(db_, "DELETE FROM registry_values WHERE key = ?1 OR key LIKE ?2 ESCAPE '!'")
          .Bind(*key).Bind(DescendantPattern(*key)).Run() &&
      Statement(db_, "DELETE FROM registry_keys WHERE path = ?1 OR path LIKE ?2 ESCAPE '!'")
          .Bind(*key).Bind(DescendantPattern(*key)).Run() &&
      Execute("COMMIT");
  if (!deleted) Execute("ROLLBACK");
  return deleted;
}

std::optional<RegValue> RegistryStore::QueryValue(const std::string& key, const std::string& name) {
  Statement query(db_, "SELECT type, data FROM registry_values WHERE key = ? AND name = ?");
  if (!query.Bind(key).Bind(name).Step()) return std::nullopt;
  return query.Value(0);
}

bool RegistryStore::SetValue(const std::string& key, const std::string& name, const RegValue& value) {
  // One statement: the value is written only while its key exists.
  Statement set(db_,
                "INSERT INTO registry_values(key, name, type, data) "
                "SELECT path, ?2, ?3, ?4 FROM registry_keys WHERE path = ?1 "
                "ON CONFLICT(key, name) DO UPDATE SET type = excluded.type, data = excluded.data");
  return set.Bind(key).Bind(name).Bind(value).Run() && sqlite3_changes(db_) > 0;
}

bool RegistryStore::DeleteValue(const std::string& key, const std::string& name) {
  Statement remove(db_, "DELETE FROM registry_values WHERE key = ? AND name = ?");
  return remove.Bind(key).Bind(name).Run() && sqlite3_changes(db_) > 0;
}

std::vector<RegistryStore::NamedValue> RegistryStore::ListValues(const std::string& key) {
  Statement list(db_, "SELECT name, type, data FROM registry_values WHERE key = ? ORDER BY name");
  list.Bind(key);
  std::vector<NamedValue> values;
  while (list.Step()) values.push_back({list.Text(0), list.Value(1)});
  return values;
}

std::vector<std::string> RegistryStore::ListSubkeys(const std::string& key) {
  Statement list(db_,
                 "SELECT path FROM registry_keys WHERE path LIKE ? ESCAPE '!' AND path <> '' "
                 "ORDER BY path");
  list.Bind(DescendantPattern(key));
  std::vector<std::string> names;
  size_t prefix = key.empty() ? 0 : key.size() + 1;
  while (list.Step()) {
    std::string name = list.Text(0).substr(prefix);
    if (name.find('\\') == std::string::npos) names.push_back(std::move(name));
  }
  return names;
}

namespace {

// An open key holds its own connection to the store for as long as it is
// open; each of its reads and writes is a transaction of its own.
class StoreKey : public RegistryBackend::Key {
 public:
  StoreKey(std::unique_ptr<RegistryStore> store, std::string path)
      : store_(std::move(store)), path_(std::move(path)) {}

  std::optional<RegValue> Query(const std::string& name) override {
    return store_->QueryValue(path_, name);
  }
  bool Set(const std::string& name, const RegValue& value) override {
    return store_->SetValue(path_, name, value);
  }

 private:
  std::unique_ptr<RegistryStore> store_;
  std::string path_;
};

class StoreRegistry : public RegistryBackend {
 public:
  // The file is looked up at every open, so a changed BRISANDER_REGISTRY
  // takes effect at once.
  std::unique_ptr<Key> Open(const std::string& path, bool create) override {
    auto store = RegistryStore::Open(RegistryStorePath());
    if (!store) return nullptr;
    auto key = create ? store->CreateKey(path) : store->FindKey(path);
    if (!key) return nullptr;
    return std::make_unique<StoreKey>(std::move(store), *key);
  }
};

}  // namespace

RegistryBackend& CurrentUserRegistry() {
  static StoreRegistry registry;
  return registry;
}

}  // namespace brisander
