// Shared by the map window's Windows tests.
#pragma once

#include <string>

// The stand-in WebView2Loader.dll, from the command line.
extern std::string g_fakeLoaderPath;
