// The session the box goes to, as logind describes it on the system bus
// (org.freedesktop.login1). Its client is libsystemd's sd-bus: logind is
// part of systemd and is written with it, every systemd machine has the
// library, and it makes blocking calls without a main loop; a toolkit's
// D-Bus library (GDBus, QtDBus) would bring its toolkit into tandrel-ask.
#include <pwd.h>
#include <systemd/sd-bus.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "session_posix.h"

namespace {

constexpr const char* kLogind = "org.freedesktop.login1";
constexpr const char* kManagerPath = "/org/freedesktop/login1";
constexpr const char* kManager = "org.freedesktop.login1.Manager";
constexpr const char* kSeat = "org.freedesktop.login1.Seat";
constexpr const char* kSession = "org.freedesktop.login1.Session";
constexpr const char* kUser = "org.freedesktop.login1.User";
// logind answers within milliseconds; one that hangs must not hold the
// caller for sd-bus's default of 25 s a call.
constexpr std::uint64_t kCallTimeoutUs = 5'000'000;

// One connection to the system bus and the outcome of its last call.
class Logind {
 public:
  Logind() = default;
  Logind(const Logind&) = delete;
  Logind& operator=(const Logind&) = delete;
  ~Logind() {
    sd_bus_error_free(&error_);
    sd_bus_flush_close_unref(bus_);
  }

  bool Connect() {
    status_ = sd_bus_open_system(&bus_);
    if (status_ >= 0)
      status_ = sd_bus_set_method_call_timeout(bus_, kCallTimeoutUs);
    return status_ >= 0;
  }

  // The object path that one of the manager's Get methods returns.
  template <typename Argument>
  bool Object(const char* method, const char* type, Argument argument,
              std::string& path) {
    sd_bus_message* reply = nullptr;
    status_ = sd_bus_call_method(bus_, kLogind, kManagerPath, kManager, method,
                                 &error_, &reply, type, argument);
    const char* found = nullptr;
    if (status_ >= 0) status_ = sd_bus_message_read(reply, "o", &found);
    if (status_ >= 0) path = found;
    sd_bus_message_unref(reply);
    return status_ >= 0;
  }

  bool String(const std::string& path, const char* interface, const char* name,
              std::string& value) {
    char* text = nullptr;
    status_ = sd_bus_get_property_string(bus_, kLogind, path.c_str(), interface,
                                         name, &error_, &text);
    if (status_ >= 0) value = text;
    std::free(text);
    return status_ >= 0;
  }

  // A property of a basic type: 'b' into an int, 'u' into a std::uint32_t.
  template <typename Value>
  bool Trivial(const std::string& path, const char* name, char type,
               Value& value) {
    status_ = sd_bus_get_property_trivial(bus_, kLogind, path.c_str(), kSession,
                                          name, &error_, type, &value);
    return status_ >= 0;
  }

  // A property that names an object: "(so)" or "(uo)", its first member
  // into `first` (a const char* or a std::uint32_t), the path into `path`.
  template <typename First>
  bool Named(const std::string& object, const char* interface, const char* name,
             const char* type, First& first, std::string& path) {
    sd_bus_message* reply = nullptr;
    status_ = sd_bus_get_property(bus_, kLogind, object.c_str(), interface,
                                  name, &error_, &reply, type);
    const char* found = nullptr;
    if (status_ >= 0)
      status_ = sd_bus_message_read(reply, type, &first, &found);
    if (status_ >= 0) path = found;
    if (status_ >= 0) Keep(first);
    sd_bus_message_unref(reply);
    return status_ >= 0;
  }

  // The paths of the sessions of user `uid`, from the manager's list
  // ("a(susso)": ID, user ID, user name, seat, path).
  bool SessionsOf(std::uint32_t uid, std::vector<std::string>& paths) {
    sd_bus_message* reply = nullptr;
    status_ = sd_bus_call_method(bus_, kLogind, kManagerPath, kManager,
                                 "ListSessions", &error_, &reply, "");
    if (status_ >= 0) {
      status_ = sd_bus_message_enter_container(reply, 'a', "(susso)");
    }
    const char* id = nullptr;
    std::uint32_t user = 0;
    const char* name = nullptr;
    const char* seat = nullptr;
    const char* path = nullptr;
    while (status_ >= 0 &&
           (status_ = sd_bus_message_read(reply, "(susso)", &id, &user, &name,
                                          &seat, &path)) > 0) {
      if (user == uid) paths.emplace_back(path);
    }
    sd_bus_message_unref(reply);
    return status_ >= 0;
  }

  // Whether the last call failed because logind has no such session, seat
  // or user (any longer): no session to show the box in, not a failure.
  bool Missing() const {
    return sd_bus_error_has_names(
               &error_, "org.freedesktop.login1.NoSuchSession",
               "org.freedesktop.login1.NoSuchSeat",
               "org.freedesktop.login1.NoSuchUser", SD_BUS_ERROR_UNKNOWN_OBJECT,
               SD_BUS_ERROR_UNKNOWN_METHOD) > 0;
  }

  std::string Why() const {
    if (sd_bus_error_is_set(&error_) && error_.message != nullptr) {
      return error_.message;
    }
    return std::strerror(-status_);
  }

