#include "platform/process/InstanceRequest.h"

namespace platform::process {

namespace {

constexpr std::string_view kMagic = "SNV1";
constexpr std::uint8_t kFront = 1;
constexpr std::uint8_t kHandOver = 2;

void putU32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void putField(std::string& out, std::string_view field) {
  putU32(out, static_cast<std::uint32_t>(field.size()));
  out.append(field);
}

// Reads from a payload whose every length is checked against what is left of it.
class Cursor {
 public:
  explicit Cursor(std::string_view data) : data_(data) {}
  bool u8(std::uint8_t& v) {
    if (data_.empty()) return false;
    v = static_cast<std::uint8_t>(data_[0]);
    data_.remove_prefix(1);
    return true;
  }
  bool u32(std::uint32_t& v) {
    if (data_.size() < 4) return false;
    v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(data_[i])) << (8 * i);
    data_.remove_prefix(4);
    return true;
  }
  bool field(std::string& out) {
    std::uint32_t n;
    if (!u32(n) || n > InstanceRequest::kMaxField || n > data_.size()) return false;
    out.assign(data_.substr(0, n));
    data_.remove_prefix(n);
    return out.find('\0') == std::string::npos;
  }
  bool atEnd() const { return data_.empty(); }
  std::size_t left() const { return data_.size(); }

 private:
  std::string_view data_;
};

}  // namespace

std::string InstanceRequest::encode() const {
  std::string payload;
  payload.push_back(static_cast<char>((bringToFront ? kFront : 0) | (handOver ? kHandOver : 0)));
  putField(payload, activationToken);
  putU32(payload, static_cast<std::uint32_t>(files.size()));
  for (const std::string& f : files) putField(payload, f);
  std::string frame(kMagic);
  putU32(frame, static_cast<std::uint32_t>(payload.size()));
  return frame + payload;
}

std::optional<std::uint32_t> InstanceRequest::payloadLength(std::string_view header) {
  if (header.size() != kHeaderSize || header.substr(0, 4) != kMagic) return std::nullopt;
  Cursor c(header.substr(4));
  std::uint32_t n = 0;
  c.u32(n);
  if (n > kMaxPayload) return std::nullopt;
  return n;
}

std::optional<InstanceRequest> InstanceRequest::decode(std::string_view payload) {
  Cursor c(payload);
  InstanceRequest r;
  std::uint8_t flags;
  std::uint32_t count;
  if (!c.u8(flags) || (flags & ~(kFront | kHandOver)) || !c.field(r.activationToken) || !c.u32(count))
    return std::nullopt;
  // Each file takes at least its 4-byte length, so a count beyond that is a lie.
  if (count > c.left() / 4) return std::nullopt;
  r.bringToFront = flags & kFront;
  r.handOver = flags & kHandOver;
  r.files.resize(count);
  for (std::string& f : r.files)
    if (!c.field(f) || f.empty()) return std::nullopt;
  if (!c.atEnd()) return std::nullopt;
  return r;
}

}  // namespace platform::process
