// The MP3 source's examination of untrusted bytes: tag detection, frame search, header and Xing
// parsing, the length arithmetic, seeking and a few decoding reads.
#include <cstdint>
#include <cstring>
#include <vector>

#include "s/col/_array/ArrayU08.h"
#include "s/sound/mp3/FrameHeader.h"
#include "s/sound/mp3/win/Mp3.h"

namespace {

std::vector<uint8_t> frame(uint32_t header, std::size_t length) {
  std::vector<uint8_t> f = {static_cast<uint8_t>(header >> 24), static_cast<uint8_t>(header >> 16),
                            static_cast<uint8_t>(header >> 8), static_cast<uint8_t>(header)};
  f.resize(length, 0x55);
  return f;
}

void append(std::vector<uint8_t>& to, const std::vector<uint8_t>& what) {
  to.insert(to.end(), what.begin(), what.end());
}

}  // namespace

// The seed hooks' signature is the smoke driver's; only C++ ever calls them.
#if defined(__clang__)
#pragma clang diagnostic ignored "-Wreturn-type-c-linkage"
#endif

extern "C" size_t SonviaFuzzSeedCount() { return 4; }

extern "C" std::vector<uint8_t> SonviaFuzzSeed(size_t index) {
  std::vector<uint8_t> bytes;
  switch (index) {
    case 0:  // MPEG-1 layer 3 128k 44100 with a Xing header
      append(bytes, frame(0xFFFB9000, 417));
      std::memcpy(bytes.data() + 36, "Xing\0\0\0\x0F\0\0\0\x10\0\0\x20\0", 16);
      for (int i = 0; i < 8; ++i) append(bytes, frame(0xFFFB9000, 417));
      break;
    case 1:  // ID3v2 tag, MPEG-2 mono frames, ID3v1 tag
      append(bytes, {'I', 'D', '3', 3, 0, 0, 0, 0, 0, 20});
      bytes.resize(30, 0);
      for (int i = 0; i < 6; ++i) append(bytes, frame(0xFFF380C0, 208));
      append(bytes, {'T', 'A', 'G'});
      bytes.resize(bytes.size() + 125, ' ');
      break;
    case 2:  // junk, then MPEG-2.5 frames with an Info header
      append(bytes, {0xFF, 0x00, 0xFF, 0xFF, 0x12});
      append(bytes, frame(0xFFE318C0, 72));
      std::memcpy(bytes.data() + 5 + 13, "Info\0\0\0\x03\0\0\0\x04\0\0\x01\0", 16);
      for (int i = 0; i < 4; ++i) append(bytes, frame(0xFFE318C0, 72));
      break;
    default:  // layer 1 and layer 2 frames
      for (int i = 0; i < 3; ++i) append(bytes, frame(0xFFFF4000, 136));
      for (int i = 0; i < 3; ++i) append(bytes, frame(0xFFFD8400, 384));
      break;
  }
  return bytes;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using s::col::_array::ArrayU08;
  {
    auto* in = ArrayU08::create();
    in->copyFromRaw(data, size);
    s::sound::mp3::FrameHeader header;
    if (size > 0) in->seek(data[0] % (size + 1));
    header.search(*in);
    (void)header.samplesPerFrame();
    (void)header.bitRateKbps();
    in->release();
  }
  auto* stream = ArrayU08::create();
  stream->copyFromRaw(data, size);
  auto* mp3 = s::sound::mp3::win::Mp3::create();
  mp3->setFileSize(static_cast<int64_t>(size));
  mp3->setInputStream(stream, true);
  (void)mp3->getFrameCount();
  (void)mp3->getFrameLength();
  (void)mp3->getBitRateKbps();
  (void)mp3->getDurationMs();
  (void)mp3->getDurationSeconds();
  (void)mp3->getDataSize();
  std::vector<uint8_t> pcm(9000);
  uint32_t count = 0;
  const uint32_t requests[] = {8192, 4, 1001, 9000};
  for (uint32_t request : requests) mp3->read(pcm.data(), request, &count);
  int64_t position = 0;
  const float percents[] = {50.0f, 0.0f, 100.0f, 37.5f};
  for (float percent : percents) {
    mp3->seekPercent(percent, &position);
    mp3->read(pcm.data(), 8192, &count);
  }
  mp3->release();
  return 0;
}