  // Forgets the last failure, to go on with the next session.
  void Forget() {
    sd_bus_error_free(&error_);
    status_ = 0;
  }

 private:
  // The ID read from a "(so)" points into the reply, which goes.
  void Keep(const char*& text) {
    kept_ = text;
    text = kept_.c_str();
  }
  void Keep(std::uint32_t&) {}

  sd_bus* bus_ = nullptr;
  sd_bus_error error_ = SD_BUS_ERROR_NULL;
  int status_ = 0;
  std::string kept_;
};

enum class Found { kYes, kNo, kLogindFailed };

struct SessionState {
  int active = 0;  // 'b' properties are read as int
  int remote = 0;
  std::string sessionClass;
};

bool ReadSession(Logind& logind, const std::string& path, LoginSession& session,
                 SessionState& state) {
  std::uint32_t leader = 0;
  std::uint32_t uid = 0;
  std::string user;
  const bool read =
      logind.String(path, kSession, "Id", session.id) &&
      logind.Trivial(path, "Active", 'b', state.active) &&
      logind.Trivial(path, "Remote", 'b', state.remote) &&
      logind.String(path, kSession, "Type", session.type) &&
      logind.String(path, kSession, "Class", state.sessionClass) &&
      logind.String(path, kSession, "Display", session.display) &&
      logind.Trivial(path, "Leader", 'u', leader) &&
      logind.Named(path, kSession, "User", "(uo)", uid, user) &&
      logind.String(user, kUser, "RuntimePath", session.runtimePath);
  session.leader = static_cast<pid_t>(leader);
  session.uid = static_cast<uid_t>(uid);
  return read;
}

// Why the session is no place for the box, or nothing when it is one: an
// active graphical session of a user (not a greeter's or a lock screen's).
std::string Unfit(const LoginSession& session, const SessionState& state) {
  const std::string name = "session " + session.id;
  if (!state.active) return name + " is not active";
  if (session.type != "x11" && session.type != "wayland") {
    return name + " is not graphical (its type is " + session.type + ")";
  }
  if (state.sessionClass != "user") {
    return name + " is not a user's session (its class is " +
           state.sessionClass + ")";
  }
  return {};
}

Found Examine(Logind& logind, const std::string& path, const std::string& id,
              LoginSession& session, std::string& why) {
  SessionState state;
  if (!ReadSession(logind, path, session, state)) {
    why = "there is no session " + id;
    return logind.Missing() ? Found::kNo : Found::kLogindFailed;
  }
  why = Unfit(session, state);
  return why.empty() ? Found::kYes : Found::kNo;
}

Found NamedSession(Logind& logind, const std::string& id, LoginSession& session,
                   std::string& why) {
  std::string path;
  if (!logind.Object("GetSession", "s", id.c_str(), path)) {
    why = "there is no session " + id;
    return logind.Missing() ? Found::kNo : Found::kLogindFailed;
  }
  return Examine(logind, path, id, session, why);
}

Found SeatSession(Logind& logind, LoginSession& session, std::string& why) {
  std::string seat;
  const char* id = nullptr;
  std::string path;
  why = "no session is active on seat0";
  if (!logind.Object("GetSeat", "s", "seat0", seat) ||
      !logind.Named(seat, kSeat, "ActiveSession", "(so)", id, path)) {
    return logind.Missing() ? Found::kNo : Found::kLogindFailed;
  }
  if (id[0] == 0) return Found::kNo;
  return Examine(logind, path, id, session, why);
}

// The user's first session that is active and graphical, and on this
// machine: logind lists a remote one too (a remote desktop's).
Found UserSession(Logind& logind, const std::string& name,
                  LoginSession& session, std::string& why) {
  passwd entry{};
  passwd* account = nullptr;
  std::vector<char> strings(16384);
  if (getpwnam_r(name.c_str(), &entry, strings.data(), strings.size(),
                 &account) != 0 ||
      account == nullptr) {
    why = "there is no user " + name;
    return Found::kNo;
  }
  std::vector<std::string> paths;
  why = "user " + name + " has no active graphical session";
  if (!logind.SessionsOf(account->pw_uid, paths)) return Found::kLogindFailed;
  for (const std::string& path : paths) {
    SessionState state;
    if (!ReadSession(logind, path, session, state)) {
      if (!logind.Missing()) return Found::kLogindFailed;
      logind.Forget();  // ended meanwhile
      continue;
    }
    if (Unfit(session, state).empty() && !state.remote) return Found::kYes;
  }
  return Found::kNo;
}

}  // namespace

bool FindLoginSession(const SessionTarget& target, LoginSession& session,
                      AskOutcome& failure) {
  Logind logind;
  std::string why;
  const Found found =
      !logind.Connect()      ? Found::kLogindFailed
      : !target.user.empty() ? UserSession(logind, target.user, session, why)
      : target.id.empty()    ? SeatSession(logind, session, why)
                             : NamedSession(logind, target.id, session, why);
  if (found == Found::kYes) return true;
  failure = {};
  if (found == Found::kNo) {
    failure.status = AskStatus::kNoSession;
    failure.detail = why;
  } else {
    failure.status = AskStatus::kNoSessionManager;
    failure.detail = "cannot ask logind for the sessions: " + logind.Why();
  }
  return false;
}
