// The start clip and second on the command line: the quoted program path,
// then the clip and the second joined by a minus sign, bare or in quotes.
#pragma once

#include <string>

struct StartRequest {
  std::string strArgument;  // what follows the program path, spaces trimmed
  std::string strClip;      // absolute, or made so against the program folder
  std::string strSecond;    // the text after the last minus sign
};

// False when the command line names no start clip and second; strArgument then
// still holds whatever stood after the program path.
bool ParseStartCommandLine(const std::string& commandLine, const std::string& programFolder,
                           StartRequest& request);

// What the user is told when the start clip cannot be opened: the clip's path
// (or the whole argument when it had no second), and how to name one.
std::string StartProblemText(const StartRequest& request, bool parsed);

// The folder part of a module path, up to and including its last backslash.
std::string ProgramFolderOf(const std::string& modulePath);
