// What a drop on the player does with its files and folders.
#include "app/dropped_files.h"

#include <gtest/gtest.h>

namespace {

DroppedPath File(const char* path, bool exists = true) { return DroppedPath{path, false, exists}; }
DroppedPath Folder(const char* path) { return DroppedPath{path, true, true}; }

}  // namespace

TEST(DroppedFiles, ClipsFoldersAndTheRest) {
  using V = std::vector<std::string>;
  struct Case {
    const char* what;
    std::vector<DroppedPath> dropped;
    DropPlan::Action action;
    std::string folder;
    V clips, left;
  } cases[] = {
      {"one clip plays", {File("C:\\d\\a.MP4")}, DropPlan::kPlayClip, "", {"C:\\d\\a.MP4"}, {}},
      {"several clips go to the list in the order dropped",
       {File("C:\\d\\b.mov"), File("C:\\d\\a.TS")}, DropPlan::kAddClips, "",
       {"C:\\d\\b.mov", "C:\\d\\a.TS"}, {}},
      {"a folder is listed", {Folder("C:\\DCIM")}, DropPlan::kListFolder, "C:\\DCIM", {}, {}},
      {"a folder wins over clips, which are left",
       {File("C:\\d\\a.MP4"), Folder("C:\\DCIM"), Folder("C:\\other")}, DropPlan::kListFolder,
       "C:\\DCIM", {}, {"C:\\other", "C:\\d\\a.MP4"}},
      {"other files are left beside a clip",
       {File("C:\\d\\notes.txt"), File("C:\\d\\a.avi"), File("C:\\d\\a.nmea")},
       DropPlan::kPlayClip, "", {"C:\\d\\a.avi"}, {"C:\\d\\notes.txt", "C:\\d\\a.nmea"}},
      {"only other files: nothing happens but the note",
       {File("C:\\d\\x.jpg")}, DropPlan::kNothing, "", {}, {"C:\\d\\x.jpg"}},
      {"a clip that is gone is left", {File("C:\\d\\gone.MP4", false)}, DropPlan::kNothing, "",
       {}, {"C:\\d\\gone.MP4"}},
      {"a bare extension is no clip", {File("C:\\d\\.mp4")}, DropPlan::kNothing, "", {},
       {"C:\\d\\.mp4"}},
      {"an empty drop", {}, DropPlan::kNothing, "", {}, {}},
  };
  for (const Case& c : cases) {
    const DropPlan plan = PlanDrop(c.dropped);
    EXPECT_EQ(plan.action, c.action) << c.what;
    EXPECT_EQ(plan.strFolder, c.folder) << c.what;
    EXPECT_EQ(plan.clips, c.clips) << c.what;
    EXPECT_EQ(plan.left, c.left) << c.what;
  }
}

TEST(DroppedFiles, TheNoteNamesWhatWasLeftByName) {
  EXPECT_EQ(LeftAloneText({}), "");
  const std::string one = LeftAloneText({"C:\\d\\notes.txt"});
  EXPECT_NE(one.find("This dropped item is not"), std::string::npos) << one;
  EXPECT_NE(one.find("    notes.txt\n"), std::string::npos) << one;
  EXPECT_EQ(one.find("C:\\d"), std::string::npos) << "names, not paths: " << one;
  EXPECT_NE(LeftAloneText({"C:\\d\\sub\\"}).find("    sub\n"), std::string::npos);
  std::vector<std::string> many;
  for (int i = 0; i < 11; ++i) many.push_back("C:\\x\\f" + std::to_string(i) + ".txt");
  const std::string text = LeftAloneText(many);
  EXPECT_NE(text.find("These dropped items"), std::string::npos);
  EXPECT_NE(text.find("f7.txt"), std::string::npos);
  EXPECT_EQ(text.find("f8.txt"), std::string::npos) << text;
  EXPECT_NE(text.find("and 3 more"), std::string::npos) << text;
}
