// Helpers shared by the commands that work on a project file (new, set,
// add-files, show, scripts): making the project object for this run,
// opening, saving, and what the application-information page does when it
// is left.
#pragma once

#include <string>
#include <vector>

#include "cli/cli.h"
#include "project/installation_rules.h"

namespace vantrel {
class WProjectData;
}

namespace vantrel::cli {

// Brings `project` to its defaults, with --install-location (when given)
// as the installation folder. kOk, or the exit status after a message.
int ResetProject(const Args& args, WProjectData& project);

// ResetProject, then opens the project file named by the UTF-8 argument
// `pathArgument`, holding its lock (project/project_lock.h) until the run
// ends: a second command on the project waits until this one is done. kOk,
// or the exit status after a message.
int OpenProject(const Args& args, const std::string& pathArgument, WProjectData& project);
// OpenProject for a command that makes a set: it also needs the installation
// folder, for the setup engine's files and the standard components.
int OpenProjectForMedia(const Args& args, const std::string& pathArgument, WProjectData& project);
// kOk when the project's installation folder can serve `use`, else the
// failure after a message that names what is missing.
int RefuseUnusableInstallation(const WProjectData& project, InstallationUse use);

// Writes the project back to its file (ProjectFile, or `path` for a project
// that has none yet); with --remember it also puts it at the head of the
// wizard's recent-project list, which a run leaves alone otherwise.
// Prints nothing on success; kOk, or kFailure after a message.
int SaveProject(WProjectData& project, const std::string& path = {});

// kOk, or a usage error of `command` for an option left over.
int RefuseLeftOptions(const char* command, const Args& args);

// One action of a command "COMMAND PROJECT.zlt ACTION ...", run on the opened
// project. A `plain` action takes no options; "list" takes no further words.
struct ProjectAction {
    const char* name;
    bool plain;
    int (*run)(Args& args, WProjectData& project);
};
// Checks the action word and what a plain action may not have, opens the
// project, calls `afterOpen` (when given) and runs the action. kOk, or the
// exit status after a message.
int RunProjectAction(const char* command, Args& args, const std::vector<ProjectAction>& actions,
                     void (*afterOpen)(WProjectData&) = nullptr);

// What leaving the application-information page does: the destination in
// folder-macro form from "UseDefaultDest", "DefaultDestPrefix",
// "DefaultDestBase", the company and the application name, and for a new
// project the shortcut folder named after the application.
void CommitApplicationInfo(WProjectData& project);

// The rules of the project pages (project/project_rules.h) that `project`
// breaks and `before` (its problems before the change) did not: kOk, or
// kUsage after the first such message for `command`.
int RefuseNewProblems(const char* command, const WProjectData& project,
                      const std::vector<std::string>& before = {});

// The UTF-8 argument as Windows-1252 text; false after a message (kFailure is the
// caller's exit status).
bool Win1252Arg(const std::string& utf8, std::string& out, const char* what);

}  // namespace vantrel::cli
