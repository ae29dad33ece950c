#include "project/installation_rules.h"

#include "platform/files.h"
#include "platform/paths.h"

namespace vantrel {

std::string InstallationProblem(const std::string& installLocation, InstallationUse use) {
    if (installLocation.empty())
        return "no installation folder: the registry has no \"Install Location\"";
    const std::string shown = DisplayPath(installLocation);
    if (!IsFolder(installLocation))
        return "the installation folder " + shown + " does not exist";
    const std::string comps = ResolveNoCase(JoinPath(installLocation, "Comps"));
    if (!IsFolder(comps))
        return "the installation folder " + shown +
               " has no Comps folder: the standard components are missing";
    if (use == InstallationUse::kMedia) {
        const std::string distrib = ResolveNoCase(JoinPath(installLocation, "Distrib"));
        if (!IsFile(ResolveNoCase(JoinPath(distrib, kEngineStartProgram))))
            return "the installation folder " + shown + " has no Distrib/" + kEngineStartProgram +
                   ": the setup engine is missing";
    }
    return {};
}

}  // namespace vantrel
