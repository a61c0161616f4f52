#include "platform/process/InstanceRequest.h"

#include <gtest/gtest.h>

using platform::process::InstanceRequest;

namespace {

std::string payloadOf(const InstanceRequest& r) {
  return r.encode().substr(InstanceRequest::kHeaderSize);
}

}  // namespace

TEST(InstanceRequest, RoundTripsAnyFileNameBytesAndRejectsEveryDamagedFrame) {
  InstanceRequest r;
  r.bringToFront = true;
  r.handOver = true;
  r.activationToken = "startup-id_TIME123";
  r.files = {"/a b/c.mp3", "/x/\xff\xfe\n.wav", "/y/\xe6\x97\xa5.mpl"};
  const std::string frame = r.encode();
  const auto length = InstanceRequest::payloadLength(frame.substr(0, InstanceRequest::kHeaderSize));
  ASSERT_TRUE(length);
  EXPECT_EQ(*length, frame.size() - InstanceRequest::kHeaderSize);
  EXPECT_EQ(InstanceRequest::decode(payloadOf(r)), r);
  EXPECT_EQ(InstanceRequest::decode(payloadOf(InstanceRequest{})), InstanceRequest{});

  const std::string good = payloadOf(r);
  InstanceRequest withNul = r;
  withNul.files[1] = std::string("/a\0b", 4);
  InstanceRequest withEmpty = r;
  withEmpty.files[0].clear();
  std::string countLie = payloadOf(InstanceRequest{});
  countLie[countLie.size() - 1] = '\x7f';  // claims 2^30 files in an empty rest
  std::string badFlags = good;
  badFlags[0] = '\x04';
  const std::string damaged[] = {good.substr(0, good.size() - 1), good + "x", countLie, badFlags,
                                 payloadOf(withNul), payloadOf(withEmpty), ""};
  for (const std::string& d : damaged) EXPECT_FALSE(InstanceRequest::decode(d)) << d.size();

  std::string foreign = frame.substr(0, InstanceRequest::kHeaderSize);
  foreign[0] = 'X';
  EXPECT_FALSE(InstanceRequest::payloadLength(foreign));
  const std::string huge("SNV1\xff\xff\xff\x7f", 8);
  EXPECT_FALSE(InstanceRequest::payloadLength(huge)) << "a frame beyond the limit is not read";
}
