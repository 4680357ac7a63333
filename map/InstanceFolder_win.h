// One map window's own folder under the temporary folder (TEMP\APP-PID\, or
// TEMP\APP-PID-N\ for a further window of the same process), made at
// construction and removed with its owner. The owner keeps a lock file open
// without sharing while it lives, so the next instance can tell a running
// instance's folder from a crashed one's, which it removes first.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Owners_win.h"

class CInstanceFolder {
 public:
  // app names the folders (the program's file name without its extension when
  // empty).
  explicit CInstanceFolder(std::string app = std::string());
  ~CInstanceFolder();
  CInstanceFolder(const CInstanceFolder&) = delete;
  CInstanceFolder& operator=(const CInstanceFolder&) = delete;

  // The folder with its trailing backslash; the temporary folder itself when no
  // folder of its own could be made, the empty path (the current folder) when
  // the system gives no temporary folder.
  const std::string& Path() const { return m_strPath; }
  bool Own() const { return m_lock.Valid(); }

  // Removes the leftovers of crashed instances of `app` in `temp` (which ends in
  // a backslash). Returns how many folders went.
  static int RemoveLeftovers(const std::string& temp, const std::string& app);

 private:
  bool MakeOwn(const std::string& temp, const std::string& app);

  std::string m_strPath;
  KernelHandle m_lock;
};
