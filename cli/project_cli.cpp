#include "cli/project_cli.h"

#include <algorithm>
#include <cstdio>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "project/project_data.h"
#include "project/project_file.h"
#include "project/project_lock.h"
#include "project/project_rules.h"
#include "project/shortcut_rules.h"

namespace vantrel::cli {

namespace {

// Answers the save command's question with the path given on the command line.
class GivenPath : public ProjectSaveDialog {
  public:
    explicit GivenPath(std::string path) : path_(std::move(path)) {}
    bool AskSavePath(const std::string&, std::string& chosen) override {
        chosen = path_;
        return !path_.empty();
    }

  private:
    std::string path_;
};

// --install-location, when given, as the installation folder of `project`.
int TakeInstallLocation(const Args& args, WProjectData& project) {
    if (!args.installLocation.empty()) {
        std::string location;
        if (!Win1252Arg(args.installLocation, location, "the installation folder"))
            return kFailure;
        // A folder named on the command line must be an installation.
        location = AbsolutePath(Trim(location));
        if (const std::string problem = InstallationProblem(location, InstallationUse::kProjects);
            !problem.empty())
            return Fail(Out(problem));
        project.SetInstallLocationOverride(location);
    }
    return kOk;
}

}  // namespace

bool Win1252Arg(const std::string& utf8, std::string& out, const char* what) {
    if (Arg(utf8, out))
        return true;
    Fail(std::string(what) + " cannot be held in Windows-1252 text: " + utf8);
    return false;
}

int ResetProject(const Args& args, WProjectData& project) {
    if (int rc = TakeInstallLocation(args, project); rc != kOk)
        return rc;
    project.Reset();
    return kOk;
}

namespace {

// The lock of the project this run works on, held from opening to the end of
// the run, so that another command on the same project waits for this one's
// save instead of overwriting it or having its own change dropped.
WProjectLock& RunLock() {
    static WProjectLock lock;
    return lock;
}

int OpenProjectLocked(const Args& args, const std::string& pathArgument, WProjectData& project,
                      bool holdLock) {
    std::string path;
    if (!Win1252Arg(pathArgument, path, "the project file name"))
        return kFailure;
    path = AbsolutePath(path);
    // Opening resets the project itself: the catalogue is read once.
    if (int rc = TakeInstallLocation(args, project); rc != kOk)
        return rc;
    if (holdLock && IsFile(path) && RunLock().Acquire(path, 0) == WProjectLock::Outcome::kBusy) {
        Note(Out(DisplayPath(path)) + " is in use by another program; waiting for it");
        if (RunLock().Acquire(path) == WProjectLock::Outcome::kBusy)
            return Fail(Out(RunLock().Error()));
    }
    std::string error;
    if (!OpenProjectFile(project, path, &error))
        return Fail(Out(error));
    Detail("opened " + Out(DisplayPath(path)) + " (installation folder " +
           (project.InstallLocation.empty() ? std::string("none")
                                            : Out(DisplayPath(project.InstallLocation))) +
           ")");
    CommitApplicationInfo(project);
    return kOk;
}

}  // namespace

int OpenProject(const Args& args, const std::string& pathArgument, WProjectData& project) {
    return OpenProjectLocked(args, pathArgument, project, true);
}

int OpenProjectForMedia(const Args& args, const std::string& pathArgument, WProjectData& project) {
    // A set is made from the project as read; the lock is not held for the
    // length of a build (a save on the way still takes it).
    if (int rc = OpenProjectLocked(args, pathArgument, project, false); rc != kOk)
        return rc;
    return RefuseUnusableInstallation(project, InstallationUse::kMedia);
}

int RefuseUnusableInstallation(const WProjectData& project, InstallationUse use) {
    const std::string problem = InstallationProblem(project.InstallLocation, use);
    if (problem.empty())
        return kOk;
    return Fail(Out(problem) +
                (project.InstallLocation.empty() ? " (use --install-location DIR)" : ""));
}

int SaveProject(WProjectData& project, const std::string& path) {
    bool modified = true;
    GivenPath dialog(path.empty() ? project.ProjectFile : AbsolutePath(path));
    std::string error;
    if (!Save(project, modified, dialog, &error, Settings().remember))
        return Fail(Out(error.empty() ? std::string("the project was not saved") : error));
    return kOk;
}

int RefuseLeftOptions(const char* command, const Args& args) {
    for (size_t i = 0; i < args.words.size(); ++i) {
        if (IsOptionWord(args, i) && StartsWith(args.words[i], "--"))
            return UsageError(command, "unknown option " + args.words[i]);
    }
    return kOk;
}

int RunProjectAction(const char* command, Args& args, const std::vector<ProjectAction>& actions,
                     void (*afterOpen)(WProjectData&)) {
    // "list, add or remove"
    std::string names;
    for (size_t i = 0; i < actions.size(); ++i) {
        if (i > 0)
            names += i + 1 == actions.size() ? " or " : ", ";
        names += actions[i].name;
    }
    if (args.words.size() < 2)
        return UsageError(command,
                          args.words.empty() ? "the project file is missing" : "say " + names);
    const std::string word = args.words[1];
    const ProjectAction* action = nullptr;
    for (const ProjectAction& a : actions) {
        if (word == a.name)
            action = &a;
    }
    if (!action)
        return UsageError(command, "unknown action " + word + " (" + names + ")");
    if (action->plain) {
        if (int rc = RefuseLeftOptions(command, args); rc != kOk)
            return rc;
    }
    if (word == "list" && args.words.size() != 2)
        return UsageError(command, "list takes no further arguments");
    WProjectData project;
    if (int rc = OpenProject(args, args.words[0], project); rc != kOk)
        return rc;
    if (afterOpen)
        afterOpen(project);
    return action->run(args, project);
}

void CommitApplicationInfo(WProjectData& project) {
    ApplyDestination(project);
    if (project.NewProjectMode) {
        const std::string app = project.GetApplicationName();
        if (!project.ProductNameSet)
            project.SetApplicationName(app);
        if (!project.ShortcutFolderSet)
            SetShortcutGroup(project, app, false);
    }
}

int RefuseNewProblems(const char* command, const WProjectData& project,
                      const std::vector<std::string>& before) {
    for (const std::string& problem : ProjectProblems(project)) {
        if (std::find(before.begin(), before.end(), problem) == before.end())
            return UsageError(command, Out(problem));
    }
    return kOk;
}

}  // namespace vantrel::cli
