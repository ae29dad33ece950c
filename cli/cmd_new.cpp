// vantrel-cli new PROJECT.zlt [--name N] [--company C] [--version V] [--force]:
// a new project with the standard components of the installation.
#include <cstdio>
#include <string>

#include "cli/cli.h"
#include "cli/project_cli.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "project/project_data.h"
#include "project/project_file.h"
#include "project/project_rules.h"

namespace vantrel::cli {
namespace {

constexpr const char* kName = "new";

// Takes "--option VALUE" as Windows-1252 text; false after a message.
bool TakeText(Args& args, const char* option, std::string& value, bool& given, int& rc) {
    bool missing = false;
    std::string utf8;
    given = TakeOption(args, option, utf8, &missing);
    if (missing) {
        rc = UsageError(kName, std::string(option) + " needs a value");
        return false;
    }
    if (given && !Win1252Arg(utf8, value, option)) {
        rc = kFailure;
        return false;
    }
    // Blanks around the value go, as with "set".
    value = Trim(value);
    return true;
}

int RunNew(Args& args) {
    int rc = kOk;
    std::string name, company, version;
    bool hasName = false, hasCompany = false, hasVersion = false;
    if (!TakeText(args, "--name", name, hasName, rc) ||
        !TakeText(args, "--company", company, hasCompany, rc) ||
        !TakeText(args, "--version", version, hasVersion, rc))
        return rc;
    bool force = TakeFlag(args, "--force");
    if (int rc = RefuseUnknownOptions(kName, args); rc != kOk)
        return rc;
    if (args.words.size() != 1)
        return UsageError(kName, args.words.empty() ? "the project file is missing"
                                                    : "only one project file can be made");

    std::string path;
    if (!Win1252Arg(args.words[0], path, "the project file name"))
        return kFailure;
    std::string target = ProjectArchivePath(AbsolutePath(path));
    if (IsFolder(target))
        return Fail(Out(DisplayPath(target)) + " is a folder");
    if (PathExists(target) && !force)
        return Fail(Out(DisplayPath(target)) + " exists already (--force replaces it)");

    WProjectData project;
    if ((rc = ResetProject(args, project)) != kOk)
        return rc;
    // A project without the standard components would make sets without them.
    if ((rc = RefuseUnusableInstallation(project, InstallationUse::kProjects)) != kOk)
        return rc;
    if (hasName)
        project.SetApplicationName(name);
    if (hasCompany)
        project.CompanyName = company;
    if (hasVersion)
        project.Version = version;
    CommitApplicationInfo(project);
    // What passing the background page gives a new project: "NAME Setup".
    if (project.BackTitle.empty())
        project.BackTitle = BackgroundTitleOf(project);
    if ((rc = RefuseNewProblems(kName, project)) != kOk)
        return rc;
    if ((rc = SaveProject(project, target)) != kOk)
        return rc;
    std::printf("%s\n", Out(DisplayPath(project.ProjectFile)).c_str());
    return kOk;
}

Registrar reg{{kName, "new PROJECT.zlt [--name N] [--company C] [--version V] [--force]",
               "start a project file (an existing file is kept unless --force is given)", &RunNew,
               "  --name N      the application's name (30 characters)\n"
               "  --company C   the company (50 characters; no / * ? \" < > | ,)\n"
               "  --version V   the application's version\n"
               "  --force       replace an existing file\n"}};

}  // namespace
}  // namespace vantrel::cli
