// The two folders handed to the WebView2 loader, and the conversions between
// the system code page's text and the wide text the web view takes.
#pragma once

#include <string>

// The runtime's folder from the uninstall entries or the usual install folders,
// looked up once per process; empty means the installed runtime.
const std::string& WebViewRuntimeFolder();

// The web view's user data folder under the local application data folder.
std::string WebViewUserDataFolder();

// Narrow text of the system code page to wide text and back.
std::wstring WidenText(const std::string& text);
std::string NarrowText(const wchar_t* text);
