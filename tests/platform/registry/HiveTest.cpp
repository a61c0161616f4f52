#include "platform/registry/Hive.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fstream>
#include <string>

#include "platform/registry/Environment.h"

namespace fs = std::filesystem;
using platform::registry::Hive;
using platform::registry::ValueType;
namespace reg = platform::registry;

namespace {

class HiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/sonvia-hive-XXXXXX";
    dir_ = mkdtemp(tmpl);
    file_ = dir_ + "/pruv/registry.db";
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string dir_;
  std::string file_;
};

std::vector<std::string> brokenCopies(const std::string& folder) {
  std::vector<std::string> out;
  for (auto& e : fs::directory_iterator(folder)) {
    std::string name = e.path().filename().string();
    if (name.rfind("registry.db.broken-", 0) == 0 && name.find("-wal") == std::string::npos &&
        name.find("-shm") == std::string::npos)
      out.push_back(e.path().string());
  }
  return out;
}

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST_F(HiveTest, KeysAndValueNamesIgnoreCaseAndKeepTheirFirstSpelling) {
  auto hive = Hive::open(file_);
  ASSERT_TRUE(hive->isPersistent());
  ASSERT_TRUE(hive->createKey("Software\\Pruv\\Pruv Sonvia\\SaveData"));
  EXPECT_TRUE(hive->keyExists("SOFTWARE\\pruv\\PRUV SONVIA\\savedata"));
  EXPECT_TRUE(hive->keyExists("\\Software\\Pruv\\"));
  EXPECT_FALSE(hive->keyExists("Software\\\\Pruv"));
  EXPECT_FALSE(hive->createKey("Software\\\\Pruv"));

  // A second creation in other case reuses the key; a new child keeps its own spelling.
  ASSERT_TRUE(hive->createKey("software\\PRUV\\Other"));
  EXPECT_EQ(hive->subkeys("Software\\Pruv"), (std::vector<std::string>{"Other", "Pruv Sonvia"}));
  EXPECT_EQ(hive->subkeys(""), std::vector<std::string>{"Software"});

  // Non-ASCII names fold too (Ä/ä, Ж/ж), whatever the locale.
  ASSERT_TRUE(hive->setValue("Software\\Äpfel", "Жанр", ValueType::Dword, reg::dwordData(7)));
  auto v = hive->getValue("SOFTWARE\\äPFEL", "жАНР");
  ASSERT_TRUE(v.has_value());
  EXPECT_EQ(v->name, "Жанр");
  EXPECT_EQ(v->data, reg::dwordData(7));

  ASSERT_TRUE(hive->setValue("Software\\Pruv", "Mode", ValueType::Dword, reg::dwordData(1)));
  ASSERT_TRUE(hive->setValue("Software\\Pruv", "MODE", ValueType::String, reg::stringData(u"x")));
  auto values = hive->values("software\\pruv");
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(values[0].name, "Mode");
  EXPECT_EQ(values[0].type, ValueType::String);
  EXPECT_EQ(values[0].data.size(), 4u);  // one character and the NUL, two bytes each
}

TEST_F(HiveTest, ValueTypesKeepTheirDataAndTheDefaultValueIsTheEmptyName) {
  auto hive = Hive::open(file_);
  struct Case {
    const char* name;
    ValueType type;
    std::vector<std::uint8_t> data;
  } cases[] = {
      {"", ValueType::String, reg::stringData(u"German")},
      {"Path", ValueType::ExpandString, reg::stringData(u"%HOME%/Music")},
      {"Count", ValueType::Dword, reg::dwordData(0xFFFFFFFEu)},
      {"Big", ValueType::Qword, reg::qwordData(0x0102030405060708ull)},
      {"Blob", ValueType::Binary, {0x00, 0xFF, 0x1A}},
      {"Empty", ValueType::Binary, {}},
  };
  for (auto& c : cases) ASSERT_TRUE(hive->setValue("K", c.name, c.type, c.data)) << c.name;
  for (auto& c : cases) {
    auto v = hive->getValue("k", c.name);
    ASSERT_TRUE(v.has_value()) << c.name;
    EXPECT_EQ(v->type, c.type) << c.name;
    EXPECT_EQ(v->data, c.data) << c.name;
  }
  EXPECT_EQ(reg::dataAsString(hive->getValue("K", "")->data), u"German");
  EXPECT_EQ(hive->getValue("K", "")->data.size(), 2u * (6 + 1));
  EXPECT_FALSE(hive->getValue("K", "Missing").has_value());
  EXPECT_FALSE(hive->getValue("Missing", "").has_value());

  EXPECT_TRUE(hive->deleteValue("K", "count"));
  EXPECT_FALSE(hive->deleteValue("K", "Count"));
  EXPECT_FALSE(hive->getValue("K", "Count").has_value());

  // Values may sit on the top of the hive too.
  ASSERT_TRUE(hive->setValue("", "Top", ValueType::Dword, reg::dwordData(3)));
  EXPECT_TRUE(hive->getValue("", "top").has_value());
}

