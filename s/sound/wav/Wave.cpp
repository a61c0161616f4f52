#include "s/sound/wav/Wave.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "s/sound/IInfo.h"
#include "s/sound/wav/Info.h"

namespace s::sound::wav {

using Guard = thread::ObjLocker::Guard;

void Wave::setSampleRate(int32_t rate) {
  Guard guard(lock_);
  header_.setSampleRate(static_cast<uint32_t>(rate));
}

int32_t Wave::getSampleRate() {
  Guard guard(lock_);
  return static_cast<int32_t>(std::min<uint32_t>(header_.sampleRate(), INT32_MAX));
}

void Wave::setStereo(bool stereo) {
  Guard guard(lock_);
  header_.setChannels(stereo ? 2 : 1);
}

bool Wave::isStereo() {
  Guard guard(lock_);
  return header_.channels() == 2;
}

void Wave::setBitsPerSample(int32_t bits) {
  Guard guard(lock_);
  header_.setBitsPerSample(static_cast<uint16_t>(bits));
}

int32_t Wave::getBitsPerSample() {
  Guard guard(lock_);
  return header_.needsConversion() ? 16 : header_.bitsPerSample();
}

int64_t Wave::outputDataSize() const {
  if (!header_.needsConversion()) return header_.dataSize();
  return header_.dataSize() / (header_.bitsPerSample() / 8) * 2;
}

int64_t Wave::getDataSize() {
  Guard guard(lock_);
  return outputDataSize();
}

std::string Wave::formatError() {
  Guard guard(lock_);
  if (!input_) return "no file attached";
  return header_.error();
}

void Wave::setInputStream(io::IInputStream* stream, bool own) {
  Guard guard(lock_);
  input_.attach(stream, own);
  startOffset_ = stream ? stream->getPosition() : 0;
  headerRead_ = false;
  readHeader();
}

void Wave::readHeader() {
  Guard guard(lock_);
  if (!input_) return;
  const int64_t size = fileSize_ >= 0 ? fileSize_ : input_->getSize();
  header_.read(*input_.get(), startOffset_, size);
  input_->seek(header_.dataOffset());
  headerRead_ = true;
}

bool Wave::read(void* dst, uint32_t capacity, uint32_t* count) {
  Guard guard(lock_);
  if (!input_) return false;
  if (!headerRead_) readHeader();
  // Nothing of a file whose header can't be played is handed out as noise.
  if (!header_.error().empty()) return false;
  if (header_.needsConversion()) return readConverted(static_cast<uint8_t*>(dst), capacity, count);
  const int64_t remaining =
      header_.dataOffset() + header_.dataSize() - input_->getPosition();
  if (remaining <= 0 || capacity == 0) return false;
  uint32_t n = static_cast<uint32_t>(std::min<int64_t>(capacity, remaining));
  if (n > 4) n &= ~3u;
  uint32_t got = 0;
  const bool ok = input_->read(dst, n, &got);
  if (count) *count = got;
  return ok;
}

namespace {

int16_t clamp16(int64_t v) { return static_cast<int16_t>(std::clamp<int64_t>(v, -32768, 32767)); }

// One sample of `width` bytes (little-endian) as a 16-bit sample, rounded to nearest.
int16_t toSample16(const uint8_t* p, unsigned width, bool isFloat) {
  if (isFloat) {
    float f;
    std::memcpy(&f, p, 4);
    if (std::isnan(f)) return 0;
    return clamp16(std::lround(std::clamp(f, -2.0f, 2.0f) * 32768.0f));
  }
  if (width == 3) {
    const int32_t v = static_cast<int32_t>((uint32_t{p[0]} << 8) | (uint32_t{p[1]} << 16) |
                                           (uint32_t{p[2]} << 24)) >> 8;
    return clamp16((int64_t{v} + 128) >> 8);
  }
  const int32_t v = static_cast<int32_t>(uint32_t{p[0]} | (uint32_t{p[1]} << 8) |
                                         (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24));
  return clamp16((int64_t{v} + 32768) >> 16);
}

}  // namespace

bool Wave::readConverted(uint8_t* dst, uint32_t capacity, uint32_t* count) {
  const unsigned width = header_.bitsPerSample() / 8u;
  const int64_t remaining = header_.dataOffset() + header_.dataSize() - input_->getPosition();
  uint32_t n = capacity > 4 ? capacity & ~3u : capacity;
  const int64_t samples = std::min<int64_t>(n / 2, remaining / width);
  if (samples <= 0) return false;
  scratch_.resize(static_cast<std::size_t>(samples) * width);
  uint32_t got = 0;
  const bool ok = input_->read(scratch_.data(), static_cast<uint32_t>(scratch_.size()), &got);
  const uint32_t whole = got / width;
  // A sample cut by a short read is read again next time.
  if (got % width) input_->seek(input_->getPosition() - got % width);
  for (uint32_t i = 0; i < whole; ++i) {
    const int16_t v = toSample16(scratch_.data() + std::size_t{i} * width, width, header_.isFloat());
    dst[2 * i] = static_cast<uint8_t>(v & 0xFF);
    dst[2 * i + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
  }
  if (count) *count = whole * 2;
  return ok && whole > 0;
}

void Wave::seekPercent(float percent, int64_t* bytePosition) {
  if (bytePosition) *bytePosition = 0;
  Guard guard(lock_);
  if (!input_) return;
  // Outside 0..100 (or NaN) the product would land before the data, in the header, or overflow
  // the conversion; the ends of the data are as far as a seek can go.
  const double fraction = std::isnan(percent) ? 0.0 : std::clamp(percent / 100.0, 0.0, 1.0);
  const int64_t bytes =
      static_cast<int64_t>(static_cast<double>(outputDataSize()) * fraction) & ~int64_t{3};
  if (bytePosition) *bytePosition = bytes;
  const int64_t fileBytes =
      header_.needsConversion() ? bytes / 2 * (header_.bitsPerSample() / 8) : bytes;
  input_->seek(header_.dataOffset() + fileBytes);
}

int32_t Wave::getDurationMs() {
  Guard guard(lock_);
  const int64_t bits = header_.needsConversion() ? 16 : header_.bitsPerSample();
  const int64_t divisor =
      static_cast<int64_t>(header_.sampleRate()) * (header_.channels() == 2 ? 2 : 1) * bits;
  if (divisor <= 0) return 0;
  return static_cast<int32_t>(std::min<int64_t>(outputDataSize() * 8000 / divisor, INT32_MAX));
}

IInfo* Wave::createInfo(std::u16string_view path) {
  Info* info = Info::create();
  info->setPath(path);
  fillInfo(info);
  return info;
}

void Wave::fillInfo(IInfo* info) {
  if (!info) return;
  info->setSampleRate(getSampleRate());
  info->setStereo(isStereo());
  info->setPlayTimeMs(getDurationMs());
}

void Wave::close() {
  Guard guard(lock_);
  input_.drop();
}

void Wave::reset() {
  close();
  Guard guard(lock_);
  header_.clear();
  scratch_.clear();
  scratch_.shrink_to_fit();
  headerRead_ = false;
  fileSize_ = -1;
  startOffset_ = 0;
}

}  // namespace s::sound::wav
