#include "engine/install_report.h"

#include <algorithm>
#include <set>

#include "elements/element_classes.h"
#include "engine/report_text.h"
#include "engine/set_folder.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "script/setup_component.h"
#include "scriptfile/setup_product_data.h"

namespace vantrel {

namespace {

constexpr const char* kProductModuleType = "PRODUCT";
constexpr const char* kSourceFolderMacro = "<S>";
constexpr const char* kEngineStringFile = "Setup.str";

// Adds lines to a listing.
class Listing {
  public:
    void Line(const std::string& text = {}) {
        text_ += text;
        text_ += '\n';
    }
    void Field(const char* label, const std::string& value) {
        Line(Format("  %-20s %s", (std::string(label) + ":").c_str(), value.c_str()));
    }
    void Heading(const char* title, size_t count) {
        Line();
        Line(Format("%s (%zu)", title, count));
        if (count == 0)
            Line("  none");
    }
    const std::string& Text() const { return text_; }

  private:
    std::string text_;
};

// One element with the component that holds it.
struct Held {
    const WSetupComponent* component;
    const WSetupElement* element;
};

// The elements of the given types, component by component.
std::vector<Held> ElementsOf(const WSetupManager& components, std::initializer_list<int> types) {
    std::vector<Held> list;
    for (const WSetupComponent* c : components.Components()) {
        for (int type : types) {
            for (const auto& e : c->Elements(type))
                list.push_back({c, e.get()});
        }
    }
    return list;
}

// " [component]" behind an element that is not the application's own.
std::string OwnerNote(const Held& h) {
    return h.component->IsApplicationComponent() ? std::string()
                                                : "  [" + h.component->GetName() + "]";
}

// The install-type digits with the install types they stand for.
std::string InstallTypesText(int value) {
    std::string digits = WSetupComponent::InstallTypeText(value);
    std::vector<std::string> types;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (digits[i] == '1')
            types.push_back(std::to_string(i + 1));
    }
    return digits +
           (types.empty() ? " (no install type)" : " (install types " + Join(types, ", ") + ")");
}

}  // namespace

WInstallReport::WInstallReport() = default;
WInstallReport::~WInstallReport() = default;

bool WInstallReport::Read(const WSetFolder& set) {
    errors_.clear();
    root_ = set.Root();
    productScript_ = set.Script("project.kvz");
    if (!VerifyProductScript(productScript_) || !ReadProductScript(productScript_))
        return false;
    return ReadComponentScript(set.Script("comp.kvz"), set.Script("string.str"), set.SetupFolder());
}

bool WInstallReport::VerifyProductScript(const std::string& path) {
    std::string shown = DisplayPath(path);
    if (!IsFile(path)) {
        errors_.push_back(shown + " is missing");
        return false;
    }
    // The values as stamped, then a verifying read that recomputes them
    // (it leaves the computed values in the object it reads into).
    header_ = WScriptHeader();
    header_.SetFilePath(path);
    int bits = header_.Read(true, false);
    WScriptHeader computed;
    computed.SetFilePath(path);
    bits |= computed.Read(true, true);
    if (bits & WScriptHeader::kCannotOpen) {
        errors_.push_back(shown + " cannot be opened");
        return false;
    }
    std::vector<std::string> reasons;
    if (bits & WScriptHeader::kNoHeader) {
        reasons.push_back("it has no header block, so it was not stamped when the set was built");
    }
    if (bits & (WScriptHeader::kSumDiffers | WScriptHeader::kLinesDiffer |
                WScriptHeader::kSkippedDiffer)) {
        reasons.push_back("its checksum " + header_.ChecksumText() +
                          " does not match its contents (" + computed.ChecksumText() +
                          "): the script was changed after it was stamped");
    }
    if (bits & WScriptHeader::kSecondHeader)
        reasons.push_back("it holds a second header block");
    if (bits & WScriptHeader::kLongLine) {
        reasons.push_back(
            Format("a line is %zu characters or longer, more than the setup engine "
                   "reads as one line",
                   WScriptHeader::kLongLineLength));
    }
    if (!reasons.empty()) {
        errors_.push_back(shown + " fails verification: " + Join(reasons, "; "));
        return false;
    }
    if (header_.ModuleType() != kProductModuleType) {
        errors_.push_back(shown + " is not a product script (module type " +
                          Quoted(header_.ModuleType()) + ")");
        return false;
    }
    return true;
}

bool WInstallReport::ReadProductScript(const std::string& path) {
    WSetupProductData script;
    if (!script.Load(path)) {
        errors_.push_back(DisplayPath(path) + " cannot be read");
        return false;
    }
    std::string name;
    if (!script.GetValue(WSPMProduct::kSection, "ProductName", name)) {
        errors_.push_back(DisplayPath(path) + " names no product: the [" +
                          std::string(WSPMProduct::kSection) + "] section has no ProductName");
        return false;
    }
    product_.Read(&script);
    script.GetValue("UI", "Pages", pages_);
    return true;
}

