// The folder of one map window's three files under the temporary folder, so
// that two players running at once never share a route or a position: its
// name, and what becomes of a folder of the same pattern that an instance left
// behind when it crashed.
#pragma once

#include <cstdint>
#include <string>

// "APP-PID" for the first window of a process, "APP-PID-N" (N from 2) for any
// further one.
std::string InstanceFolderName(const std::string& app, uint32_t pid, int n);

// True when `name` has the pattern of InstanceFolderName for this app; pid is
// then the process that made it.
bool ParseInstanceFolderName(const std::string& app, const std::string& name, uint32_t& pid);

// The lock file that an instance keeps open, without sharing, while it runs.
constexpr const char kInstanceLockFileName[] = "instance.lock";

enum class InstanceLock {
  kHeld,    // it cannot be opened: its instance is running
  kFree,    // it opens: its instance has gone (a crash, or it is removing itself)
  kAbsent,  // no lock file: the instance crashed before making it, or is making it now
};

enum class InstanceProcess {
  kGone,           // no running process has the folder's number
  kStartedBefore,  // a running process of that number started before the folder was made
  kStartedAfter,   // the number has been given to a newer process since
  kUnknown,        // a running process that cannot be asked for its start time
};

// Whether a folder of the pattern is a leftover to remove: only a held lock or
// a process that may still be making its lock keeps it.
bool IsLeftoverInstanceFolder(InstanceLock lock, InstanceProcess process);

// The file names an instance folder may hold; a leftover loses these and then
// the folder, and anything else in it keeps the folder where it is.
const char* const* InstanceFileNames();
