// sonvia-cli settings, run as a user would: separate processes sharing one hive.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include "tests/support/CliRun.h"

namespace fs = std::filesystem;

namespace {

struct Result {
  int status;
  std::string out;
  std::string err;
};

class SettingsCli : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/sonvia-cli-hive-XXXXXX";
    dir_ = mkdtemp(tmpl);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string env() const { return "XDG_CONFIG_HOME='" + dir_ + "' "; }

  Result cli(const std::string& args) {
    const testing_support::CliResult r =
        testing_support::runShell(env() + SONVIA_CLI_PATH " settings " + args);
    return {r.status, r.out, r.err};
  }

  std::string dir_;
};

}  // namespace

TEST_F(SettingsCli, SetThenGetInAnotherProcessForEveryType) {
  struct Case {
    const char* path;
    const char* name;
    const char* type;
    const char* value;
    const char* got;
    const char* dumped;
  } cases[] = {
      {"Language", "\"\"", "string", "'Deutsch äöü'", "Deutsch äöü\n", "@ = string \"Deutsch äöü\""},
      {"PlayLists", "NumOfPlayLists", "dword", "3", "3\n", "NumOfPlayLists = dword 3 (0x00000003)"},
      {"PlayLists", "Neg", "dword", "-1", "4294967295\n", "Neg = dword 4294967295 (0xffffffff)"},
      // 64-bit numbers are kept as the program keeps them: eight bytes, lowest first.
      {"Big", "Q", "qword", "0x100000000", "0000000001000000\n", "Q = binary 00 00 00 00 01 00 00 00"},
      {"Dirs", "Music", "expand", "'%HOME%/Music'", "%HOME%/Music\n", "Music = expand \"%HOME%/Music\""},
      {"Skin/Colors", "Raw", "binary-hex", "'00 ff 1A'", "00ff1a\n", "Raw = binary 00 ff 1a"},
  };
  for (auto& c : cases) {
    std::string where = std::string(c.path) + " " + c.name;
    ASSERT_EQ(cli(std::string("set ") + c.path + " " + c.name + " " + c.type + " " + c.value).status,
              0) << where;
  }
  for (auto& c : cases) {
    // Another process, and names in other case.
    std::string path = c.path, name = c.name;
    for (char& ch : path) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    for (char& ch : name) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    Result r = cli("get " + path + " " + name);
    EXPECT_EQ(r.status, 0) << path << " " << name << r.err;
    EXPECT_EQ(r.out, c.got) << path << " " << name;
  }
  std::string dump = cli("dump").out;
  for (auto& c : cases) EXPECT_NE(dump.find(c.dumped), std::string::npos) << c.dumped << "\n" << dump;
  EXPECT_NE(dump.find("[SaveData\\Skin\\Colors]"), std::string::npos) << dump;

  EXPECT_EQ(cli("remove PlayLists neg").status, 0);
  EXPECT_EQ(cli("get PlayLists Neg").status, 1);
  EXPECT_EQ(cli("get PlayLists NumOfPlayLists").out, "3\n");
  EXPECT_EQ(cli("remove skin").status, 0);
  EXPECT_EQ(cli("get Skin/Colors Raw").status, 1);
  EXPECT_EQ(cli("remove Skin").status, 1);
}

