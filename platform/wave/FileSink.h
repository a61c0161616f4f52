#pragma once
#include <cstdio>

#include "platform/wave/PacingClock.h"
#include "platform/wave/Sink.h"

namespace platform::wave {

// The "file:PATH" and "file-fast:PATH" devices: a canonical WAVE file (RIFF header, 16-byte PCM
// format chunk, one data chunk) holding every byte written to the device, so that a rendering holds
// exactly what a sound card would have received. Paced like the null device, or as fast as the disk
// allows.
class FileSink : public Sink {
 public:
  // Creates or truncates the file; null with the reason in `error` when that is impossible.
  static std::unique_ptr<FileSink> create(const std::string& path, const Format& format, bool paced,
                                          std::string& error);
  ~FileSink() override;

  std::size_t write(const std::uint8_t* data, std::size_t bytes, bool final) override;
  std::uint64_t played() override { return clock_.played(); }
  std::chrono::microseconds waitHint(std::uint64_t target, bool wantsSpace) override;
  void pause() override { clock_.pause(); }
  void restart() override { clock_.restart(); }
  void drop() override { clock_.drop(); }
  std::string failure() const override { return failure_; }
  bool realTime() const override { return clock_.paced(); }

 private:
  FileSink(std::FILE* file, std::string path, const Format& format, bool paced);
  bool writeHeader();
  void fail(const char* what);

  std::FILE* file_;
  std::string path_;
  Format format_;
  PacingClock clock_;
  std::uint64_t dataBytes_ = 0;
  std::uint64_t headerDataBytes_ = 0;  // the data size the header on disk states
  std::string failure_;
};

}  // namespace platform::wave
