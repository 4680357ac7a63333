// The player's keyboard: which key does what, where a seek key lands, and the
// lines of the key sheet. Keys come as virtual-key codes (the values are the
// platform's, spelled out here so the rules need no window headers) with the
// Shift and Ctrl states, or as typed characters for the keys whose place
// depends on the keyboard layout (',', '.', '?').
#pragma once

#include <string>
#include <vector>

enum class KeyCommand {
  kNone,
  kPlayPause,
  kBack,          // 5 s
  kForward,
  kBackLong,      // 30 s
  kForwardLong,
  kFirst,         // the clip's first second
  kNearEnd,       // a little before the clip's end
  kFrameBack,
  kFrameForward,
  kNextEvent,
  kPreviousEvent,
  kNextClip,
  kPreviousClip,
  kFullScreen,
  kLeaveFullScreen,
  kLargeView,
  kOpenVideo,
  kPairLayout,    // the other camera: inset, side by side, off
  kKeySheet,
};

namespace vk {
constexpr int kReturn = 0x0D;
constexpr int kEscape = 0x1B;
constexpr int kSpace = 0x20;
constexpr int kPageUp = 0x21;
constexpr int kPageDown = 0x22;
constexpr int kEnd = 0x23;
constexpr int kHome = 0x24;
constexpr int kLeft = 0x25;
constexpr int kUp = 0x26;
constexpr int kRight = 0x27;
constexpr int kDown = 0x28;
constexpr int kF1 = 0x70;
}  // namespace vk

struct KeyPress {
  int nKey = 0;  // virtual-key code; letters are their capitals
  bool bShift = false;
  bool bCtrl = false;
};

// A key-down; kNone for a key the player leaves alone.
KeyCommand CommandForKey(const KeyPress& key);
// A typed character (what the layout made of a key); kNone for the others.
KeyCommand CommandForChar(char32_t typed);

// The seek commands move by whole seconds.
bool IsSeekCommand(KeyCommand command);
// Where a seek command goes from `shownSec` in a clip of `lengthSec` seconds,
// always inside the clip (0 .. lengthSec - 1; 0 for an empty clip).
int SeekTarget(KeyCommand command, int shownSec, int lengthSec);

constexpr int kSeekStepSec = 5;
constexpr int kLongSeekStepSec = 30;
constexpr int kNearEndSec = 5;  // End lands this many seconds before the end

// One line of the key sheet: the keys as they are written on it and what they do.
struct KeySheetLine {
  std::string strKeys;
  std::string strAction;
};
const std::vector<KeySheetLine>& KeySheetLines();

// The keys of a sheet line as they are drawn: key caps, and the joining words
// between them (" / ", " + ", " or ") as plain text.
struct KeyCapPart {
  std::string strText;
  bool bCap = true;
};
std::vector<KeyCapPart> KeyCapParts(const std::string& keys);
