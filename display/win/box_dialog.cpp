// The box's dialog procedure: it sets the box up once, answers commands the
// way Windows' message boxes do, and counts down.
#include "box_dialog.h"

#include "box_help.h"
#include "box_paint.h"
#include "box_place.h"
#include "box_template.h"
#include "control_ids.h"
#include "key_filter.h"
#include "own_manifest.h"
#include "task_modal.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace vorlick {
namespace {

// The box's one timer, which wakes the countdown.
constexpr UINT_PTR kCountdownTimer = 1;

// How often a box refused before it appeared is made again, and the pause
// between the tries.
constexpr int kCreateAttempts = 4;
constexpr DWORD kCreateRetryMs = 20;

BoxCall* CallOf(HWND box) {
  return reinterpret_cast<BoxCall*>(GetWindowLongPtrW(box, DWLP_USER));
}

void Finish(HWND box, int result) {
  KillTimer(box, kCountdownTimer);
  EndDialog(box, result);
}

// Shows the seconds left when they changed and wakes up again when they
// next change; at the deadline the box closes by itself.
void CountDown(HWND box, BoxCall& call) {
  const CountdownTick tick = Tick(call.countdown, GetTickCount64());
  if (tick.expired) {
    Finish(box, kIdTimeout);
    return;
  }
  if (tick.changed) {
    char16_t text[kCountdownUnits];
    FormatCountdown(call.plan.language, tick.seconds, text);
    SetDlgItemTextW(box, kCountdownId, AsWide(text));
  }
  SetTimer(box, kCountdownTimer, tick.wakeInMs, nullptr);
}

// The sound of the icon, or the default sound, as message boxes play.
UINT SoundOf(Icon icon) {
  switch (icon) {
    case Icon::kError:
      return MB_ICONHAND;
    case Icon::kQuestion:
      return MB_ICONQUESTION;
    case Icon::kWarning:
      return MB_ICONEXCLAMATION;
    case Icon::kInformation:
      return MB_ICONASTERISK;
    default:
      return MB_OK;
  }
}

// The default button gets the focus, so Enter chooses it; DM_SETDEFID makes
// it the one the dialog manager falls back on.
void FocusDefault(HWND box, const BoxCall& call) {
  SendMessageW(box, DM_SETDEFID, static_cast<WPARAM>(call.defaultId), 0);
  HWND button = GetDlgItem(box, call.defaultId);
  SendMessageW(box, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
}

BOOL StartBox(HWND box, BoxCall& call) {
  call.started = true;
  SetWindowLongPtrW(box, DWLP_USER, reinterpret_cast<LONG_PTR>(&call));
  SetWindowTextW(box, AsWide(call.title));
  SetDlgItemTextW(box, kTextId, AsWide(call.body));
  if (Runs(call.countdown)) CountDown(box, call);
  PlaceBox(box, call);
  // A box that Escape cannot close shows its close button greyed, too.
  if (!Closable(call.plan)) {
    EnableMenuItem(GetSystemMenu(box, FALSE), SC_CLOSE,
                   MF_BYCOMMAND | MF_GRAYED);
  }
  FocusDefault(box, call);
  if (call.plan.look.setForeground) SetForegroundWindow(box);
  MessageBeep(SoundOf(call.plan.look.icon));
  return FALSE;  // the focus is set
}

void OnCommand(HWND box, BoxCall& call, int id) {
  if (id == kIdHelp && IndexOf(call.plan.buttons, kIdHelp) >= 0) {
    SendHelp(box, call);
    return;
  }
  const int result = AnswerTo(call.plan, id);
  if (result != 0) Finish(box, result);
}

// Answers the default button's ID itself: it is the caller's choice, kept
// whatever the dialog manager records.
BOOL AnswerDefault(HWND box, const BoxCall& call) {
  SetWindowLongPtrW(box, DWLP_MSGRESULT, MAKELONG(call.defaultId, DC_HASDEFID));
  return TRUE;
}

BOOL HandleMessage(HWND box, BoxCall& call, UINT message, WPARAM wParam,
                   LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) OnCommand(box, call, LOWORD(wParam));
      return TRUE;
    case WM_CLOSE:
      // The close button, Alt+F4 and WM_CLOSE all count as Escape.
      if (const int answer = AnswerToEscape(call.plan)) Finish(box, answer);
      return TRUE;
    case WM_TIMER:
      if (wParam != kCountdownTimer) return FALSE;
      CountDown(box, call);
      return TRUE;
    case WM_HELP:
      // F1 as Windows passes it on. The key filter answers F1 itself (Wine
      // passes nothing on), so this would be a second WM_HELP.
      if (call.keyFilter == nullptr) SendHelp(box, call);
      return TRUE;
    case WM_DPICHANGED:
      RescaleBox(box, call, HIWORD(wParam),
                 *reinterpret_cast<const RECT*>(lParam));
      SetWindowLongPtrW(box, DWLP_MSGRESULT, 0);
      return TRUE;
    case DM_GETDEFID:
      return AnswerDefault(box, call);
    case DM_SETDEFID:
      if (IndexOf(call.plan.buttons, static_cast<int>(wParam)) >= 0) {
        call.defaultId = static_cast<int>(wParam);
      }
      return FALSE;  // the dialog manager restyles the buttons
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    return StartBox(box, *reinterpret_cast<BoxCall*>(lParam));
  }
  BoxCall* call = CallOf(box);
  if (call == nullptr) return FALSE;
  if (const INT_PTR painted =
          PaintMessage(box, *call, message, wParam, lParam)) {
    return painted;
  }
  return HandleMessage(box, *call, message, wParam, lParam);
}

}  // namespace

BoxCall* BoxCallOf(HWND window) {
  const LONG_PTR proc = GetWindowLongPtrW(window, DWLP_DLGPROC);
  if (proc != reinterpret_cast<LONG_PTR>(BoxProc)) return nullptr;
  return CallOf(window);
}

int ShowBox(BoxCall& call) {
  DialogTemplate dialog;
  if (!BuildBoxTemplate(call, dialog)) return 0;
  DisabledWindows disabled{};
  if (call.plan.look.modality == Modality::kTask && call.owner == nullptr) {
    DisableThreadWindows(disabled);
  }
  const OwnManifest controls;  // active until the box is gone
  call.keyFilter = WatchBoxKeys();
  // Wine refuses a dialog now and then when several threads make their first
  // version-6 controls at the same moment (a control's creation fails and
  // the box goes before WM_INITDIALOG). Nothing was shown then, so making
  // it again is safe; a box that did appear is never made twice.
  INT_PTR result = -1;
  for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
    if (attempt > 0) Sleep(kCreateRetryMs);
    result = DialogBoxIndirectParamW(reinterpret_cast<HINSTANCE>(&__ImageBase),
                                     AsTemplate(dialog), call.owner, BoxProc,
                                     reinterpret_cast<LPARAM>(&call));
    if (result != -1 || call.started) break;
  }
  StopWatchingKeys(call.keyFilter);
  EnableAgain(disabled);
  ReleaseGdi(call.gdi);
  // -1 (the box could not be made) and 0 both mean nothing was shown.
  return result > 0 ? static_cast<int>(result) : 0;
}

}  // namespace vorlick