TEST_F(HiveTest, DeletingAKeyRemovesItsWholeSubtreeAndNothingElse) {
  auto hive = Hive::open(file_);
  for (const char* k : {"A\\B\\C", "A\\B\\D", "A\\BB", "A\\B]", "AB", "A\\B"})
    ASSERT_TRUE(hive->setValue(k, "v", ValueType::Dword, reg::dwordData(1))) << k;
  EXPECT_TRUE(hive->deleteKey("a\\b"));
  for (const char* gone : {"A\\B", "A\\B\\C", "A\\B\\D"}) {
    EXPECT_FALSE(hive->keyExists(gone)) << gone;
    EXPECT_FALSE(hive->getValue(gone, "v").has_value()) << gone;
  }
  for (const char* kept : {"A", "A\\BB", "A\\B]", "AB"}) EXPECT_TRUE(hive->keyExists(kept)) << kept;
  EXPECT_TRUE(hive->getValue("A\\BB", "v").has_value());
  EXPECT_FALSE(hive->deleteKey("A\\B"));
  EXPECT_FALSE(hive->deleteKey(""));
  EXPECT_TRUE(hive->keyExists(""));
}

TEST(RegistryEnvironment, ExpandsSetNamesAndKeepsTheRest) {
  setenv("SONVIA_TEST_DIR", "/home/ü", 1);
  unsetenv("SONVIA_TEST_UNSET");
  struct Case {
    std::u16string in, out;
  } cases[] = {
      {u"%SONVIA_TEST_DIR%\\Music", u"/home/ü\\Music"},
      {u"a%SONVIA_TEST_DIR%b%SONVIA_TEST_DIR%", u"a/home/üb/home/ü"},
      {u"%SONVIA_TEST_UNSET%\\x", u"%SONVIA_TEST_UNSET%\\x"},
      {u"100%", u"100%"},
      {u"%%", u"%%"},
      {u"50% and %SONVIA_TEST_DIR", u"50% and %SONVIA_TEST_DIR"},
      {u"", u""},
  };
  for (auto& c : cases) EXPECT_EQ(reg::expandEnvironment(c.in), c.out);
}

TEST_F(HiveTest, CurrentUserHiveFollowsXdgConfigHome) {
  const char* old = std::getenv("XDG_CONFIG_HOME");
  std::string saved = old ? old : "";
  setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
  EXPECT_EQ(Hive::currentUserPath(), file_);
  auto hive = Hive::currentUser();
  EXPECT_EQ(hive->path(), file_);
  EXPECT_TRUE(hive->createKey("X"));
  EXPECT_TRUE(fs::exists(file_));
  if (old) setenv("XDG_CONFIG_HOME", saved.c_str(), 1); else unsetenv("XDG_CONFIG_HOME");
}

