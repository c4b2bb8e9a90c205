#include "box_call.h"
#include "countdown.h"

namespace vorlick {
namespace {

// How the message is drawn by its static control, and so how it is measured.
constexpr UINT kTextFormat =
    DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL;
constexpr UINT kLineFormat = DT_SINGLELINE | DT_NOPREFIX;
// Labels keep their mnemonic marks, which take no room.
constexpr UINT kLabelFormat = DT_SINGLELINE;
constexpr int kWide = 0x4000;

// Dialog units to pixels in the box's own font, as every dialog measures.
Spacing SpacingOf(HWND box) {
  RECT outer{8, 8, 8, 4};     // margins; gaps beside the icon, above the line
  RECT button{4, 8, 50, 14};  // spacing, gap above, least width, height
  RECT padding{6, 0, 0, 0};
  MapDialogRect(box, &outer);
  MapDialogRect(box, &button);
  MapDialogRect(box, &padding);
  return {.marginX = outer.left,
          .marginY = outer.top,
          .iconGap = outer.right,
          .lineGap = outer.bottom,
          .buttonsGap = button.top,
          .buttonSpacing = button.left,
          .buttonHeight = button.bottom,
          .minButtonWidth = button.right,
          .labelPadding = padding.left};
}

Place WorkArea(HWND owner) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  HMONITOR monitor = MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY);
  if (monitor == nullptr || !GetMonitorInfoW(monitor, &info)) {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
  }
  const RECT& r = info.rcWork;
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// The frame a box of this style adds around its client area.
Size FrameOf(HWND box) {
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(box, GWL_STYLE)),
                     FALSE,
                     static_cast<DWORD>(GetWindowLongW(box, GWL_EXSTYLE)));
  return {frame.right - frame.left, frame.bottom - frame.top};
}

int WidestLabel(HWND box, const BoxCall& call) {
  int widest = 0;
  for (int i = 0; i < call.plan.buttons.count; ++i) {
    const Size size = MeasureText(
        call.gdi, box, reinterpret_cast<const wchar_t*>(call.labels.text[i]),
        kWide, kLabelFormat);
    if (size.cx > widest) widest = size.cx;
  }
  return widest;
}

Size IconSize(const BoxCall& call) {
  if (call.plan.look.icon == Icon::kNone) return {0, 0};
  return {GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
}

Size CountdownSize(HWND box, const BoxCall& call) {
  if (!Runs(call.countdown)) return {0, 0};
  // The first number shown is the longest, so the line never needs to grow.
  char16_t text[kCountdownUnits];
  FormatCountdown(call.plan.language,
                  static_cast<std::uint64_t>(call.timeoutSeconds), text);
  return MeasureText(call.gdi, box, reinterpret_cast<const wchar_t*>(text),
                     kWide, kLineFormat);
}

// The message wraps at five eighths of the work area, like message boxes do;
// a word longer than that may widen it up to what the screen holds, and a
// message taller than the screen is cut rather than pushing the buttons off.
Size TextSize(HWND box, const BoxCall& call, const LayoutInput& input,
              const Place& area) {
  const Spacing& s = input.spacing;
  const Size frame = FrameOf(box);
  const int beside =
      2 * s.marginX + (input.icon.cx > 0 ? input.icon.cx + s.iconGap : 0);
  const int wrapAt = area.cx * 5 / 8 - beside;
  Size text = MeasureText(call.gdi, box, call.text, wrapAt > 1 ? wrapAt : 1,
                          kTextFormat);
  const Size line = MeasureText(call.gdi, box, L"X", kWide, kLineFormat);
  const int widest = area.cx - frame.cx - beside;
  const int tallest =
      area.cy - frame.cy - 2 * s.marginY - s.buttonsGap - s.buttonHeight -
      (input.countdown.cy > 0 ? input.countdown.cy + s.lineGap : 0);
  if (text.cx > widest) text.cx = widest;
  if (text.cy > tallest) text.cy = tallest;
  if (text.cy < line.cy) text.cy = line.cy;
  return text;
}

int CaptionWidth(HWND box, const BoxCall& call, const Spacing& s,
                 const Place& area) {
  const Size caption =
      MeasureText(call.gdi, box, call.caption, kWide, kLineFormat);
  const int wanted =
      caption.cx + 2 * GetSystemMetrics(SM_CXSIZE) + 2 * s.marginX;
  const int limit = area.cx * 5 / 8;
  return wanted < limit ? wanted : limit;
}

void Move(HWND box, int id, const Place& place) {
  SetWindowPos(GetDlgItem(box, id), nullptr, place.x, place.y, place.cx,
               place.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MoveControls(HWND box, const BoxCall& call, const BoxLayout& layout) {
  if (call.plan.look.icon != Icon::kNone) Move(box, kIconId, layout.icon);
  Move(box, kTextId, layout.text);
  if (Runs(call.countdown)) Move(box, kCountdownId, layout.countdown);
  for (int i = 0; i < call.plan.buttons.count; ++i) {
    Move(box, call.plan.buttons.ids[i], layout.buttons[i]);
  }
}

}  // namespace

void PlaceBox(HWND box, const BoxCall& call) {
  const Place area = WorkArea(call.owner);
  LayoutInput input{};
  input.spacing = SpacingOf(box);
  input.icon = IconSize(call);
  input.countdown = CountdownSize(box, call);
  input.text = TextSize(box, call, input, area);
  input.buttonCount = call.plan.buttons.count;
  input.widestLabel = WidestLabel(box, call);
  input.captionWidth = CaptionWidth(box, call, input.spacing, area);
  const BoxLayout layout = LayOut(input);
  MoveControls(box, call, layout);

  const Size frame = FrameOf(box);
  const Place where = CenterIn(
      area, {layout.client.cx + frame.cx, layout.client.cy + frame.cy});
  SetWindowPos(box, nullptr, where.x, where.y, where.cx, where.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace vorlick
