#include "app/dropped_files.h"

#include "app/clip_names.h"

namespace {

std::string NameOf(const std::string& path) {
  std::string trimmed = path;
  while (trimmed.size() > 1 && (trimmed.back() == '\\' || trimmed.back() == '/')) trimmed.pop_back();
  const size_t slash = trimmed.find_last_of("\\/");
  return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

}  // namespace

DropPlan PlanDrop(const std::vector<DroppedPath>& dropped) {
  DropPlan plan;
  for (const DroppedPath& d : dropped) {
    if (d.bExists && d.bFolder && plan.strFolder.empty())
      plan.strFolder = d.strPath;
    else if (d.bExists && !d.bFolder && IsVideoFileName(d.strPath))
      plan.clips.push_back(d.strPath);
    else
      plan.left.push_back(d.strPath);
  }
  if (!plan.strFolder.empty()) {
    plan.action = DropPlan::kListFolder;
    plan.left.insert(plan.left.end(), plan.clips.begin(), plan.clips.end());
    plan.clips.clear();
  } else if (plan.clips.size() == 1) {
    plan.action = DropPlan::kPlayClip;
  } else if (plan.clips.size() > 1) {
    plan.action = DropPlan::kAddClips;
  }
  return plan;
}

std::string LeftAloneText(const std::vector<std::string>& left) {
  if (left.empty()) return std::string();
  std::string text = left.size() == 1 ? "This dropped item is not a video clip and was left alone:\n\n"
                                      : "These dropped items are not video clips and were left alone:\n\n";
  for (size_t i = 0; i < left.size() && i < kLeftAloneNamesShown; ++i)
    text += "    " + NameOf(left[i]) + "\n";
  if (left.size() > kLeftAloneNamesShown)
    text += "    and " + std::to_string(left.size() - kLeftAloneNamesShown) + " more\n";
  text += "\nThe player opens .mp4, .mov, .avi and .ts clips, and one folder at a time.";
  return text;
}
