// vantrel-cli scripts [PROJECT.zlt] --out DIR: the setup scripts of a project
// file, or of a new project, with the standard components of the
// installation, written to DIR\Setup.
#include <cstdio>
#include <string>

#include "cli/cli.h"
#include "cli/project_cli.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "project/project_data.h"
#include "script/set_layout.h"

namespace vantrel::cli {
namespace {

int RunScripts(Args& args) {
    bool missingValue = false;
    std::string outUtf8;
    if (!TakeOption(args, "--out", outUtf8, &missingValue) || outUtf8.empty()) {
        return UsageError("scripts",
                          missingValue ? "--out needs a folder" : "--out DIR is required");
    }
    if (int rc = RefuseUnknownOptions("scripts", args); rc != kOk)
        return rc;
    if (args.words.size() > 1)
        return UsageError("scripts", "one project file at a time");
    std::string outDir;
    if (!Arg(outUtf8, outDir))
        return Fail("the folder name cannot be used: " + outUtf8);

    WProjectData project;
    if (args.words.empty()) {
        if (!args.installLocation.empty()) {
            std::string location;
            if (!Arg(args.installLocation, location)) {
                return Fail("the installation folder name cannot be used: " + args.installLocation);
            }
            project.SetInstallLocationOverride(location);
        }
        project.Reset();
    } else if (int rc = OpenProject(args, args.words[0], project); rc != kOk) {
        return rc;
    }

    int result = kOk;
    if (project.InstallLocation.empty()) {
        result = Fail(
            "no installation folder: the registry has no \"Install Location\" "
            "(use --install-location DIR); the standard components are left out");
    } else if (!project.Catalogue().loaded) {
        for (const std::string& failure : project.Catalogue().failures)
            Fail(Out(failure));
        result = Fail("the standard components of " + Out(DisplayPath(project.InstallLocation)) +
                      " did not load completely");
    }

    std::string setup = JoinPath(outDir, kSetupFolder);
    std::string error;
    // Folders that are links inside DIR are replaced, never written through.
    if (!MakeFolders(outDir, &error))
        return Fail(Out(error));
    if (!MakeFoldersBelow(outDir, setup))
        return Fail(Out(ErrnoText(setup)));
    if (!project.WriteComponentScripts(setup)) {
        return Fail("cannot write comp.kvz and string.str in " + Out(DisplayPath(setup)));
    }
    if (!project.WriteProductScript(outDir)) {
        return Fail("cannot write project.kvz in " + Out(DisplayPath(setup)));
    }
    for (const char* name : {kProductScript, kComponentScript, kStringFile}) {
        std::printf("%s\n", Out(DisplayPath(JoinPath(setup, name))).c_str());
    }
    return result;
}

Registrar reg{{"scripts", "scripts [PROJECT.zlt] --out DIR",
               "write DIR/Setup/project.kvz, comp.kvz and string.str for a project file (no "
               "project: a new project's defaults)",
               &RunScripts}};

}  // namespace
}  // namespace vantrel::cli
