#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace s::sound::mp3 {

// libid3tag allocates a compressed frame's declared size before it inflates the frame, and the
// declaration is four bytes of the file: a 150-byte file can ask for 4 GiB. The tags of a file
// are looked over here first, and a file whose tag declares an implausible frame is not given to
// libid3tag at all (its tag counts as damaged; the audio is unaffected).
class TagPrecheck {
 public:
  // The largest inflated frame we let through: cover images stay far below it.
  static constexpr uint32_t kMaxInflatedFrame = 16u << 20;

  // Checks the ID3v2 tags libid3tag would read from the open file `fd`: the one at its start and
  // one appended at its end (before an ID3v1 tag). False with the reason when one is unsafe.
  static bool fileIsSafe(int fd, std::string* why);
  // Checks one whole ID3v2 tag (header included).
  static bool tagIsSafe(const uint8_t* tag, std::size_t size, std::string* why);
};

}  // namespace s::sound::mp3
