#include "box_template.h"

#include "control_ids.h"

namespace vorlick {
namespace {

constexpr DWORD kBoxStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

DWORD BoxExStyle(const BoxLook& look) {
  DWORD exStyle = WS_EX_DLGMODALFRAME;
  if (look.topmost) exStyle |= WS_EX_TOPMOST;
  if (look.rightToLeft) exStyle |= WS_EX_RTLREADING;
  return exStyle;
}

// The countdown line reads and aligns as the message does.
TemplateItem TextItem(const BoxLook& look, DWORD id) {
  return {MessageStyle(look, false), MessageExStyle(look), kStaticClass, id,
          nullptr};
}

void AddButtons(const BoxCall& call, DialogTemplate& dialog) {
  for (int i = 0; i < call.plan.buttons.count; ++i) {
    const int id = call.plan.buttons.ids[i];
    DWORD style = kChild | WS_TABSTOP;
    style |= id == call.defaultId ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if (i == 0) style |= WS_GROUP;
    AddItem(dialog, {style, 0, kButtonClass, static_cast<DWORD>(id),
                     reinterpret_cast<const wchar_t*>(call.labels.text[i])});
  }
}

}  // namespace

DWORD MessageStyle(const BoxLook& look, bool scrolls) {
  if (scrolls) {
    // In the tab order, so that the keyboard can scroll it too.
    return kChild | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY |
           (look.rightAligned ? ES_RIGHT : ES_LEFT);
  }
  return kChild | SS_NOPREFIX | SS_EDITCONTROL |
         (look.rightAligned ? SS_RIGHT : SS_LEFT);
}

DWORD MessageExStyle(const BoxLook& look) {
  return look.rightToLeft ? WS_EX_RTLREADING : 0;
}

bool BuildBoxTemplate(const BoxCall& call, DialogTemplate& dialog) {
  const bool hasIcon = call.plan.look.icon != Icon::kNone;
  const bool counts = Runs(call.countdown);
  const int items =
      (hasIcon ? 1 : 0) + 1 + (counts ? 1 : 0) + call.plan.buttons.count;
  DWORD style = kBoxStyle;
  if (call.plan.look.modality == Modality::kSystem) style |= DS_SYSMODAL;
  BeginTemplate(dialog, style, BoxExStyle(call.plan.look), items);
  if (hasIcon) {
    AddItem(dialog, {kChild | SS_ICON, 0, kStaticClass, kIconId, nullptr});
  }
  AddItem(dialog, TextItem(call.plan.look, kTextId));
  if (counts) AddItem(dialog, TextItem(call.plan.look, kCountdownId));
  AddButtons(call, dialog);
  return !dialog.overflow;
}

}  // namespace vorlick
