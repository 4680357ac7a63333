#include "map/instance_folder.h"

#include <cctype>
#include <limits>

#include "map/map_page.h"
#include "map/route_file.h"
#include "map/target_pos_file.h"

std::string InstanceFolderName(const std::string& app, uint32_t pid, int n) {
  std::string name = app + "-" + std::to_string(pid);
  if (n > 1) name += "-" + std::to_string(n);
  return name;
}

namespace {

// A decimal number without sign or leading zero that fits `limit`.
bool ReadNumber(const std::string& text, size_t& at, uint64_t limit, uint64_t& value) {
  const size_t start = at;
  value = 0;
  while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
    value = value * 10 + static_cast<uint64_t>(text[at] - '0');
    if (value > limit) return false;
    ++at;
  }
  if (at == start) return false;
  return text[start] != '0' || at - start == 1;
}

}  // namespace

bool ParseInstanceFolderName(const std::string& app, const std::string& name, uint32_t& pid) {
  if (app.empty() || name.size() <= app.size() + 1) return false;
  if (name.compare(0, app.size(), app) != 0 || name[app.size()] != '-') return false;
  size_t at = app.size() + 1;
  uint64_t number = 0;
  if (!ReadNumber(name, at, std::numeric_limits<uint32_t>::max(), number)) return false;
  if (at < name.size()) {
    uint64_t n = 0;
    if (name[at] != '-' || !ReadNumber(name, ++at, 1000000, n) || n < 2 || at != name.size())
      return false;
  }
  pid = static_cast<uint32_t>(number);
  return true;
}

bool IsLeftoverInstanceFolder(InstanceLock lock, InstanceProcess process) {
  switch (lock) {
    case InstanceLock::kHeld:
      return false;
    case InstanceLock::kFree:
      return true;
    case InstanceLock::kAbsent:
      return process == InstanceProcess::kGone || process == InstanceProcess::kStartedAfter;
  }
  return false;
}

const char* const* InstanceFileNames() {
  static const char* const names[] = {kMapPageFileName, kRouteFileName, kTargetPosFileName,
                                      kInstanceLockFileName, nullptr};
  return names;
}
