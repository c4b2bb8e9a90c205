// The calls AskInSession needs beyond KERNEL32, loaded from the system
// folder when it first runs: tandrel-ask.exe (and a program built on the
// kit) imports none of WTSAPI32, USERENV or ADVAPI32, so every other run
// loads nothing more, and no DLL beside the program is ever taken for them.
#pragma once

#include <windows.h>
// Declarations only: nothing of these is linked.
#include <userenv.h>
#include <wtsapi32.h>

#include <string>

struct SessionApi {
  decltype(&::WTSQueryUserToken) QueryUserToken = nullptr;
  decltype(&::WTSEnumerateSessionsW) EnumerateSessions = nullptr;
  decltype(&::WTSQuerySessionInformationW) QuerySessionInformation = nullptr;
  decltype(&::WTSFreeMemory) FreeMemory = nullptr;
  decltype(&::CreateEnvironmentBlock) CreateEnvironment = nullptr;
  decltype(&::DestroyEnvironmentBlock) DestroyEnvironment = nullptr;
  decltype(&::OpenProcessToken) OpenToken = nullptr;
  decltype(&::LookupPrivilegeValueW) LookupPrivilege = nullptr;
  decltype(&::AdjustTokenPrivileges) AdjustPrivileges = nullptr;
  decltype(&::GetTokenInformation) TokenInformation = nullptr;
  decltype(&::CreateProcessAsUserW) CreateProcessAsUser = nullptr;
  decltype(&::CreateWellKnownSid) WellKnownSid = nullptr;
  decltype(&::GetLengthSid) LengthSid = nullptr;
  decltype(&::InitializeAcl) InitializeAcl = nullptr;
  decltype(&::AddAccessAllowedAce) AllowAccess = nullptr;
  decltype(&::InitializeSecurityDescriptor) InitializeDescriptor = nullptr;
  decltype(&::SetSecurityDescriptorDacl) SetDacl = nullptr;
  decltype(&::SetSecurityDescriptorControl) SetControl = nullptr;
};

// The calls, loaded once; null with `why` ("WTSAPI32.dll: ...") when a DLL
// or a function is missing.
const SessionApi* LoadSessionApi(std::string& why);
