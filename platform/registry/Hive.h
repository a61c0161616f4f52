#pragma once
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/Value.h"

struct sqlite3;
struct sqlite3_stmt;

namespace platform::registry {

// A settings hive: a tree of keys, each holding named, typed values, kept in one SQLite file.
//
// Key paths are relative to the hive's top and use backslashes ("Software\Pruv\Pruv Sonvia");
// the empty path is the top itself. Key and value names are compared without case (Unicode
// simple upper-casing) and keep the spelling they were first created with.
//
// Every write is one transaction committed before the call returns, and the file is in WAL mode
// with a busy timeout, so several processes can use one hive at once and each sees the other's
// writes at its next call. A process killed in the middle of a write loses only that write.
//
// All calls are safe from several threads. Failures are reported by the return value; an
// unexpected database error is also described on standard error.
class Hive {
 public:
  // The current user's hive: $XDG_CONFIG_HOME/pruv/registry.db, or ~/.config/pruv/registry.db.
  // The location is looked up on every call, so a change of XDG_CONFIG_HOME (as tests make)
  // opens the hive of the new location.
  static std::shared_ptr<Hive> currentUser();
  static std::string currentUserPath();

  // Opens or creates the hive file at `path`. A file that is damaged or not a hive is kept
  // beside as "<path>.broken-<time>", described on standard error, and replaced by a fresh
  // hive. When no file can be used at all the hive lives in memory for this process.
  static std::shared_ptr<Hive> open(const std::string& path);

  ~Hive();
  Hive(const Hive&) = delete;
  Hive& operator=(const Hive&) = delete;

  const std::string& path() const { return path_; }
  // False when the hive could not be kept in a file and lives in memory only.
  bool isPersistent() const { return persistent_; }

  bool keyExists(std::string_view key);
  // Creates the key and every missing parent. False for an invalid path (an empty component).
  bool createKey(std::string_view key);
  // Deletes the key with all its subkeys and values. False when it does not exist; the top of
  // the hive cannot be deleted.
  bool deleteKey(std::string_view key);
  // Names of the direct subkeys, sorted without case.
  std::vector<std::string> subkeys(std::string_view key);

  // Writes a value, creating the key (and its parents) when missing.
  bool setValue(std::string_view key, std::string_view name, ValueType type,
                const std::vector<std::uint8_t>& data);
  std::optional<Value> getValue(std::string_view key, std::string_view name);
  bool deleteValue(std::string_view key, std::string_view name);
  // All values of the key, sorted by name without case.
  std::vector<Value> values(std::string_view key);

 private:
  Hive() = default;
  bool openFile(const std::string& path);
  enum class Opening { Ready, Broken, Failed };
  Opening prepareSchema(std::string& why);
  void openInMemory();
  bool keepBrokenFile(const std::string& why);
  void report(const char* what);
  bool exec(const char* sql);
  sqlite3_stmt* statement(int which);
  std::optional<std::string> storedKeyPath(const std::string& fold);
  bool insertKeys(const std::vector<std::string>& components);

  std::mutex mutex_;
  std::string path_;
  bool persistent_ = false;
  sqlite3* db_ = nullptr;
  std::vector<sqlite3_stmt*> statements_;
};

}  // namespace platform::registry
