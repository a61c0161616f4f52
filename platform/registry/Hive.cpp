#include "platform/registry/Hive.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>

#include "platform/registry/KeyPath.h"

namespace platform::registry {

namespace {

// Marks a database as ours, so a foreign SQLite file at the hive's place is recognised.
constexpr int kApplicationId = 0x50727576;  // "Pruv"
constexpr const char* kSetApplicationId = "PRAGMA application_id=1349678454";
constexpr int kBusyTimeoutMs = 5000;

// Keys are stored by their folded full path; the parent of "A\B" is "A" and the top is "".
// Children of a key K are the rows whose fold lies in [K "\", K "]"), "]" being the character
// after the backslash, so a whole subtree is one index range.
constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS keys(fold TEXT PRIMARY KEY, path TEXT NOT NULL) WITHOUT ROWID;"
    "CREATE TABLE IF NOT EXISTS vals(key TEXT NOT NULL, fold TEXT NOT NULL, name TEXT NOT NULL,"
    " type INTEGER NOT NULL, data BLOB NOT NULL, PRIMARY KEY(key, fold)) WITHOUT ROWID;";

enum Statement {
  kKeyPath,
  kInsertKey,
  kChildren,
  kTopChildren,
  kDeleteKeys,
  kDeleteKeyValues,
  kGetValue,
  kSetValue,
  kDeleteValue,
  kValues,
  kStatementCount
};

const char* const kStatementSql[kStatementCount] = {
    "SELECT path FROM keys WHERE fold = ?1",
    "INSERT OR IGNORE INTO keys(fold, path) VALUES(?1, ?2)",
    "SELECT path FROM keys WHERE fold > ?1 || '\\' AND fold < ?1 || ']'"
    " AND instr(substr(fold, length(?1) + 2), '\\') = 0 ORDER BY fold",
    "SELECT path FROM keys WHERE instr(fold, '\\') = 0 ORDER BY fold",
    "DELETE FROM keys WHERE fold = ?1 OR (fold > ?1 || '\\' AND fold < ?1 || ']')",
    "DELETE FROM vals WHERE key = ?1 OR (key > ?1 || '\\' AND key < ?1 || ']')",
    "SELECT name, type, data FROM vals WHERE key = ?1 AND fold = ?2",
    "INSERT INTO vals(key, fold, name, type, data) VALUES(?1, ?2, ?3, ?4, ?5)"
    " ON CONFLICT(key, fold) DO UPDATE SET type = excluded.type, data = excluded.data",
    "DELETE FROM vals WHERE key = ?1 AND fold = ?2",
    "SELECT name, type, data FROM vals WHERE key = ?1 ORDER BY fold",
};

std::string joinFolded(const std::vector<std::string>& components, std::size_t count) {
  std::string out;
  for (std::size_t i = 0; i < count; ++i) {
    if (i) out.push_back('\\');
    out += foldName(components[i]);
  }
  return out;
}

bool foldedKey(std::string_view key, std::string& fold) {
  std::vector<std::string> parts;
  if (!splitKeyPath(key, parts)) return false;
  fold = joinFolded(parts, parts.size());
  return true;
}

void bindText(sqlite3_stmt* s, int index, std::string_view text) {
  sqlite3_bind_text(s, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

std::string columnText(sqlite3_stmt* s, int column) {
  const unsigned char* text = sqlite3_column_text(s, column);
  return text ? std::string(reinterpret_cast<const char*>(text),
                            static_cast<std::size_t>(sqlite3_column_bytes(s, column)))
              : std::string();
}

Value columnValue(sqlite3_stmt* s) {
  Value v;
  v.name = columnText(s, 0);
  v.type = static_cast<ValueType>(sqlite3_column_int64(s, 1));
  const auto* blob = static_cast<const std::uint8_t*>(sqlite3_column_blob(s, 2));
  int size = sqlite3_column_bytes(s, 2);
  if (blob && size > 0) v.data.assign(blob, blob + size);
  return v;
}

// Resets a statement when it goes out of scope, so no read transaction stays open between calls
// (another process's writes would stay invisible, and the WAL could not be checkpointed).
struct Reset {
  sqlite3_stmt* s;
  ~Reset() {
    if (s) {
      sqlite3_reset(s);
      sqlite3_clear_bindings(s);
    }
  }
};

bool makeFolders(const std::string& file) {
  std::size_t pos = 0;
  while ((pos = file.find('/', pos + 1)) != std::string::npos) {
    std::string dir = file.substr(0, pos);
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return true;
}

bool fileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

std::mutex& currentUserMutex() {
  static std::mutex m;
  return m;
}

}  // namespace

std::string Hive::currentUserPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (config && *config == '/') {
    base = config;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home && *home ? home : "/tmp") + "/.config";
  }
  return base + "/pruv/registry.db";
}

std::shared_ptr<Hive> Hive::currentUser() {
  static std::shared_ptr<Hive> current;
  std::lock_guard<std::mutex> lock(currentUserMutex());
  std::string path = currentUserPath();
  if (!current || current->path_ != path) current = open(path);
  return current;
}

std::shared_ptr<Hive> Hive::open(const std::string& path) {
  std::shared_ptr<Hive> hive(new Hive());
  hive->path_ = path;
  if (!hive->openFile(path)) hive->openInMemory();
  return hive;
}

Hive::~Hive() {
  for (sqlite3_stmt* s : statements_) sqlite3_finalize(s);
  if (db_) sqlite3_close(db_);
}

void Hive::report(const char* what) {
  std::fprintf(stderr, "settings hive %s: %s: %s\n", path_.c_str(), what,
               db_ ? sqlite3_errmsg(db_) : "cannot open");
}

bool Hive::exec(const char* sql) {
  char* error = nullptr;
  int rc = sqlite3_exec(db_, sql, nullptr, nullptr, &error);
  sqlite3_free(error);
  return rc == SQLITE_OK;
}

bool Hive::openFile(const std::string& path) {
  if (!makeFolders(path)) {
    std::fprintf(stderr, "settings hive %s: cannot create its folder: %s\n", path.c_str(),
                 std::strerror(errno));
    return false;
  }
  for (int attempt = 0; attempt < 2; ++attempt) {
    int rc = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                             nullptr);
    if (rc != SQLITE_OK) {
      report("cannot open");
      sqlite3_close(db_);
      db_ = nullptr;
      return false;
    }
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    std::string why;
    Opening result = prepareSchema(why);
    if (result == Opening::Ready) {
      persistent_ = true;
      return true;
    }
    for (sqlite3_stmt* s : statements_) sqlite3_finalize(s);
    statements_.clear();
    sqlite3_close(db_);
    db_ = nullptr;
    if (result == Opening::Failed || attempt > 0) {
      std::fprintf(stderr, "settings hive %s cannot be used: %s\n", path.c_str(), why.c_str());
      return false;
    }
    if (!keepBrokenFile(why)) return false;
  }
  return false;
}

Hive::Opening Hive::prepareSchema(std::string& why) {
  auto fail = [&](Opening how) {
    why = sqlite3_errmsg(db_);
    int code = sqlite3_errcode(db_);
    if (how == Opening::Failed && (code == SQLITE_NOTADB || code == SQLITE_CORRUPT))
      how = Opening::Broken;
    return how;
  };
  // Reading the whole file first: a file that is not a database, or whose pages are damaged,
  // fails here before anything is written to it.
  sqlite3_stmt* s = nullptr;
  if (sqlite3_prepare_v2(db_, "PRAGMA quick_check", -1, &s, nullptr) != SQLITE_OK)
    return fail(Opening::Failed);
  int rc = sqlite3_step(s);
  std::string verdict = rc == SQLITE_ROW ? columnText(s, 0) : std::string();
  sqlite3_finalize(s);
  if (rc != SQLITE_ROW) return fail(Opening::Failed);
  if (verdict != "ok") {
    why = "damaged: " + verdict;
    return Opening::Broken;
  }

  int appId = 0;
  int tables = 0;
  if (sqlite3_prepare_v2(db_,
                         "SELECT (SELECT application_id FROM pragma_application_id),"
                         " (SELECT count(*) FROM sqlite_master WHERE type = 'table')",
                         -1, &s, nullptr) != SQLITE_OK)
    return fail(Opening::Failed);
  if (sqlite3_step(s) == SQLITE_ROW) {
    appId = sqlite3_column_int(s, 0);
    tables = sqlite3_column_int(s, 1);
  }
  sqlite3_finalize(s);
  if (appId != kApplicationId && (appId != 0 || tables > 0)) {
    // An SQLite file of some other program: ours to keep aside, never to write into.
    why = "a database of another program";
    return Opening::Broken;
  }

  // Switching to WAL needs a moment alone with the file; another process opening the hive at
  // the same moment can keep it busy beyond the busy handler's reach, so it is retried.
  bool wal = false;
  for (int i = 0; i < 250 && !wal; ++i) {
    wal = exec("PRAGMA journal_mode=WAL");
    int code = sqlite3_errcode(db_);
    if (!wal && code != SQLITE_BUSY && code != SQLITE_LOCKED) return fail(Opening::Failed);
    if (!wal) ::usleep(20000);
  }
  if (!wal) return fail(Opening::Failed);
  // FULL: a commit is on disk before the call returns, not only safe from a killed process.
  if (!exec("PRAGMA synchronous=FULL")) return fail(Opening::Failed);
  if (appId == 0) {
    if (!exec("BEGIN IMMEDIATE")) return fail(Opening::Failed);
    bool ok = exec(kSchema) && exec(kSetApplicationId) && exec("COMMIT");
    if (!ok) {
      Opening how = fail(Opening::Failed);
      exec("ROLLBACK");
      return how;
    }
  }
  statements_.assign(kStatementCount, nullptr);
  for (int i = 0; i < kStatementCount; ++i)
    if (sqlite3_prepare_v3(db_, kStatementSql[i], -1, SQLITE_PREPARE_PERSISTENT, &statements_[i],
                           nullptr) != SQLITE_OK)
      // Our application id on tables of another shape: written by something else, set aside.
      return fail(Opening::Broken);
  return Opening::Ready;
}

bool Hive::keepBrokenFile(const std::string& why) {
  char stamp[32];
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &tm);
  std::string kept = path_ + ".broken-" + stamp;
  for (int n = 2; fileExists(kept); ++n) kept = path_ + ".broken-" + stamp + "-" + std::to_string(n);
  if (std::rename(path_.c_str(), kept.c_str()) != 0) {
    // Another process found the same damage a moment earlier and has moved the file already.
    if (errno == ENOENT) return true;
    std::fprintf(stderr, "settings hive %s is damaged (%s) and cannot be moved aside: %s\n",
                 path_.c_str(), why.c_str(), std::strerror(errno));
    return false;
  }
  // The journal files belong to the damaged file; they go with it so the fresh hive does not
  // pick them up.
  for (const char* suffix : {"-wal", "-shm"})
    if (fileExists(path_ + suffix)) std::rename((path_ + suffix).c_str(), (kept + suffix).c_str());
  std::fprintf(stderr,
               "settings hive %s is damaged or not a settings database (%s); it was kept as %s "
               "and a fresh hive was made\n",
               path_.c_str(), why.c_str(), kept.c_str());
  return true;
}