bool WInstallReport::ReadComponentScript(const std::string& script, const std::string& strings,
                                         const std::string& stringFolder) {
    bool present = true;
    for (const std::string& path : {script, strings}) {
        if (!IsFile(path)) {
            errors_.push_back(DisplayPath(path) + " is missing");
            present = false;
        }
    }
    if (!present)
        return false;

    components_.ClearComponents();
    components_.ClearFailures();
    components_.SetStringFolder(stringFolder);
    ScriptStringMap().Clear();
    // The engine's own string file, when the set carries it, holds the texts
    // of the standard components' names; the set's string file comes after
    // it and wins.
    std::string engineStrings = FindInFolderNoCase(stringFolder, kEngineStringFile);
    if (!engineStrings.empty() && IsFile(engineStrings) &&
        !EqualsNoCase(FileNameOf(engineStrings), FileNameOf(strings))) {
        components_.ReadStringFile(engineStrings);
        components_.ClearFailures();
    }
    if (!components_.ReadComponentScript(script, strings)) {
        for (const std::string& failure : components_.Failures())
            errors_.push_back("the component script cannot be read: " + failure);
        if (components_.Failures().empty())
            errors_.push_back(DisplayPath(script) + " cannot be read");
        return false;
    }
    for (const char* name : {WSetupComponent::kProductName, WSetupComponent::kProgramFilesName}) {
        if (!components_.Find(name)) {
            errors_.push_back(DisplayPath(script) + " holds no " + Quoted(name) +
                              " component: it is not the component script of a setup");
            return false;
        }
    }
    return true;
}

