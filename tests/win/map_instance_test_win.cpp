// The map windows' own folders under Wine: two windows at once keep their own
// route and position, each folder goes with its window, and the next start
// removes what a crashed instance left behind while a running one keeps its.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "framework/Owners_win.h"
#include "map/GoogleMaps_win.h"
#include "map_test_support_win.h"

using namespace maptest;

namespace {

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteBytes(const std::string& path, const char* bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  std::fputs(bytes, f);
  std::fclose(f);
}

// A folder as an instance of this program leaves it: the three files, and the
// lock file unless `lock` is false.
std::string MakeInstanceFolder(const std::string& name, bool lock) {
  const std::string folder = TempFolder() + name + "\\";
  CreateDirectoryA(folder.substr(0, folder.size() - 1).c_str(), NULL);
  WriteBytes(folder + "GM_tmp1.html", "<!DOCTYPE html>\n");
  WriteBytes(folder + "line_path.js", "var LINE_PATH = [\n];\n");
  WriteBytes(folder + "target_pos.js", "var TARGET_POS = { lat: 1.0, lng : 2.0, update : 1 };");
  if (lock) WriteBytes(folder + "instance.lock", "");
  return folder;
}

void RemoveFolder(const std::string& folder, const char* extra = nullptr) {
  for (const char* name : {"GM_tmp1.html", "line_path.js", "target_pos.js", "instance.lock", extra})
    if (name != nullptr) DeleteFileA((folder + name).c_str());
  RemoveDirectoryA(folder.substr(0, folder.size() - 1).c_str());
}

std::string ProgramName() {
  char module[MAX_PATH] = "";
  GetModuleFileNameA(NULL, module, sizeof module);
  std::string name = module;
  name.erase(0, name.find_last_of("\\/") + 1);
  return name.substr(0, name.rfind('.'));
}

std::string Sidecar(const std::string& name, const char* rmc) {
  const std::string path = TempFolder() + name;
  WriteBytes(path, rmc);
  return path;
}

}  // namespace

TEST(MapInstanceFolder, TwoWindowsAtOnceKeepTheirOwnFilesAndTakeThemAlong) {
  const std::string temp = TempFolder();
  const std::string own = temp + ProgramName() + "-" + std::to_string(GetCurrentProcessId());
  const std::string a = Sidecar("map_instance_a.nmea",
                                "$GPRMC,1,A,3539.1234,N,13945.0000,E,0,0,020323,,,A*00\r\n");
  const std::string b = Sidecar("map_instance_b.nmea",
                                "$GPRMC,1,A,4830.0000,N,00220.0000,E,0,0,020323,,,A*00\r\n");
  const char* const routeA = "var LINE_PATH = [\r\n\t{ lat: 35.652057, lng : 139.750000 },\r\n];\r\n";
  const char* const routeB = "var LINE_PATH = [\r\n\t{ lat: 48.500000, lng : 2.333333 },\r\n];\r\n";
  auto first = std::make_unique<CGoogleMaps>();
  std::string secondFolder;
  {
    CGoogleMaps second;
    secondFolder = second.Folder();
    EXPECT_EQ(first->Folder(), own + "\\");
    EXPECT_EQ(secondFolder, own + "-2\\");
    first->LoadTelemetry(a, 1, 2);
    second.LoadTelemetry(b, 1, 2);
    first->UpdateTargetPos(0, 1);
    second.UpdateTargetPos(0, 1);
    first->WriteMapPage();
    second.WriteMapPage();
    EXPECT_EQ(ReadFile(first->Folder() + "line_path.js"), routeA);
    EXPECT_EQ(ReadFile(secondFolder + "line_path.js"), routeB);
    EXPECT_EQ(ReadFile(first->Folder() + "target_pos.js"),
              "var TARGET_POS = { lat: 35.652057, lng : 139.750000, update : 1 };");
    EXPECT_EQ(ReadFile(secondFolder + "target_pos.js"),
              "var TARGET_POS = { lat: 48.500000, lng : 2.333333, update : 1 };");
    EXPECT_NE(ReadFile(secondFolder + "GM_tmp1.html").find("-2\\\\line_path.js"), std::string::npos);
    // A third start meanwhile leaves both alone.
    CGoogleMaps third;
    EXPECT_EQ(third.Folder(), own + "-3\\");
    EXPECT_TRUE(Exists(secondFolder + "line_path.js"));
  }
  EXPECT_FALSE(Exists(secondFolder));  // gone with its window, files and all
  EXPECT_EQ(ReadFile(first->Folder() + "line_path.js"), routeA);
  const std::string firstFolder = first->Folder();
  first.reset();
  EXPECT_FALSE(Exists(firstFolder));
  DeleteFileA(a.c_str());
  DeleteFileA(b.c_str());
}

TEST(MapInstanceFolder, TheNextStartRemovesCrashedInstancesFoldersAndKeepsRunningOnes) {
  const std::string app = ProgramName();
  const std::string ownPid = std::to_string(GetCurrentProcessId());
  // Process numbers that no process has (they are multiples of 4 below 2^32).
  const std::string freeLock = MakeInstanceFolder(app + "-4294967292", true);
  const std::string noLockGone = MakeInstanceFolder(app + "-4294967288-2", false);
  const std::string held = MakeInstanceFolder(app + "-4294967284", true);
  const std::string withOther = MakeInstanceFolder(app + "-4294967280", true);
  WriteBytes(withOther + "notes.txt", "the user's");
  // This process's number, no lock yet: an instance of it that is starting.
  const std::string starting = MakeInstanceFolder(app + "-" + ownPid + "-9", false);
  const std::string foreign = MakeInstanceFolder(app + "-backup", true);
  {
    KernelHandle lock(CreateFileA((held + "instance.lock").c_str(), GENERIC_READ | GENERIC_WRITE,
                                  0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL));
    ASSERT_TRUE(lock.Valid());
    CGoogleMaps next;
    EXPECT_FALSE(Exists(freeLock));
    EXPECT_FALSE(Exists(noLockGone));
    EXPECT_TRUE(Exists(held + "target_pos.js"));
    EXPECT_EQ(ReadFile(withOther + "notes.txt"), "the user's");
    EXPECT_FALSE(Exists(withOther + "target_pos.js"));
    EXPECT_TRUE(Exists(starting + "target_pos.js"));
    EXPECT_TRUE(Exists(foreign + "instance.lock"));
  }
  // Its holder gone, the held one is a leftover at the start after.
  CGoogleMaps after;
  EXPECT_FALSE(Exists(held));
  RemoveFolder(withOther, "notes.txt");
  RemoveFolder(starting);
  RemoveFolder(foreign);
  RemoveFolder(freeLock);
  RemoveFolder(noLockGone);
  RemoveFolder(held);
}
