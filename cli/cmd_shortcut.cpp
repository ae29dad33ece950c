// vantrel-cli shortcut PROJECT.zlt list|add|remove: the shortcuts that the
// setup makes in the application's Start-menu group, through the rules of
// the shortcuts page and its shortcut dialog.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/project_cli.h"
#include "platform/strings.h"
#include "project/project_data.h"
#include "project/shortcut_rules.h"
#include "script/folder_macros.h"

namespace vantrel::cli {
namespace {

constexpr const char* kName = "shortcut";

int List(Args&, WProjectData& project) {
    const auto shortcuts = ListedShortcuts(project);
    std::printf("Group: %s\n", Out(project.ShortcutFolder).c_str());
    std::printf("Shortcuts (%zu)\n", shortcuts.size());
    if (shortcuts.empty())
        std::printf("  none\n");
    for (size_t i = 0; i < shortcuts.size(); ++i)
        std::printf("  %zu  %s\n", i + 1, Out(DescribeShortcut(*shortcuts[i])).c_str());
    return kOk;
}

// The application file named by `argument`: its listed text ("<Target
// Folder>\bin\app.exe", short macros too) or its target name ("bin\app.exe",
// "app.exe") when only one file has it. Null after a message in `error`.
WSetupElement* FindFile(WProjectData& project, const std::string& argument, std::string& error) {
    const std::string wanted = ExpandFolderMacros(argument);
    std::vector<WSetupElement*> byName;
    for (WSetupElement* file : ShortcutFiles(project)) {
        if (EqualsNoCase(ApplicationFileText(*file), wanted))
            return file;
        const std::string& target = file->GetTargetName();
        const size_t slash = target.find_last_of('\\');
        if (EqualsNoCase(target, argument) ||
            (slash != std::string::npos && EqualsNoCase(target.substr(slash + 1), argument)))
            byName.push_back(file);
    }
    if (byName.size() == 1)
        return byName.front();
    if (byName.empty()) {
        error = "the project has no application file " + argument;
    } else {
        std::vector<std::string> names;
        for (const WSetupElement* file : byName)
            names.push_back(ApplicationFileText(*file));
        error = argument + " names several files: " + Join(names, ", ");
    }
    return nullptr;
}

int Add(Args& args, WProjectData& project) {
    const bool runtime = TakeFlag(args, "--runtime");
    std::string name, folder, parameters;
    bool missing = false;
    const bool hasName = TakeOption(args, "--name", name, &missing);
    const bool hasFolder = !missing && TakeOption(args, "--folder", folder, &missing);
    const bool hasArgs = !missing && TakeOption(args, "--args", parameters, &missing);
    if (missing)
        return UsageError(kName, "an option needs a value");
    if (int rc = RefuseLeftOptions(kName, args); rc != kOk)
        return rc;
    std::string error;
    if (runtime) {
        if (args.words.size() != 2 || hasName || hasFolder || hasArgs)
            return UsageError(kName, "add --runtime takes no file and no options");
        const WSetupShortcut* added = AddRuntimeShortcut(project, error);
        if (!added)
            return Fail(Out(error));
        if (int rc = SaveProject(project); rc != kOk)
            return rc;
        std::printf("Added %s\n", Out(DescribeShortcut(*added)).c_str());
        return kOk;
    }
    if (args.words.size() != 3)
        return UsageError(kName, args.words.size() < 3
                                     ? "add needs an application file or --runtime"
                                     : "one file at a time");
    std::string fileName;
    if (!Win1252Arg(args.words[2], fileName, "the file"))
        return kFailure;
    WSetupElement* file = FindFile(project, fileName, error);
    if (!file)
        return Fail(Out(error));
    if (HasShortcutTo(project, *file))
        return Fail(Out(ApplicationFileText(*file)) + " has a shortcut already");
    auto shortcut = NewShortcut(*file, project.ShortcutFolder);
    WShortcutProperties p = WShortcutProperties::Load(*shortcut);
    if ((hasName && !Win1252Arg(name, p.name, "the name")) ||
        (hasArgs && !Win1252Arg(parameters, p.parameters, "the parameters")))
        return kFailure;
    if (hasFolder) {
        std::string text;
        if (!Win1252Arg(folder, text, "the folder"))
            return kFailure;
        WShortcutProperties::SplitFolder(text, p.folder, p.additional);
    }
    if (std::string refused = p.Apply(*shortcut); !refused.empty())
        return Fail(Out(refused));
    const WSetupShortcut* added = AddShortcut(project, std::move(shortcut), error);
    if (!added)
        return Fail(Out(error));
    if (int rc = SaveProject(project); rc != kOk)
        return rc;
    std::printf("Added %s\n", Out(DescribeShortcut(*added)).c_str());
    return kOk;
}

int Remove(Args& args, WProjectData& project) {
    if (int rc = RefuseLeftOptions(kName, args); rc != kOk)
        return rc;
    if (args.words.size() != 3)
        return UsageError(kName, args.words.size() < 3 ? "remove needs a number or a name"
                                                       : "one shortcut at a time");
    const auto shortcuts = ListedShortcuts(project);
    const WSetupShortcut* found = nullptr;
    long long number = 0;
    if (ParseInt(args.words[2], number)) {
        if (number < 1 || number > static_cast<long long>(shortcuts.size()))
            return Fail(
                Format("the project has no shortcut %lld (it has %zu)", number, shortcuts.size()));
        found = shortcuts[static_cast<size_t>(number - 1)];
    } else {
        std::string wanted;
        if (!Win1252Arg(args.words[2], wanted, "the name"))
            return kFailure;
        for (const WSetupShortcut* s : shortcuts) {
            if (!found && (EqualsNoCase(s->GetShortcutName(), wanted) ||
                           EqualsNoCase(ShortcutEntryText(*s), ExpandFolderMacros(wanted))))
                found = s;
        }
        if (!found)
            return Fail("the project has no shortcut " + args.words[2]);
    }
    const std::string described = DescribeShortcut(*found);
    RemoveShortcut(project, found);
    if (int rc = SaveProject(project); rc != kOk)
        return rc;
    std::printf("Removed %s\n", Out(described).c_str());
    return kOk;
}

int RunShortcut(Args& args) {
    // As when the shortcuts page opens: without the runtime component its
    // shortcut is gone (saved with the next change).
    return RunProjectAction(
        kName, args, {{"list", true, &List}, {"add", false, &Add}, {"remove", false, &Remove}},
        [](WProjectData& p) { DropRuntimeShortcutWithoutRuntime(p); });
}

Registrar reg{{kName,
               "shortcut PROJECT.zlt list | add FILE [--name N] [--folder F] [--args A] | add "
               "--runtime | remove NUMBER|NAME",
               "the shortcuts the setup makes in the Start-menu group (set ShortcutFolder=NAME "
               "names the group); FILE is an application file (\"<Target Folder>\\app.exe\" or "
               "its name), F a folder such as \"<Desktop Folder>\" or \"<Start Menu Programs "
               "Folder>\\Tools\"; --runtime adds the runtime's own shortcut",
               &RunShortcut,
               "  --name N     the shortcut's name\n"
               "  --folder F   where it is made (default: the Start-menu group)\n"
               "  --args A     the command-line parameters\n"
               "  --runtime    the runtime's own shortcut (add, without FILE)\n"}};

}  // namespace
}  // namespace vantrel::cli
