// The playlist with both cameras' clips listed: which row plays next, and what
// a row loads when it plays with its partner.
#pragma once

#include <string>
#include <vector>

#include "app/clip_names.h"

// The row auto-advance plays after `playedRow`, or -1 at the list's end. The
// next row, except that the partner of a row just played as a pair is skipped
// when it follows it (a rear row after its front, or a front after its rear),
// so the pair does not play again on its own. `exists` is the pairing's check.
int NextRowAfter(const std::vector<std::string>& rowPaths, int playedRow, bool playedAsPair,
                 const FileExistsCheck& exists);

struct PairLoad {
  std::string strFront;  // the front clip, or the clip alone when it has no partner
  std::string strRear;   // empty: no rear picture
  bool bRearLarge = false;  // a rear row was chosen: its picture is the large one
};

// What playing the clip at `path` loads.
PairLoad PairLoadFor(const std::string& path, const FileExistsCheck& exists);
