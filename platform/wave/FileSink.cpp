#include "platform/wave/FileSink.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/wavefile/WaveFileWriter.h"

namespace platform::wave {

namespace {

constexpr std::uint32_t kHeaderBytes = 44;
// RIFF sizes are 32-bit; the data chunk stops growing where the RIFF size would overflow.
constexpr std::uint64_t kMaxDataBytes = 0xFFFFFFFFull - (kHeaderBytes - 8) - 1;

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
  std::string header = wavefile::WaveFileWriter::header(
      static_cast<std::uint32_t>(format_.sampleRate), static_cast<std::uint16_t>(format_.channels),
      static_cast<std::uint16_t>(format_.bitsPerSample), static_cast<std::uint32_t>(dataBytes_));
  if (std::fseek(file_, 0, SEEK_SET) != 0 || std::fwrite(header.data(), 1, header.size(), file_) != header.size() ||
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
