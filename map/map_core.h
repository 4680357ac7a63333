// The map window's portable half: the telemetry it owns, the three files it
// writes into one folder (in the player the window's own folder under the
// temporary folder) and the rule of a layout pass. The window adds the folder,
// the probe and the web view.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "map/map_settings.h"
#include "map/target_pos_file.h"
#include "telemetry/telemetry_store.h"

class CMapCore {
 public:
  // folder is empty (the current folder) or ends in a path separator.
  CMapCore(std::string folder, MapScript script);

  // Refills the table from the sidecar; the route file follows when it was parsed.
  void LoadTelemetry(const std::string& path, int bPresent, int64_t nClipSec);
  // Row -1 writes the placeholder; see CTargetPosWriter for the other rows.
  bool UpdateTargetPos(int64_t row, int update);
  // The position the page first shows: see CTargetPosWriter::WriteStart.
  bool WriteStartPos();
  bool WriteLinePath();
  bool WriteMapPage();

  // A layout pass (not the first one) over a map that has been shown: a size
  // change shows the map again through `showMap`; the position of the last row
  // is written again in either case. Returns 0.
  int OnLayout(bool first, int bSizeChanged, const std::function<void()>& showMap);

  void MarkShown() { m_bShownOnce = true; }
  bool ShownOnce() const { return m_bShownOnce; }

  const std::string& Folder() const { return m_strFolder; }
  std::string PagePath() const;
  const CTelemetryStore& Store() const { return m_store; }
  int64_t LastRow() const { return m_targetPos.LastRow(); }

 private:
  std::string m_strFolder;
  MapScript m_script;
  CTelemetryStore m_store;
  CTargetPosWriter m_targetPos;
  bool m_bShownOnce = false;
};
