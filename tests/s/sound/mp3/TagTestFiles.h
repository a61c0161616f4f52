#pragma once
// Short MP3 files for the tag tests, made by lame from a sox tone and tagged by the usual tools.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"
#include "tests/support/CliRun.h"

namespace tag_test_files {

// Runs a shell command; true when it exits with 0. Its output is dropped, so that test logs show
// only what a failing check says.
inline bool run(const std::string& command) {
  int status = std::system((command + " >/dev/null 2>&1").c_str());
  return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Runs a shell command and gives what it printed.
inline std::string output(const std::string& command) {
  return testing_support::runShell(command).out;
}

// A word in single quotes for the shell; the bytes stay as they are (Shift_JIS included).
inline std::string shellWord(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

// The bytes between a leading ID3v2 tag and a trailing ID3v1 tag: the audio frames. Read here
// from the raw file, independently of the code under test.
inline std::string audioFrames(const std::string& path) {
  std::string data = readFile(path);
  size_t start = 0, end = data.size();
  if (data.size() >= 10 && data.compare(0, 3, "ID3") == 0) {
    auto b = [&](int i) { return static_cast<size_t>(static_cast<unsigned char>(data[i])); };
    start = 10 + (b(6) << 21 | b(7) << 14 | b(8) << 7 | b(9)) + ((b(5) & 0x10) ? 10 : 0);
  }
  if (end >= start + 128 && data.compare(end - 128, 3, "TAG") == 0) end -= 128;
  return start <= end ? data.substr(start, end - start) : std::string();
}

// Writes ID3v2 frames with mutagen. `frames` is Python: a list of frame constructors, such as
// "TIT2(encoding=1, text='x')"; `version` is 3 or 4.
inline bool writeWithMutagen(const std::string& path, const std::string& frames, int version) {
  std::string script = "from mutagen.id3 import ID3, TIT2, TPE1, TALB, TDRC, TRCK, TCON, COMM\n"
                       "tag = ID3()\n"
                       "for frame in [" + frames + "]: tag.add(frame)\n"
                       "tag.save(" + shellWord(path) + ", v2_version=" + std::to_string(version) + ")\n";
  return run("/usr/bin/python3 -c " + shellWord(script));
}

// A fresh untagged MP3 of 0.3 s at `path` (made once per test program, then copied).
inline bool makeMp3(const std::string& path) {
  static testing_support::TempDir cache;
  static const bool made = [] {
    std::string wav = cache.file("tone.wav"), mp3 = cache.file("tone.mp3");
    return run("sox -n -r 44100 -c 2 -b 16 " + wav + " synth 0.3 sine 440") &&
           run("lame --quiet -b 128 --noreplaygain " + wav + " " + mp3);
  }();
  std::error_code error;
  return made && std::filesystem::copy_file(cache.file("tone.mp3"), path,
                                            std::filesystem::copy_options::overwrite_existing,
                                            error);
}

// An MP3 encoded by lame with its own tag options (for example "--tt Title --ta Artist").
inline bool makeMp3WithLame(const std::string& path, const std::string& lameOptions) {
  testing_support::TempDir work;
  std::string wav = work.file("tone.wav");
  return run("sox -n -r 44100 -c 1 -b 16 " + wav + " synth 0.3 sine 330") &&
         run("lame --quiet -b 64 " + lameOptions + " " + wav + " " + shellWord(path));
}

}  // namespace tag_test_files
