// The readouts of the current second and the colours of the main window's texts.
#include "app/MediaPlayerDlg_win.h"
#include "map/GoogleMaps_win.h"

void CMediaPlayerDlg::ReadoutsStepFor(int second) {
  ReadoutSource source;
  source.bHasSidecar = bHasSidecar;
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
    case 1002:
    case 1004:
    case 1017:
    case 1018:
    case 1019:
    case 1025:
    case 1029:
    case 1030:
    case 1058:
    case 1053:
      text = RGB(255, 255, 255);
      break;
    case 1020:
      text = RGB(255, 70, 70);
      break;
    case 1021:
      text = RGB(70, 255, 70);
      break;
    case 1022:
      text = RGB(70, 70, 255);
      break;
    case 1063:
      text = RGB(255, 255, 70);
      break;
    default:
      break;
  }
  if (text != CLR_INVALID) SetTextColor(dc, text);
  const bool version = id == 1053;
  SetBkColor(dc, version ? RGB(0x30, 0x30, 0x30) : RGB(0, 0, 0));
  // Until the skin paints the background, labels sit on black panels.
  if (kind == CTLCOLOR_STATIC || kind == CTLCOLOR_DLG)
    return version ? brushVersion.Get() : brushBlack.Get();
  return NULL;
}
