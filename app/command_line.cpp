#include "app/command_line.h"

namespace {

std::string TrimSpaces(const std::string& text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

bool AllDigits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The text after the quoted program path: the next quoted text when there is
// one, else all the rest.
bool ArgumentOf(const std::string& commandLine, std::string& argument) {
  const size_t q1 = commandLine.find('"');
  if (q1 == std::string::npos) return false;
  const size_t q2 = commandLine.find('"', q1 + 1);
  if (q2 == std::string::npos) return false;
  const size_t q3 = commandLine.find('"', q2 + 1);
  const size_t q4 = q3 == std::string::npos ? std::string::npos : commandLine.find('"', q3 + 1);
  argument = TrimSpaces(q4 != std::string::npos ? commandLine.substr(q3 + 1, q4 - q3 - 1)
                                                : commandLine.substr(q2 + 1));
  return true;
}

}  // namespace

std::string AbsolutePathOf(const std::string& path, const std::string& folder) {
  if (path.size() >= 2 && path[1] == ':') return path;
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return path;
  if (!path.empty() && IsSeparator(path[0])) {
    const bool drive = folder.size() >= 2 && folder[1] == ':';
    return (drive ? folder.substr(0, 2) : std::string()) + path;
  }
  std::string base = folder;
  if (!base.empty() && !IsSeparator(base.back())) base += '\\';
  return base + path;
}

bool ParseStartCommandLine(const std::string& commandLine, const std::string& currentFolder,
                           StartRequest& request) {
  request = StartRequest();
  if (!ArgumentOf(commandLine, request.strArgument) || request.strArgument.empty()) return false;
  std::string clip = request.strArgument;
  request.strSecond = "0";
  const size_t dash = clip.rfind('-');
  if (dash != std::string::npos && AllDigits(clip.substr(dash + 1))) {
    request.strSecond = clip.substr(dash + 1);
    clip = TrimSpaces(clip.substr(0, dash));
  }
  if (clip.empty()) return false;
  request.strClip = AbsolutePathOf(clip, currentFolder);
  return true;
}

std::string StartProblemText(const StartRequest& request) {
  const std::string& named = request.strClip.empty() ? request.strArgument : request.strClip;
  return "The clip to start with cannot be opened:\r\n" + named +
         "\r\n\r\nName the clip, and if you like the second to start at after a minus sign, "
         "for example D:\\DCIM\\clip01.MOV-35";
}
