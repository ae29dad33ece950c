#include "cli/project_cli.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "project/project_data.h"
#include "project/project_file.h"

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

}  // namespace

bool EngineArg(const std::string& utf8, std::string& out, const char* what) {
    if (Arg(utf8, out))
        return true;
    Fail(std::string(what) + " cannot be held in Windows-1252 text: " + utf8);
    return false;
}

int ResetProject(const Args& args, WProjectData& project) {
    if (!args.installLocation.empty()) {
        std::string location;
        if (!EngineArg(args.installLocation, location, "the installation folder"))
            return kFailure;
        project.SetInstallLocationOverride(location);
    }
    project.Reset();
    return kOk;
}

int OpenProject(const Args& args, const std::string& pathArgument, WProjectData& project) {
    std::string path;
    if (!EngineArg(pathArgument, path, "the project file name"))
        return kFailure;
    if (int rc = ResetProject(args, project); rc != kOk)
        return rc;
    std::string error;
    if (!OpenProjectFile(project, AbsolutePath(path), &error))
        return Fail(Out(error));
    CommitApplicationInfo(project);
    return kOk;
}

int SaveProject(WProjectData& project, const std::string& path) {
    bool modified = true;
    GivenPath dialog(path.empty() ? project.ProjectFile : AbsolutePath(path));
    std::string error;
    if (!Save(project, modified, dialog, &error))
        return Fail(Out(error.empty() ? std::string("the project was not saved") : error));
    return kOk;
}

void CommitApplicationInfo(WProjectData& project) {
    const std::string& app = project.GetApplicationName();
    if (project.UseDefaultDest) {
        project.DefaultDestPrefix = "<WPF>";
        project.Destination = "<WPF>\\" + project.CompanyName + "\\" + app;
    } else if (project.DefaultDestPrefix == "<WDL:>") {
        project.Destination = "<WDL:>\\" + project.DefaultDestBase;
    } else {
        project.DefaultDestPrefix = "<WPF>";
        project.Destination = "<WPF>\\" + project.DefaultDestBase;
    }
    if (project.NewProjectMode) {
        if (!project.ProductNameSet)
            project.SetApplicationName(app);
        if (!project.ShortcutFolderSet)
            project.ShortcutFolder = app;
    }
}

std::string CheckApplicationName(const std::string& name) {
    if (Trim(name).empty())
        return "the application name must not be empty";
    return {};
}

std::string CheckCompanyName(const std::string& company) {
    if (Trim(company).empty())
        return "the company name must not be empty";
    if (company.find_first_of("/*?\"<>|,") != std::string::npos)
        return "a company name cannot contain any of / * ? \" < > | ,";
    return {};
}

std::string CheckVersion(const std::string& version) {
    if (Trim(version).empty())
        return "the version must not be empty";
    return {};
}

}  // namespace vantrel::cli
