#include "session_api_win.h"

#include "system_message_win.h"

namespace {

class Loader {
 public:
  explicit Loader(std::string& why) : why_(why) {}

  // Loads `dll` from the system folder; later Finds look in it.
  bool Open(const wchar_t* dll, const char* name) {
    name_ = name;
    module_ = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module_ == nullptr) why_ = name_ + ": " + SystemMessage(GetLastError());
    return module_ != nullptr;
  }

  template <typename Function>
  bool Find(const char* function, Function& target) {
    FARPROC found = GetProcAddress(module_, function);
    if (found == nullptr) {
      why_ = name_ + ": no " + function;
      return false;
    }
    // From the generic type to the function's own, through void*.
    target = reinterpret_cast<Function>(reinterpret_cast<void*>(found));
    return true;
  }

 private:
  std::string& why_;
  std::string name_;
  HMODULE module_ = nullptr;
};

bool Load(SessionApi& api, std::string& why) {
  Loader dll(why);
  return dll.Open(L"wtsapi32.dll", "WTSAPI32.dll") &&
         dll.Find("WTSQueryUserToken", api.QueryUserToken) &&
         dll.Find("WTSEnumerateSessionsW", api.EnumerateSessions) &&
         dll.Find("WTSQuerySessionInformationW", api.QuerySessionInformation) &&
         dll.Find("WTSFreeMemory", api.FreeMemory) &&
         dll.Open(L"userenv.dll", "USERENV.dll") &&
         dll.Find("CreateEnvironmentBlock", api.CreateEnvironment) &&
         dll.Find("DestroyEnvironmentBlock", api.DestroyEnvironment) &&
         dll.Open(L"advapi32.dll", "ADVAPI32.dll") &&
         dll.Find("OpenProcessToken", api.OpenToken) &&
         dll.Find("LookupPrivilegeValueW", api.LookupPrivilege) &&
         dll.Find("AdjustTokenPrivileges", api.AdjustPrivileges) &&
         dll.Find("GetTokenInformation", api.TokenInformation) &&
         dll.Find("CreateProcessAsUserW", api.CreateProcessAsUser) &&
         dll.Find("CreateWellKnownSid", api.WellKnownSid) &&
         dll.Find("GetLengthSid", api.LengthSid) &&
         dll.Find("InitializeAcl", api.InitializeAcl) &&
         dll.Find("AddAccessAllowedAce", api.AllowAccess) &&
         dll.Find("InitializeSecurityDescriptor", api.InitializeDescriptor) &&
         dll.Find("SetSecurityDescriptorDacl", api.SetDacl) &&
         dll.Find("SetSecurityDescriptorControl", api.SetControl);
}

}  // namespace

const SessionApi* LoadSessionApi(std::string& why) {
  // The DLLs stay loaded: the calls are the process's for as long as it runs.
  static SessionApi api;
  static std::string failure;
  static const bool loaded = Load(api, failure);
  why = failure;
  return loaded ? &api : nullptr;
}