// Every type the program keeps goes in and comes out as the program means it.
TEST_F(SettingsCli, TypedValuesReadBackAsTheProgramMeansThem) {
  struct Case {
    const char* type;
    const char* value;
    const char* got;     // `get` with the type
    const char* dumped;  // how the hive holds it
  } cases[] = {
      {"bool", "true", "true\n", "V = dword 1 "},
      {"s32", "-5", "-5\n", "V = dword 4294967291 "},
      {"u32", "4000000000", "4000000000\n", "V = dword 4000000000 "},
      {"s64", "-2", "-2\n", "V = binary fe ff ff ff ff ff ff ff"},
      {"u64", "18446744073709551615", "18446744073709551615\n", "V = binary ff ff ff ff ff ff ff ff"},
      {"f32", "0.5", "0.5\n", "V = binary 00 00 00 3f"},
      {"f64", "-1.25", "-1.25\n", "V = binary 00 00 00 00 00 00 f4 bf"},
      {"string", "'a b'", "a b\n", "V = string \"a b\""},
      {"expand", "'%HOME%/x'", "%HOME%/x\n", "V = expand \"%HOME%/x\""},
      {"bytes", "'0a 0B'", "0a0b\n", "V = binary 0a 0b"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    const std::string path = std::string("Typed/") + c.type;
    ASSERT_EQ(cli("set " + path + " V " + c.type + " " + c.value).status, 0);
    Result got = cli("get " + path + " V " + c.type);
    EXPECT_EQ(got.status, 0) << got.err;
    EXPECT_EQ(got.out, c.got);
    const std::string dump = cli("dump").out;
    EXPECT_NE(dump.find(c.dumped), std::string::npos) << c.dumped << "\n" << dump;
  }
  // A value of another size is no value of the type asked for, as the program sees it.
  EXPECT_EQ(cli("get Typed/s32 V u64").status, 1);
  EXPECT_EQ(cli("get Typed/u64 V f32").status, 1);
  EXPECT_EQ(cli("get Typed/string V expand").status, 1);
  EXPECT_EQ(cli("get Typed/none V s32").status, 1);
}

TEST_F(SettingsCli, WrongArgumentsPrintUsageAndExitWithTwo) {
  for (const char* args : {"", "frob", "dump extra", "get", "get a b c", "set a b dword",
                           "set a b dword 12x", "set a b dword 4294967296", "set a b dword ''",
                           "set a b qword abc", "set a b binary-hex abc", "set a b binary-hex zz",
                           "set a b float 1", "set a b bool yes", "set a b s32 2147483648",
                           "set a b u64 -", "set a b f32 1e39", "get a b float", "remove",
                           "remove a b c"}) {
    Result r = cli(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_NE(r.err.find("usage:"), std::string::npos) << args;
  }
  // Nothing was written by any of them.
  EXPECT_EQ(cli("dump").out, "HKEY_CURRENT_USER\\Software\\Pruv\\Pruv Sonvia\n");
}

TEST_F(SettingsCli, TwoProcessesWritingAtOnceLoseNothing) {
  auto writer = [&](const char* who) {
    return std::string("(i=0; while [ $i -lt 10 ]; do ") + env() + SONVIA_CLI_PATH +
           " settings set Shared " + who + "$i dword $i || exit 1; i=$((i+1)); done)";
  };
  std::string loop = writer("a") + " & " + writer("b") + "; wait";
  ASSERT_EQ(std::system(loop.c_str()), 0);
  std::string dump = cli("dump").out;
  for (const char* who : {"a", "b"})
    for (int i = 0; i < 10; ++i)
      EXPECT_NE(dump.find(std::string("  ") + who + std::to_string(i) + " = dword " +
                          std::to_string(i) + " "),
                std::string::npos)
          << who << i;
}

TEST_F(SettingsCli, HiveKilledMidWriteStillOpens) {
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    setpgid(0, 0);
    std::string loop = "i=0; while :; do " + env() + SONVIA_CLI_PATH +
                       " settings set Busy v$i string abcdefghijklmnopqrstuvwxyz$i; i=$((i+1)); done";
    execl("/bin/sh", "sh", "-c", loop.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  setpgid(pid, pid);
  // Let it get going and write several values, then kill the loop and whatever write is in
  // flight. The waits are bounded generously; a loaded machine only makes them longer.
  auto written = [&](const std::string& name) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < until) {
      if (cli("get Busy " + name).status == 0) return true;
      usleep(20000);
    }
    return false;
  };
  const bool started = written("v3") && written("v6");
  kill(-pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  ASSERT_TRUE(started);

  Result r = cli("get Busy v0");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "abcdefghijklmnopqrstuvwxyz0\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(cli("set Busy after dword 1").status, 0);
  EXPECT_EQ(cli("get Busy after").out, "1\n");
}

TEST_F(SettingsCli, DamagedHiveIsReportedKeptAndReplaced) {
  fs::create_directories(dir_ + "/pruv");
  std::ofstream(dir_ + "/pruv/registry.db") << "garbage, not a database";
  Result r = cli("get Language");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("kept as " + dir_ + "/pruv/registry.db.broken-"), std::string::npos) << r.err;
  EXPECT_EQ(cli("set Language \"\" string English").status, 0);
  Result again = cli("get Language");
  EXPECT_EQ(again.out, "English\n");
  EXPECT_EQ(again.err, "");
}
