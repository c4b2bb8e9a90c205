// The POSIX file operations, with the outcomes Windows gives them.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform_api.h"
#include "temp_folder.h"

namespace {

HANDLE OpenForReading(const std::u16string& path) {
  return CreateFileW(path.c_str(), GENERIC_READ,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

HANDLE OpenForDeleting(const std::u16string& path) {
  return CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT,
                     nullptr);
}

bool DeleteThroughHandle(const std::u16string& path) {
  HANDLE file = OpenForDeleting(path);
  FILE_DISPOSITION_INFO disposition{TRUE};
  BOOL deleted = SetFileInformationByHandle(file, FileDispositionInfo,
                                            &disposition, sizeof disposition);
  CloseHandle(file);
  return deleted != FALSE;
}

TEST(CreateFileW, OpensAndReadsARegularFile) {
  TempFolder folder;
  std::string path = folder.Write("r.txt", std::string(3000, 'q'));
  HANDLE file = OpenForReading(U16(path));
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  char buffer[2048];
  DWORD read = 0;
  EXPECT_TRUE(ReadFile(file, buffer, 2048, &read, nullptr));
  EXPECT_EQ(read, 2048u);
  EXPECT_TRUE(ReadFile(file, buffer, 2048, &read, nullptr));
  EXPECT_EQ(read, 952u);
  EXPECT_TRUE(ReadFile(file, buffer, 2048, &read, nullptr));
  EXPECT_EQ(read, 0u);
  EXPECT_TRUE(CloseHandle(file));
}

TEST(CreateFileW, RefusesWhatIsNotARegularFile) {
  TempFolder folder;
  mkdir(folder.Path("dir").c_str(), 0700);
  mkfifo(folder.Path("fifo").c_str(), 0600);
  int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::string socketPath = folder.Path("sock");
  socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
  ASSERT_EQ(
      bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  struct Case {
    const char* name;
    std::u16string path;
  };
  const Case cases[] = {
      {"missing", U16(folder.Path("none.txt"))},
      {"empty path", u""},
      {"directory", U16(folder.Path("dir"))},
      {"fifo, without waiting for a writer", U16(folder.Path("fifo"))},
      {"socket", U16(socketPath)},
      {"device", u"/dev/null"},
      {"too long", u"/" + std::u16string(5000, u'a')},
      {"name too long", U16(folder.Path(std::string(300, 'n')))},
      {"trailing blank is part of the name", U16(folder.Path("dir "))},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OpenForReading(c.path), INVALID_HANDLE_VALUE) << c.name;
  }
  close(listener);
}

TEST(CreateFileW, NonAsciiAndRawBytePathsOpen) {
  TempFolder folder;
  struct Case {
    std::string name;
    std::u16string wide;
  };
  const Case cases[] = {
      {"caf\xC3\xA9.txt", u"caf\u00E9.txt"},
      {"raw\xE9.txt", u"raw\xDCE9.txt"},  // not UTF-8: escaped byte
  };
  for (const Case& c : cases) {
    folder.Write(c.name, "x");
    std::u16string path = U16(folder.Path("")) + c.wide;
    HANDLE file = OpenForReading(path);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << c.name;
    CloseHandle(file);
    EXPECT_TRUE(DeleteThroughHandle(path)) << c.name;
    EXPECT_FALSE(Exists(folder.Path(c.name))) << c.name;
  }
}

// A failing read() is the run's to test (run_failure_test.cpp): here, the
// handle decides.
TEST(ReadFile, OnlyThroughAHandleOpenedForReading) {
  TempFolder folder;
  const std::u16string path = U16(folder.Write("r.txt", "abc"));
  HANDLE deleting = OpenForDeleting(path);
  HANDLE closed = OpenForReading(path);
  ASSERT_TRUE(CloseHandle(closed));
  char buffer[4];
  for (HANDLE handle : {deleting, closed, INVALID_HANDLE_VALUE}) {
    DWORD read = 99;
    EXPECT_FALSE(ReadFile(handle, buffer, 4, &read, nullptr));
    EXPECT_EQ(read, 0u);
  }
  EXPECT_TRUE(CloseHandle(deleting));
  EXPECT_FALSE(CloseHandle(closed));
}

// Each handle holds its own folder and name, whatever else is open or was
// opened before: it deletes its name in the folder it was opened in, also
// after that folder was moved.
TEST(CreateFileW, EachHandleDeletesInItsOwnFolder) {
  TempFolder folder;
  mkdir(folder.Path("a").c_str(), 0700);
  mkdir(folder.Path("b").c_str(), 0700);
  folder.Write("a/r.txt", "a");
  folder.Write("b/r.txt", "b");
  HANDLE a = OpenForDeleting(U16(folder.Path("a/r.txt")));
  HANDLE reading = OpenForReading(U16(folder.Path("b/r.txt")));
  HANDLE b = OpenForDeleting(U16(folder.Path("b/r.txt")));
  EXPECT_TRUE(CloseHandle(reading));
  ASSERT_EQ(rename(folder.Path("a").c_str(), folder.Path("a.old").c_str()), 0);
  FILE_DISPOSITION_INFO disposition{TRUE};
  for (HANDLE handle : {b, a}) {
    EXPECT_TRUE(SetFileInformationByHandle(handle, FileDispositionInfo,
                                           &disposition, sizeof disposition));
    EXPECT_TRUE(CloseHandle(handle));
  }
  EXPECT_FALSE(Exists(folder.Path("a.old/r.txt")));
  EXPECT_FALSE(Exists(folder.Path("b/r.txt")));
}

// A few handles at once, and no more; a closed one leaves nothing behind.
TEST(CreateFileW, HoldsFourHandlesAtOnce) {
  TempFolder folder;
  const std::u16string path = U16(folder.Write("r.txt", "r"));
  std::vector<HANDLE> open;
  for (int i = 0; i < 4; ++i) open.push_back(OpenForReading(path));
  for (HANDLE handle : open) EXPECT_NE(handle, INVALID_HANDLE_VALUE);
  EXPECT_EQ(OpenForReading(path), INVALID_HANDLE_VALUE);
  EXPECT_TRUE(CloseHandle(open.back()));
  open.back() = OpenForDeleting(path);
  EXPECT_NE(open.back(), INVALID_HANDLE_VALUE);
  for (HANDLE handle : open) EXPECT_TRUE(CloseHandle(handle));
}

TEST(CreateFileW, OnlyOpensWhatExists) {
  TempFolder folder;
  const std::u16string path = U16(folder.Write("r.txt", "r"));
  for (DWORD disposition : {1u, 2u, 4u, 5u}) {  // CREATE_NEW ... TRUNCATE
    EXPECT_EQ(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, disposition,
                          FILE_ATTRIBUTE_NORMAL, nullptr),
              INVALID_HANDLE_VALUE)
        << disposition;
  }
}

BY_HANDLE_FILE_INFORMATION InfoOf(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info{};
  EXPECT_TRUE(GetFileInformationByHandle(file, &info));
  CloseHandle(file);
  return info;
}

bool SameFile(const BY_HANDLE_FILE_INFORMATION& a,
              const BY_HANDLE_FILE_INFORMATION& b) {
  return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
         a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

TEST(GetFileInformationByHandle, IndexNamesOneFileWhateverItsName) {
  TempFolder folder;
  std::string file = folder.Write("a.txt", "abc");
  folder.Write("b.txt", "abc");
  link(file.c_str(), folder.Path("hard").c_str());
  symlink(file.c_str(), folder.Path("soft").c_str());
  BY_HANDLE_FILE_INFORMATION a = InfoOf(OpenForReading(U16(file)));
  EXPECT_TRUE(SameFile(a, InfoOf(OpenForReading(U16(folder.Path("hard"))))));
  EXPECT_TRUE(SameFile(a, InfoOf(OpenForReading(U16(folder.Path("soft"))))));
  EXPECT_FALSE(SameFile(a, InfoOf(OpenForReading(U16(folder.Path("b.txt"))))));
  EXPECT_FALSE(SameFile(a, InfoOf(OpenForDeleting(U16(folder.Path("soft"))))));
}

TEST(SetFileInformationByHandle, RemovesTheNameOnlyWhileItNamesTheSameFile) {
  struct Case {
    const char* name;
    bool link;      // the name is a link to target.txt
    int afterOpen;  // 0 nothing, 1 name removed, 2 name holds a new file
    BOOL deleted;
  };
  const Case cases[] = {
      {"file", false, 0, TRUE},
      {"link, not its target", true, 0, TRUE},
      {"name removed meanwhile", false, 1, FALSE},
      {"name holds another file", false, 2, FALSE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    const std::string target = folder.Write("target.txt", "t");
    const std::string path = folder.Path("r.txt");
    if (c.link) {
      symlink(target.c_str(), path.c_str());
    } else {
      folder.Write("r.txt", "r");
    }
    HANDLE file = OpenForDeleting(U16(path));
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    if (c.afterOpen > 0) unlink(path.c_str());
    if (c.afterOpen == 2) folder.Write("r.txt", "new");
    FILE_DISPOSITION_INFO disposition{TRUE};
    EXPECT_EQ(SetFileInformationByHandle(file, FileDispositionInfo,
                                         &disposition, sizeof disposition),
              c.deleted);
    EXPECT_EQ(Exists(path), c.afterOpen == 2);
    EXPECT_TRUE(Exists(target));
    EXPECT_TRUE(CloseHandle(file));
  }
}

TEST(SetFileInformationByHandle, OnlyOnAHandleOpenedForDeleting) {
  TempFolder folder;
  const std::string path = folder.Write("r.txt", "r");
  mkdir(folder.Path("dir").c_str(), 0700);
  EXPECT_EQ(OpenForDeleting(U16(folder.Path("dir"))), INVALID_HANDLE_VALUE);
  EXPECT_EQ(OpenForDeleting(U16(folder.Path("none"))), INVALID_HANDLE_VALUE);
  HANDLE reading = OpenForReading(U16(path));
  FILE_DISPOSITION_INFO disposition{TRUE};
  EXPECT_FALSE(SetFileInformationByHandle(reading, FileDispositionInfo,
                                          &disposition, sizeof disposition));
  CloseHandle(reading);
  EXPECT_TRUE(Exists(path));
  EXPECT_TRUE(Exists(folder.Path("dir")));
}

}  // namespace
