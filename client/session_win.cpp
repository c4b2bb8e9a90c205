// AskInSession on Windows, for a service running as LocalSystem: the
// session's user token (WTSQueryUserToken, which needs SeTcbPrivilege:
// LocalSystem has it, other accounts do not, so holding it is what tells a
// caller that may do this), the user's environment block, the request in
// the user's temporary folder with a DACL that lets only the user and the
// system open it, and Tandrel.exe started with the token on winsta0\default,
// the desktop the user sees.
#include <windows.h>

#include <memory>
#include <random>

#include "launch_platform.h"
#include "request_writer.h"
#include "session.h"
#include "session_api_win.h"
#include "system_message_win.h"
#include "utf8_text.h"

namespace {

constexpr DWORD kNoSessionAttached = 0xFFFFFFFF;
constexpr const char* kOnlyLocalSystem =
    "only LocalSystem (a service) can show a box in a user's session";

AskOutcome Failure(AskStatus status, std::string detail) {
  AskOutcome outcome;
  outcome.status = status;
  outcome.detail = std::move(detail);
  return outcome;
}

std::wstring Wide(const std::string& text) {
  std::u16string wide;
  std::string ignored;
  DecodeUtf8(text, wide, ignored);
  return std::wstring(wide.begin(), wide.end());
}

std::string Narrow(const std::wstring& text) {
  return EncodeUtf8(std::u16string(text.begin(), text.end()));
}

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

// Turns on a privilege of this process's token: false where the token does
// not hold it.
bool EnablePrivilege(const SessionApi& api, const wchar_t* name) {
  HANDLE token = nullptr;
  if (!api.OpenToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                     &token)) {
    return false;
  }
  const Handle owned(token);
  TOKEN_PRIVILEGES privileges{1, {{{0, 0}, SE_PRIVILEGE_ENABLED}}};
  return api.LookupPrivilege(nullptr, name, &privileges.Privileges[0].Luid) &&
         api.AdjustPrivileges(token, FALSE, &privileges, 0, nullptr,
                              nullptr) &&
         GetLastError() == ERROR_SUCCESS;  // not ERROR_NOT_ALL_ASSIGNED
}

// The active session whose user is `name` (any case), or kNoSessionAttached.
DWORD SessionOfUser(const SessionApi& api, const std::string& name) {
  WTS_SESSION_INFOW* sessions = nullptr;
  DWORD count = 0;
  if (!api.EnumerateSessions(WTS_CURRENT_SERVER_HANDLE, 0, 1, &sessions,
                             &count)) {
    return kNoSessionAttached;
  }
  const std::wstring wanted = Wide(name);
  DWORD found = kNoSessionAttached;
  for (DWORD i = 0; i < count && found == kNoSessionAttached; ++i) {
    wchar_t* user = nullptr;
    DWORD bytes = 0;
    if (sessions[i].State == WTSActive &&
        api.QuerySessionInformation(WTS_CURRENT_SERVER_HANDLE,
                                    sessions[i].SessionId, WTSUserName, &user,
                                    &bytes)) {
      if (CompareStringOrdinal(user, -1, wanted.c_str(), -1, TRUE) ==
          CSTR_EQUAL) {
        found = sessions[i].SessionId;
      }
      api.FreeMemory(user);
    }
  }
  api.FreeMemory(sessions);
  return found;
}

// The session `target` names; false with the reason when there is none.
bool PickSession(const SessionApi& api, const SessionTarget& target,
                 DWORD& session, std::string& why) {
  if (!target.user.empty()) {
    session = SessionOfUser(api, target.user);
    why = "user " + target.user + " has no active session";
  } else if (target.id.empty()) {
    session = WTSGetActiveConsoleSessionId();
    why = "no session is attached to the console";
  } else {
    const bool digits =
        target.id.size() <= 9 &&
        target.id.find_first_not_of("0123456789") == std::string::npos;
    session = digits ? std::stoul(target.id) : kNoSessionAttached;
    why = "there is no session " + target.id;
  }
  return session != kNoSessionAttached;
}

