// The skin of the main window: button images and tooltips, backdrops.
#include "app/MediaPlayerDlg_win.h"

CSkinButton* CMediaPlayerDlg::SkinButton(int id) {
  const std::vector<int>& ids = SkinnedButtons();
  for (size_t i = 0; i < ids.size() && i < kSkinButtonCount; ++i)
    if (ids[i] == id) return &skinButtons[i];
  return nullptr;
}

SkinState CMediaPlayerDlg::CurrentSkinState(bool playing) const {
  return SkinState{playing, bMaximized != 0, bLargeView != 0};
}

// Images at the button's own client size, no border, its tooltip (also its
// window text), and a backdrop to be taken again.
void CMediaPlayerDlg::PrepareButton(int id, const SkinState& state) {
  CSkinButton* button = SkinButton(id);
  if (button == nullptr || button->GetSafeHwnd() == NULL) return;
  HWND hwnd = button->GetSafeHwnd();
  RECT client;
  GetClientRect(hwnd, &client);
  if (IsDisabledImageButton(id)) button->bEmbossDisabled = 0;
  const SkinImages images = SkinFor(id, state);
  if (images.hover != 0)
    button->LoadSkinBitmaps(images.hover, images.normal, CSkinButton::kKey, client.right,
                            client.bottom);
  else
    button->LoadSkinBitmaps(images.normal, 0, 0, client.right, client.bottom);
  button->bDrawBorder = 0;
  InvalidateRect(hwnd, NULL, FALSE);
  if (images.tooltip != nullptr) {
    button->AttachTooltip(images.tooltip);
    char text[64] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    if (std::string(text) != images.tooltip) SetWindowTextA(hwnd, images.tooltip);
  }
  button->SetBackdropMode();
  button->RefreshBackdrop(BackgroundDc());
}

HDC CMediaPlayerDlg::BackgroundDc() {
  RECT client;
  GetClientRect(m_hWnd, &client);
  if (HDC ready = background.Matching(client.right, client.bottom, bLargeView != 0)) return ready;
  WindowDc dc(m_hWnd);
  return background.Prepare(dc.Get(), client.right, client.bottom, bLargeView != 0);
}

void CMediaPlayerDlg::PrepareButtons(const std::vector<int>& ids, const SkinState& state) {
  for (int id : ids) PrepareButton(id, state);
}

// After a layout pass: every backdrop from the background at the new size,
// never from the screen (which may still show the old places).
void CMediaPlayerDlg::RefreshBackdrops() {
  HDC back = BackgroundDc();
  for (int id : BackdropButtons()) {
    CSkinButton* button = SkinButton(id);
    if (button == nullptr || button->GetSafeHwnd() == NULL) continue;
    button->RefreshBackdrop(back);
    InvalidateRect(button->GetSafeHwnd(), NULL, FALSE);
  }
}

void CMediaPlayerDlg::SetPlayButtonImage(bool playing) {
  PrepareButton(IDC_PLAY_PAUSE, CurrentSkinState(playing));
}
