// vantrel-cli add-files PROJECT.zlt SOURCE... [--to FOLDER] [--force]: adds
// files, or folders with everything below them, to a target folder of the
// project, the way the files page moves them from its source tree.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/project_cli.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "project/file_elements.h"
#include "project/project_data.h"
#include "script/folder_macros.h"
#include "script/setup_component.h"

namespace vantrel::cli {
namespace {

constexpr const char* kName = "add-files";

struct Target {
    std::string macro;      // short form, the elements' TargetDir
    std::string subfolder;  // "bin\data", or empty for the root itself
};

// One file to add: where it is and its path below the source argument's
// folder ("app.exe", or "bin/app.exe" for a file of the folder "bin").
struct Source {
    std::string file;
    std::string relative;
};

std::string Backslashed(std::string s) {
    for (auto& c : s) {
        if (c == '/')
            c = '\\';
    }
    return s;
}

std::string RootList(const WProjectData& project) {
    std::vector<std::string> roots;
    for (auto& [macro, folder] : project.FolderMacroTable())
        roots.push_back(macro + " (" + CompressFolderMacros(macro) + ")");
    return Join(roots, ", ");
}

// FOLDER in long or short macro form, optionally followed by a subfolder.
bool ParseTarget(const WProjectData& project, const std::string& text, Target& target,
                 std::string& why) {
    std::string t = Trim(text);
    size_t close = t.find('>');
    if (!StartsWith(t, "<") || close == std::string::npos) {
        why = "the target folder must start with one of " + RootList(project);
        return false;
    }
    std::string root = ExpandFolderMacros(CompressFolderMacros(t.substr(0, close + 1)));
    auto& table = project.FolderMacroTable();
    auto it = std::find_if(table.begin(), table.end(),
                           [&](auto& entry) { return EqualsNoCase(entry.first, root); });
    if (it == table.end()) {
        why = "unknown target folder " + t.substr(0, close + 1) + "; the target folders are " +
              RootList(project);
        return false;
    }
    target.macro = CompressFolderMacros(it->first);
    std::vector<std::string> parts;
    for (auto& part : Split(Backslashed(t.substr(close + 1)), '\\')) {
        std::string p = Trim(part);
        if (p.empty())
            continue;
        if (p == "." || p == ".." || p.find_first_of(":*?\"<>|,") != std::string::npos) {
            why = "the subfolder name \"" + p + "\" cannot be used";
            return false;
        }
        parts.push_back(p);
    }
    target.subfolder = Join(parts, "\\");
    return true;
}

// Every file below `folder`, with its path below the folder's parent.
bool CollectFolder(const std::string& folder, std::vector<Source>& out, std::string& why) {
    namespace fs = std::filesystem;
    std::vector<Source> found;
    std::error_code ec;
    fs::recursive_directory_iterator it(ToNative(folder), fs::directory_options::none, ec);
    for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_regular_file(ec))
            continue;
        std::string file;
        if (!FromNative(it->path(), file)) {
            why = it->path().string() + ": the name cannot be held in Windows-1252 text";
            return false;
        }
        std::string below = file.substr(folder.size() + 1);
        found.push_back({file, JoinPath(FileNameOf(folder), below)});
    }
    if (ec) {
        why = DisplayPath(folder) + ": " + ec.message();
        return false;
    }
    std::sort(found.begin(), found.end(),
              [](const Source& a, const Source& b) { return a.relative < b.relative; });
    out.insert(out.end(), found.begin(), found.end());
    return true;
}

// Whether `path` is `folder` or lies below it.
bool IsBelow(const std::string& path, const std::string& folder) {
    if (path == folder)
        return true;
    if (folder == "/")
        return StartsWith(path, "/");
    return StartsWith(path, folder + "/");
}

// The folder that holds all of `folders`.
std::string CommonFolder(const std::vector<std::string>& folders) {
    std::vector<std::string> common = Split(folders.front(), '/');
    for (auto& f : folders) {
        std::vector<std::string> parts = Split(f, '/');
        size_t n = 0;
        while (n < common.size() && n < parts.size() && common[n] == parts[n])
            ++n;
        common.resize(n);
    }
    std::string joined = Join(common, "/");
    return joined.empty() ? "/" : joined;
}

bool HasFiles(const WProjectData& project) {
    WSetupComponent* files = project.ProgramFilesComponent();
    return files &&
           (!files->Elements(kElementFile).empty() || !files->Elements(kElementTTFFile).empty());
}

// What the command line asks for.
struct AddRequest {
    std::string toText;                  // --to as engine text
    std::vector<std::string> arguments;  // the sources, absolute
    bool force = false;
};

// Reads the options and the sources; the project file stays first in
// args.words. kOk, or the exit status after a message.
int ParseAddFilesArgs(Args& args, AddRequest& request) {
    bool missing = false;
    std::string toUtf8 = "<Target Folder>";
    TakeOption(args, "--to", toUtf8, &missing);
    if (missing)
        return UsageError(kName, "--to needs a target folder");
    request.force = TakeFlag(args, "--force");
    for (auto& w : args.words) {
        if (StartsWith(w, "--"))
            return UsageError(kName, "unknown option " + w);
    }
    if (args.words.size() < 2)
        return UsageError(
            kName, args.words.empty() ? "the project file is missing" : "no file or folder to add");

    if (!EngineArg(toUtf8, request.toText, "the target folder"))
        return kFailure;
    for (size_t i = 1; i < args.words.size(); ++i) {
        std::string path;
        if (!EngineArg(args.words[i], path, "the file name"))
            return kFailure;
        path = AbsolutePath(path);
        if (!PathExists(path))
            return Fail(args.words[i] + ": no such file or folder");
        request.arguments.push_back(path);
    }
    return kOk;
}

