#include "platform/wavefile/WaveFileWriter.h"

namespace platform::wavefile {

namespace {

void put16(std::string& s, uint16_t v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>(v >> 8));
}

void put32(std::string& s, uint32_t v) {
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

}  // namespace

std::string WaveFileWriter::header(uint32_t sampleRate, uint16_t channels, uint16_t bitsPerSample,
                                   uint32_t dataBytes) {
  std::string h;
  uint16_t blockAlign = static_cast<uint16_t>(channels * bitsPerSample / 8);
  h += "RIFF";
  put32(h, 36 + dataBytes + (dataBytes & 1));
  h += "WAVEfmt ";
  put32(h, 16);
  put16(h, 1);
  put16(h, channels);
  put32(h, sampleRate);
  put32(h, sampleRate * blockAlign);
  put16(h, blockAlign);
  put16(h, bitsPerSample);
  h += "data";
  put32(h, dataBytes);
  return h;
}

WaveFileWriter::~WaveFileWriter() { close(); }

bool WaveFileWriter::open(const std::string& path, uint32_t sampleRate, uint16_t channels,
                          uint16_t bitsPerSample) {
  close();
  file_ = std::fopen(path.c_str(), "wb");
  if (!file_) return false;
  sampleRate_ = sampleRate;
  channels_ = channels;
  bits_ = bitsPerSample;
  dataBytes_ = 0;
  failed_ = false;
  std::string h = header(sampleRate, channels, bitsPerSample, 0);
  failed_ = std::fwrite(h.data(), 1, h.size(), file_) != h.size();
  return !failed_;
}

bool WaveFileWriter::write(const void* data, std::size_t bytes) {
  if (!file_) return false;
  if (bytes && std::fwrite(data, 1, bytes, file_) != bytes) failed_ = true;
  dataBytes_ += bytes;
  return !failed_;
}

bool WaveFileWriter::close() {
  if (!file_) return !failed_;
  bool ok = !failed_ && dataBytes_ <= 0xFFFFFFFEu;
  if (dataBytes_ & 1) ok = ok && std::fputc(0, file_) != EOF;  // RIFF chunks are word-aligned
  std::string h = header(sampleRate_, channels_, bits_, static_cast<uint32_t>(dataBytes_));
  ok = ok && std::fseek(file_, 0, SEEK_SET) == 0 &&
       std::fwrite(h.data(), 1, h.size(), file_) == h.size();
  ok = std::fclose(file_) == 0 && ok;
  file_ = nullptr;
  return ok;
}

}  // namespace platform::wavefile
