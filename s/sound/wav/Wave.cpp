#include "s/sound/wav/Wave.h"

#include <algorithm>
#include <climits>
#include <cmath>

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
  return header_.bitsPerSample();
}

int64_t Wave::getDataSize() {
  Guard guard(lock_);
  return header_.dataSize();
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

void Wave::seekPercent(float percent, int64_t* bytePosition) {
  if (bytePosition) *bytePosition = 0;
  Guard guard(lock_);
  if (!input_) return;
  // Outside 0..100 (or NaN) the product would land before the data, in the header, or overflow
  // the conversion; the ends of the data are as far as a seek can go.
  const double fraction = std::isnan(percent) ? 0.0 : std::clamp(percent / 100.0, 0.0, 1.0);
  const int64_t bytes =
      static_cast<int64_t>(static_cast<double>(header_.dataSize()) * fraction) & ~int64_t{3};
  if (bytePosition) *bytePosition = bytes;
  input_->seek(header_.dataOffset() + bytes);
}

int32_t Wave::getDurationMs() {
  Guard guard(lock_);
  const int64_t divisor = static_cast<int64_t>(header_.sampleRate()) *
                          (header_.channels() == 2 ? 2 : 1) * header_.bitsPerSample();
  if (divisor <= 0) return 0;
  return static_cast<int32_t>(std::min<int64_t>(header_.dataSize() * 8000 / divisor, INT32_MAX));
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
  headerRead_ = false;
  fileSize_ = -1;
  startOffset_ = 0;
}

}  // namespace s::sound::wav
