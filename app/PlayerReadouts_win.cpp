// The readouts of the current second and the colours of the main window's texts.
#include "app/MediaPlayerDlg_win.h"
#include "map/GoogleMaps_win.h"

void CMediaPlayerDlg::ReadoutsStepFor(int second) {
  ReadoutSource source;
  source.bHasSidecar = model.bHasSidecar;
  if (pGoogleMaps) {
    source.pTable = &pGoogleMaps->Table();
    source.nSamplesPerSec = pGoogleMaps->SamplesPerSecond();
    source.nPulseDivisor = pGoogleMaps->PulseDivisor();
  }
  ReadoutsStep(source, second, readouts);
}

HBRUSH CMediaPlayerDlg::OnCtlColor(HDC dc, HWND control, UINT kind) {
  const int id = GetDlgCtrlID(control);
  COLORREF text = CLR_INVALID;
  switch (id) {
    case IDC_TIME_TEXT:
    case IDC_TIME_TEXT_LARGE:
    case IDC_TRIP_TEXT:
    case IDC_LONGITUDE:
    case IDC_LATITUDE:
    case IDC_ALTITUDE:
    case IDC_SPEED_TEXT:
    case IDC_KPH_LABEL:
    case IDC_MPH_LABEL:
    case IDC_UNIT_TEXT:
    case IDC_VERSION_TEXT:
      text = RGB(255, 255, 255);
      break;
    case IDC_GFORCE_X:
      text = RGB(255, 70, 70);
      break;
    case IDC_GFORCE_Y:
      text = RGB(70, 255, 70);
      break;
    case IDC_GFORCE_Z:
      text = RGB(70, 70, 255);
      break;
    case IDC_SECOND_TEXT:
      text = RGB(255, 255, 70);
      break;
    default:
      break;
  }
  if (text != CLR_INVALID) SetTextColor(dc, text);
  const bool version = id == IDC_VERSION_TEXT;
  SetBkColor(dc, version ? RGB(0x30, 0x30, 0x30) : RGB(0, 0, 0));
  // Until the skin paints the background, labels sit on black panels.
  if (kind == CTLCOLOR_STATIC || kind == CTLCOLOR_DLG)
    return version ? brushVersion.Get() : brushBlack.Get();
  return NULL;
}
