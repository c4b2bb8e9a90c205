// RunRequest when the system fails it: a read that errors, a folder that
// refuses the delete. This program takes the place of read() (linked with
// --wrap=read), so that a read can fail on demand on a real file, watches
// close() and unlinkat() to see the order of the run's last steps, and
// answers fstat() and fstatat() for the name with another identity.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform_api.h"
#include "request_image.h"
#include "run_request.h"
#include "temp_folder.h"
#include "vorlick.h"

namespace {

struct DisplayCall {
  std::u16string text;
  std::u16string caption;
};

std::vector<DisplayCall> displayCalls;
std::vector<DisplayCall> boxCalls;
int displayResult = 1;
int readChunk = 0;      // bytes a read returns at most; 0 leaves it whole
int readsToPass = 0;    // reads that succeed before the failing ones
int failReadsLeft = 0;  // how many reads then fail
int failReadsWith = 0;  // with this errno
int readsFailed = 0;
bool watching = false;           // record the steps below
int readFd = -1;                 // the descriptor the request was read from
std::vector<std::string> steps;  // "close the read", "unlink"

}  // namespace

// What the file system answers about the request's name once the read
// handle is closed (fstat() and fstatat()): as if the name then held another
// file whose identity differs from the file read only by these amounts.
namespace {
dev_t nameDeviceShift = 0;
ino_t nameInodeShift = 0;
int readDescriptor = -1;
bool readClosed = false;

void ShiftIdentity(int result, struct stat* status) {
  if (result == 0 && readClosed) {
    status->st_dev += nameDeviceShift;
    status->st_ino += nameInodeShift;
  }
}
}  // namespace

extern "C" int __real_fstat(int fd, struct stat* status);
extern "C" int __real_fstatat(int folder, const char* name, struct stat* status,
                              int flags);

extern "C" int __wrap_fstat(int fd, struct stat* status) {
  const int result = __real_fstat(fd, status);
  ShiftIdentity(result, status);
  return result;
}

extern "C" int __wrap_fstatat(int folder, const char* name, struct stat* status,
                              int flags) {
  const int result = __real_fstatat(folder, name, status, flags);
  ShiftIdentity(result, status);
  return result;
}

extern "C" int __real_close(int fd);
extern "C" int __real_unlinkat(int folder, const char* name, int flags);

extern "C" int __wrap_close(int fd) {
  if (fd == readDescriptor) readClosed = true;
  if (watching && fd == readFd) {
    steps.push_back("close the read");
    readFd = -1;
  }
  return __real_close(fd);
}

extern "C" int __wrap_unlinkat(int folder, const char* name, int flags) {
  if (watching) steps.push_back("unlink");
  return __real_unlinkat(folder, name, flags);
}

extern "C" ssize_t __real_read(int fd, void* buffer, size_t count);

extern "C" ssize_t __wrap_read(int fd, void* buffer, size_t count) {
  if (watching) readFd = fd;
  if (nameDeviceShift != 0 || nameInodeShift != 0) readDescriptor = fd;
  if (readChunk > 0 && count > static_cast<size_t>(readChunk))
    count = readChunk;
  if (readsToPass > 0) {
    --readsToPass;
    return __real_read(fd, buffer, count);
  }
  if (failReadsLeft == 0) return __real_read(fd, buffer, count);
  --failReadsLeft;
  ++readsFailed;
  errno = failReadsWith;
  return -1;
}

extern "C" int VorlickShowMessage(void*, const char16_t* body,
                                  const char16_t* title, std::uint32_t,
                                  std::int32_t, std::int32_t) {
  displayCalls.push_back({body, title});
  return displayResult;
}

int MessageBoxW(HWND, const char16_t* text, const char16_t* caption, UINT) {
  boxCalls.push_back({text, caption});
  return 1;  // OK
}

namespace {

const std::string kRequest =
    Utf16Bytes(u"<TITLE>Hello<\\TITLE><BODY>World<\\BODY><STYLE>4<\\STYLE>");

class RunFailureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    displayCalls.clear();
    boxCalls.clear();
    displayResult = 6;
    readChunk = 0;
    readsToPass = 0;
    failReadsLeft = 0;
    readsFailed = 0;
    watching = false;
    readFd = -1;
    steps.clear();
  }
  void TearDown() override { SetUp(); }

  TempFolder folder_;
};

TEST_F(RunFailureTest, FailedReadKeepsTheFileAndShowsTheErrorBox) {
  // A request that could not be read was never received: showing an empty
  // box and deleting the file would lose it and report an answer.
  for (int error : {EIO, EINVAL, EISDIR}) {
    SCOPED_TRACE(error);
    SetUp();
    const std::string path = folder_.Write("r.txt", kRequest);
    failReadsWith = error;
    failReadsLeft = 1;
    EXPECT_EQ(RunRequest(U16(path).c_str()), 0);
    EXPECT_EQ(readsFailed, 1);
    EXPECT_TRUE(displayCalls.empty());
    ASSERT_EQ(boxCalls.size(), 1u);
    EXPECT_EQ(boxCalls[0].caption, u"ERROR");
    EXPECT_EQ(boxCalls[0].text, u"Tandrel.exe. Can not open file " + U16(path));
    ASSERT_TRUE(Exists(path));
    std::ifstream kept(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), kRequest);
  }
}

