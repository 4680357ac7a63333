#include "video/ClipMessages_win.h"

#include <shellapi.h>

#include "framework/MessageBox_win.h"
#include "framework/Owners_win.h"

void OfferCodecSite(HWND owner) {
  const std::string text = std::string(kMissingCodecText) + kCodecSiteUrl;
  if (ShowMessageBox(owner, text.c_str(), kAppTitle, MB_YESNO | MB_ICONINFORMATION) != IDYES)
    return;
  ShellExecuteA(NULL, "open", kCodecSiteUrl, NULL, NULL, SW_SHOWNORMAL);
}

ClipVerdict CheckClipFileAt(const std::string& path) {
  // A folder does not open without backup semantics, so it counts as unreadable.
  KernelHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL));
  LARGE_INTEGER size;
  if (!file.Valid() || !GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0)
    return ClipVerdict::kUnreadable;
  return CheckClipFile(
      static_cast<uint64_t>(size.QuadPart), [&](uint64_t offset, void* buf, size_t n) -> size_t {
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(offset);
        DWORD got = 0;
        if (n > 0x10000000 || !SetFilePointerEx(file.Get(), at, NULL, FILE_BEGIN) ||
            !ReadFile(file.Get(), buf, static_cast<DWORD>(n), &got, NULL))
          return 0;
        return got;
      });
}

void ReportUnplayable(HWND owner, const std::string& path, ClipVerdict verdict) {
  const std::string text =
      "The file cannot be played:\r\n" + path + "\r\n\r\n" + UnplayableReason(verdict);
  ShowMessageBox(owner, text.c_str(), kAppTitle, MB_OK | MB_ICONEXCLAMATION);
}
