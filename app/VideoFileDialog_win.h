// The open-file dialog of "Open Video" and "Add File".
#pragma once

#include <windows.h>

#include <string>

// The chosen path; false when cancelled. A name too long to be opened is
// refused with a message while the dialog stays open (the dialog itself cannot
// take such names on every system).
bool AskForVideoFile(HWND owner, const char* filter, std::string& path);