void Hive::openInMemory() {
  persistent_ = false;
  std::string why;
  if (sqlite3_open(":memory:", &db_) != SQLITE_OK || prepareSchema(why) != Opening::Ready)
    std::fprintf(stderr, "settings hive: cannot make a hive in memory either\n");
  else
    std::fprintf(stderr, "settings hive %s: settings of this session will not be kept\n",
                 path_.c_str());
}

sqlite3_stmt* Hive::statement(int which) {
  return which < static_cast<int>(statements_.size()) ? statements_[which] : nullptr;
}

std::optional<std::string> Hive::storedKeyPath(const std::string& fold) {
  if (fold.empty()) return std::string();
  sqlite3_stmt* s = statement(kKeyPath);
  if (!s) return std::nullopt;
  Reset r{s};
  bindText(s, 1, fold);
  if (sqlite3_step(s) != SQLITE_ROW) return std::nullopt;
  return columnText(s, 0);
}

bool Hive::insertKeys(const std::vector<std::string>& components) {
  std::string parentPath;
  for (std::size_t i = 0; i < components.size(); ++i) {
    std::string fold = joinFolded(components, i + 1);
    auto existing = storedKeyPath(fold);
    if (existing) {
      parentPath = *existing;
      continue;
    }
    std::string path = parentPath.empty() ? components[i] : parentPath + "\\" + components[i];
    sqlite3_stmt* s = statement(kInsertKey);
    if (!s) return false;
    Reset r{s};
    bindText(s, 1, fold);
    bindText(s, 2, path);
    if (sqlite3_step(s) != SQLITE_DONE) return false;
    parentPath = path;
  }
  return true;
}

