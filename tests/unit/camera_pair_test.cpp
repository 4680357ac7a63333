#include "app/camera_pair.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

struct PairCase {
  const char* what;
  std::vector<std::string> folder;  // the files that exist
  std::string clip;
  std::string partner;  // "" none
  bool partnerIsRear;
};

TEST(CameraPair, PartnersByNameExtensionAndCase) {
  const PairCase cases[] = {
      {"front finds its rear", {"D:\\C\\A.MP4", "D:\\C\\AR.MP4"}, "D:\\C\\A.MP4", "D:\\C\\AR.MP4", true},
      {"rear finds its front", {"D:\\C\\A.MP4", "D:\\C\\AR.MP4"}, "D:\\C\\AR.MP4", "D:\\C\\A.MP4", false},
      {"the rear in another container", {"A.MOV", "AR.avi"}, "A.MOV", "AR.avi", true},
      {"the own extension first", {"A.MP4", "AR.MOV", "AR.MP4"}, "A.MP4", "AR.MP4", true},
      {"then the playlist's order", {"A.MP4", "AR.ts", "AR.MOV"}, "A.MP4", "AR.MOV", true},
      {"case as written: .Mp4 is no clip", {"A.MP4", "AR.Mp4"}, "A.MP4", "", false},
      {"a lower-case r is not the rear mark", {"A.MP4", "Ar.MP4"}, "A.MP4", "", false},
      {"a front without a rear", {"A.MP4", "B.MP4"}, "A.MP4", "", false},
      {"a rear without a front is a front of its own", {"AR.MP4"}, "AR.MP4", "", false},
      {"a name ending in R with its own rear", {"CAR.MP4", "CARR.MP4"}, "CAR.MP4", "CARR.MP4", true},
      {"R inside the name, not before the extension", {"REAR_1.MP4", "REAR_1R.MP4"}, "REAR_1.MP4",
       "REAR_1R.MP4", true},
      {"R alone is a name, not a rear mark", {"R.MP4", ".MP4"}, "R.MP4", "", false},
      {"only the same folder", {"D:\\A\\X.MP4", "D:\\B\\XR.MP4"}, "D:\\A\\X.MP4", "", false},
      {"no clip name", {"A.nmea", "AR.MP4"}, "A.nmea", "", false},
  };
  for (const PairCase& c : cases) {
    const std::set<std::string> files(c.folder.begin(), c.folder.end());
    const CameraPartner p =
        PartnerOf(c.clip, [&](const std::string& path) { return files.count(path) != 0; });
    EXPECT_EQ(p.strPath, c.partner) << c.what;
    if (!c.partner.empty()) {
      EXPECT_EQ(p.bPartnerIsRear, c.partnerIsRear) << c.what;
    }
  }
}

}  // namespace
