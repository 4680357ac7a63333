#include "video/EngineInput_win.h"

namespace {

bool IsKeyboardMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

// Bit 30 of a key-down's lParam: the key was already down (auto-repeat).
bool IsRepeat(LPARAM lParam) { return (lParam & (LPARAM(1) << 30)) != 0; }

}  // namespace

EngineInput ClassifyEngineInput(const MSG& msg) {
  const bool key = IsKeyboardMessage(msg.message);
  if ((key && msg.wParam == VK_ESCAPE) || msg.message == WM_LBUTTONDOWN ||
      msg.message == WM_RBUTTONDOWN)
    return EngineInput::LeaveFullScreen;
  if (key && (msg.wParam == VK_SPACE || msg.wParam == VK_RETURN)) {
    const bool press = msg.message == WM_KEYDOWN && !IsRepeat(msg.lParam);
    return press ? EngineInput::TogglePlay : EngineInput::Swallow;
  }
  if (msg.message == WM_KEYDOWN || msg.message == WM_CHAR) return EngineInput::ForwardKey;
  if (msg.message == WM_KEYUP) return EngineInput::Swallow;
  return EngineInput::PassOn;
}

LPARAM ForwardedKeyFlagsOf(const MSG& msg, bool shift, bool ctrl) {
  LPARAM flags = 0;
  if (msg.message == WM_CHAR) flags |= kForwardedChar;
  if (shift) flags |= kForwardedShift;
  if (ctrl) flags |= kForwardedCtrl;
  if (IsRepeat(msg.lParam)) flags |= kForwardedRepeat;
  return flags;
}
