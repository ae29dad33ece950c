#include "project/bde_rules.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/strings.h"
#include "project/project_data.h"
#include "project/project_rules.h"
#include "script/setup_component.h"

namespace vantrel {

const std::array<SqlLinksDriver, 7> SqlLinksDrivers{{
    {"Sybase &DB Lib", "IsSybaseDBLibSelected", "SQL_syb.kvz",
     &WProjectData::IsSybaseDBLibSelected},
    {"Sybase &CT Lib", "IsSybaseCTLibSelected", "SQL_ssc.kvz",
     &WProjectData::IsSybaseCTLibSelected},
    {"&Oracle", "IsOracleSelected", "SQL_ora.kvz", &WProjectData::IsOracleSelected},
    {"MS S&QL", "IsMSSQLSelected", "SQL_mss.kvz", &WProjectData::IsMSSQLSelected},
    {"&Informix", "IsInformixSelected", "SQL_inf.kvz", &WProjectData::IsInformixSelected},
    {"DB&2", "IsDB2Selected", "SQL_db.kvz", &WProjectData::IsDB2Selected},
    {"InterBa&se", "IsInterBaseSelected", "SQL_int.kvz", &WProjectData::IsInterBaseSelected},
}};

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

void SelectScriptComponent(WProjectData& project, const std::string& script, bool selected) {
    if (!project.Components())
        return;
    const auto& names = project.Catalogue().componentOfScript;
    const auto it = names.find(script);
    const std::string name = it != names.end() ? it->second : BaseNameUpToFirstDot(script);
    if (WSetupComponent* component = project.Components()->Find(name))
        component->Select(selected ? WSetupComponent::kSelected : WSetupComponent::kNotSelected);
}

void ApplySqlLinksDrivers(WProjectData& project) {
    for (const SqlLinksDriver& driver : SqlLinksDrivers)
        SelectScriptComponent(project, driver.script, project.*driver.flag != 0);
    if (AnySqlLinksSelected(project)) {
        project.BDEComponent = 1;
        SelectScriptComponent(project, kDatabaseEngineScript, true);
    }
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
