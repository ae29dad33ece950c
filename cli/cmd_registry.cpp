// vantrel-cli registry PROJECT.zlt list|add|remove|import: the registry
// entries that the setup writes, through the rules of the registry keys page
// and its key dialog.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/project_cli.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "project/project_data.h"
#include "project/reg_import.h"
#include "project/registry_keys.h"
#include "script/folder_macros.h"

namespace vantrel::cli {
namespace {

constexpr const char* kName = "registry";

constexpr const char* kSystemNames[] = {"95", "nt4", "98", "2000"};
constexpr const char* kTypeNames[] = {"string", "number", "binary"};

int List(Args&, WProjectData& project) {
    const auto entries = RegistryEntries(project);
    std::printf("Registry entries (%zu)\n", entries.size());
    if (entries.empty())
        std::printf("  none\n");
    for (size_t i = 0; i < entries.size(); ++i)
        std::printf("  %zu  %s\n", i + 1, Out(DescribeRegistryEntry(*entries[i])).c_str());
    return kOk;
}

// "on"/"off" into `value`; false for anything else.
bool OnOff(const std::string& text, int& value) {
    if (!EqualsNoCase(text, "on") && !EqualsNoCase(text, "off"))
        return false;
    value = EqualsNoCase(text, "on") ? 1 : 0;
    return true;
}

// KEY as "ROOT\key below it" into the dialog's values; kOk or the status
// after a message.
int TakeKey(const std::string& argument, WRegistryKeyProperties& p) {
    std::string path;
    if (!Win1252Arg(argument, path, "the key"))
        return kFailure;
    if (!SplitRegistryPath(path, p.rootKey, p.key))
        return UsageError(kName,
                          "the key must begin with a root key such as "
                          "HKEY_LOCAL_MACHINE: " +
                              argument);
    return kOk;
}

int Add(Args& args, WProjectData& project) {
    std::string name, value, type, systems, uninstall;
    bool missing = false;
    const bool hasName = TakeOption(args, "--name", name, &missing);
    const bool hasValue = !missing && TakeOption(args, "--value", value, &missing);
    const bool hasType = !missing && TakeOption(args, "--type", type, &missing);
    const bool hasSystems = !missing && TakeOption(args, "--os", systems, &missing);
    const bool hasUninstall = !missing && TakeOption(args, "--uninstall", uninstall, &missing);
    if (missing)
        return UsageError(kName, "an option needs a value");
    if (int rc = RefuseLeftOptions(kName, args); rc != kOk)
        return rc;
    if (args.words.size() != 3)
        return UsageError(kName, args.words.size() < 3 ? "add needs the key" : "one key at a time");
    WRegistryKeyProperties p;
    if (int rc = TakeKey(args.words[2], p); rc != kOk)
        return rc;
    if ((hasName && !Win1252Arg(name, p.name, "the name")) ||
        (hasValue && !Win1252Arg(value, p.value, "the value")))
        return kFailure;
    if (hasType) {
        p.type = -1;
        for (int i = 0; i < 3; ++i) {
            if (EqualsNoCase(type, kTypeNames[i]) || EqualsNoCase(type, RegistryValueTypes()[i]))
                p.type = i;
        }
        if (p.type < 0)
            return UsageError(kName, "--type takes string, number or binary");
    }
    if (hasSystems) {
        p.systems = {false, false, false, false};
        for (const std::string& word : SplitTrimmed(systems, ',')) {
            bool known = false;
            for (int i = 0; i < 4; ++i) {
                if (EqualsNoCase(word, kSystemNames[i]))
                    p.systems[i] = known = true;
            }
            if (!known)
                return UsageError(kName, "--os takes a list of 95, nt4, 98 and 2000");
        }
    }
    auto entry = NewRegistryEntry();
    int uninstallFlag = 1;
    if (hasUninstall && !OnOff(uninstall, uninstallFlag))
        return UsageError(kName, "--uninstall takes on or off");
    entry->SetUninstall(uninstallFlag);
    if (std::string refused = p.Apply(*entry); !refused.empty())
        return Fail(Out(refused));
    std::string error;
    const WSetupRegEntry* added = AddRegistryEntry(project, std::move(entry), error);
    if (!added)
        return Fail(Out(error));
    if (int rc = SaveProject(project); rc != kOk)
        return rc;
    std::printf("Added %s\n", Out(DescribeRegistryEntry(*added)).c_str());
    return kOk;
}

int Remove(Args& args, WProjectData& project) {
    std::string name;
    bool missing = false;
    const bool hasName = TakeOption(args, "--name", name, &missing);
    if (missing)
        return UsageError(kName, "--name needs a value");
    if (int rc = RefuseLeftOptions(kName, args); rc != kOk)
        return rc;
    if (args.words.size() != 3)
        return UsageError(kName, args.words.size() < 3 ? "remove needs a number or a key"
                                                       : "one entry at a time");
    const auto entries = RegistryEntries(project);
    const WSetupRegEntry* found = nullptr;
    long long number = 0;
    if (!hasName && ParseInt(args.words[2], number)) {
        if (number < 1 || number > static_cast<long long>(entries.size()))
            return Fail(Format("the project has no registry entry %lld (it has %zu)", number,
                               entries.size()));
        found = entries[static_cast<size_t>(number - 1)];
    } else {
        WRegistryKeyProperties p;
        if (int rc = TakeKey(args.words[2], p); rc != kOk)
            return rc;
        std::string valueName;
        if (hasName && !Win1252Arg(name, valueName, "the name"))
            return kFailure;
        for (const WSetupRegEntry* e : entries) {
            if (!found && e->GetRootKey() == p.RootKeyText() &&
                EqualsNoCase(e->GetKeyPath(), p.key) &&
                EqualsNoCase(ExpandFolderMacros(e->GetValueName()), valueName))
                found = e;
        }
        if (!found)
            return Fail("the project has no registry entry " + args.words[2] +
                        (hasName ? " named " + name : std::string(" without a name")));
    }
    const std::string described = DescribeRegistryEntry(*found);
    RemoveRegistryEntry(project, found);
    if (int rc = SaveProject(project); rc != kOk)
        return rc;
    std::printf("Removed %s\n", Out(described).c_str());
    return kOk;
}

int Import(Args& args, WProjectData& project) {
    if (args.words.size() != 3)
        return UsageError(
            kName, args.words.size() < 3 ? "import needs a .reg file" : "one file at a time");
    std::string file;
    if (!Win1252Arg(args.words[2], file, "the file name"))
        return kFailure;
    WRegImport import;
    std::string error;
    if (!import.ReadFile(file, error))
        return Fail(Out(error));
    const auto added = import.AddTo(project);
    if (!added.empty()) {
        if (int rc = SaveProject(project); rc != kOk)
            return rc;
    }
    std::printf("Imported %zu registry entr%s\n", added.size(), added.size() == 1 ? "y" : "ies");
    for (const WSetupRegEntry* e : added)
        std::printf("  %s\n", Out(DescribeRegistryEntry(*e)).c_str());
    for (const WRegImport::Refused& r : import.RefusedLines())
        std::fprintf(stderr, "vantrel-cli: %s:%d: %s\n", args.words[2].c_str(), r.line,
                     Out(r.reason).c_str());
    return import.RefusedLines().empty() ? kOk : kFailure;
}

int RunRegistry(Args& args) {
    return RunProjectAction(kName, args,
                            {{"list", true, &List},
                             {"add", false, &Add},
                             {"remove", false, &Remove},
                             {"import", true, &Import}});
}

Registrar reg{
    {kName,
     "registry PROJECT.zlt list | add KEY [--name N] [--value V] [--type string|number|binary] "
     "[--os 95,nt4,98,2000] [--uninstall on|off] | remove NUMBER|KEY [--name N] | import "
     "FILE.reg",
     "the registry entries the setup writes (KEY: \"HKEY_LOCAL_MACHINE\\Software\\App\"); add and "
     "remove one, or import the values of a registry export file, naming the lines it could "
     "not take",
     &RunRegistry,
     "  --name N          the value's name (none: the key's default value)\n"
     "  --value V         the value\n"
     "  --type T          string, number or binary\n"
     "  --os LIST         the systems the entry is made on: 95,nt4,98,2000\n"
     "  --uninstall on|off   whether uninstalling removes the entry again\n"}};

}  // namespace
}  // namespace vantrel::cli