AskOutcome NoToken(DWORD session, DWORD error) {
  const std::string name = "session " + std::to_string(session);
  switch (error) {
    case ERROR_NO_TOKEN:
      return Failure(AskStatus::kNoSession, "no user is logged on in " + name);
    case ERROR_FILE_NOT_FOUND:
    case ERROR_CTX_WINSTATION_NOT_FOUND:
      return Failure(AskStatus::kNoSession, "there is no " + name);
    case ERROR_PRIVILEGE_NOT_HELD:
      return Failure(AskStatus::kNotPermitted, kOnlyLocalSystem);
    default:
      return Failure(
          AskStatus::kNoSessionManager,
          "cannot learn the user of " + name + ": " + SystemMessage(error));
  }
}

// A variable of an environment block.
std::wstring Variable(const wchar_t* block, const std::wstring& name) {
  const std::wstring prefix = name + L"=";
  for (const wchar_t* item = block; *item != 0; item += wcslen(item) + 1) {
    if (CompareStringOrdinal(item, static_cast<int>(prefix.size()),
                             prefix.c_str(), -1, TRUE) == CSTR_EQUAL) {
      return item + prefix.size();
    }
  }
  return {};
}

// A DACL of the user and the system, full access each, nothing inherited.
class UsersOnly {
 public:
  bool Make(const SessionApi& api, HANDLE token) {
    DWORD size = 0;
    if (!api.TokenInformation(token, TokenUser, user_, sizeof user_, &size)) {
      return false;
    }
    const PSID user = reinterpret_cast<TOKEN_USER*>(user_)->User.Sid;
    DWORD systemSize = sizeof system_;
    ACL* acl = reinterpret_cast<ACL*>(acl_);
    attributes_.lpSecurityDescriptor = &descriptor_;
    return api.WellKnownSid(WinLocalSystemSid, nullptr, system_, &systemSize) &&
           api.InitializeAcl(acl, sizeof acl_, ACL_REVISION) &&
           api.AllowAccess(acl, ACL_REVISION, FILE_ALL_ACCESS, user) &&
           api.AllowAccess(acl, ACL_REVISION, FILE_ALL_ACCESS, system_) &&
           api.InitializeDescriptor(&descriptor_,
                                    SECURITY_DESCRIPTOR_REVISION) &&
           api.SetDacl(&descriptor_, TRUE, acl, FALSE) &&
           api.SetControl(&descriptor_, SE_DACL_PROTECTED, SE_DACL_PROTECTED);
  }
  SECURITY_ATTRIBUTES* attributes() { return &attributes_; }

 private:
  alignas(8) BYTE user_[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE] = {};
  alignas(8) BYTE system_[SECURITY_MAX_SID_SIZE] = {};
  alignas(8) BYTE acl_[256] = {};
  SECURITY_DESCRIPTOR descriptor_{};
  SECURITY_ATTRIBUTES attributes_{sizeof(SECURITY_ATTRIBUTES), nullptr, FALSE};
};

std::wstring Hex(std::uint32_t value) {
  constexpr wchar_t kDigits[] = L"0123456789abcdef";
  std::wstring hex;
  for (int shift = 28; shift >= 0; shift -= 4)
    hex += kDigits[(value >> shift) & 0xF];
  return hex;
}

// A new file in `folder` that only the user and the system may open.
bool CreateUserRequest(const std::wstring& folder, UsersOnly& access,
                       const std::string& bytes, std::wstring& path,
                       std::string& why) {
  std::random_device random;
  DWORD failure = ERROR_FILE_EXISTS;
  for (int attempt = 0; attempt < 100 && failure == ERROR_FILE_EXISTS;
       ++attempt) {
    path = folder + L"\\tandrel-ask-" + Hex(GetCurrentProcessId()) + L"-" +
           Hex(random()) + L".txt";
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, access.attributes(),
                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    failure = GetLastError();
    if (file == INVALID_HANDLE_VALUE) continue;
    DWORD written = 0;
    const bool wrote =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()),
                  &written, nullptr) &&
        written == bytes.size();
    failure = GetLastError();
    if (CloseHandle(file) && wrote) return true;
    DeleteFileW(path.c_str());
    why = "cannot write the request file " + Narrow(path) + ": " +
          SystemMessage(failure);
    return false;
  }
  why = "cannot create a request file in " + Narrow(folder) + ": " +
        SystemMessage(failure);
  return false;
}

