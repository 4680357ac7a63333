// Scratch files and folders for the native and the Windows tests, removed when
// the test ends.
#pragma once

#include <string>

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  // The folder with a trailing separator ('/', or '\\' on Windows).
  const std::string& Path() const { return m_path; }
  // Writes bytes exactly and returns the file's path.
  std::string Write(const std::string& name, const std::string& bytes) const;

 private:
  std::string m_path;
};

std::string ReadAll(const std::string& path);
