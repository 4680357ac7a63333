// A file written under a temporary name in its own folder and moved over its
// real name only once every byte is written, so that a failure never leaves a
// half-written file behind (nor harms a file of that name that was there).
#pragma once

#include <windows.h>

#include <string>

class StagedFile {
 public:
  explicit StagedFile(std::string target);
  // Removes the temporary file unless it was put in place.
  ~StagedFile();
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  // Writes `bytes` to the temporary file; false with Error() set.
  bool Write(const std::string& bytes);
  // Moves the written file over the target; false with Error() set.
  bool Commit();
  // What went wrong, in the system's words.
  const std::string& Error() const { return error; }

 private:
  bool Fail(DWORD code);

  std::string target;
  std::string temp;
  std::string error;
};

// The system's text for an error code, without its line break.
std::string SystemErrorText(DWORD code);
