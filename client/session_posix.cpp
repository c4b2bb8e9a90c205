// AskInSession on Linux: root learns the session from logind, writes the
// request into the user's runtime folder as the user's own file, and runs
// tandrel there as the user; the request is gone afterwards, whatever the
// outcome.
#include "session_posix.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "request_writer.h"
#include "write_all.h"

namespace {

AskOutcome Failure(AskStatus status, std::string detail) {
  AskOutcome outcome;
  outcome.status = status;
  outcome.detail = std::move(detail);
  return outcome;
}

class Folder {
 public:
  explicit Folder(int fd) : fd_(fd) {}
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;
  ~Folder() {
    if (fd_ >= 0) close(fd_);
  }
  int fd() const { return fd_; }

 private:
  int fd_;
};

// The user's runtime folder, open, if it is the user's and nobody else may
// write to it: only then is a name made there the user's alone.
int OpenRuntimeFolder(const LoginSession& session, std::string& why) {
  const std::string& path = session.runtimePath;
  const int folder =
      open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  struct stat status {};
  if (folder < 0 || fstat(folder, &status) != 0) {
    why = "cannot open the runtime folder '" + path +
          "': " + std::strerror(errno);
    if (folder >= 0) close(folder);
    return -1;
  }
  if (status.st_uid != session.uid || (status.st_mode & 022) != 0) {
    why = "the runtime folder '" + path +
          "' is not its user's alone, so no request is made there";
    close(folder);
    return -1;
  }
  return folder;
}

std::string RandomName() {
  constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  unsigned char bytes[8] = {};
  if (getrandom(bytes, sizeof bytes, 0) != sizeof bytes) {
    std::random_device random;
    for (unsigned char& byte : bytes)
      byte = static_cast<unsigned char>(random());
  }
  std::string name = "tandrel-ask-";
  for (unsigned char byte : bytes) name += kLetters[byte % 36];
  return name + ".txt";
}

// A new file in the folder, mode 0600 and the user's, holding `bytes`; on
// failure nothing is left.
bool CreateUserRequest(int folder, const Account& account,
                       const std::string& bytes, std::string& name,
                       std::string& why) {
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    name = RandomName();
    fd = openat(folder, name.c_str(),
                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    why = std::string("cannot create a request file in the runtime folder: ") +
          std::strerror(errno);
    return false;
  }
  const bool made = fchown(fd, account.uid, account.gid) == 0 &&
                    fchmod(fd, 0600) == 0 &&
                    WriteAll(fd, bytes.data(), bytes.size());
  const int error = errno;
  if (close(fd) != 0 || !made) {
    unlinkat(folder, name.c_str(), 0);
    why = "cannot write the request file " + name + ": " +
          std::strerror(made ? errno : error);
    return false;
  }
  return true;
}

bool NameExists(int folder, const std::string& name) {
  struct stat status {};
  return fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 ||
         errno != ENOENT;
}

}  // namespace

bool LookUpAccount(uid_t uid, Account& account, std::string& why) {
  passwd entry{};
  passwd* found = nullptr;
  std::vector<char> strings(16384);
  if (getpwuid_r(uid, &entry, strings.data(), strings.size(), &found) != 0 ||
      found == nullptr) {
    why = "the session's user " + std::to_string(uid) + " is unknown here";
    return false;
  }
  account = {uid, entry.pw_gid, entry.pw_name, entry.pw_dir, {}};
  // glibc says how many groups there are when they do not fit.
  int room = 32;
  for (int tries = 0; tries < 8; ++tries) {
    account.groups.resize(static_cast<std::size_t>(room));
    int count = room;
    if (getgrouplist(entry.pw_name, entry.pw_gid, account.groups.data(),
                     &count) >= 0) {
      account.groups.resize(static_cast<std::size_t>(count));
      return true;
    }
    room = count > room ? count : room * 2;
  }
  why = "cannot learn the groups of user " + account.name;
  return false;
}

AskOutcome AskInSession(const std::string& program, const AskRequest& request,
                        const SessionTarget& target,
                        const StartedHook& started) {
  if (getuid() != 0 || geteuid() != 0) {
    return Failure(AskStatus::kNotPermitted,
                   "only root can show a box in a user's session");
  }
  std::string bytes;
  if (std::optional<RequestError> error = WriteRequest(request, bytes)) {
    return Failure(AskStatus::kRequestRefused, Describe(*error));
  }
  LoginSession session;
  AskOutcome failure;
  if (!FindLoginSession(target, session, failure)) return failure;
  Account account;
  std::string why;
  if (!LookUpAccount(session.uid, account, why)) {
    return Failure(AskStatus::kNoSession, why);
  }
  const Folder folder(OpenRuntimeFolder(session, why));
  if (folder.fd() < 0) return Failure(AskStatus::kNoRequestFile, why);
  std::vector<std::string> environment;
  if (!SessionEnvironment(session, account, folder.fd(), environment)) {
    return Failure(AskStatus::kNoSession,
                   "no display of session " + session.id + " can be found");
  }
  std::string name;
  if (!CreateUserRequest(folder.fd(), account, bytes, name, why)) {
    return Failure(AskStatus::kNoRequestFile, why);
  }
  const ProgramRun run = RunAsUser(
      account, program, session.runtimePath + "/" + name, environment, started);
  const bool remains = NameExists(folder.fd(), name);
  AskOutcome outcome = Classify(run, remains);
  if (remains) unlinkat(folder.fd(), name.c_str(), 0);
  return outcome;
}
