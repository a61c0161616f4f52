#include "platform/wave/FileSink.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace platform::wave {

namespace {

constexpr std::uint32_t kHeaderBytes = 44;
// RIFF sizes are 32-bit; the data chunk stops growing where the RIFF size would overflow.
constexpr std::uint64_t kMaxDataBytes = 0xFFFFFFFFull - (kHeaderBytes - 8) - 1;

void put16(std::uint8_t* at, std::uint32_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}

void put32(std::uint8_t* at, std::uint32_t value) {
  put16(at, value & 0xFFFF);
  put16(at + 2, value >> 16);
}

}  // namespace

std::unique_ptr<FileSink> FileSink::create(const std::string& path, const Format& format, bool paced,
                                           std::string& error) {
  if (path.empty()) {
    error = "no file name given for the file output";
    return nullptr;
  }
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    return nullptr;
  }
  std::unique_ptr<FileSink> sink(new FileSink(file, path, format, paced));
  if (!sink->writeHeader()) {
    error = sink->failure_;
    return nullptr;
  }
  return sink;
}

FileSink::FileSink(std::FILE* file, std::string path, const Format& format, bool paced)
    : file_(file), path_(std::move(path)), format_(format), clock_(format.bytesPerSecond(), paced) {}

FileSink::~FileSink() {
  // A RIFF chunk of odd length is followed by one pad byte that its size does not count.
  if ((dataBytes_ & 1) != 0 && failure_.empty() && std::fputc(0, file_) == EOF) fail("write");
  writeHeader();
  if (std::fclose(file_) != 0 && failure_.empty()) fail("close");
}

bool FileSink::writeHeader() {
  auto data = static_cast<std::uint32_t>(dataBytes_);
  std::uint8_t header[kHeaderBytes];
  std::memcpy(header, "RIFF", 4);
  put32(header + 4, kHeaderBytes - 8 + data + (data & 1));
  std::memcpy(header + 8, "WAVEfmt ", 8);
  put32(header + 16, 16);
  put16(header + 20, 1);
  put16(header + 22, static_cast<std::uint32_t>(format_.channels));
  put32(header + 24, static_cast<std::uint32_t>(format_.sampleRate));
  put32(header + 28, static_cast<std::uint32_t>(format_.bytesPerSecond()));
  put16(header + 32, static_cast<std::uint32_t>(format_.blockAlign()));
  put16(header + 34, static_cast<std::uint32_t>(format_.bitsPerSample));
  std::memcpy(header + 36, "data", 4);
  put32(header + 40, data);
  if (std::fseek(file_, 0, SEEK_SET) != 0 || std::fwrite(header, 1, kHeaderBytes, file_) != kHeaderBytes ||
      std::fseek(file_, 0, SEEK_END) != 0) {
    fail("write");
    return false;
  }
  headerDataBytes_ = dataBytes_;
  return true;
}

void FileSink::fail(const char* what) {
  if (failure_.empty()) failure_ = std::string("cannot ") + what + " " + path_ + ": " + std::strerror(errno);
}

std::size_t FileSink::write(const std::uint8_t* data, std::size_t bytes, bool) {
  // The bytes count as played even when the disk refuses them: a full disk must not stall playback.
  // The failure is kept for the caller to show.
  if (failure_.empty()) {
    auto room = static_cast<std::size_t>(std::min<std::uint64_t>(bytes, kMaxDataBytes - dataBytes_));
    std::size_t stored = room > 0 ? std::fwrite(data, 1, room, file_) : 0;
    dataBytes_ += stored;
    if (stored < room) fail("write");
    else if (room < bytes) failure_ = path_ + ": the WAVE file is full (4 GiB); the rest was not stored";
    // The header is brought up to date every second of sound, so a file left behind by a crash or
    // a kill still plays up to that point.
    if (failure_.empty() && dataBytes_ - headerDataBytes_ >= static_cast<std::uint64_t>(format_.bytesPerSecond()))
      writeHeader();
  }
  clock_.accept(bytes);
  return bytes;
}

std::chrono::microseconds FileSink::waitHint(std::uint64_t target, bool) { return clock_.timeUntil(target); }

}  // namespace platform::wave
