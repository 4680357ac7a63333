// What a drop of files and folders on the player does: one clip plays, a folder
// is listed, several clips go into the playlist; anything else is left alone
// and named to the user once.
#pragma once

#include <string>
#include <vector>

struct DroppedPath {
  std::string strPath;
  bool bFolder = false;
  bool bExists = true;
};

struct DropPlan {
  enum Action { kNothing, kPlayClip, kListFolder, kAddClips };
  Action action = kNothing;
  std::string strFolder;           // kListFolder
  std::vector<std::string> clips;  // kPlayClip: one; kAddClips: all, the first plays
  std::vector<std::string> left;   // dropped but not used: named to the user
};

// A folder wins over clips (the first folder is listed, the rest is left);
// without one the clips are used in the order dropped.
DropPlan PlanDrop(const std::vector<DroppedPath>& dropped);

// The calm text that names what was left alone; empty when nothing was.
std::string LeftAloneText(const std::vector<std::string>& left);

// Names listed before "and N more".
constexpr size_t kLeftAloneNamesShown = 8;
