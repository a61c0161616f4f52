#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::process {

// What a later start asks of the running instance: to come to the front (with the desktop's
// start-up token, so that focus-stealing prevention lets it), and to take files, in order.
//
// On the wire: "SNV1", the payload's length (32 bits, little-endian), then the payload: one
// flags byte, the token and the file count as length-prefixed fields. Paths are bytes without
// NUL; nothing in a frame is trusted before decode() has checked every length against the frame.
struct InstanceRequest {
  bool bringToFront = false;
  bool handOver = false;
  std::string activationToken;
  std::vector<std::string> files;

  static constexpr std::size_t kHeaderSize = 8;
  static constexpr std::uint32_t kMaxPayload = 64u << 20;
  static constexpr std::uint32_t kMaxField = 64u << 10;

  std::string encode() const;
  // The payload length announced by a header; nullopt for a foreign or oversized one.
  static std::optional<std::uint32_t> payloadLength(std::string_view header);
  static std::optional<InstanceRequest> decode(std::string_view payload);

  bool operator==(const InstanceRequest&) const = default;
};

// The running instance's one-byte answer.
enum class InstanceReply : char {
  kAccepted = 'A',
  // The instance is shutting down; the start should become the instance itself.
  kClosing = 'C',
  kMalformed = 'M',
};

}  // namespace platform::process
