#include "map/map_page.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "test_files.h"

namespace {

const MapScript kScript{"https://maps.test/maps/api/js",
                        "KEY-456789012345678901234567890123456789"};

size_t Find(const std::string& page, const std::string& text, size_t from = 0) {
  size_t at = page.find(text, from);
  EXPECT_NE(at, std::string::npos) << "missing: " << text;
  return at;
}

}  // namespace

TEST(MapPage, FivePiecesInOrderWithBothPathsDoubled) {
  const std::string page = MakeMapPage(kScript, "C:\\Users\\me\\Temp\\line_path.js",
                                       "C:\\Users\\me\\Temp\\target_pos.js");
  // Piece 1: the head with the map script and its ready callback.
  EXPECT_EQ(page.rfind("<!DOCTYPE html>\n<html>\n", 0), 0u);
  size_t at = Find(page, "content=\"initial-scale=1.0, user-scalable=no\"");
  at = Find(page, "charset=\"utf-8\" http-equiv=\"X-UA-Compatible\" content=\"IE=edge\"", at);
  at = Find(page, "#mymap { height: 100% }", at);
  at = Find(page,
            "<script async defer type=\"text/javascript\" src=\"https://maps.test/maps/api/js"
            "?callback=Initialize&key=KEY-456789012345678901234567890123456789\"></script>\n",
            at);
  // Piece 2: the route file, every backslash doubled.
  at =
      Find(page, "\n    <script src=\"C:\\\\Users\\\\me\\\\Temp\\\\line_path.js\"></script>\n", at);
  // Piece 3: the inline script and its four functions, LoadTargetPos last.
  for (const char* text :
       {"var vPreLat = 0;", "function Initialize()", "function SetLinePath()",
        "function TargetPosUpdate()", "function LoadTargetPos(func)", "elem.id = \"TARGET_POS\";"})
    at = Find(page, text, at);
  // Piece 4: the position file's source line inside LoadTargetPos.
  at = Find(page, "\n          elem.src = \"C:\\\\Users\\\\me\\\\Temp\\\\target_pos.js\";\n", at);
  // Piece 5: the load handler, then the body.
  at = Find(page, "console.warn(\"loadend:\" + TARGET_POS.lat + \",\" + TARGET_POS.lng);", at);
  for (const char* id : {"\"mymap\"", "\"CenterLatValue\"", "\"CenterLngValue\"", "\"CurrZoom\""})
    at = Find(page, id, at);
  EXPECT_EQ(page.substr(page.size() - 8), "</html>\n");
}

TEST(MapPage, WrittenInWindowsLineEndsIntoItsFolder) {
  ScratchDir dir;
  ASSERT_TRUE(WriteMapPage(dir.Path(), kScript));
  const std::string bytes = ReadAll(dir.Path() + "GM_tmp1.html");
  std::string expected;
  for (char c : MakeMapPage(kScript, dir.Path() + "line_path.js", dir.Path() + "target_pos.js")) {
    if (c == '\n') expected += '\r';
    expected += c;
  }
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'),
            std::count(bytes.begin(), bytes.end(), '\r'));
  EXPECT_NE(
      bytes.find("<script src=\"" + DoubleBackslashes(dir.Path()) + "line_path.js\"></script>\r\n"),
      std::string::npos);
  EXPECT_FALSE(WriteMapPage(dir.Path() + "missing/", kScript));
}

TEST(MapPage, ScriptAddressesAndTheBuildSettings) {
  MapScript other{"file:///tmp/stand-in.js?v=2", kScript.key};
  EXPECT_NE(MakeMapPage(other, "r", "t")
                .find("src=\"file:///tmp/stand-in.js?v=2&callback=Initialize&key="),
            std::string::npos);
  const MapScript build = BuildMapScript();
  EXPECT_EQ(build.key.size(), 39u);
  EXPECT_EQ(build.address.substr(build.address.size() - 12), "/maps/api/js");
  EXPECT_EQ(build.address.find("//maps/api"), std::string::npos);
  EXPECT_EQ(DoubleBackslashes("\\\\srv\\a b\\"), "\\\\\\\\srv\\\\a b\\\\");
  EXPECT_EQ(DoubleBackslashes("/tmp/x/"), "/tmp/x/");
}
