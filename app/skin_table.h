// Which images and tooltip each skinned button of the main window shows, and
// which buttons each layout pass prepares.
#pragma once

#include <vector>

struct SkinState {
  bool playing = false;    // the engine runs: pause images on the play button
  bool maximized = false;  // the maximise button offers "Restore"
  bool enlarged = false;   // the enlarged layout: its switch offers "Normal Screen"
};

struct SkinImages {
  int normal = 0;                 // shown while the pointer is elsewhere
  int hover = 0;                  // over it or pressed; 0: the normal image always
  const char* tooltip = nullptr;  // none for image-only buttons
};

// The images of button `id` in that state; normal 0 for a control without a skin.
SkinImages SkinFor(int id, const SkinState& state);

// Single-image buttons the window template creates disabled; their image is
// shown in its own colours, not embossed.
bool IsDisabledImageButton(int id);

// The buttons a normal layout pass prepares, in order: title bar, side panel,
// player area.
const std::vector<int>& TitleBarButtons();
const std::vector<int>& PanelButtons();
const std::vector<int>& PlayerAreaButtons();
// Rebuilt by each switch of layout, at the switch's own size in the enlarged one.
const std::vector<int>& LayoutSwitchButtons();
// Every button whose backdrop comes from the window's background.
const std::vector<int>& BackdropButtons();
// Every button bound to a skinned control.
const std::vector<int>& SkinnedButtons();
