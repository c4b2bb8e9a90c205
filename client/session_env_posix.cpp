// The environment of a box shown in another user's session, made anew:
// nothing of the caller's (a service's, root's) reaches a program that runs
// as the user, and only what the box needs is there. Where each comes from:
//   HOME, USER, LOGNAME       the user's account
//   PATH                      the system's folders, always the same
//   XDG_RUNTIME_DIR           logind's RuntimePath of the user
//   DBUS_SESSION_BUS_ADDRESS  the user's bus in that folder, named also where
//                             it is not there, so that no library starts a
//                             bus of its own for the box
//   DISPLAY                   logind's Display of the session, else the
//                             session leader's
//   WAYLAND_DISPLAY           (Wayland sessions only) the leader's, else
//                             wayland-0 where the runtime folder has that
//                             socket
//   GDK_BACKEND               x11 for an X11 session: GTK would otherwise
//                             take a Wayland compositor of the same user
//                             (another session's) first
//   XAUTHORITY                the leader's, else the first of RUNTIME/gdm/
//                             Xauthority and HOME/.Xauthority that exists
//   LANG, LANGUAGE, LC_*      the leader's; where it has none, the language
//                             AccountsService keeps for the user (display
//                             managers set LANG from it); else the system's,
//                             from /etc/locale.conf or /etc/default/locale
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <string_view>

#include "session_posix.h"

namespace {

using Variables = std::map<std::string, std::string>;

// The first `limit` bytes of a file, or nothing.
std::string ReadSmall(const std::string& path, std::size_t limit) {
  std::string bytes;
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return bytes;
  char chunk[4096];
  ssize_t got = 0;
  while (bytes.size() < limit && (got = read(fd, chunk, sizeof chunk)) > 0) {
    bytes.append(chunk, static_cast<std::size_t>(got));
  }
  close(fd);
  return bytes.substr(0, limit);
}

// "NAME=value" items separated by `separator`; the first of a name counts.
Variables Split(std::string_view text, char separator) {
  Variables variables;
  while (!text.empty()) {
    const std::size_t end = text.find(separator);
    const std::string_view item = text.substr(0, end);
    const std::size_t equals = item.find('=');
    if (equals != std::string_view::npos && equals > 0) {
      variables.emplace(item.substr(0, equals), item.substr(equals + 1));
    }
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return variables;
}

bool IsLocale(const std::string& name) {
  return name == "LANG" || name == "LANGUAGE" || name.starts_with("LC_");
}

Variables Locale(const Variables& variables) {
  Variables locale;
  for (const auto& [name, value] : variables) {
    if (IsLocale(name) && !value.empty()) locale.emplace(name, value);
  }
  return locale;
}

// A shell-style settings file: NAME=value lines, values perhaps quoted.
Variables Settings(const std::string& path) {
  Variables settings = Split(ReadSmall(path, 65536), '\n');
  for (auto& [name, value] : settings) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
  }
  return settings;
}

Variables UserOrSystemLocale(const std::string& user) {
  const Variables kept =
      Split(ReadSmall("/var/lib/AccountsService/users/" + user, 65536), '\n');
  const auto language = kept.find("Language");
  if (language != kept.end() && !language->second.empty()) {
    return {{"LANG", language->second}};
  }
  for (const char* path : {"/etc/locale.conf", "/etc/default/locale"}) {
    Variables locale = Locale(Settings(path));
    if (!locale.empty()) return locale;
  }
  return {};
}

bool IsSocketIn(int folder, const char* name) {
  struct stat status {};
  return fstatat(folder, name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
         S_ISSOCK(status.st_mode);
}

std::string Found(const Variables& variables, const char* name) {
  const auto found = variables.find(name);
  return found == variables.end() ? std::string() : found->second;
}

std::string XAuthority(const Variables& leader, const LoginSession& session,
                       const Account& account) {
  std::string path = Found(leader, "XAUTHORITY");
  for (const std::string& conventional :
       {session.runtimePath + "/gdm/Xauthority",
        account.home + "/.Xauthority"}) {
    if (path.empty() && access(conventional.c_str(), F_OK) == 0) {
      path = conventional;
    }
  }
  return path;
}

}  // namespace

bool SessionEnvironment(const LoginSession& session, const Account& account,
                        int runtimeFolder,
                        std::vector<std::string>& environment) {
  const Variables leader =
      session.leader > 0
          ? Split(ReadSmall(
                      "/proc/" + std::to_string(session.leader) + "/environ",
                      1 << 20),
                  '\0')
          : Variables{};
  Variables box = {
      {"HOME", account.home},
      {"USER", account.name},
      {"LOGNAME", account.name},
      {"PATH", "/usr/local/bin:/usr/bin:/bin"},
      {"XDG_RUNTIME_DIR", session.runtimePath},
      {"DBUS_SESSION_BUS_ADDRESS", "unix:path=" + session.runtimePath + "/bus"},
      {"DISPLAY",
       session.display.empty() ? Found(leader, "DISPLAY") : session.display}};
  if (session.type == "x11") box["GDK_BACKEND"] = "x11";
  if (session.type == "wayland") {
    box["WAYLAND_DISPLAY"] = Found(leader, "WAYLAND_DISPLAY");
    if (box["WAYLAND_DISPLAY"].empty() &&
        IsSocketIn(runtimeFolder, "wayland-0")) {
      box["WAYLAND_DISPLAY"] = "wayland-0";
    }
  }
  if (box["DISPLAY"].empty() && box["WAYLAND_DISPLAY"].empty()) return false;
  if (!box["DISPLAY"].empty())
    box["XAUTHORITY"] = XAuthority(leader, session, account);
  Variables locale = Locale(leader);
  if (locale.empty()) locale = UserOrSystemLocale(account.name);
  box.merge(locale);
  environment.clear();
  for (const auto& [name, value] : box) {
    if (value.empty()) continue;
    std::string variable = name;
    variable += '=';
    variable += value;
    environment.push_back(std::move(variable));
  }
  return true;
}
