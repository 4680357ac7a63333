// The playing clip's trip: the position line under the time text and the
// route view's whole-trip route.
#include <windows.h>

#include "app/MediaPlayerDlg_win.h"
#include "app/clip_names.h"
#include "app/trips.h"
#include "map/GoogleMaps_win.h"
#include "telemetry/text_file.h"

// "Trip 00:12:34 / 00:27:10" for a listed clip in a trip of more than one
// clip, else (and for a second below 0: stopped) nothing; refitted only when
// its text changes.
void CMediaPlayerDlg::ShowTripPosition(int second) {
  const int row = model.PlayingRow();
  const TripSummary* trip = trips.Trip(trips.TripOf(row));
  const std::string text = trip != nullptr && trip->nClips > 1 && second >= 0
                               ? trips.PositionText(row, second)
                               : std::string();
  if (text == strTripText) return;
  strTripText = text;
  HWND control = GetDlgItem(IDC_TRIP_TEXT);
  RECT was;
  GetWindowRect(control, &was);
  MapWindowPoints(NULL, m_hWnd, reinterpret_cast<POINT*>(&was), 2);
  SIZE size{0, 0};
  SelectedObject font(measureDc.Get(), fontLayout.Get());
  if (!text.empty())
    GetTextExtentPoint32A(measureDc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  SetWindowTextA(control, text.c_str());
  // Refitted where the layout put it: its right edge and top stay.
  const RECT now{was.right - size.cx, was.top, was.right, was.top + size.cy};
  SetWindowPos(control, NULL, now.left, now.top, size.cx, size.cy,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  GdiRegion uncovered;
  AddToRegion(uncovered, was);
  AddToRegion(uncovered, now);
  RedrawWindow(m_hWnd, NULL, uncovered.Get(), RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The trip's clips of the playing row's camera, in order; `current` is the
// playing row's place among them (-1: not listed, or a trip of one clip).
std::vector<TripRouteClip> CMediaPlayerDlg::TripClipsOf(int row, int& current) const {
  current = -1;
  std::vector<TripRouteClip> clips;
  const TripSummary* trip = trips.Trip(trips.TripOf(row));
  if (trip == nullptr) return clips;
  const bool rear = IsRearClipName(PathAt(row));
  for (int r = trip->nFirstRow; r <= trip->nLastRow; ++r) {
    const std::string path = PathAt(r);
    if (IsRearClipName(path) != rear) continue;
    if (r == row) current = static_cast<int>(clips.size());
    const ClipFacts* facts = trips.Facts(r);
    const std::string sidecar =
        SidecarPathOf(path, [](const std::string& p) { return textfile::CanOpenForReading(p); });
    clips.push_back({path, sidecar, facts != nullptr ? facts->LengthSec() : 0});
  }
  if (clips.size() < 2) current = -1;
  return clips;
}

// The clip's own route, or for a clip of a trip the whole trip's, read once
// per trip: the next clip of the same trip takes it from the cache.
void CMediaPlayerDlg::SetRouteForClip(bool hasSidecar) {
  int current = -1;
  const std::vector<TripRouteClip> clips = TripClipsOf(model.PlayingRow(), current);
  if (current < 0) {
    routeView.SetRoute(hasSidecar && pGoogleMaps ? RouteFromTable(pGoogleMaps->Table())
                                                 : std::vector<RouteFix>());
    return;
  }
  const TripRoute& route = tripRoutes.For(clips);
  routeView.SetRoute(route.seconds, route.Begin(current), route.End(current));
}
