// The file dialogs: open for "Open Video" and "Add File", save for snapshots.
#pragma once

#include <windows.h>

#include <string>

// The chosen path; false when cancelled. A name too long to be opened is
// refused with a message while the dialog stays open (the dialog itself cannot
// take such names on every system).
bool AskForVideoFile(HWND owner, const char* filter, std::string& path);

// The save dialog of a snapshot, in `folder`, offering `path` (the default
// name) and returning the picture's path (".bmp" added to a name without an
// extension); false when cancelled. A name whose picture or lines would replace
// a clip or a sidecar is refused with a message while the dialog stays open;
// any other file is replaced only when the user says yes. Names too long for
// the dialog are refused as in the open dialog.
bool AskForSnapshotFile(HWND owner, const std::string& folder, std::string& path);