TEST_F(RunFailureTest, InterruptedReadIsRetriedAndTheRunCompletes) {
  const std::string path = folder_.Write("r.txt", kRequest);
  failReadsWith = EINTR;
  failReadsLeft = 1;
  EXPECT_EQ(RunRequest(U16(path).c_str()), 6);
  EXPECT_EQ(readsFailed, 1);
  EXPECT_TRUE(boxCalls.empty());
  ASSERT_EQ(displayCalls.size(), 1u);
  EXPECT_EQ(displayCalls[0].caption, u"Hello");
  EXPECT_EQ(displayCalls[0].text, u"World");
  EXPECT_FALSE(Exists(path));
}

TEST_F(RunFailureTest, ReadFailingAfterPartOfTheRequestKeepsTheFile) {
  std::u16string text = u"<TITLE>Hello<\\TITLE><BODY>World<\\BODY>";
  text.resize(1024, u' ');
  const std::string request = Utf16Bytes(text);
  const std::string path = folder_.Write("r.txt", request);
  readChunk = 100;
  readsToPass = 2;
  failReadsLeft = 1;
  failReadsWith = EIO;
  EXPECT_EQ(RunRequest(U16(path).c_str()), 0);
  EXPECT_EQ(readsFailed, 1);
  EXPECT_TRUE(displayCalls.empty());
  EXPECT_EQ(boxCalls.size(), 1u);
  EXPECT_TRUE(Exists(path));
}

TEST_F(RunFailureTest, ShortReadsAddUpToTheWholeRequest) {
  std::u16string text = u"<TITLE>Hello<\\TITLE>";
  text.resize(1000, u' ');
  text += u"<BODY>World<\\BODY>";  // ends within the 2048 bytes read
  const std::string path = folder_.Write("r.txt", Utf16Bytes(text));
  readChunk = 7;
  EXPECT_EQ(RunRequest(U16(path).c_str()), 6);
  ASSERT_EQ(displayCalls.size(), 1u);
  EXPECT_EQ(displayCalls[0].caption, u"Hello");
  EXPECT_EQ(displayCalls[0].text, u"World");
  EXPECT_FALSE(Exists(path));
}

TEST_F(RunFailureTest, TheReadHandleIsClosedBeforeTheDelete) {
  const std::string path = folder_.Write("r.txt", kRequest);
  watching = true;
  EXPECT_EQ(RunRequest(U16(path).c_str()), 6);
  watching = false;
  EXPECT_EQ(steps, (std::vector<std::string>{"close the read", "unlink"}));
  EXPECT_FALSE(Exists(path));
}

// The identity compared before the delete is the whole of it: the volume
// and both words of the file index. No real file system gives two files
// that differ only in the high word (inode numbers above 2^32), so the
// system is told what to answer.
TEST_F(RunFailureTest, ANameHoldingAFileOfAnotherIdentityIsKept) {
  struct Case {
    const char* name;
    dev_t device;
    ino_t inode;
  };
  for (Case c : {Case{"another volume", 1, 0},
                 Case{"the file index's high word", 0, ino_t{1} << 32}}) {
    SCOPED_TRACE(c.name);
    const std::string path = folder_.Write("r.txt", kRequest);
    nameDeviceShift = c.device;
    nameInodeShift = c.inode;
    EXPECT_EQ(RunRequest(U16(path).c_str()), 6);
    nameDeviceShift = 0;
    nameInodeShift = 0;
    readDescriptor = -1;
    readClosed = false;
    EXPECT_TRUE(Exists(path));
  }
}

// A folder from which nothing can be deleted: without write permission and,
// for a process that permissions do not stop (root), also immutable.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const std::string& path) : path_(path) {
    chmod(path_.c_str(), 0555);
    if (geteuid() == 0) SetImmutable(true);
  }
  ~ReadOnlyFolder() {
    if (geteuid() == 0) SetImmutable(false);
    chmod(path_.c_str(), 0755);
  }
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

 private:
  void SetImmutable(bool on) {
    int fd = open(path_.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    int flags = 0;
    if (ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
      flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
      ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    close(fd);
  }
  std::string path_;
};

TEST_F(RunFailureTest, FailedDeleteKeepsTheDisplaysResult) {
  TempFolder outer;
  const std::string folder = outer.Path("locked");
  ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
  const std::string path = folder + "/r.txt";
  const std::string probe = folder + "/probe";
  std::ofstream(path, std::ios::binary) << kRequest;
  std::ofstream(probe, std::ios::binary) << "p";
  ReadOnlyFolder locked(folder);
  if (unlink(probe.c_str()) == 0) {
    GTEST_SKIP() << "this machine lets this process delete from a read-only "
                    "folder";
  }
  EXPECT_EQ(RunRequest(U16(path).c_str()), 6);
  ASSERT_EQ(displayCalls.size(), 1u);
  EXPECT_EQ(displayCalls[0].caption, u"Hello");
  EXPECT_TRUE(boxCalls.empty());
  EXPECT_TRUE(Exists(path));
}

}  // namespace
