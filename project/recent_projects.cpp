// The list of recently saved projects: up to five full paths in the user hive,
// values File0 (the most recent) to File4.
#include "project/recent_projects.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/registry.h"
#include "platform/strings.h"

namespace vantrel {

namespace {

std::string RecentValueName(int index) {
    return "File" + std::to_string(index);
}

// The stored entries that still name an existing file, without duplicates
// (paths compare exactly, case included), in stored order.
std::vector<std::string> LiveEntries(Registry& registry) {
    std::vector<std::string> list;
    for (int i = 0; i < kRecentProjectCount; ++i) {
        std::string value;
        if (!registry.GetString(Hive::CurrentUser, kRecentProjectKey, RecentValueName(i), value))
            continue;
        if (value.empty() || !IsFile(value))
            continue;
        if (std::find(list.begin(), list.end(), value) != list.end())
            continue;
        list.push_back(value);
    }
    return list;
}

}  // namespace

bool AddRecentProject(const std::string& path) {
    Registry& registry = TheRegistry();
    std::vector<std::string> list{path};
    for (auto& entry : LiveEntries(registry)) {
        if (entry != path)
            list.push_back(entry);
    }
    if (list.size() > static_cast<size_t>(kRecentProjectCount))
        list.resize(kRecentProjectCount);
    // Each value written is a write of the whole store: slots that already
    // hold their entry (saving the project at the head of the list again)
    // are left as they are.
    for (size_t j = 0; j < list.size(); ++j) {
        const std::string name = RecentValueName(static_cast<int>(j));
        std::string stored;
        if (registry.GetString(Hive::CurrentUser, kRecentProjectKey, name, stored) &&
            stored == list[j])
            continue;
        if (!registry.SetString(Hive::CurrentUser, kRecentProjectKey, name, list[j]))
            return false;
    }
    // Slots behind the new end held entries that are gone or now stand
    // higher up; left in place they would come back as stale duplicates.
    for (int i = static_cast<int>(list.size()); i < kRecentProjectCount; ++i) {
        std::string value;
        if (registry.GetString(Hive::CurrentUser, kRecentProjectKey, RecentValueName(i), value))
            registry.DeleteValue(Hive::CurrentUser, kRecentProjectKey, RecentValueName(i));
    }
    return true;
}

bool ReadRecentProjects(std::vector<std::string>& list) {
    list = LiveEntries(TheRegistry());
    return true;
}

}  // namespace vantrel
