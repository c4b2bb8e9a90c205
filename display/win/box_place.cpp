#include "box_place.h"

#include "control_ids.h"
#include "countdown.h"
#include "message_control.h"

namespace vorlick {
namespace {

// How the message is drawn by its static control, and so how it is measured.
constexpr UINT kTextFormat =
    DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL;
constexpr UINT kLineFormat = DT_SINGLELINE | DT_NOPREFIX;
// Labels keep their mnemonic marks, which take no room.
constexpr UINT kLabelFormat = DT_SINGLELINE;
constexpr int kWide = 0x4000;

int Min(int a, int b) { return a < b ? a : b; }

Place WorkArea(HMONITOR monitor) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (monitor == nullptr || !GetMonitorInfoW(monitor, &info)) {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
  }
  const RECT& r = info.rcWork;
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// The frame the box has around its client area at its current DPI.
Size FrameOf(HWND box) {
  RECT window{};
  RECT client{};
  GetWindowRect(box, &window);
  GetClientRect(box, &client);
  return {(window.right - window.left) - client.right,
          (window.bottom - window.top) - client.bottom};
}

Size ClientOf(HWND box) {
  RECT client{};
  GetClientRect(box, &client);
  return {client.right, client.bottom};
}

const wchar_t* IconResource(Icon icon) {
  switch (icon) {
    case Icon::kError:
      return IDI_HAND;
    case Icon::kQuestion:
      return IDI_QUESTION;
    case Icon::kWarning:
      return IDI_EXCLAMATION;
    default:
      return IDI_ASTERISK;
  }
}

// The style's icon drawn for the box's DPI. Where no such copy can be made
// the system's shared icon stands in; it is never destroyed.
void ShowIcon(HWND box, BoxCall& call) {
  if (call.plan.look.icon == Icon::kNone) return;
  const wchar_t* name = IconResource(call.plan.look.icon);
  const int size = MetricAt(SM_CXICON, call.gdi.dpi);
  auto own =
      static_cast<HICON>(LoadImageW(nullptr, name, IMAGE_ICON, size, size, 0));
  HICON shown = own != nullptr ? own : LoadIconW(nullptr, name);
  SendDlgItemMessageW(box, kIconId, STM_SETICON,
                      reinterpret_cast<WPARAM>(shown), 0);
  if (call.gdi.icon != nullptr) DestroyIcon(call.gdi.icon);
  call.gdi.icon = own;
}

// Font and icon for `dpi`; the old ones go once nothing shows them.
void UseDpi(HWND box, BoxCall& call, int dpi) {
  call.gdi.dpi = dpi;
  if (HFONT font = CreateMessageFont(dpi)) {
    SetFonts(box, font);
    if (call.gdi.font != nullptr) DeleteObject(call.gdi.font);
    call.gdi.font = font;
  }
  ShowIcon(box, call);
}

int WidestLabel(const TextMeter& meter, const BoxCall& call) {
  int widest = 0;
  for (int i = 0; i < call.plan.buttons.count; ++i) {
    const Size size =
        meter.Measure(AsWide(call.labels.text[i]), kWide, kLabelFormat);
    if (size.cx > widest) widest = size.cx;
  }
  return widest;
}

// Room for every number the line can show, in the box's font.
Size CountdownSize(const TextMeter& meter, const BoxCall& call) {
  if (!Runs(call.countdown)) return {0, 0};
  char16_t text[kCountdownUnits];
  WidestCountdown(call.plan.language, call.timeout,
                  static_cast<char16_t>(meter.WidestDigit()), text);
  return meter.Measure(AsWide(text), kWide, kLineFormat);
}

// The title widens the box up to the width of a full line of text.
int CaptionWidth(const TextMeter& meter, const BoxCall& call,
                 const LayoutInput& input, int wrap) {
  const Spacing& s = input.spacing;
  const int wanted = meter.Measure(AsWide(call.title), kWide, kLineFormat).cx +
                     2 * MetricAt(SM_CXSIZE, call.gdi.dpi) + 2 * s.marginX;
  const int iconPart = input.icon.cx > 0 ? input.icon.cx + s.iconGap : 0;
  return Min(wanted, Min(input.screen.cx, 2 * s.marginX + iconPart + wrap));
}

// Every size the layout needs, measured at the box's DPI in its font.
LayoutInput Measure(const BoxCall& call, Size screen, Size least) {
  const TextMeter meter(call.gdi.font);
  const int dpi = call.gdi.dpi;
  LayoutInput input{};
  input.lineHeight = meter.LineHeight();
  input.spacing = SpacingAt(dpi, input.lineHeight);
  if (call.plan.look.icon != Icon::kNone) {
    input.icon = {MetricAt(SM_CXICON, dpi), MetricAt(SM_CYICON, dpi)};
  }
  input.countdown = CountdownSize(meter, call);
  input.scrollBarWidth = MetricAt(SM_CXVSCROLL, dpi);
  input.screen = screen;
  input.least = least;
  const int wrap = WrapWidth(input, meter.AverageCharWidth());
  input.text = meter.Measure(AsWide(call.body), wrap, kTextFormat);
  // A word longer than a line is broken where the line ends.
  if (input.text.cx > wrap) input.text.cx = wrap;
  input.buttonCount = call.plan.buttons.count;
  input.widestLabel = WidestLabel(meter, call);
  input.captionWidth = CaptionWidth(meter, call, input, wrap);
  return input;
}

void Move(HWND box, int id, const Place& place) {
  SetWindowPos(GetDlgItem(box, id), nullptr, place.x, place.y, place.cx,
               place.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Apply(HWND box, BoxCall& call, const BoxLayout& layout) {
  UseMessageControl(box, call, layout.scrolls);
  if (call.plan.look.icon != Icon::kNone) Move(box, kIconId, layout.icon);
  Move(box, kTextId, layout.text);
  if (Runs(call.countdown)) Move(box, kCountdownId, layout.countdown);
  for (int i = 0; i < call.plan.buttons.count; ++i) {
    Move(box, call.plan.buttons.ids[i], layout.buttons[i]);
  }
  call.gdi.bandTop = layout.bandTop;
}

// The system lays out dialogs again on a DPI change unless told not to
// (Windows 10 1703 and later); the box does that itself.
void KeepDpiChangesToTheBox(HWND box) {
  using Behaviour = BOOL(WINAPI*)(HWND, int, int);
  constexpr int kDisableAll = 1;
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  FARPROC found = user32 != nullptr
                      ? GetProcAddress(user32, "SetDialogDpiChangeBehavior")
                      : nullptr;
  if (found == nullptr) return;
  reinterpret_cast<Behaviour>(reinterpret_cast<void (*)()>(found))(
      box, kDisableAll, kDisableAll);
}

}  // namespace

void PlaceBox(HWND box, BoxCall& call) {
  KeepDpiChangesToTheBox(box);
  UseDpi(box, call, DpiOf(box));
  const Place area =
      WorkArea(MonitorFromWindow(call.owner, MONITOR_DEFAULTTOPRIMARY));
  const Size frame = FrameOf(box);
  const BoxLayout layout =
      LayOut(Measure(call, {area.cx - frame.cx, area.cy - frame.cy}, {0, 0}));
  Apply(box, call, layout);
  const Place where = CenterIn(
      area, {layout.client.cx + frame.cx, layout.client.cy + frame.cy});
  SetWindowPos(box, nullptr, where.x, where.y, where.cx, where.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void RescaleBox(HWND box, BoxCall& call, int dpi, const RECT& suggested) {
  UseDpi(box, call, dpi);
  SetWindowPos(box, nullptr, suggested.left, suggested.top,
               suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  const Place area =
      WorkArea(MonitorFromRect(&suggested, MONITOR_DEFAULTTONEAREST));
  const Size frame = FrameOf(box);
  const Size screen{area.cx - frame.cx, area.cy - frame.cy};
  const Size client = ClientOf(box);
  const BoxLayout layout = LayOut(Measure(
      call, screen, {Min(client.cx, screen.cx), Min(client.cy, screen.cy)}));
  Apply(box, call, layout);
  if (layout.client.cx != client.cx || layout.client.cy != client.cy) {
    SetWindowPos(box, nullptr, 0, 0, layout.client.cx + frame.cx,
                 layout.client.cy + frame.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
  }
  RedrawWindow(box, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace vorlick