// Two processes writing into one hive at the same time: nothing is lost, and each sees the
// other's values.
TEST_F(HiveTest, TwoProcessesShareTheHive) {
  Hive::open(file_);  // the file exists before the writers race for it
  constexpr int kEach = 60;
  pid_t children[2];
  for (int c = 0; c < 2; ++c) {
    children[c] = fork();
    ASSERT_GE(children[c], 0);
    if (children[c] == 0) {
      auto hive = Hive::open(file_);
      bool ok = true;
      for (int i = 0; i < kEach; ++i)
        ok = ok && hive->setValue("Shared", "p" + std::to_string(c) + "_" + std::to_string(i),
                                  ValueType::Dword, reg::dwordData(i));
      _exit(ok ? 0 : 1);
    }
  }
  auto hive = Hive::open(file_);
  for (pid_t pid : children) {
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  // The connection opened before the children finished still sees all their writes.
  EXPECT_EQ(hive->values("Shared").size(), 2u * kEach);
  EXPECT_TRUE(brokenCopies(dir_ + "/pruv").empty());
}

// A writer killed at a random moment loses nothing it had committed, and the file still opens.
TEST_F(HiveTest, KilledWriterLosesNothingCommitted) {
  Hive::open(file_);
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    close(fds[0]);
    auto hive = Hive::open(file_);
    std::vector<std::uint8_t> blob(3000, 0x5A);
    for (std::uint32_t i = 0;; ++i) {
      if (!hive->setValue("Log\\" + std::to_string(i % 7), "v" + std::to_string(i),
                          ValueType::Binary, blob))
        _exit(1);
      if (write(fds[1], &i, sizeof i) != sizeof i) _exit(1);
    }
  }
  close(fds[1]);
  std::uint32_t last = 0, got = 0;
  while (last < 40 && read(fds[0], &got, sizeof got) == sizeof got) last = got;
  kill(pid, SIGKILL);
  while (read(fds[0], &got, sizeof got) == sizeof got) last = got;
  close(fds[0]);
  waitpid(pid, nullptr, 0);

  testing::internal::CaptureStderr();
  auto hive = Hive::open(file_);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err, "");
  EXPECT_TRUE(hive->isPersistent());
  for (std::uint32_t i = 0; i <= last; ++i)
    ASSERT_TRUE(hive->getValue("Log\\" + std::to_string(i % 7), "v" + std::to_string(i)))
        << "committed value " << i << " lost";
  EXPECT_TRUE(brokenCopies(dir_ + "/pruv").empty());
}

TEST_F(HiveTest, DamagedOrForeignFileIsKeptAsideAndAFreshHiveMade) {
  // The first 16 bytes of a valid hive with the rest damaged, a text file, and another
  // program's database.
  auto damagedHive = [&] {
    {
      auto hive = Hive::open(file_);
      for (int i = 0; i < 200; ++i)
        hive->setValue("K" + std::to_string(i), "v", ValueType::Binary,
                       std::vector<std::uint8_t>(500, 1));
    }
    std::string bytes = readAll(file_);
    for (std::size_t i = 100; i < bytes.size(); i += 7) bytes[i] = static_cast<char>(0xA5);
    return bytes;
  };
  // A sound SQLite file that another program marked as its own (the application id in the
  // header, bytes 68..71).
  auto foreignDb = [&] {
    {
      auto hive = Hive::open(file_);
      hive->setValue("K", "v", ValueType::Dword, reg::dwordData(1));
    }
    std::string bytes = readAll(file_);
    const char other[4] = {0x12, 0x34, 0x56, 0x78};
    bytes.replace(68, 4, other, 4);
    return bytes;
  };
  struct Case {
    const char* what;
    std::function<std::string()> content;
  } cases[] = {
      {"damaged hive", damagedHive},
      {"text file", [] { return std::string("this is not a database\n"); }},
      {"foreign database", foreignDb},
  };
  for (auto& c : cases) {
    fs::remove_all(dir_ + "/pruv");
    std::string bytes = c.content();
    fs::remove_all(dir_ + "/pruv");
    fs::create_directories(dir_ + "/pruv");
    std::ofstream(file_, std::ios::binary) << bytes;

    testing::internal::CaptureStderr();
    auto hive = Hive::open(file_);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("kept as"), std::string::npos) << c.what << ": " << err;
    EXPECT_TRUE(hive->isPersistent()) << c.what;
    EXPECT_TRUE(hive->setValue("Fresh", "", ValueType::Dword, reg::dwordData(1))) << c.what;
    auto copies = brokenCopies(dir_ + "/pruv");
    ASSERT_EQ(copies.size(), 1u) << c.what;
    EXPECT_EQ(readAll(copies[0]), bytes) << c.what;

    // The fresh hive is a good one: opening it again reports nothing.
    hive.reset();
    testing::internal::CaptureStderr();
    EXPECT_TRUE(Hive::open(file_)->getValue("Fresh", "").has_value()) << c.what;
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << c.what;
  }
}

TEST_F(HiveTest, UnusableLocationKeepsTheProgramGoingInMemory) {
  // The hive's folder cannot be made: a plain file stands where it should be.
  fs::create_directories(dir_);
  std::ofstream(dir_ + "/pruv") << "a file, not a folder";
  testing::internal::CaptureStderr();
  auto hive = Hive::open(file_);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_FALSE(hive->isPersistent());
  EXPECT_NE(err.find("will not be kept"), std::string::npos) << err;
  EXPECT_TRUE(hive->setValue("K", "v", ValueType::Dword, reg::dwordData(5)));
  EXPECT_EQ(hive->getValue("K", "v")->data, reg::dwordData(5));
  EXPECT_EQ(readAll(dir_ + "/pruv"), "a file, not a folder");
}
