#include "s/sound/mp3/win/Mp3.h"

#include "s/sound/mp3/win/Info.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstring>

#include "s/sound/IInfo.h"
#include "s/thread/Pooled.h"

namespace s::sound::mp3::win {

using Guard = thread::ObjLocker::Guard;

namespace {

int32_t clampToInt32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

Mp3::Mp3() { reset(); }

Mp3::~Mp3() {
  close();
  delete decoder_;
}

void Mp3::setSampleRate(int32_t rate) {
  Guard guard(lock_);
  firstFrame_.setSampleRate(rate);
}

int32_t Mp3::getSampleRate() {
  Guard guard(lock_);
  return firstFrame_.sampleRate();
}

void Mp3::setStereo(bool stereo) {
  Guard guard(lock_);
  firstFrame_.mode = stereo ? 0 : 3;
}

bool Mp3::isStereo() {
  Guard guard(lock_);
  return !firstFrame_.singleChannel();
}

void Mp3::setBitRateKbps(int32_t kbps) {
  Guard guard(lock_);
  firstFrame_.setBitRateKbps(kbps);
}

bool Mp3::hasFirstFrame() {
  Guard guard(lock_);
  return frameFound_;
}

FrameHeader Mp3::firstFrame() {
  Guard guard(lock_);
  return firstFrame_;
}

int64_t Mp3::getAudioBytes() {
  Guard guard(lock_);
  return audioBytes_;
}

Id3Tag::Kind Mp3::getTagKind() {
  Guard guard(lock_);
  return tag_.kind();
}

void Mp3::setInputStream(io::IInputStream* stream, bool own) {
  Guard guard(lock_);
  input_.attach(stream, own);
  startOffset_ = stream ? stream->getPosition() : 0;
  headerRead_ = false;
  outputBuffer_.clear();
  if (decoder_) decoder_->restart();
  lastResult_ = Decoder::kNeedMore;
  readHeader();
  if (input_ && frameFound_) input_->seek(firstFrame_.position);
}

void Mp3::readHeader() {
  Guard guard(lock_);
  if (!input_ || headerRead_) return;
  io::IInputStream& in = *input_.get();
  const int64_t remembered = in.getPosition();
  const int64_t size = fileSize_ >= 0 ? fileSize_ : in.getSize();
  tag_.detect(in, startOffset_, size);

  // Cover art in a leading ID3v2 tag is full of 0xFF bytes that can pass for two frame headers
  // in a row; searching from the end of the tag avoids such a false first frame. A tag whose
  // size field is damaged falls back to scanning through it.
  const FrameHeader before = firstFrame_;
  frameFound_ = false;
  if (tag_.kind() == Id3Tag::kVersion2 && remembered <= startOffset_) {
    const int64_t tagEnd = startOffset_ + Id3Tag::version2Size(in, startOffset_);
    if (tagEnd > startOffset_ && (size < 0 || tagEnd < size) && in.seek(tagEnd))
      frameFound_ = firstFrame_.search(in);
  }
  if (!frameFound_ && in.seek(remembered)) frameFound_ = firstFrame_.search(in);
  in.seek(remembered);
  // What a failed search parsed last is some bytes of the file, not its format: the source keeps
  // the format it had.
  if (!frameFound_) firstFrame_ = before;

  if (size >= 0) {
    if (tag_.kind() == Id3Tag::kVersion1)
      audioBytes_ = size - firstFrame_.position - 128;
    else if (tag_.kind() == Id3Tag::kVersion2)
      audioBytes_ = size - firstFrame_.position;
    else
      audioBytes_ = size;
  }
  headerRead_ = true;
}

int32_t Mp3::getFrameCount() {
  Guard guard(lock_);
  // Without a frame there is nothing to count, whatever the default header's length says.
  if (headerRead_ && !frameFound_) return -1;
  if (audioBytes_ > 0 && !firstFrame_.xing && firstFrame_.frameLength > 0)
    return clampToInt32(audioBytes_ / firstFrame_.frameLength);
  if (firstFrame_.xingFrames > 0) return clampToInt32(firstFrame_.xingFrames);
  return -1;
}

int32_t Mp3::getFrameLength() {
  Guard guard(lock_);
  if (headerRead_ && !frameFound_) return -1;
  if (!firstFrame_.xing) return firstFrame_.frameLength;
  if (audioBytes_ > 0 && firstFrame_.xingFrames > 0)
    return clampToInt32(static_cast<int64_t>(static_cast<double>(audioBytes_) /
                                             firstFrame_.xingFrames));
  return -1;
}

int64_t Mp3::getDataSize() {
  Guard guard(lock_);
  const int64_t frames = getFrameCount();
  if (frames < 0) return -1;
  return int64_t{channels()} * firstFrame_.samplesPerFrame() * frames * 2;
}

int32_t Mp3::getDurationSeconds() {
  Guard guard(lock_);
  const int64_t frames = getFrameCount();
  const int64_t rate = firstFrame_.sampleRate();
  // A failed search can leave a header with the reserved rate index: no rate, no duration.
  if (frames < 0 || rate <= 0) return -1;
  return clampToInt32(frames * firstFrame_.samplesPerFrame() / rate);
}

int32_t Mp3::getDurationMs() {
  Guard guard(lock_);
  const int64_t frames = getFrameCount();
  const int64_t rate = firstFrame_.sampleRate();
  if (frames < 0 || rate <= 0) return -1;
  return clampToInt32(frames * firstFrame_.samplesPerFrame() * 1000 / rate);
}

int32_t Mp3::getBitRateKbps() {
  Guard guard(lock_);
  if (!firstFrame_.xing) return firstFrame_.bitRateKbps();
  const int64_t seconds = getDurationSeconds();
  if (audioBytes_ > 0 && seconds > 0) return clampToInt32(audioBytes_ * 8 / (seconds * 1000));
  return -1;
}

void Mp3::keepForLater(const uint8_t* pcm, uint32_t length) {
  const std::size_t waiting = outputBuffer_.size();
  outputBuffer_.setSize(waiting + length);
  std::memcpy(outputBuffer_.data() + waiting, pcm, length);
}

bool Mp3::read(void* dst, uint32_t capacity, uint32_t* count) {
  if (count) *count = 0;
  Guard guard(lock_);
  if (!input_) return false;
  readHeader();
  uint32_t n = capacity;
  if (n > 4) n &= ~3u;

  if (!inputBuffer_.ensureCapacity(kInputBlock) || !outputBuffer_.ensureCapacity(kOutputBuffer))
    return false;
  if (!decoder_) decoder_ = new Decoder;
  if (!decoder_->isPrepared()) {
    if (!decoder_->prepare(channels())) return false;
    lastResult_ = Decoder::kNeedMore;
  }

  auto* out = static_cast<uint8_t*>(dst);
  uint32_t delivered = static_cast<uint32_t>(std::min<std::size_t>(n, outputBuffer_.size()));
  if (delivered > 0) {
    std::memcpy(out, outputBuffer_.data(), delivered);
    outputBuffer_.removeAt(0, delivered);
  }

  bool endOfFile = false;
  bool firstCall = true;
  while (delivered < n) {
    // A whole frame fits straight into the caller's buffer; otherwise it goes through the
    // staging buffer and what does not fit waits for the next read.
    const bool direct = n - delivered >= Decoder::kMinOutput;
    uint8_t* target = direct ? out + delivered : outputBuffer_.data();
    const uint32_t room = direct ? n - delivered : kOutputBuffer;
    uint32_t produced = 0;
    if (firstCall || lastResult_ == Decoder::kFrame) {
      lastResult_ = decoder_->decode(nullptr, 0, target, room, &produced);
    } else {
      uint32_t got = 0;
      if (!input_->read(inputBuffer_.data(), kInputBlock, &got)) {
        endOfFile = true;
        break;
      }
      if (got == 0) break;
      lastResult_ = decoder_->decode(inputBuffer_.data(), got, target, room, &produced);
    }
    firstCall = false;
    if (direct) {
      delivered += produced;
    } else {
      const uint32_t take = std::min(produced, n - delivered);
      std::memcpy(out + delivered, target, take);
      delivered += take;
      if (produced > take) {
        std::memmove(outputBuffer_.data(), target + take, produced - take);
        outputBuffer_.setSize(produced - take);
      }
    }
  }
  if (count) *count = delivered;
  return !(delivered == 0 && endOfFile);
}

void Mp3::seekPercent(float percent, int64_t* bytePosition) {
  if (bytePosition) *bytePosition = 0;
  Guard guard(lock_);
  if (!input_) return;
  readHeader();
  const int64_t frames = getFrameCount();
  const int64_t length = getFrameLength();
  if (frames < 1 || length < 1) return;
  // Outside 0..100 (or NaN) the target frame would lie before the first one or overflow.
  const double fraction = std::isnan(percent) ? 0.0 : std::clamp(percent / 100.0, 0.0, 1.0);
  const int64_t target = static_cast<int64_t>(fraction * static_cast<double>(frames));
  if (bytePosition) *bytePosition = int64_t{channels()} * firstFrame_.samplesPerFrame() * target * 2;
  const int64_t filePosition = firstFrame_.position + target * length;

  // Input the decoder still holds belongs to the old position: fed on together with the new
  // bytes it would come out as a frame of noise. The decoder starts afresh at the frame found.
  if (decoder_) decoder_->restart();
  lastResult_ = Decoder::kNeedMore;
  if (!input_->seek(filePosition) && input_->getSize() >= 0) input_->seek(input_->getSize());
  thread::holdPooled(FrameHeader::create())->search(*input_.get());
  outputBuffer_.clear();
}

IInfo* Mp3::createInfo(std::u16string_view path) {
  IInfo* info = Info::create();
  info->load(path);
  fillInfo(info);
  return info;
}

void Mp3::fillInfo(IInfo* info) {
  if (!info) return;
  info->setSampleRate(getSampleRate());
  info->setStereo(isStereo());
  info->setBitRateKbps(getBitRateKbps());
  info->setPlayTimeMs(getDurationMs());
}

void Mp3::close() {
  Guard guard(lock_);
  input_.drop();
}

void Mp3::reset() {
  close();
  Guard guard(lock_);
  inputBuffer_.reset();
  outputBuffer_.reset();
  fileSize_ = -1;
  audioBytes_ = -1;
  tag_.reset();
  firstFrame_.reset();
  firstFrame_.setBitRateKbps(192);
  firstFrame_.setSampleRate(44100);
  frameFound_ = false;
  headerRead_ = false;
  startOffset_ = 0;
  bitsPerSample_ = 16;
  if (decoder_) decoder_->exit();
  lastResult_ = Decoder::kNeedMore;
}

}  // namespace s::sound::mp3::win
