#include "app/pair_playlist.h"

#include "app/camera_pair.h"

int NextRowAfter(const std::vector<std::string>& rowPaths, int playedRow, bool playedAsPair,
                 const FileExistsCheck& exists) {
  const int count = static_cast<int>(rowPaths.size());
  if (playedRow < 0 || playedRow >= count) return -1;
  int next = playedRow + 1;
  if (playedAsPair && next < count) {
    const CameraPartner partner = PartnerOf(rowPaths[playedRow], exists);
    if (!partner.strPath.empty() && partner.strPath == rowPaths[next]) ++next;
  }
  return next < count ? next : -1;
}

PairLoad PairLoadFor(const std::string& path, const FileExistsCheck& exists) {
  PairLoad load;
  const CameraPartner partner = PartnerOf(path, exists);
  if (partner.strPath.empty() || partner.bPartnerIsRear) {
    load.strFront = path;
    load.strRear = partner.strPath;
  } else {
    load.strFront = partner.strPath;
    load.strRear = path;
    load.bRearLarge = true;
  }
  return load;
}
