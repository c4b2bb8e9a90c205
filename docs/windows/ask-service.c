/* ask-service.c: a Windows service that asks the person at the desktop.

   A service runs as LocalSystem in session 0, where nobody sees a window.
   Started, this one runs the tandrel-ask.exe beside it with --session (the
   box goes to the console's session, as its user) and the arguments it was
   started with, waits for the answer and stops; the answer is its
   service-specific exit code, which "sc query" shows.

   Build it with MinGW-w64 (or any C compiler for Windows):
     i686-w64-mingw32-gcc -municode -o ask-service.exe ask-service.c

   Put it beside tandrel-ask.exe, Tandrel.exe and Vorlick.dll, then, in a
   command prompt run as administrator:
     sc create TandrelAsk binPath= "C:\Program Files\Tandrel\ask-service.exe"
     sc start TandrelAsk -t Backup -b yesno "The backup is done. Open the log?"
     sc query TandrelAsk
   SERVICE_EXIT_CODE is the answer once STATE is STOPPED: 6 Yes, 7 No,
   32000 nobody answered in time, 0 nobody is logged on at the console.
     sc delete TandrelAsk

   Without start arguments it asks "Go on?" with Yes and No. */
#include <windows.h>

static SERVICE_STATUS_HANDLE service;
static SERVICE_STATUS status = {
    SERVICE_WIN32_OWN_PROCESS, SERVICE_START_PENDING, 0, NO_ERROR, 0, 0, 0};

static void Report(DWORD state, DWORD answer) {
  status.dwCurrentState = state;
  if (state == SERVICE_STOPPED) {
    status.dwWin32ExitCode = ERROR_SERVICE_SPECIFIC_ERROR;
    status.dwServiceSpecificExitCode = answer;
  }
  SetServiceStatus(service, &status);
}

/* The question runs until it is answered or times out: no early stop. */
static DWORD WINAPI Control(DWORD control, DWORD type, void* data,
                            void* context) {
  (void)type, (void)data, (void)context;
  return control == SERVICE_CONTROL_INTERROGATE ? NO_ERROR
                                                : ERROR_CALL_NOT_IMPLEMENTED;
}

/* Appends `text` to `line` as one argument, in quotes: a quote gets a
   backslash, and so does every backslash before a quote or the end. */
static void Append(wchar_t* line, int size, const wchar_t* text) {
  int at = lstrlenW(line);
  int slashes = 0;
  line[at++] = L' ';
  line[at++] = L'"';
  for (; *text != 0 && at + 2 * slashes + 4 < size; ++text) {
    if (*text == L'"') {
      for (int i = 0; i <= slashes; ++i) line[at++] = L'\\';
    }
    slashes = *text == L'\\' ? slashes + 1 : 0;
    line[at++] = *text;
  }
  for (int i = 0; i < slashes; ++i) line[at++] = L'\\';
  line[at++] = L'"';
  line[at] = 0;
}

static DWORD Ask(DWORD argc, wchar_t** argv) {
  static const wchar_t* question[] = {L"-b", L"yesno", L"Go on?"};
  wchar_t program[MAX_PATH];
  wchar_t line[8192] = L"";  /* room for the longest command line */
  STARTUPINFOW startup;
  PROCESS_INFORMATION process;
  DWORD answer = 0;
  DWORD length = GetModuleFileNameW(NULL, program, MAX_PATH - 20);
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  while (length > 0 && program[length - 1] != L'\\') --length;
  lstrcpyW(program + length, L"tandrel-ask.exe");
  Append(line, 8192, program);
  Append(line, 8192, L"--session");
  /* argv[0] is the service's name; the rest are "sc start"'s arguments. */
  for (DWORD i = 1; i < argc; ++i) Append(line, 8192, argv[i]);
  for (DWORD i = 0; argc <= 1 && i < 3; ++i) Append(line, 8192, question[i]);
  if (!CreateProcessW(program, line + 1, NULL, NULL, FALSE, CREATE_NO_WINDOW,
                      NULL, NULL, &startup, &process)) {
    return 69; /* as tandrel-ask.exe does for a program it cannot start */
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  GetExitCodeProcess(process.hProcess, &answer);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return answer;
}

static void WINAPI ServiceMain(DWORD argc, wchar_t** argv) {
  service = RegisterServiceCtrlHandlerExW(L"", Control, NULL);
  if (service == NULL) return;
  Report(SERVICE_RUNNING, 0);
  Report(SERVICE_STOPPED, Ask(argc, argv));
}

int wmain(void) {
  /* The name is ignored for a service that runs in a process of its own. */
  SERVICE_TABLE_ENTRYW services[] = {{L"", ServiceMain}, {NULL, NULL}};
  /* Started otherwise than by the service manager: nothing to do. */
  return StartServiceCtrlDispatcherW(services) ? 0 : 1;
}
