// The start clip on the command line: the quoted program path, then the clip,
// bare or in quotes, optionally followed by a minus sign and the second to
// start at. This is also what "Open with" and a file association pass.
#pragma once

#include <string>

struct StartRequest {
  std::string strArgument;  // what follows the program path, spaces trimmed
  std::string strClip;      // absolute, or made so against the current folder
  std::string strSecond;    // the digits after the last minus sign; "0" without them
};

// False when the command line names no start clip; strArgument then still
// holds whatever stood after the program path. The second is split off only
// when the text after the last minus sign is all digits, so D:\dash-cam\a.MP4
// is a path. A relative clip path is taken from currentFolder.
bool ParseStartCommandLine(const std::string& commandLine, const std::string& currentFolder,
                           StartRequest& request);

// A path made absolute against a folder: drive and UNC paths stay as they are,
// a path from the root gets the folder's drive, anything else the folder.
std::string AbsolutePathOf(const std::string& path, const std::string& folder);

// What the user is told when the start clip cannot be opened: its path (or
// the argument when it named no clip), and how to name one.
std::string StartProblemText(const StartRequest& request);