bool Hive::keyExists(std::string_view key) {
  std::string fold;
  if (!foldedKey(key, fold)) return false;
  std::lock_guard<std::mutex> lock(mutex_);
  return storedKeyPath(fold).has_value();
}

bool Hive::createKey(std::string_view key) {
  std::vector<std::string> parts;
  if (!splitKeyPath(key, parts)) return false;
  std::lock_guard<std::mutex> lock(mutex_);
  if (!exec("BEGIN IMMEDIATE")) {
    report("cannot write");
    return false;
  }
  if (!insertKeys(parts) || !exec("COMMIT")) {
    report("cannot create a key");
    exec("ROLLBACK");
    return false;
  }
  return true;
}

bool Hive::deleteKey(std::string_view key) {
  std::string fold;
  if (!foldedKey(key, fold) || fold.empty()) return false;
  std::lock_guard<std::mutex> lock(mutex_);
  if (!exec("BEGIN IMMEDIATE")) {
    report("cannot write");
    return false;
  }
  bool existed = storedKeyPath(fold).has_value();
  bool ok = true;
  for (int which : {kDeleteKeyValues, kDeleteKeys}) {
    sqlite3_stmt* s = statement(which);
    if (!s) {
      ok = false;
      break;
    }
    Reset r{s};
    bindText(s, 1, fold);
    ok = ok && sqlite3_step(s) == SQLITE_DONE;
  }
  if (!ok || !exec("COMMIT")) {
    report("cannot delete a key");
    exec("ROLLBACK");
    return false;
  }
  return existed;
}

