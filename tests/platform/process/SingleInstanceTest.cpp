// One running instance per user and program file: who becomes it, what reaches it, and whom it
// refuses to trust.
#include "platform/process/SingleInstance.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>

#include <condition_variable>
#include <cstring>
#include <future>
#include <mutex>

#include "platform/process/InstanceAddress.h"
#include "platform/process/UniqueFd.h"
#include "tests/support/TempDir.h"

using namespace platform::process;
using namespace std::chrono_literals;

namespace {

constexpr uid_t kOtherUser = 65534;

InstanceAddress addressIn(const testing_support::TempDir& dir) {
  InstanceAddress a;
  a.socketPath = dir.file("s.socket");
  a.lockPath = dir.file("s.lock");
  return a;
}

// What an instance was handed, and a way to wait for it without sleeping.
struct Received {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<InstanceRequest> requests;
  InstanceReply reply = InstanceReply::kAccepted;

  InstanceListener::Handler handler() {
    return [this](const InstanceRequest& r) {
      std::lock_guard<std::mutex> hold(mutex);
      requests.push_back(r);
      changed.notify_all();
      return reply;
    };
  }
  bool waitForCount(std::size_t n) {
    std::unique_lock<std::mutex> hold(mutex);
    return changed.wait_for(hold, 10s, [&] { return requests.size() >= n; });
  }
};

InstanceRequest filesRequest(std::vector<std::string> files) {
  InstanceRequest r;
  r.bringToFront = true;
  r.handOver = !files.empty();
  r.activationToken = "token-1";
  r.files = std::move(files);
  return r;
}

UniqueFd boundSocket(const std::string& path) {
  UniqueFd fd(socket(AF_UNIX, SOCK_STREAM, 0));
  sockaddr_un a{};
  a.sun_family = AF_UNIX;
  std::strcpy(a.sun_path, path.c_str());
  EXPECT_EQ(bind(fd.get(), reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
  return fd;
}

}  // namespace

TEST(SingleInstance, FirstBecomesTheInstanceLaterStartsHandOverInOrderAndTheClosedPlaceIsFree) {
  testing_support::TempDir dir;
  Received received;
  SingleInstance first(addressIn(dir));
  ASSERT_EQ(first.start(filesRequest({"/m/a.mp3"}), received.handler(), 3000ms).outcome,
            SingleInstance::Outcome::kInstance);

  const std::vector<std::vector<std::string>> later = {
      {"/m/b.mp3", "/m/c d.wav", "/m/\xff\n.mpl"}, {}, {"/m/e.mp3"}};
  for (const auto& files : later) {
    SingleInstance next(addressIn(dir));
    EXPECT_EQ(next.start(filesRequest(files), nullptr, 3000ms).outcome,
              SingleInstance::Outcome::kHandedOver);
    EXPECT_FALSE(next.isInstance());
  }
  ASSERT_TRUE(received.waitForCount(3));
  for (std::size_t i = 0; i < later.size(); ++i) EXPECT_EQ(received.requests[i], filesRequest(later[i]));

  first.close();
  struct stat st;
  EXPECT_NE(lstat(dir.file("s.socket").c_str(), &st), 0) << "the socket goes with the instance";
  SingleInstance after(addressIn(dir));
  EXPECT_EQ(after.start(filesRequest({}), received.handler(), 3000ms).outcome,
            SingleInstance::Outcome::kInstance);
}

TEST(SingleInstance, AStaleSocketWithoutLockHolderDoesNotBlockTheNextStart) {
  testing_support::TempDir dir;
  { UniqueFd leftover = boundSocket(dir.file("s.socket")); }  // closed, the file stays
  Received received;
  SingleInstance next(addressIn(dir));
  ASSERT_EQ(next.start(filesRequest({"/x.mp3"}), received.handler(), 3000ms).outcome,
            SingleInstance::Outcome::kInstance);
  SingleInstance later(addressIn(dir));
  EXPECT_EQ(later.start(filesRequest({"/y.mp3"}), nullptr, 3000ms).outcome,
            SingleInstance::Outcome::kHandedOver);
}

TEST(SingleInstance, AnInstanceThatIsClosingSendsTheStartOnToBecomeTheInstanceItself) {
  testing_support::TempDir dir;
  Received closing;
  closing.reply = InstanceReply::kClosing;
  SingleInstance old(addressIn(dir));
  ASSERT_EQ(old.start(filesRequest({}), closing.handler(), 3000ms).outcome,
            SingleInstance::Outcome::kInstance);

  Received taken;
  SingleInstance next(addressIn(dir));
  auto result = std::async(std::launch::async, [&] {
    return next.start(filesRequest({"/z.mp3"}), taken.handler(), 10000ms).outcome;
  });
  ASSERT_TRUE(closing.waitForCount(1));
  old.close();
  EXPECT_EQ(result.get(), SingleInstance::Outcome::kInstance);
}

TEST(SingleInstance, AnInstanceThatDoesNotAnswerCostsTheTimeOutAndNoMore) {
  testing_support::TempDir dir;
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  SingleInstance hung(addressIn(dir));
  ASSERT_EQ(hung.start(filesRequest({}),
                       [released](const InstanceRequest&) {
                         released.wait();
                         return InstanceReply::kAccepted;
                       },
                       3000ms)
                .outcome,
            SingleInstance::Outcome::kInstance);
  SingleInstance next(addressIn(dir));
  const auto begun = std::chrono::steady_clock::now();
  const auto result = next.start(filesRequest({"/a.mp3"}), nullptr, 300ms);
  EXPECT_EQ(result.outcome, SingleInstance::Outcome::kNoAnswer);
  EXPECT_NE(result.problem.find("300 ms"), std::string::npos) << result.problem;
  EXPECT_LT(std::chrono::steady_clock::now() - begun, 5s);
  release.set_value();
}

TEST(SingleInstance, ASocketOfAnotherUserIsNeverSentAnything) {
  testing_support::TempDir dir;
  // The place is held (as by a running instance), but the socket there is somebody else's.
  UniqueFd lock(open(dir.file("s.lock").c_str(), O_RDWR | O_CREAT, 0600));
  ASSERT_EQ(flock(lock.get(), LOCK_EX), 0);
  UniqueFd foreign = boundSocket(dir.file("s.socket"));
  ASSERT_EQ(listen(foreign.get(), 4), 0);
  ASSERT_EQ(chown(dir.file("s.socket").c_str(), kOtherUser, kOtherUser), 0);

  SingleInstance start(addressIn(dir));
  const auto result = start.start(filesRequest({"/a.mp3"}), nullptr, 3000ms);
  EXPECT_EQ(result.outcome, SingleInstance::Outcome::kUnavailable);
  EXPECT_NE(result.problem.find("another user"), std::string::npos) << result.problem;
  pollfd pending{foreign.get(), POLLIN, 0};
  EXPECT_EQ(poll(&pending, 1, 0), 0) << "nothing connected to the foreign socket";

  // A lock file of another user is not ours to hold either.
  lock.reset();
  ASSERT_EQ(chown(dir.file("s.lock").c_str(), kOtherUser, kOtherUser), 0);
  EXPECT_EQ(start.start(filesRequest({}), nullptr, 3000ms).outcome,
            SingleInstance::Outcome::kUnavailable);
}

TEST(SingleInstance, TheInstanceIgnoresAProcessOfAnotherUser) {
  testing_support::TempDir dir;
  ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
  Received received;
  SingleInstance instance(addressIn(dir));
  ASSERT_EQ(instance.start(filesRequest({}), received.handler(), 3000ms).outcome,
            SingleInstance::Outcome::kInstance);
  ASSERT_EQ(chmod(dir.file("s.socket").c_str(), 0666), 0);  // let the other user connect at all

  const std::string frame = filesRequest({"/etc/shadow"}).encode();
  const pid_t child = fork();
  if (child == 0) {
    // Another user's process: it may connect and write, but must get no answer (an end of
    // stream, or a reset for the bytes the instance never read).
    if (setgid(kOtherUser) != 0 || setuid(kOtherUser) != 0) _exit(10);
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    std::strcpy(a.sun_path, dir.file("s.socket").c_str());
    if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) _exit(11);
    (void)!write(fd, frame.data(), frame.size());
    char answer;
    _exit(read(fd, &answer, 1) <= 0 ? 0 : 12);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_EQ(WEXITSTATUS(status), 0) << "10/11: could not act as the other user; 12: it was answered";

  // The same user still gets through afterwards, and only its request arrived.
  SingleInstance next(addressIn(dir));
  EXPECT_EQ(next.start(filesRequest({"/ok.mp3"}), nullptr, 3000ms).outcome,
            SingleInstance::Outcome::kHandedOver);
  ASSERT_TRUE(received.waitForCount(1));
  EXPECT_EQ(received.requests.size(), 1u);
  EXPECT_EQ(received.requests[0].files, std::vector<std::string>{"/ok.mp3"});
}

TEST(InstanceAddress, OnlyAPrivateAbsoluteFolderOfThisUserIsUsedAndTheNameFollowsUserAndProgram) {
  testing_support::TempDir dir;
  const uid_t me = getuid();
  mkdir(dir.file("open").c_str(), 0777);
  chmod(dir.file("open").c_str(), 0777);
  mkdir(dir.file("theirs").c_str(), 0700);
  chown(dir.file("theirs").c_str(), kOtherUser, kOtherUser);
  mkdir(dir.file("mine").c_str(), 0700);
  struct Case {
    std::string folder;
    bool usable;
  } cases[] = {{"relative/run", false},     {dir.file("missing"), false}, {dir.file("open"), false},
               {dir.file("theirs"), false}, {dir.file("mine"), true}};
  for (const Case& c : cases) {
    std::string problem;
    EXPECT_EQ(!InstanceAddress::checkedRuntimeFolder(c.folder, me, problem).empty(), c.usable)
        << c.folder << ": " << problem;
  }

  setenv("XDG_RUNTIME_DIR", dir.file("mine").c_str(), 1);
  const InstanceAddress a = InstanceAddress::forProgram("/opt/sonvia/sonvia", me);
  const InstanceAddress same = InstanceAddress::forProgram("/opt/sonvia/sonvia", me);
  const InstanceAddress copy = InstanceAddress::forProgram("/home/u/sonvia", me);
  unsetenv("XDG_RUNTIME_DIR");
  ASSERT_TRUE(a.usable()) << a.problem;
  EXPECT_EQ(a.socketPath, same.socketPath);
  EXPECT_NE(a.socketPath, copy.socketPath);
  EXPECT_EQ(a.socketPath.rfind(dir.file("mine") + "/sonvia-" + std::to_string(me) + "-", 0), 0u)
      << a.socketPath;
}
