// What the engine does with a keyboard or mouse message for its window, its
// video surface or (through the message drain) the full-screen video.
#pragma once

#include <windows.h>

enum class EngineInput {
  LeaveFullScreen,  // Escape, or a left or right click
  TogglePlay,       // a press of Space or Enter
  ForwardKey,       // another key-down or a typed character: the main window's keys
  Swallow,          // key-ups and repeats of the keys above: the dialog manager never sees them
  PassOn,           // everything else
};

// One press toggles once: only its first key-down counts, not the key-up or the
// auto-repeats, and mouse messages whose button flags happen to equal a key
// code are not keys.
EngineInput ClassifyEngineInput(const MSG& msg);

// The lParam of a forwarded key: a character (else a key-down), the modifiers
// held, an auto-repeat.
enum ForwardedKeyFlags : LPARAM {
  kForwardedChar = 1,
  kForwardedShift = 2,
  kForwardedCtrl = 4,
  kForwardedRepeat = 8,
};
LPARAM ForwardedKeyFlagsOf(const MSG& msg, bool shift, bool ctrl);
