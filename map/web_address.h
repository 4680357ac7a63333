// Addresses handed to the web view.
#pragma once

#include <string>

// An address without "://" gets a scheme: "file://" before a drive path
// ("C:\Temp\GM_tmp1.html"), "http://" before anything else.
std::string CompleteWebAddress(const std::string& address);