std::vector<std::string> Hive::subkeys(std::string_view key) {
  std::vector<std::string> out;
  std::string fold;
  if (!foldedKey(key, fold)) return out;
  std::lock_guard<std::mutex> lock(mutex_);
  sqlite3_stmt* s = statement(fold.empty() ? kTopChildren : kChildren);
  if (!s) return out;
  Reset r{s};
  if (!fold.empty()) bindText(s, 1, fold);
  while (sqlite3_step(s) == SQLITE_ROW) {
    std::string path = columnText(s, 0);
    std::size_t sep = path.rfind('\\');
    out.push_back(sep == std::string::npos ? path : path.substr(sep + 1));
  }
  return out;
}

bool Hive::setValue(std::string_view key, std::string_view name, ValueType type,
                    const std::vector<std::uint8_t>& data) {
  std::vector<std::string> parts;
  if (!splitKeyPath(key, parts)) return false;
  std::string fold = joinFolded(parts, parts.size());
  std::lock_guard<std::mutex> lock(mutex_);
  if (!exec("BEGIN IMMEDIATE")) {
    report("cannot write");
    return false;
  }
  bool ok = insertKeys(parts);
  if (ok) {
    sqlite3_stmt* s = statement(kSetValue);
    ok = s != nullptr;
    if (ok) {
      Reset r{s};
      bindText(s, 1, fold);
      bindText(s, 2, foldName(name));
      bindText(s, 3, name);
      sqlite3_bind_int64(s, 4, static_cast<sqlite3_int64>(type));
      // A zero-length blob must still be a blob, not NULL.
      static const std::uint8_t none = 0;
      sqlite3_bind_blob(s, 5, data.empty() ? &none : data.data(), static_cast<int>(data.size()),
                        SQLITE_TRANSIENT);
      ok = sqlite3_step(s) == SQLITE_DONE;
    }
  }
  if (!ok || !exec("COMMIT")) {
    report("cannot write a value");
    exec("ROLLBACK");
    return false;
  }
  return true;
}

std::optional<Value> Hive::getValue(std::string_view key, std::string_view name) {
  std::string fold;
  if (!foldedKey(key, fold)) return std::nullopt;
  std::lock_guard<std::mutex> lock(mutex_);
  sqlite3_stmt* s = statement(kGetValue);
  if (!s) return std::nullopt;
  Reset r{s};
  bindText(s, 1, fold);
  bindText(s, 2, foldName(name));
  if (sqlite3_step(s) != SQLITE_ROW) return std::nullopt;
  return columnValue(s);
}

bool Hive::deleteValue(std::string_view key, std::string_view name) {
  std::string fold;
  if (!foldedKey(key, fold)) return false;
  std::lock_guard<std::mutex> lock(mutex_);
  sqlite3_stmt* s = statement(kDeleteValue);
  if (!s) return false;
  Reset r{s};
  bindText(s, 1, fold);
  bindText(s, 2, foldName(name));
  if (sqlite3_step(s) != SQLITE_DONE) {
    report("cannot delete a value");
    return false;
  }
  return sqlite3_changes(db_) > 0;
}

std::vector<Value> Hive::values(std::string_view key) {
  std::vector<Value> out;
  std::string fold;
  if (!foldedKey(key, fold)) return out;
  std::lock_guard<std::mutex> lock(mutex_);
  sqlite3_stmt* s = statement(kValues);
  if (!s) return out;
  Reset r{s};
  bindText(s, 1, fold);
  while (sqlite3_step(s) == SQLITE_ROW) out.push_back(columnValue(s));
  return out;
}

}  // namespace platform::registry
