// vantrel-cli replace PROJECT.zlt list|add|remove: the texts that the setup
// replaces in installed text files, through the rules of the customisation
// page and its text file customisation dialog.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/customisation_cli.h"
#include "cli/project_cli.h"
#include "platform/strings.h"
#include "project/project_data.h"
#include "project/text_replacement_properties.h"
#include "script/folder_macros.h"

namespace vantrel::cli {
namespace {

constexpr const char* kName = "replace";

int List(Args&, WProjectData& project) {
    const auto entries = TextReplacements(project);
    std::printf("Text replacements (%zu)\n", entries.size());
    if (entries.empty())
        std::printf("  none\n");
    for (size_t i = 0; i < entries.size(); ++i)
        std::printf("  %zu  %s\n", i + 1, Out(DescribeTextReplacement(*entries[i])).c_str());
    return kOk;
}

int Add(Args& args, WProjectData& project) {
    std::string search, with, systems;
    bool missing = false;
    const bool hasSearch = TakeOption(args, "--search", search, &missing);
    const bool hasWith = !missing && TakeOption(args, "--with", with, &missing);
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
    auto entry = NewTextReplacement(*file);
    WTextReplacementProperties p = WTextReplacementProperties::Load(*entry);
    if ((hasSearch && !Win1252Arg(search, p.search, "the search text")) ||
        (hasWith && !Win1252Arg(with, p.replace, "the replacement")))
        return kFailure;
    if (hasSystems && !ParseSystems(systems, p.systems))
        return UsageError(kName, "--os takes a list of 95, nt4, 98 and 2000");
    if (std::string refused = p.Apply(*entry); !refused.empty())
        return Fail(Out(refused));
    std::string error;
    const WSetupCustFile* added = AddTextReplacement(project, std::move(entry), error);
    if (!added)
        return Fail(Out(error));
    if (int rc = SaveProject(project); rc != kOk)
        return rc;
    std::printf("Added %s\n", Out(DescribeTextReplacement(*added)).c_str());
    return kOk;
}

int Remove(Args& args, WProjectData& project) {
    std::string search, with;
    bool missing = false;
    const bool hasSearch = TakeOption(args, "--search", search, &missing);
    const bool hasWith = !missing && TakeOption(args, "--with", with, &missing);
    if (missing)
        return UsageError(kName, "an option needs a value");
    if (int rc = RefuseLeftOptions(kName, args); rc != kOk)
        return rc;
    if (args.words.size() != 3)
        return UsageError(kName, args.words.size() < 3 ? "remove needs a number or a file"
                                                       : "one replacement at a time");
    std::string s, w;
    if ((hasSearch && !Win1252Arg(search, s, "the search text")) ||
        (hasWith && !Win1252Arg(with, w, "the replacement")))
        return kFailure;
    const auto entries = TextReplacements(project);
    const WSetupElement* found = nullptr;
    auto keep = [&](const WSetupElement& element) {
        const auto& e = static_cast<const WSetupCustFile&>(element);
        return (!hasSearch || ExpandFolderMacros(e.GetSearchText()) == s) &&
               (!hasWith || ExpandFolderMacros(e.GetReplaceText()) == w);
    };
    if (int rc = FindEntryArg(project, args.words[2], hasSearch || hasWith,
                              {entries.begin(), entries.end()}, "text replacement", keep, found);
        rc != kOk)
        return rc;
    const std::string described =
        DescribeTextReplacement(*static_cast<const WSetupCustFile*>(found));
    RemoveCustomisation(project, found);
    if (int rc = SaveProject(project); rc != kOk)
        return rc;
    std::printf("Removed %s\n", Out(described).c_str());
    return kOk;
}

int RunReplace(Args& args) {
    return RunProjectAction(
        kName, args, {{"list", true, &List}, {"add", false, &Add}, {"remove", false, &Remove}});
}

Registrar reg{
    {kName,
     "replace PROJECT.zlt list | add FILE [--search TEXT] [--with TEXT] [--os 95,nt4,98,2000] | "
     "remove NUMBER|FILE [--search TEXT] [--with TEXT]",
     "the texts the setup replaces in installed text files (FILE: the file's target, "
     "\"<Target Folder>\\readme.txt\", or its name alone when no other file has it)",
     &RunReplace,
     "  --search TEXT   the text to replace\n"
     "  --with TEXT     what replaces it (folder macros in either form)\n"
     "  --os LIST       the systems the replacement is made on: 95,nt4,98,2000\n"}};

}  // namespace
}  // namespace vantrel::cli
