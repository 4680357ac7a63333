#include "map/WebViewFolders_win.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstdio>

#include "framework/Owners_win.h"

namespace {

// The key and folder texts are kept exactly as this program has always had
// them, parentheses included; on a standard installation none of them exists
// and the loader finds the installed runtime by itself.
const char* const kEdgeWebViewKeys[] = {
    "(SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Microsoft EdgeWebView)",
    "(SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Microsoft "
    "EdgeWebView)"};
const char* const kEdgeKeys[] = {
    "(SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Microsoft Edge)",
    "(SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Microsoft Edge)"};

std::string ReadString(HKEY key, const char* name, DWORD maxBytes) {
  std::string value(maxBytes + 1, '\0');
  DWORD size = maxBytes;
  DWORD type = 0;
  if (RegQueryValueExA(key, name, NULL, &type, reinterpret_cast<BYTE*>(&value[0]), &size) !=
          ERROR_SUCCESS ||
      type != REG_SZ)
    return std::string();
  value.resize(size);
  return std::string(value.c_str());  // up to the terminator
}

// Install location plus version from the first uninstall entry that opens.
std::string FromUninstallEntry(const char* const (&keys)[2]) {
  for (const char* path : keys) {
    RegistryKey key(HKEY_LOCAL_MACHINE, path);
    if (key.Get() == NULL) continue;
    std::string folder = ReadString(key.Get(), "InstallLocation", MAX_PATH);
    std::string version = ReadString(key.Get(), "Version", 100);
    if (version.empty()) return std::string();
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder + version;
  }
  return std::string();
}

// The first sub-folder whose name is a four-part version.
std::string FromVersionFolder(const std::string& base) {
  WIN32_FIND_DATAA data;
  FindHandle find((base + "*").c_str(), data);
  if (!find.Valid()) return std::string();
  do {
    int a, b, c, d;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
        std::sscanf(data.cFileName, "%d.%d.%d.%d", &a, &b, &c, &d) == 4)
      return base + data.cFileName;
  } while (find.Next(data));
  return std::string();
}

std::string FindRuntimeFolder() {
  std::string folder = FromUninstallEntry(kEdgeWebViewKeys);
  if (folder.empty())
    folder = FromVersionFolder("(c:\\Program Files (x86)\\Microsoft\\EdgeWebView\\Application\\)");
  if (folder.empty()) folder = FromUninstallEntry(kEdgeKeys);
  if (folder.empty())
    folder = FromVersionFolder("(c:\\Program Files (x86)\\Microsoft\\Edge\\Application\\)");
  return folder;
}

}  // namespace

const std::string& WebViewRuntimeFolder() {
  static const std::string folder = FindRuntimeFolder();  // thread-safe once
  return folder;
}

std::string WebViewUserDataFolder() {
  char path[MAX_PATH] = "";
  if (FAILED(SHGetFolderPathA(NULL, CSIDL_LOCAL_APPDATA, NULL, SHGFP_TYPE_CURRENT, path)))
    path[0] = '\0';
  PathAppendA(path, "(\\Demos\\)");
  PathAppendA(path, "PlayerWebView");
  return path;
}

std::wstring WidenText(const std::string& text) {
  if (text.empty()) return std::wstring();
  int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), NULL, 0);
  std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0)
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
  return wide;
}

std::string NarrowText(const wchar_t* text) {
  if (text == nullptr || *text == L'\0') return std::string();
  int n = WideCharToMultiByte(CP_ACP, 0, text, -1, NULL, 0, NULL, NULL);
  if (n <= 1) return std::string();
  std::string narrow(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, &narrow[0], n, NULL, NULL);
  narrow.resize(static_cast<size_t>(n - 1));
  return narrow;
}
