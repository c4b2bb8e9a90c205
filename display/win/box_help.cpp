#include "box_help.h"

namespace vorlick {

// As the system's message box tells its owner: the Help button is the item
// (IDHELP, its window). A box without one names itself, with no control ID.
// MessageBoxW takes no context help ID, so the box has none either.
void SendHelp(HWND box, const BoxCall& call) {
  if (call.owner == nullptr) return;
  HELPINFO info{};
  info.cbSize = sizeof info;
  info.iContextType = HELPINFO_WINDOW;
  info.hItemHandle = box;
  HWND help = GetDlgItem(box, kIdHelp);
  if (IndexOf(call.plan.buttons, kIdHelp) >= 0 && help != nullptr) {
    info.iCtrlId = kIdHelp;
    info.hItemHandle = help;
  }
  GetCursorPos(&info.MousePos);
  SendMessageW(call.owner, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace vorlick
