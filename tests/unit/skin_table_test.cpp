// The skin table against the resources: every image a button can show is
// compiled into the program from the file the generator draws for it.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "app/skin_table.h"
#include "resources/resource.h"

namespace {

std::string ReadSource(const std::string& relative) {
  std::ifstream in(std::string(SOURCE_ROOT) + "/" + relative);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// name -> value of every "#define IDB_... n" / "IDR_..." line.
std::map<std::string, int> Defines(const std::string& header) {
  std::map<std::string, int> out;
  const std::regex line(R"(#define\s+(ID[BR]_\w+)\s+(\d+))");
  for (std::sregex_iterator i(header.begin(), header.end(), line), end; i != end; ++i)
    out[(*i)[1]] = std::stoi((*i)[2]);
  return out;
}

}  // namespace

TEST(SkinTable, EveryImageOfEveryStateIsABitmapResourceDrawnFromItsOwnFile) {
  const auto defines = Defines(ReadSource("resources/resource.h"));
  const std::string rc = ReadSource("resources/skin.rc");
  std::map<int, int> fileOf;  // resource id -> number in the generated file's name
  const std::regex entry(R"((IDB_\w+)\s+BITMAP\s+"bmp_(\d+)\.bmp")");
  for (std::sregex_iterator i(rc.begin(), rc.end(), entry), end; i != end; ++i) {
    ASSERT_EQ(defines.count((*i)[1]), 1u) << (*i)[1];
    fileOf[defines.at((*i)[1])] = std::stoi((*i)[2]);
  }
  std::set<int> used;
  for (int id : SkinnedButtons())
    for (int bits = 0; bits < 8; ++bits) {
      const SkinImages images =
          SkinFor(id, SkinState{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0});
      ASSERT_NE(images.normal, 0) << id;
      used.insert(images.normal);
      if (images.hover != 0) used.insert(images.hover);
    }
  for (int image : used) {
    ASSERT_EQ(fileOf.count(image), 1u) << "bitmap " << image << " is not in skin.rc";
    EXPECT_EQ(fileOf[image], image) << "bitmap " << image << " is drawn from another image's file";
  }
}
