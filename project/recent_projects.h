// The list of recently saved projects, kept in the user hive of the registry:
// string values "File0" (the most recent) to "File4" under
// "Software\Oxbel\ZLT\9.0\Recent File List", each a full project path.
#pragma once

#include <string>
#include <vector>

namespace vantrel {

inline constexpr const char* kRecentProjectKey = "Software\\Oxbel\\ZLT\\9.0\\Recent File List";
inline constexpr int kRecentProjectCount = 5;

// Puts `path` at the head of the list. Entries whose file no longer exists and
// a second copy of `path` are dropped, the list is cut to five, and slots
// behind its end are cleared. False when a value cannot be written.
bool AddRecentProject(const std::string& path);

// The stored paths that name existing files, most recent first, without
// duplicates (paths compare exactly, case included). Always true.
bool ReadRecentProjects(std::vector<std::string>& list);

}  // namespace vantrel
