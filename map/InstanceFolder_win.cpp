#include "map/InstanceFolder_win.h"

#include <utility>

#include "framework/Trace_win.h"
#include "map/instance_folder.h"

namespace {

// The temporary folder with its trailing backslash, or the empty path (the
// current folder) when the system cannot give one that fits.
std::string TempFolder() {
  char path[MAX_PATH + 1] = "";
  DWORD n = GetTempPathA(sizeof path, path);
  return n == 0 || n >= sizeof path ? std::string() : std::string(path, n);
}

std::string ProgramName() {
  char module[MAX_PATH] = "";
  const DWORD n = GetModuleFileNameA(NULL, module, sizeof module);
  std::string name(module, n < sizeof module ? n : 0);
  const size_t slash = name.find_last_of("\\/");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name.empty() ? std::string("player") : name;
}

// Opened without any sharing: while this handle lives, nobody else opens or
// deletes the file.
HANDLE OpenLock(const std::string& path, DWORD disposition) {
  return CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL, disposition,
                     FILE_ATTRIBUTE_NORMAL, NULL);
}

InstanceLock ProbeLock(const std::string& folder) {
  KernelHandle lock(OpenLock(folder + kInstanceLockFileName, OPEN_EXISTING));
  if (lock.Valid()) return InstanceLock::kFree;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? InstanceLock::kAbsent
                                                                         : InstanceLock::kHeld;
}

InstanceProcess ProbeProcess(DWORD pid, const FILETIME& folderMade) {
  KernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
  if (!process.Valid())
    return GetLastError() == ERROR_INVALID_PARAMETER ? InstanceProcess::kGone
                                                     : InstanceProcess::kUnknown;
  DWORD code = 0;
  if (GetExitCodeProcess(process.Get(), &code) && code != STILL_ACTIVE)
    return InstanceProcess::kGone;
  FILETIME started, exited, kernel, user;
  if (!GetProcessTimes(process.Get(), &started, &exited, &kernel, &user))
    return InstanceProcess::kUnknown;
  return CompareFileTime(&started, &folderMade) <= 0 ? InstanceProcess::kStartedBefore
                                                      : InstanceProcess::kStartedAfter;
}

// Only the files an instance writes go; the folder follows when that leaves it
// empty.
bool RemoveInstanceFiles(const std::string& folder) {
  for (const char* const* name = InstanceFileNames(); *name != nullptr; ++name)
    DeleteFileA((folder + *name).c_str());
  return RemoveDirectoryA(folder.substr(0, folder.size() - 1).c_str()) != FALSE;
}

}  // namespace

CInstanceFolder::CInstanceFolder(std::string app) {
  if (app.empty()) app = ProgramName();
  const std::string temp = TempFolder();
  m_strPath = temp;
  if (temp.empty()) return;
  RemoveLeftovers(temp, app);
  if (!MakeOwn(temp, app))
    TraceText("Map files: no folder of their own, the temporary folder is used");
}

CInstanceFolder::~CInstanceFolder() {
  if (!Own()) return;
  m_lock.Reset();
  RemoveInstanceFiles(m_strPath);
}

bool CInstanceFolder::MakeOwn(const std::string& temp, const std::string& app) {
  const DWORD pid = GetCurrentProcessId();
  for (int n = 1; n <= 64; ++n) {
    const std::string folder = temp + InstanceFolderName(app, pid, n) + "\\";
    if (!CreateDirectoryA(folder.substr(0, folder.size() - 1).c_str(), NULL)) {
      if (GetLastError() == ERROR_ALREADY_EXISTS) continue;  // another window's
      return false;
    }
    m_lock.Reset(OpenLock(folder + kInstanceLockFileName, CREATE_NEW));
    if (!m_lock.Valid()) {
      RemoveDirectoryA(folder.substr(0, folder.size() - 1).c_str());
      return false;
    }
    m_strPath = folder;
    return true;
  }
  return false;
}

int CInstanceFolder::RemoveLeftovers(const std::string& temp, const std::string& app) {
  int removed = 0;
  WIN32_FIND_DATAA data;
  FindHandle find((temp + app + "-*").c_str(), data);
  if (!find.Valid()) return 0;
  do {
    uint32_t pid = 0;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
        !ParseInstanceFolderName(app, data.cFileName, pid))
      continue;
    const std::string folder = temp + data.cFileName + "\\";
    const InstanceLock lock = ProbeLock(folder);
    const InstanceProcess process = lock == InstanceLock::kAbsent
                                        ? ProbeProcess(pid, data.ftCreationTime)
                                        : InstanceProcess::kUnknown;
    if (IsLeftoverInstanceFolder(lock, process) && RemoveInstanceFiles(folder)) ++removed;
  } while (find.Next(data));
  return removed;
}
