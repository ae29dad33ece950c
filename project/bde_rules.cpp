#include "project/bde_rules.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/strings.h"
#include "project/project_data.h"
#include "project/project_rules.h"
#include "script/setup_component.h"

namespace vantrel {

const std::array<const SqlLinksDriver*, 7> SqlLinksDrivers{
    &SqlLinksDriverTable[0], &SqlLinksDriverTable[1], &SqlLinksDriverTable[2],
    &SqlLinksDriverTable[3], &SqlLinksDriverTable[4], &SqlLinksDriverTable[6],
    &SqlLinksDriverTable[5],
};

std::string CheckConfigFile(std::string_view path) {
    if (path.empty() || !IsFile(ResolveNoCase(path)))
        return kConfigFileInvalid;
    return {};
}

bool TakeConfigFile(WProjectData& project, bool useDefault, const std::string& path) {
    if (useDefault) {
        project.IsDefaultCFGSelected = 1;
        project.IDAPICNFDirectory = project.DefaultConfigFile;
        project.ShipUserConfig = 0;
        return true;
    }
    if (!CheckConfigFile(path).empty())
        return false;
    project.IsDefaultCFGSelected = 0;
    project.IDAPICNFDirectory = path;
    project.ShipUserConfig = 1;
    return true;
}

void ApplySqlLinksDrivers(WProjectData& project) {
    if (AnySqlLinksSelected(project))
        project.BDEComponent = 1;
    project.ApplyComponentSelection();
}

std::string DatabaseEngineFolder(const WProjectData& project) {
    return JoinPath(project.InstallLocation, "Bde501");
}

std::string DatabaseAdministratorPath(const WProjectData& project) {
    const std::string folder = DatabaseEngineFolder(project);
    const std::string found = FindInFolderNoCase(ResolveNoCase(folder), kDatabaseAdministrator);
    return found.empty() ? JoinPath(folder, kDatabaseAdministrator) : found;
}

std::string WhyProgramCannotStart(const std::string& path) {
    if (!IsFile(path))
        return DisplayPath(path) + " was not found.";
    if (ResolveLaunch(path, {}).empty()) {
        if (EndsWithNoCase(path, ".exe"))
            return DisplayPath(path) +
                   " is a Windows program; it can be started here only through wine, and wine "
                   "was not found on the PATH.";
        return DisplayPath(path) + " cannot be run on this system.";
    }
    return {};
}

}  // namespace vantrel
