// Finding and driving another process's top-level window from a test.
#pragma once

#include <windows.h>

#include <string>

namespace wintest {

// "/work/x/a.exe" becomes "Z:\work\x\a.exe" (Wine maps the Unix root to Z:); a
// Windows path is returned unchanged.
std::string ToWindowsPath(const std::string& path);

// The visible top-level window whose text is exactly `text`, owned by process
// `processId` (any process when 0). Polls until `timeoutMs` has passed; NULL then.
HWND WaitForTopWindow(const std::string& text, DWORD processId, DWORD timeoutMs);

}  // namespace wintest
