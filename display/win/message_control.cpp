#include "message_control.h"

#include "box_template.h"
#include "control_ids.h"
#include "text_lines.h"

namespace vorlick {
namespace {

constexpr int kChunkUnits = 256;

// Adds `length` units of `text` at the caret, which then follows them.
void Append(HWND edit, const wchar_t* text, int length) {
  wchar_t chunk[kChunkUnits + 1];
  while (length > 0) {
    const int n = length < kChunkUnits ? length : kChunkUnits;
    for (int i = 0; i < n; ++i) chunk[i] = text[i];
    chunk[n] = 0;
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(chunk));
    text += n;
    length -= n;
  }
}

// An edit control breaks lines at CR LF only: every other line break of
// the text is written as one, so the text shows as it would in a static.
void FillEdit(HWND edit, const wchar_t* text) {
  SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
  for (int at = 0;;) {
    const TextLine line = LineAt(text, at);
    Append(edit, text + at, line.length);
    if (line.next < 0) break;
    Append(edit, L"\r\n", 2);
    at = line.next;
  }
  SendMessageW(edit, EM_SETSEL, 0, 0);
  SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

BOOL CALLBACK SetFont(HWND control, LPARAM font) {
  SendMessageW(control, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
  return TRUE;
}

}  // namespace

void SetFonts(HWND box, HFONT font) {
  EnumChildWindows(box, SetFont, reinterpret_cast<LPARAM>(font));
}

void UseMessageControl(HWND box, BoxCall& call, bool scrolls) {
  if (scrolls == call.gdi.scrolls) return;
  HWND old = GetDlgItem(box, kTextId);
  const auto instance =
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(box, GWLP_HINSTANCE));
  HWND made = CreateWindowExW(
      MessageExStyle(call.plan.look), scrolls ? L"Edit" : L"Static", nullptr,
      MessageStyle(call.plan.look, scrolls), 0, 0, 0, 0, box,
      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kTextId)), instance,
      nullptr);
  if (made == nullptr) return;  // the old control stays: cut, but shown
  // Right after the old one, so that readers meet the parts in one order.
  SetWindowPos(made, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const bool focused = old != nullptr && GetFocus() == old;
  if (old != nullptr) DestroyWindow(old);
  SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(call.gdi.font),
               FALSE);
  if (scrolls) {
    SendMessageW(made, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    FillEdit(made, AsWide(call.body));
  } else {
    SetWindowTextW(made, AsWide(call.body));
  }
  call.gdi.scrolls = scrolls;
  if (focused) {
    SendMessageW(box, WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(GetDlgItem(box, call.defaultId)),
                 TRUE);
  }
}

}  // namespace vorlick
