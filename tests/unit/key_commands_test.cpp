// The player's keys: what each key does, where the seek keys land, what the
// key sheet lists.
#include "app/key_commands.h"

#include <gtest/gtest.h>

#include <set>

TEST(KeyCommands, KeysAndModifiersPickTheCommand) {
  const KeyPress none{0, false, false};
  struct Case {
    const char* what;
    KeyPress key;
    KeyCommand command;
  } cases[] = {
      {"space plays and pauses", {vk::kSpace, false, false}, KeyCommand::kPlayPause},
      {"left goes back", {vk::kLeft, false, false}, KeyCommand::kBack},
      {"right goes forward", {vk::kRight, false, false}, KeyCommand::kForward},
      {"shift makes the arrows long", {vk::kLeft, true, false}, KeyCommand::kBackLong},
      {"shift right", {vk::kRight, true, false}, KeyCommand::kForwardLong},
      {"ctrl with an arrow is nothing", {vk::kRight, false, true}, KeyCommand::kNone},
      {"home", {vk::kHome, false, false}, KeyCommand::kFirst},
      {"end", {vk::kEnd, false, false}, KeyCommand::kNearEnd},
      {"page down: next event", {vk::kPageDown, false, false}, KeyCommand::kNextEvent},
      {"page up: previous event", {vk::kPageUp, false, false}, KeyCommand::kPreviousEvent},
      {"ctrl down: next clip", {vk::kDown, false, true}, KeyCommand::kNextClip},
      {"ctrl up: previous clip", {vk::kUp, false, true}, KeyCommand::kPreviousClip},
      {"down alone is the list's own", {vk::kDown, false, false}, KeyCommand::kNone},
      {"F: full screen", {'F', false, false}, KeyCommand::kFullScreen},
      {"shift does not change a letter", {'F', true, false}, KeyCommand::kFullScreen},
      {"ctrl F is nothing", {'F', false, true}, KeyCommand::kNone},
      {"escape leaves full screen", {vk::kEscape, false, false}, KeyCommand::kLeaveFullScreen},
      {"L: enlarged layout", {'L', false, false}, KeyCommand::kLargeView},
      {"V: the rear camera's next place", {'V', false, false}, KeyCommand::kPairLayout},
      {"Ctrl+V is no player key", {'V', false, true}, KeyCommand::kNone},
      {"ctrl O opens a video", {'O', false, true}, KeyCommand::kOpenVideo},
      {"O alone is nothing", {'O', false, false}, KeyCommand::kNone},
      {"F1: the key sheet", {vk::kF1, false, false}, KeyCommand::kKeySheet},
      {"enter is not a player key here", {vk::kReturn, false, false}, KeyCommand::kNone},
      {"ctrl S stays the snapshot's (handled before the table)", {'S', false, true},
       KeyCommand::kNone},
      {"no key", none, KeyCommand::kNone},
  };
  for (const Case& c : cases) EXPECT_EQ(CommandForKey(c.key), c.command) << c.what;
}

TEST(KeyCommands, TypedCharactersForLayoutDependentKeys) {
  EXPECT_EQ(CommandForChar(U','), KeyCommand::kFrameBack);
  EXPECT_EQ(CommandForChar(U'.'), KeyCommand::kFrameForward);
  EXPECT_EQ(CommandForChar(U'?'), KeyCommand::kKeySheet);
  for (char32_t other : {U'f', U'l', U' ', U'<', U'\x00e9', U'\r'})
    EXPECT_EQ(CommandForChar(other), KeyCommand::kNone) << static_cast<int>(other);
}

TEST(KeyCommands, SeekTargetsStayInsideTheClip) {
  struct Case {
    const char* what;
    KeyCommand command;
    int shown, length, target;
  } cases[] = {
      {"5 s forward", KeyCommand::kForward, 10, 40, 15},
      {"5 s back", KeyCommand::kBack, 10, 40, 5},
      {"back from the start stays at 0", KeyCommand::kBack, 3, 40, 0},
      {"forward past the end stops at the last second", KeyCommand::kForward, 37, 40, 39},
      {"30 s forward", KeyCommand::kForwardLong, 2, 40, 32},
      {"30 s forward clamps", KeyCommand::kForwardLong, 20, 40, 39},
      {"30 s back clamps", KeyCommand::kBackLong, 20, 40, 0},
      {"home", KeyCommand::kFirst, 25, 40, 0},
      {"end: 5 s before the end", KeyCommand::kNearEnd, 3, 40, 35},
      {"end of a clip shorter than 5 s", KeyCommand::kNearEnd, 1, 3, 0},
      {"a shown second past the length comes back in", KeyCommand::kForward, 90, 40, 39},
      {"nothing loaded", KeyCommand::kForward, 0, 0, 0},
      {"a negative length", KeyCommand::kBack, 5, -1, 0},
      {"one-second clip", KeyCommand::kForward, 0, 1, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SeekTarget(c.command, c.shown, c.length), c.target) << c.what;
  EXPECT_TRUE(IsSeekCommand(KeyCommand::kNearEnd));
  EXPECT_FALSE(IsSeekCommand(KeyCommand::kNextEvent));
  EXPECT_FALSE(IsSeekCommand(KeyCommand::kFrameBack));
}

TEST(KeyCommands, TheSheetListsEveryCommandOnce) {
  const std::vector<KeySheetLine>& lines = KeySheetLines();
  std::set<std::string> keys;
  for (const KeySheetLine& line : lines) {
    EXPECT_FALSE(line.strKeys.empty());
    EXPECT_FALSE(line.strAction.empty());
    EXPECT_TRUE(keys.insert(line.strKeys).second) << line.strKeys << " twice";
  }
  for (const char* key : {"Space", "Home / End", ", / .", "Page Down / Page Up", "Ctrl + O",
                          "F1 or ?", "Ctrl + Down / Up", "L", "F / Esc"})
    EXPECT_EQ(keys.count(key), 1u) << key;
}

TEST(KeyCommands, SheetKeysSplitIntoCapsAndJoiningWords) {
  auto text = [](const std::string& keys) {
    std::string out;
    for (const KeyCapPart& p : KeyCapParts(keys)) out += p.bCap ? "[" + p.strText + "]" : p.strText;
    return out;
  };
  EXPECT_EQ(text("Space"), "[Space]");
  EXPECT_EQ(text("Shift + Left / Right"), "[Shift]+[Left]/[Right]");
  EXPECT_EQ(text("Page Down / Page Up"), "[Page Down]/[Page Up]");
  EXPECT_EQ(text(", / ."), "[,]/[.]");
  EXPECT_EQ(text("F1 or ?"), "[F1]or[?]");
  EXPECT_EQ(text(""), "");
  for (const KeySheetLine& line : KeySheetLines())
    EXPECT_TRUE(KeyCapParts(line.strKeys).front().bCap) << line.strKeys;
}
