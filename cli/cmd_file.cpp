// vantrel-cli file PROJECT.zlt TARGET [options]: shows the properties of one
// file of the project, or changes them through the rules of the file
// properties dialog and saves the project.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/project_cli.h"
#include "cli/target_tree_cli.h"
#include "elements/setup_element.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "project/file_elements.h"
#include "project/file_properties.h"
#include "project/project_data.h"
#include "project/target_tree.h"
#include "script/folder_macros.h"
#include "script/setup_component.h"

namespace vantrel::cli {
namespace {

constexpr const char* kName = "file";

constexpr const char* kAttributeNames[WAttributeBoxes::kBoxCount] = {
    "normal", "archive", "hidden", "readonly", "system", "temporary"};
constexpr const char* kAttributeTexts[WAttributeBoxes::kBoxCount] = {
    "Normal", "Archive", "Hidden", "Read Only", "System", "Temporary"};
constexpr const char* kSystemNames[WSystemBoxes::kBoxCount] = {"95", "98", "nt4", "2000"};
constexpr const char* kSystemTexts[WSystemBoxes::kBoxCount] = {"Windows 95", "Windows 98",
                                                               "Windows NT 4", "Windows 2000"};
constexpr const char* kOverwriteNames[] = {"always", "never", "version", "date", "append"};

// What the options ask for; unset options leave the properties alone.
struct FileRequest {
    std::string destination, overwrite, attributes, systems, registerFont, regFile, selfRegister;
    bool hasDestination = false, hasOverwrite = false, hasAttributes = false, hasSystems = false;
    bool hasRegisterFont = false, hasRegFile = false, hasSelfRegister = false;
    bool Changes() const {
        return hasDestination || hasOverwrite || hasAttributes || hasSystems || hasRegisterFont ||
               hasRegFile || hasSelfRegister;
    }
};

void Field(const char* label, const std::string& value) {
    std::printf("  %-22s %s\n", (std::string(label) + ":").c_str(), Out(value).c_str());
}

// "on" / "off" into `value`; false for anything else.
bool OnOff(const std::string& text, bool& value) {
    if (EqualsNoCase(text, "on") || EqualsNoCase(text, "off")) {
        value = EqualsNoCase(text, "on");
        return true;
    }
    return false;
}

// The file that TARGET names (a folder macro in long or short form, then the
// path below it); null when the tree has no such file.
WSetupFile* FindFile(const WTargetTree& tree, const std::string& target) {
    WTargetNode* node = tree.Find(target);
    return node && !node->IsFolder() ? static_cast<WSetupFile*>(node->Element()) : nullptr;
}

// --dest FOLDER: a root folder in long or short macro form, optionally
// followed by a subfolder. kOk, or a usage error.
int ApplyDestination(const WTargetTree& tree, const std::string& text, WFileProperties& p) {
    std::string t = Trim(text);
    const size_t close = t.find('>');
    const WTargetNode* root =
        close == std::string::npos ? nullptr : tree.FindRoot(t.substr(0, close + 1));
    if (!root)
        return UsageError(kName, "--dest takes one of " + Out(TargetRootList(tree)) +
                                     ", optionally followed by a subfolder");
    std::string below = SlashesAsBackslashes(t.substr(close + 1));
    while (!below.empty() && below.front() == '\\')
        below.erase(0, 1);
    while (!below.empty() && below.back() == '\\')
        below.pop_back();
    p.targetDir = root->RootMacro();
    p.targetDirectory = below;
    return kOk;
}

// Applies the options to `p`; kOk, or the exit status after a message.
int ApplyOptions(const FileRequest& r, WFileProperties& p) {
    if (r.hasOverwrite) {
        int rule = -1;
        for (int i = 0; i < 5; ++i) {
            if (EqualsNoCase(r.overwrite, kOverwriteNames[i]))
                rule = i;
        }
        if (rule < 0)
            return UsageError(kName, "--overwrite takes always, never, version, date or append");
        p.overwrite = rule;
    }
    if (r.hasAttributes) {
        WAttributeBoxes boxes;
        for (const std::string& word : Split(r.attributes, ',')) {
            int box = -1;
            for (int i = 0; i < WAttributeBoxes::kBoxCount; ++i) {
                if (EqualsNoCase(Trim(word), kAttributeNames[i]))
                    box = i;
            }
            if (box < 0 ||
                (box == WAttributeBoxes::kNormal && r.attributes.find(',') != std::string::npos))
                return UsageError(kName,
                                  "--attributes takes normal, or a list of archive, hidden, "
                                  "readonly, system and temporary");
            boxes.Set(static_cast<WAttributeBoxes::Box>(box), true);
        }
        p.attributes = boxes;
    }
    if (r.hasSystems) {
        bool wanted[WSystemBoxes::kBoxCount] = {};
        for (const std::string& word : Split(r.systems, ',')) {
            if (Trim(word).empty())
                continue;
            int box = -1;
            for (int i = 0; i < WSystemBoxes::kBoxCount; ++i) {
                if (EqualsNoCase(Trim(word), kSystemNames[i]))
                    box = i;
            }
            if (box < 0)
                return UsageError(kName, "--os takes a list of 95, 98, nt4 and 2000");
            wanted[box] = true;
        }
        for (int i = 0; i < WSystemBoxes::kBoxCount; ++i) {
            if (wanted[i])
                p.systems.Set(static_cast<WSystemBoxes::Box>(i), true);
        }
        for (int i = 0; i < WSystemBoxes::kBoxCount; ++i) {
            if (!wanted[i]) {
                if (std::string refused = p.systems.Set(static_cast<WSystemBoxes::Box>(i), false);
                    !refused.empty())
                    return Fail(refused);
            }
        }
    }
    const std::pair<const std::string*, bool*> switches[] = {
        {r.hasRegisterFont ? &r.registerFont : nullptr, &p.registerFont},
        {r.hasRegFile ? &r.regFile : nullptr, &p.regFile},
        {r.hasSelfRegister ? &r.selfRegister : nullptr, &p.selfRegister}};
    for (auto [text, value] : switches) {
        if (text && !OnOff(*text, *value))
            return UsageError(kName,
                              "--register-font, --reg-file and --self-register take on "
                              "or off");
    }
    return kOk;
}

void ShowProperties(const WFileProperties& p) {
    std::printf("File %s\n", Out(p.FullTargetPath()).c_str());
    Field("Source", DisplayPath(p.FullSourcePath()));
    Field("Source directory", p.sourceDirectory.empty() ? "(none)" : p.sourceDirectory);
    Field("Destination", p.FullTargetPath());
    Field("Size", p.SizeText().substr(6) + " bytes");
    Field("Overwrite", OverwriteText(p.overwrite));
    std::vector<std::string> attributes;
    for (int i = 0; i < WAttributeBoxes::kBoxCount; ++i) {
        if (p.attributes.IsChecked(static_cast<WAttributeBoxes::Box>(i)))
            attributes.push_back(kAttributeTexts[i]);
    }
    Field("Attributes", Join(attributes, ", "));
    std::vector<std::string> systems;
    for (int i = 0; i < WSystemBoxes::kBoxCount; ++i) {
        if (p.systems.IsChecked(static_cast<WSystemBoxes::Box>(i)))
            systems.push_back(kSystemTexts[i]);
    }
    Field("Operating systems", systems.empty() ? "none" : Join(systems, ", "));
    std::string font = "(not a font)";
    if (p.IsFont()) {
        font =
            p.TypefaceName().empty() ? "(none: " + p.FontError() + ")" : Quoted(p.TypefaceName());
        font += p.registerFont ? ", registered" : ", not registered";
    }
    Field("Font name", font);
    Field("Registry file", p.regFile ? "yes" : "no");
    Field("Self-registering", p.selfRegister ? "yes" : "no");
}

int RunFile(Args& args) {
    FileRequest r;
    bool missing = false;
    struct Option {
        const char* name;
        std::string* value;
        bool* given;
    } options[] = {{"--dest", &r.destination, &r.hasDestination},
                   {"--overwrite", &r.overwrite, &r.hasOverwrite},
                   {"--attributes", &r.attributes, &r.hasAttributes},
                   {"--os", &r.systems, &r.hasSystems},
                   {"--register-font", &r.registerFont, &r.hasRegisterFont},
                   {"--reg-file", &r.regFile, &r.hasRegFile},
                   {"--self-register", &r.selfRegister, &r.hasSelfRegister}};
    for (Option& o : options) {
        *o.given = TakeOption(args, o.name, *o.value, &missing);
        if (missing)
            return UsageError(kName, std::string(o.name) + " needs a value");
    }
    if (int rc = RefuseLeftOptions(kName, args); rc != kOk)
        return rc;
    if (args.words.size() != 2)
        return UsageError(kName, args.words.empty()       ? "the project file is missing"
                                 : args.words.size() == 1 ? "the file's destination is missing"
                                                          : "one file at a time");
    std::string target;
    if (!Win1252Arg(args.words[1], target, "the file's destination"))
        return kFailure;

    WProjectData project;
    if (int rc = OpenProject(args, args.words[0], project); rc != kOk)
        return rc;
    WTargetTree tree(project);
    WSetupFile* file = FindFile(tree, target);
    if (!file)
        return Fail("the project has no file " + Out(ExpandFolderMacros(target)));
    WFileProperties p = WFileProperties::Load(project, *file);
    if (r.Changes()) {
        if (int rc = ApplyOptions(r, p); rc != kOk)
            return rc;
        if (r.hasDestination) {
            if (int rc = ApplyDestination(tree, r.destination, p); rc != kOk)
                return rc;
        }
        if (std::string refused = p.Apply(project, file, tree.Relocator()); !refused.empty())
            return Fail(Out(refused));
        if (int rc = SaveProject(project); rc != kOk)
            return rc;
        p = WFileProperties::Load(project, *file);
    }
    ShowProperties(p);
    return kOk;
}

Registrar reg{
    {kName,
     "file PROJECT.zlt TARGET [--dest FOLDER] "
     "[--overwrite always|never|version|date|append] "
     "[--attributes normal|archive,hidden,readonly,system,temporary] "
     "[--os 95,98,nt4,2000] [--register-font on|off] [--reg-file on|off] "
     "[--self-register on|off]",
     "show a file's properties (TARGET its destination, \"<Target Folder>\\a.dll\" or "
     "\"<D>\\a.dll\"), or change them and save; --dest moves the file to another target "
     "folder (long or short macro form, optionally with a subfolder)",
     &RunFile,
     "  --dest FOLDER         move the file to another target folder\n"
     "  --overwrite RULE      always, never, version, date or append\n"
     "  --attributes LIST     normal, or any of archive,hidden,readonly,system,temporary\n"
     "  --os LIST             the systems that receive the file: 95,98,nt4,2000\n"
     "  --register-font on|off   register a .ttf under its typeface name\n"
     "  --reg-file on|off     merge the file into the target machine's registry\n"
     "  --self-register on|off   let the library register itself\n"}};

}  // namespace
}  // namespace vantrel::cli
