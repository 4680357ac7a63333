#include "map/map_core.h"

#include <utility>

#include "map/map_page.h"
#include "map/route_file.h"

CMapCore::CMapCore(std::string folder, MapScript script)
    : m_strFolder(std::move(folder)), m_script(std::move(script)) {}

void CMapCore::LoadTelemetry(const std::string& path, int bPresent, int64_t nClipSec) {
  if (m_store.LoadTelemetry(path, bPresent, nClipSec)) WriteLinePath();
}

bool CMapCore::UpdateTargetPos(int64_t row, int update) {
  return m_targetPos.UpdateTargetPos(m_strFolder, m_store.Table(), row, update);
}

bool CMapCore::WriteStartPos() { return m_targetPos.WriteStart(m_strFolder, m_store.Table()); }

bool CMapCore::WriteLinePath() { return ::WriteLinePath(m_strFolder, m_store.Table()); }

bool CMapCore::WriteMapPage() { return ::WriteMapPage(m_strFolder, m_script); }

std::string CMapCore::PagePath() const { return m_strFolder + kMapPageFileName; }

int CMapCore::OnLayout(bool first, int bSizeChanged, const std::function<void()>& showMap) {
  if (first || !m_bShownOnce) return 0;
  if (bSizeChanged == 1 && showMap) showMap();
  UpdateTargetPos(LastRow(), 1);
  return 0;
}
