// The WebView2 loader, loaded at run time so that the program starts and runs
// on a machine without it (the map area then stays empty).
#pragma once

#include <string>

#include "map/WebView2_win.h"

// HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND): what a missing loader or runtime gives.
constexpr HRESULT kWebView2NotFound = static_cast<HRESULT>(0x80070002);

// Calls the loader's CreateCoreWebView2EnvironmentWithOptions (no options).
// Without a loader, or one without that export, returns kWebView2NotFound.
HRESULT CreateWebView2Environment(
    const std::wstring& browserFolder, const std::wstring& userDataFolder,
    ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler* handler);

// The module that later calls load ("WebView2Loader.dll" through the usual
// search). Tests point it at a stand-in runtime. A loaded module stays loaded
// until the process ends: runtime objects may outlive every host.
void SetWebView2LoaderPath(const std::string& path);
