#include "video/CodecPrompt_win.h"

#include <shellapi.h>

#include <string>

#include "framework/MessageBox_win.h"

void OfferCodecSite(HWND owner) {
  const std::string text = std::string(kMissingCodecText) + kCodecSiteUrl;
  if (ShowMessageBox(owner, text.c_str(), kAppTitle, MB_YESNO | MB_ICONINFORMATION) != IDYES)
    return;
  ShellExecuteA(NULL, "open", kCodecSiteUrl, NULL, NULL, SW_SHOWNORMAL);
}