ProgramRun RunWithToken(const SessionApi& api, HANDLE token, void* environment,
                        const std::string& program, const std::wstring& request,
                        const StartedHook& started) {
  ProgramRun run;
  const std::wstring name = Wide(program);
  std::wstring line = L"\"" + name + L"\" " + request;
  std::wstring desktop = L"winsta0\\default";
  const std::wstring home =
      Variable(static_cast<const wchar_t*>(environment), L"USERPROFILE");
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.lpDesktop = desktop.data();
  PROCESS_INFORMATION process{};
  if (!api.CreateProcessAsUser(
          token, name.c_str(), line.data(), nullptr, nullptr, FALSE,
          CREATE_UNICODE_ENVIRONMENT, environment,
          home.empty() ? nullptr : home.c_str(), &startup, &process)) {
    run.error = SystemMessage(GetLastError());
    return run;
  }
  run.started = true;
  CloseHandle(process.hThread);
  if (started) started(static_cast<long>(process.dwProcessId));
  DWORD code = 0;
  if (WaitForSingleObject(process.hProcess, INFINITE) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process.hProcess, &code)) {
    run.waited = false;
    run.error = SystemMessage(GetLastError());
  }
  run.exitCode = code;
  CloseHandle(process.hProcess);
  return run;
}

// The run itself, once the user's token is there.
AskOutcome AskWithToken(const SessionApi& api, HANDLE token,
                        const std::string& program, const std::string& bytes,
                        const StartedHook& started) {
  void* environment = nullptr;
  if (!api.CreateEnvironment(&environment, token, FALSE)) {
    return Failure(
        AskStatus::kNoSessionManager,
        "cannot make the user's environment: " + SystemMessage(GetLastError()));
  }
  const std::unique_ptr<void, decltype(api.DestroyEnvironment)> owned(
      environment, api.DestroyEnvironment);
  const std::wstring folder =
      Variable(static_cast<const wchar_t*>(environment), L"TEMP");
  UsersOnly access;
  std::wstring path;
  std::string why = "the user's environment names no temporary folder";
  if (folder.empty() || !access.Make(api, token) ||
      !CreateUserRequest(folder, access, bytes, path, why)) {
    return Failure(AskStatus::kNoRequestFile, why);
  }
  const ProgramRun run =
      RunWithToken(api, token, environment, program, path, started);
  const std::string name = Narrow(path);
  const bool remains = FileExists(name);
  AskOutcome outcome = Classify(run, remains);
  if (remains) RemoveFile(name);
  return outcome;
}

}  // namespace

AskOutcome AskInSession(const std::string& program, const AskRequest& request,
                        const SessionTarget& target,
                        const StartedHook& started) {
  std::string why;
  const SessionApi* api = LoadSessionApi(why);
  if (api == nullptr) {
    return Failure(AskStatus::kNoSessionManager,
                   "cannot load the session functions: " + why);
  }
  if (!EnablePrivilege(*api, L"SeTcbPrivilege")) {
    return Failure(AskStatus::kNotPermitted, kOnlyLocalSystem);
  }
  std::string bytes;
  if (std::optional<RequestError> error = WriteRequest(request, bytes)) {
    return Failure(AskStatus::kRequestRefused, Describe(*error));
  }
  DWORD session = 0;
  if (!PickSession(*api, target, session, why)) {
    return Failure(AskStatus::kNoSession, why);
  }
  HANDLE token = nullptr;
  if (!api->QueryUserToken(session, &token)) {
    return NoToken(session, GetLastError());
  }
  const Handle owned(token);
  return AskWithToken(*api, token, program, bytes, started);
}
