// What the engine does with a keyboard or mouse message for its window, its
// video surface or (through the message drain) the full-screen video.
#pragma once

#include <windows.h>

enum class EngineInput {
  LeaveFullScreen,  // Escape, or a left or right click
  TogglePlay,       // a press of Space or Enter
  Swallow,          // any other key: the dialog manager never sees it
  PassOn,           // everything else
};

// One press toggles once: only its first key-down counts, not the key-up or the
// auto-repeats, and mouse messages whose button flags happen to equal a key
// code are not keys.
EngineInput ClassifyEngineInput(const MSG& msg);
