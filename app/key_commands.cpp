#include "app/key_commands.h"

#include <algorithm>

namespace {

struct KeyRule {
  int nKey;
  bool bShift;  // Shift held; rules without Shift also take it unless a Shift rule exists
  bool bCtrl;
  KeyCommand command;
};

// Ctrl and Shift must match exactly where a rule names them; the first rule that
// fits wins, so the longer forms come first.
const KeyRule kKeyRules[] = {
    {vk::kLeft, true, false, KeyCommand::kBackLong},
    {vk::kRight, true, false, KeyCommand::kForwardLong},
    {vk::kLeft, false, false, KeyCommand::kBack},
    {vk::kRight, false, false, KeyCommand::kForward},
    {vk::kHome, false, false, KeyCommand::kFirst},
    {vk::kEnd, false, false, KeyCommand::kNearEnd},
    {vk::kPageDown, false, false, KeyCommand::kNextEvent},
    {vk::kPageUp, false, false, KeyCommand::kPreviousEvent},
    {vk::kDown, false, true, KeyCommand::kNextClip},
    {vk::kUp, false, true, KeyCommand::kPreviousClip},
    {vk::kSpace, false, false, KeyCommand::kPlayPause},
    {'F', false, false, KeyCommand::kFullScreen},
    {vk::kEscape, false, false, KeyCommand::kLeaveFullScreen},
    {'L', false, false, KeyCommand::kLargeView},
    {'V', false, false, KeyCommand::kPairLayout},
    {'O', false, true, KeyCommand::kOpenVideo},
    {vk::kF1, false, false, KeyCommand::kKeySheet},
};

}  // namespace

KeyCommand CommandForKey(const KeyPress& key) {
  for (const KeyRule& rule : kKeyRules) {
    if (rule.nKey != key.nKey || rule.bCtrl != key.bCtrl) continue;
    // Shift only changes the arrows; elsewhere it is ignored.
    if (rule.bShift && !key.bShift) continue;
    return rule.command;
  }
  return KeyCommand::kNone;
}

KeyCommand CommandForChar(char32_t typed) {
  switch (typed) {
    case U',':
      return KeyCommand::kFrameBack;
    case U'.':
      return KeyCommand::kFrameForward;
    case U'?':
      return KeyCommand::kKeySheet;
    default:
      return KeyCommand::kNone;
  }
}

bool IsSeekCommand(KeyCommand command) {
  switch (command) {
    case KeyCommand::kBack:
    case KeyCommand::kForward:
    case KeyCommand::kBackLong:
    case KeyCommand::kForwardLong:
    case KeyCommand::kFirst:
    case KeyCommand::kNearEnd:
      return true;
    default:
      return false;
  }
}

int SeekTarget(KeyCommand command, int shownSec, int lengthSec) {
  if (lengthSec <= 0) return 0;
  int target = shownSec;
  switch (command) {
    case KeyCommand::kBack:
      target -= kSeekStepSec;
      break;
    case KeyCommand::kForward:
      target += kSeekStepSec;
      break;
    case KeyCommand::kBackLong:
      target -= kLongSeekStepSec;
      break;
    case KeyCommand::kForwardLong:
      target += kLongSeekStepSec;
      break;
    case KeyCommand::kFirst:
      target = 0;
      break;
    case KeyCommand::kNearEnd:
      target = lengthSec - kNearEndSec;
      break;
    default:
      break;
  }
  return std::clamp(target, 0, lengthSec - 1);
}

const std::vector<KeySheetLine>& KeySheetLines() {
  static const std::vector<KeySheetLine> lines = {
      {"Space", "Play / pause"},
      {"Left / Right", "5 seconds back / forward"},
      {"Shift + Left / Right", "30 seconds back / forward"},
      {"Home / End", "Start of the clip / 5 seconds before its end"},
      {", / .", "One frame back / forward"},
      {"Page Down / Page Up", "Next / previous G-force event"},
      {"Ctrl + Down / Up", "Next / previous clip in the playlist"},
      {"F / Esc", "Full screen / leave full screen"},
      {"L", "Enlarged view and back"},
      {"V", "Rear camera: inset, side by side, off"},
      {"Ctrl + O", "Open a video"},
      {"Ctrl + S", "Snapshot of the frame"},
      {"F1 or ?", "This list of keys"},
  };
  return lines;
}

std::vector<KeyCapPart> KeyCapParts(const std::string& keys) {
  static const char* const kJoins[] = {" / ", " + ", " or "};
  std::vector<KeyCapPart> parts;
  size_t from = 0;
  while (from < keys.size()) {
    size_t at = std::string::npos, length = 0;
    for (const char* join : kJoins) {
      const size_t found = keys.find(join, from);
      if (found < at) at = found, length = std::char_traits<char>::length(join);
    }
    if (at == std::string::npos) at = keys.size();
    if (at > from) parts.push_back({keys.substr(from, at - from), true});
    if (at == keys.size()) break;
    parts.push_back({keys.substr(at + 1, length - 2), false});
    from = at + length;
  }
  return parts;
}