std::string WInstallReport::Text(bool noCopy) const {
    Listing out;
    out.Line("Setup of " + product_.GetDisplayName());
    out.Field("Setup folder", DisplayPath(root_));
    out.Field("Product script", "verified, stamped " + header_.TimeStamp() + " by " +
                                    header_.LastUser() + ", checksum " + header_.ChecksumText());
    out.Line(noCopy ? "Test run (/nocopy): nothing is copied."
                    : "This sample setup engine copies nothing; it shows what the setup installs.");

    out.Line();
    out.Line("Product");
    out.Field("Product name", product_.GetProductName());
    out.Field("Display name", product_.GetDisplayName());
    out.Field("Version", product_.GetVersion());
    out.Field("Destination", "<Target Folder> = " + Shown(product_.GetDestination()));
    out.Field("Registry key", "HKEY_LOCAL_MACHINE\\" + product_.GetProductKey());
    out.Field("Shortcut folder", product_.GetShortcutFolder());
    out.Field("Default locale", product_.GetDefaultLocale());
    out.Field("Setup pages", pages_);

    // Components as a tree: top components in script order, each followed
    // by its sub-components. A component met twice (a child named by two
    // parents, or a cycle in a hand-made script) is listed once.
    const auto& all = components_.Components();
    out.Heading("Components", all.size());
    std::set<const WSetupComponent*> listed;
    auto list = [&](const WSetupComponent* top) {
        std::vector<std::pair<const WSetupComponent*, int>> stack{{top, 0}};
        while (!stack.empty()) {
            auto [c, depth] = stack.back();
            stack.pop_back();
            if (!listed.insert(c).second)
                continue;
            std::string line = std::string(2 + 2 * std::min(depth, 8), ' ') + c->GetName() + "  " +
                               Quoted(ExpandStringRefs(c->GetDisplayName())) + "  " +
                               InstallTypesText(c->EffectiveInstallTypes());
            if (!c->GetDestination().empty())
                line += ", to " + Shown(c->GetDestination());
            std::vector<std::string> dependents;
            for (const WSetupComponent* d : c->Dependents())
                dependents.push_back(d->GetName());
            if (!dependents.empty())
                line += ", with " + Join(dependents, ", ");
            out.Line(line);
            const auto& children = c->Children();
            for (auto it = children.rbegin(); it != children.rend(); ++it)
                stack.emplace_back(*it, depth + 1);
        }
    };
    for (const WSetupComponent* c : all) {
        if (!c->GetParent())
            list(c);
    }
    for (const WSetupComponent* c : all)
        list(c);

    auto files = ElementsOf(components_, {kElementFile, kElementTTFFile});
    out.Heading("Files", files.size());
    for (const Held& h : files) {
        const WSetupElement& e = *h.element;
        std::string source = e.GetSourceName();
        bool inSet = e.GetSourceDir() == kSourceFolderMacro;
        if (!inSet)
            source = Shown(JoinPath(e.GetSourceDir(), e.GetSourceName()));
        std::string line =
            "  " + Shown(e.GetTargetPath()) + "  <-  " + source + Format(", %.0f bytes", e.GetSize());
        if (auto* font = dynamic_cast<const WSetupTTFFile*>(&e))
            line += ", font " + Quoted(font->GetTypefaceName());
        if (!noCopy && inSet && !IsFile(ResolveNoCase(JoinPath(root_, e.GetSourceName()))))
            line += "  (not in the set)";
        out.Line(line + OwnerNote(h));
    }

    auto registry = ElementsOf(components_, {kElementRegistryKeys, kElementRegFile,
                                             kElementSelfRegister, kElementRuntimeRegEntry});
    out.Heading("Registry entries", registry.size());
    for (const Held& h : registry) {
        const WSetupElement& e = *h.element;
        std::string line;
        if (auto* r = dynamic_cast<const WSetupRegEntry*>(&e)) {
            std::string name = r->GetValueName().empty() ? "(default)" : Shown(r->GetValueName());
            line = r->GetRootKey() + "\\" + Shown(r->GetKeyPath()) + "  " + name + " = " +
                   Quoted(Shown(r->GetValueData()));
            if (!r->GetValueType().empty())
                line += " (" + r->GetValueType() + ")";
        } else if (auto* copy = dynamic_cast<const WSetupRuntimeRegEntry*>(&e)) {
            line = "copy " + Shown(copy->GetFromKey()) + "  ->  " + Shown(copy->GetToKey());
        } else if (e.GetTypeCode() == kElementRegFile) {
            line = "merge " + Shown(e.GetTargetPath());
        } else {
            line = "register " + Shown(e.GetTargetPath());
        }
        out.Line("  " + line + OwnerNote(h));
    }

    auto shortcuts = ElementsOf(components_, {kElementShortcut});
    out.Heading("Shortcuts", shortcuts.size());
    for (const Held& h : shortcuts) {
        auto& s = static_cast<const WSetupShortcut&>(*h.element);
        std::string line = "  " + Shown(JoinPath(s.GetShortcutFolder(), s.GetShortcutName())) +
                           "  ->  " + Shown(s.GetTargetPath());
        if (!s.GetArguments().empty())
            line += " " + Shown(s.GetArguments());
        out.Line(line + OwnerNote(h));
    }

    auto changes = ElementsOf(components_, {kElementProfile, kElementCustFile});
    out.Heading("INI and text file changes", changes.size());
    for (const Held& h : changes) {
        std::string line;
        if (auto* ini = dynamic_cast<const WSetupProfileString*>(h.element)) {
            line = Shown(ini->GetTargetPath()) + "  [" + ini->GetSection() + "] " + ini->GetKey() + "=" +
                   Shown(ini->GetValue());
        } else if (auto* text = dynamic_cast<const WSetupCustFile*>(h.element)) {
            line = Shown(text->GetTargetPath()) + "  replace " + Quoted(text->GetSearchText()) + " with " +
                   Quoted(Shown(text->GetReplaceText()));
        }
        out.Line("  " + line + OwnerNote(h));
    }

    auto others = ElementsOf(components_, {kElementDir, kElementBackFile, kElementDeleteFile,
                                           kElementRuntimeFile, kElementExecute, kElementCustomDll,
                                           kElementUninstallExe, kElementUninstallDll});
    if (!others.empty()) {
        out.Heading("Other actions", others.size());
        for (const Held& h : others) {
            const WSetupElement& e = *h.element;
            std::string line;
            switch (e.GetTypeCode()) {
                case kElementDir:
                    line = "create folder " + Shown(e.GetTargetPath());
                    break;
                case kElementBackFile:
                    line = "back up " + Shown(e.GetTargetPath());
                    break;
                case kElementDeleteFile:
                    line = "delete " + Shown(e.GetTargetPath());
                    break;
                case kElementRuntimeFile:
                    line = "runtime file " + Shown(e.GetTargetPath());
                    break;
                case kElementExecute:
                    line = "run " + Shown(e.GetTargetPath()) + " " +
                           Shown(static_cast<const WSetupExecutable&>(e).GetParameters());
                    break;
                case kElementCustomDll:
                    line = "call " + Shown(e.GetTargetPath()) + " with " +
                           Quoted(Shown(static_cast<const WSetupCustomDLL&>(e).GetDllArgument()));
                    break;
                case kElementUninstallExe:
                    line = "at uninstallation run " + Shown(e.GetTargetPath()) + " " +
                           Shown(static_cast<const WUnistallExecutable&>(e).GetParameters());
                    break;
                default:
                    line =
                        "at uninstallation call " + Shown(e.GetTargetPath()) + " with " +
                        Quoted(Shown(static_cast<const WUninstallCustomDLL&>(e).GetDllArgument()));
                    break;
            }
            out.Line("  " + TrimRight(line) + OwnerNote(h));
        }
    }
    return out.Text();
}

}  // namespace vantrel
