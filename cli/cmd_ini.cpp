// vantrel-cli ini PROJECT.zlt list|add|remove: the INI entries that the setup
// writes into installed files, through the rules of the customisation page
// and its profile string dialog.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/customisation_cli.h"
#include "cli/project_cli.h"
#include "platform/strings.h"
#include "project/ini_entry_properties.h"
#include "project/project_data.h"
#include "script/folder_macros.h"

namespace vantrel::cli {
namespace {

constexpr const char* kName = "ini";

int List(Args&, WProjectData& project) {
    const auto entries = IniEntries(project);
    std::printf("INI entries (%zu)\n", entries.size());
    if (entries.empty())
        std::printf("  none\n");
    for (size_t i = 0; i < entries.size(); ++i)
        std::printf("  %zu  %s\n", i + 1, Out(DescribeIniEntry(*entries[i])).c_str());
    return kOk;
}

int Add(Args& args, WProjectData& project) {
    std::string section, key, value, systems;
    bool missing = false;
    const bool hasSection = TakeOption(args, "--section", section, &missing);
    const bool hasKey = !missing && TakeOption(args, "--key", key, &missing);
    const bool hasValue = !missing && TakeOption(args, "--value", value, &missing);
    const bool hasSystems = !missing && TakeOption(args, "--os", systems, &missing);
    if (missing)
        return UsageError(kName, "an option needs a value");
    if (int rc = RefuseLeftOptions(kName, args); rc != kOk)
        return rc;
    if (args.words.size() != 3)
        return UsageError(kName,
                          args.words.size() < 3 ? "add needs the file" : "one file at a time");
    const WSetupElement* file = nullptr;
    if (int rc = FindFileArg(project, args.words[2], file); rc != kOk)
        return rc;
    auto entry = NewIniEntry(*file);
    WIniEntryProperties p = WIniEntryProperties::Load(*entry);
    if ((hasSection && !Win1252Arg(section, p.section, "the section")) ||
        (hasKey && !Win1252Arg(key, p.key, "the key")) ||
        (hasValue && !Win1252Arg(value, p.value, "the value")))
        return kFailure;
    if (hasSystems && !ParseSystems(systems, p.systems))
        return UsageError(kName, "--os takes a list of 95, nt4, 98 and 2000");
    if (std::string refused = p.Apply(*entry); !refused.empty())
        return Fail(Out(refused));
    std::string error;
    const WSetupProfileString* added = AddIniEntry(project, std::move(entry), error);
    if (!added)
        return Fail(Out(error));
    if (int rc = SaveProject(project); rc != kOk)
        return rc;
    std::printf("Added %s\n", Out(DescribeIniEntry(*added)).c_str());
    return kOk;
}

int Remove(Args& args, WProjectData& project) {
    std::string section, key;
    bool missing = false;
    const bool hasSection = TakeOption(args, "--section", section, &missing);
    const bool hasKey = !missing && TakeOption(args, "--key", key, &missing);
    if (missing)
        return UsageError(kName, "an option needs a value");
    if (int rc = RefuseLeftOptions(kName, args); rc != kOk)
        return rc;
    if (args.words.size() != 3)
        return UsageError(kName, args.words.size() < 3 ? "remove needs a number or a file"
                                                       : "one entry at a time");
    std::string s, k;
    if ((hasSection && !Win1252Arg(section, s, "the section")) ||
        (hasKey && !Win1252Arg(key, k, "the key")))
        return kFailure;
    const auto entries = IniEntries(project);
    const WSetupElement* found = nullptr;
    auto keep = [&](const WSetupElement& element) {
        const auto& e = static_cast<const WSetupProfileString&>(element);
        return (!hasSection || EqualsNoCase(ExpandFolderMacros(e.GetSection()), s)) &&
               (!hasKey || EqualsNoCase(ExpandFolderMacros(e.GetKey()), k));
    };
    if (int rc = FindEntryArg(project, args.words[2], hasSection || hasKey,
                              {entries.begin(), entries.end()}, "INI entry", keep, found);
        rc != kOk)
        return rc;
    const std::string described = DescribeIniEntry(*static_cast<const WSetupProfileString*>(found));
    RemoveCustomisation(project, found);
    if (int rc = SaveProject(project); rc != kOk)
        return rc;
    std::printf("Removed %s\n", Out(described).c_str());
    return kOk;
}

int RunIni(Args& args) {
    return RunProjectAction(
        kName, args, {{"list", true, &List}, {"add", false, &Add}, {"remove", false, &Remove}});
}

Registrar reg{
    {kName,
     "ini PROJECT.zlt list | add FILE [--section S] [--key K] [--value V] [--os 95,nt4,98,2000] "
     "| remove NUMBER|FILE [--section S] [--key K]",
     "the INI entries the setup writes into installed files (FILE: the file's target, "
     "\"<Target Folder>\\app.ini\", or its name alone when no other file has it)",
     &RunIni,
     "  --section S   the section, without [ and ]\n"
     "  --key K       the key\n"
     "  --value V     the value (folder macros in either form)\n"
     "  --os LIST     the systems the entry is written on: 95,nt4,98,2000\n"}};

}  // namespace
}  // namespace vantrel::cli
