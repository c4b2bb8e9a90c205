// The POSIX file operations, with the outcomes Windows gives them.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <string>

#include "platform_api.h"
#include "temp_folder.h"

namespace {

HANDLE OpenForReading(const std::u16string& path) {
  return CreateFileW(path.c_str(), GENERIC_READ,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
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
  bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
  struct Case {
    const char* name;
    std::u16string path;
    DWORD error;
  };
  const Case cases[] = {
      {"missing", U16(folder.Path("none.txt")), ERROR_FILE_NOT_FOUND},
      {"empty path", u"", ERROR_FILE_NOT_FOUND},
      {"directory", U16(folder.Path("dir")), ERROR_ACCESS_DENIED},
      {"fifo, without waiting for a writer", U16(folder.Path("fifo")),
       ERROR_ACCESS_DENIED},
      {"socket", U16(socketPath), ERROR_ACCESS_DENIED},
      {"device", u"/dev/null", ERROR_ACCESS_DENIED},
      {"too long", u"/" + std::u16string(5000, u'a'),
       ERROR_FILENAME_EXCED_RANGE},
      {"trailing blank is part of the name", U16(folder.Path("dir ")),
       ERROR_FILE_NOT_FOUND},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OpenForReading(c.path), INVALID_HANDLE_VALUE) << c.name;
    EXPECT_EQ(GetLastError(), c.error) << c.name;
  }
  close(listener);
}

TEST(CreateFileW, OnlyTheArgumentsTheProgramUses) {
  TempFolder folder;
  std::u16string path = U16(folder.Write("r.txt", "x"));
  EXPECT_EQ(CreateFileW(path.c_str(), 0x40000000u, 7, nullptr, OPEN_EXISTING,
                        0x80, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(
      CreateFileW(path.c_str(), GENERIC_READ, 7, nullptr, 2, 0x80, nullptr),
      INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
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
    EXPECT_TRUE(DeleteFileW(path.c_str())) << c.name;
    EXPECT_FALSE(Exists(folder.Path(c.name))) << c.name;
  }
}

TEST(ReadFile, FailsOnAnInvalidHandle) {
  char buffer[4];
  DWORD read = 99;
  EXPECT_FALSE(ReadFile(INVALID_HANDLE_VALUE, buffer, 4, &read, nullptr));
  EXPECT_EQ(read, 0u);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(CloseHandle(INVALID_HANDLE_VALUE));
}

TEST(ReadFile, FailedReadReportsNothingRead) {
  TempFolder folder;
  mkdir(folder.Path("dir").c_str(), 0700);
  int fd = open(folder.Path("dir").c_str(), O_RDONLY);  // read() gives EISDIR
  char buffer[4];
  DWORD read = 99;
  EXPECT_FALSE(ReadFile(reinterpret_cast<HANDLE>(static_cast<intptr_t>(fd)),
                        buffer, 4, &read, nullptr));
  EXPECT_EQ(read, 0u);
  close(fd);
}

TEST(DeleteFileW, DeletesFilesAndLinksButNeverDirectories) {
  TempFolder folder;
  std::string target = folder.Write("target.txt", "x");
  symlink(target.c_str(), folder.Path("link").c_str());
  mkdir(folder.Path("dir").c_str(), 0700);
  EXPECT_TRUE(DeleteFileW(U16(folder.Path("link")).c_str()));
  EXPECT_TRUE(Exists(target));
  EXPECT_FALSE(DeleteFileW(U16(folder.Path("dir")).c_str()));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_TRUE(Exists(folder.Path("dir")));
  EXPECT_FALSE(DeleteFileW(U16(folder.Path("none")).c_str()));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(DeleteFileW(u""));
  EXPECT_TRUE(DeleteFileW(U16(target).c_str()));
  EXPECT_FALSE(Exists(target));
}

}  // namespace
