#include "app/command_line.h"

namespace {

std::string TrimSpaces(const std::string& text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

}  // namespace

bool ParseStartCommandLine(const std::string& commandLine, const std::string& programFolder,
                           StartRequest& request) {
  const size_t q1 = commandLine.find('"');
  if (q1 == std::string::npos) return false;
  const size_t q2 = commandLine.find('"', q1 + 1);
  if (q2 == std::string::npos || q2 == 0) return false;
  const size_t q3 = commandLine.find('"', q2 + 1);
  const size_t q4 = q3 == std::string::npos ? std::string::npos : commandLine.find('"', q3 + 1);
  const std::string argument = (q3 != std::string::npos && q4 != std::string::npos)
                                   ? commandLine.substr(q3 + 1, q4 - q3 - 1)
                                   : commandLine.substr(q2 + 1);
  request.strArgument = TrimSpaces(argument);
  const size_t dash = argument.rfind('-');
  if (dash == std::string::npos) return false;
  request.strSecond = argument.substr(dash + 1);
  request.strClip = TrimSpaces(argument.substr(0, dash));
  if (request.strClip.find(':') == std::string::npos) {
    // Relative to the program, not to the current folder.
    std::string folder = programFolder;
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    request.strClip = folder + request.strClip;
  }
  return true;
}

std::string ProgramFolderOf(const std::string& modulePath) {
  size_t slash = modulePath.rfind('\\');
  return slash == std::string::npos ? "" : modulePath.substr(0, slash + 1);
}

std::string StartProblemText(const StartRequest& request, bool parsed) {
  std::string text = "The clip to start with cannot be opened:\r\n";
  if (parsed) return text + request.strClip;
  return text + request.strArgument +
         "\r\n\r\nName the clip and the second to start at, joined by a minus sign, "
         "for example D:\\DCIM\\clip01.MOV-35";
}