// The files to add: each file argument, and every file below each folder.
// kOk, or kFailure after a message.
int CollectSources(const std::vector<std::string>& arguments, std::vector<Source>& sources) {
    std::string why;
    for (auto& path : arguments) {
        if (IsFolder(path)) {
            if (!CollectFolder(path, sources, why))
                return Fail(Out(why));
        } else {
            sources.push_back({path, FileNameOf(path)});
        }
    }
    if (sources.empty())
        return Fail("nothing to add: the folders given hold no files");
    return kOk;
}

// The files of a project lie below one source folder, "DefaultFolder": the
// project file keeps each file's path below it. A project without files
// takes the folder that holds all the arguments. kOk with `root`, or
// kFailure after a message.
int SettleSourceFolder(WProjectData& project, const std::vector<std::string>& arguments,
                       std::string& root) {
    root = project.DefaultFolder.empty() ? std::string()
                                         : StripTrailingSeparators(project.DefaultFolder);
    bool allBelow = !root.empty() && std::all_of(arguments.begin(), arguments.end(),
                                                 [&](auto& a) { return IsBelow(a, root); });
    if (allBelow)
        return kOk;
    if (HasFiles(project)) {
        for (auto& a : arguments) {
            if (root.empty() || !IsBelow(a, root))
                return Fail(Out(DisplayPath(a)) + " is not below the project's source folder " +
                            Out(root.empty() ? "(none)" : DisplayPath(root)) +
                            "; the files of a project come from one source folder");
        }
    }
    std::vector<std::string> parents;
    for (auto& a : arguments)
        parents.push_back(FolderOf(a));
    root = CommonFolder(parents);
    project.DefaultFolder = root;
    return kOk;
}

// One file element per source, refused as a whole when any name cannot be
// stored, a file that is not a font goes to the fonts folder without
// --force, or a target name is taken. kOk, or kFailure after a message.
int MakeFileElements(const WProjectData& project, const std::vector<Source>& sources,
                     const std::string& root, const Target& target, bool force,
                     std::vector<std::unique_ptr<WSetupFile>>& made) {
    WSetupComponent* files = project.ProgramFilesComponent();
    std::set<std::string, LessNoCase> names;
    for (auto& s : sources) {
        std::string sourceName = Backslashed(s.file.substr(root == "/" ? 1 : root.size() + 1));
        std::string targetName = Backslashed(s.relative);
        if (!target.subfolder.empty())
            targetName = target.subfolder + "\\" + targetName;
        for (auto& text : {FolderOf(s.file), sourceName, targetName}) {
            if (!WSetupElement::IsValidFieldText(text))
                return Fail(Out(DisplayPath(s.file)) +
                            ": names with a comma or a line break cannot be stored in a setup "
                            "script");
        }
        if (target.macro == "<F>" && !EndsWithNoCase(s.file, "ttf") && !force)
            return Fail(Out(DisplayPath(s.file)) +
                        " does not appear to be a font (--force adds it to the fonts folder "
                        "anyway)");
        if (!names.insert(targetName).second || FindTargetFile(*files, target.macro, targetName))
            return Fail("A file with this name already exists in this folder: " +
                        Out(ExpandFolderMacros(target.macro) + "\\" + targetName));
        made.push_back(NewFileElement(s.file, sourceName, target.macro, targetName));
    }
    return kOk;
}

int RunAddFiles(Args& args) {
    AddRequest request;
    if (int rc = ParseAddFilesArgs(args, request); rc != kOk)
        return rc;

    WProjectData project;
    if (int rc = OpenProject(args, args.words[0], project); rc != kOk)
        return rc;
    Target target;
    std::string why;
    if (!ParseTarget(project, request.toText, target, why))
        return UsageError(kName, Out(why));

    std::vector<Source> sources;
    std::string root;
    std::vector<std::unique_ptr<WSetupFile>> made;
    if (int rc = CollectSources(request.arguments, sources); rc != kOk)
        return rc;
    if (int rc = SettleSourceFolder(project, request.arguments, root); rc != kOk)
        return rc;
    if (int rc = MakeFileElements(project, sources, root, target, request.force, made); rc != kOk)
        return rc;
    WSetupComponent* files = project.ProgramFilesComponent();
    for (auto& element : made)
        files->AddElement(std::move(element));

    if (int rc = SaveProject(project); rc != kOk)
        return rc;
    std::string shownTarget = ExpandFolderMacros(target.macro);
    if (!target.subfolder.empty())
        shownTarget += "\\" + target.subfolder;
    std::printf("added %zu file%s to %s\n", sources.size(), sources.size() == 1 ? "" : "s",
                Out(shownTarget).c_str());
    return kOk;
}

Registrar reg{{kName, "add-files PROJECT.zlt SOURCE... [--to FOLDER] [--force]",
               "add files or folders to a target folder (long or short macro form, optionally "
               "with a subfolder; default \"<Target Folder>\")",
               &RunAddFiles}};

}  // namespace
}  // namespace vantrel::cli
