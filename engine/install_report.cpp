#include "engine/install_report.h"

#include <algorithm>
#include <set>

#include "elements/element_classes.h"
#include "engine/report_text.h"
#include "engine/set_folder.h"
#include "media/set_verifier.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "script/set_layout.h"
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

void ListProduct(Listing& out, const WSPMProduct& product, const std::string& pages) {
    out.Line();
    out.Line("Product");
    out.Field("Product name", product.GetProductName());
    out.Field("Display name", product.GetDisplayName());
    out.Field("Version", product.GetVersion());
    out.Field("Destination", "<Target Folder> = " + Shown(product.GetDestination()));
    out.Field("Registry key", "HKEY_LOCAL_MACHINE\\" + product.GetProductKey());
    out.Field("Shortcut folder", product.GetShortcutFolder());
    out.Field("Default locale", product.GetDefaultLocale());
    out.Field("Setup pages", pages);
}

std::string ComponentLine(const WSetupComponent& c, int depth) {
    std::string line = std::string(2 + 2 * std::min(depth, 8), ' ') + c.GetName() + "  " +
                       Quoted(ExpandStringRefs(c.GetDisplayName())) + "  " +
                       InstallTypesText(c.EffectiveInstallTypes());
    if (!c.GetDestination().empty())
        line += ", to " + Shown(c.GetDestination());
    std::vector<std::string> dependents;
    for (const WSetupComponent* d : c.Dependents())
        dependents.push_back(d->GetName());
    if (!dependents.empty())
        line += ", with " + Join(dependents, ", ");
    return line;
}

// Components as a tree: top components in script order, each followed by its
// sub-components. A component met twice (a child named by two parents, or a
// cycle in a hand-made script) is listed once.
void ListComponents(Listing& out, const WSetupManager& components) {
    const auto& all = components.Components();
    out.Heading("Components", all.size());
    std::set<const WSetupComponent*> listed;
    auto list = [&](const WSetupComponent* top) {
        std::vector<std::pair<const WSetupComponent*, int>> stack{{top, 0}};
        while (!stack.empty()) {
            auto [c, depth] = stack.back();
            stack.pop_back();
            if (!listed.insert(c).second)
                continue;
            out.Line(ComponentLine(*c, depth));
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
}

// With `checkSet`, a file that the set in `root` should carry and does not is
// marked.
void ListFiles(Listing& out, const WSetupManager& components, const std::string& root,
               bool checkSet) {
    auto files = ElementsOf(components, {kElementFile, kElementTTFFile});
    out.Heading("Files", files.size());
    for (const Held& h : files) {
        const WSetupElement& e = *h.element;
        std::string source = e.GetSourceName();
        bool inSet = e.GetSourceDir() == kSourceFolderMacro;
        if (!inSet)
            source = Shown(JoinPath(e.GetSourceDir(), e.GetSourceName()));
        std::string line = "  " + Shown(e.GetTargetPath()) + "  <-  " + source +
                           Format(", %.0f bytes", e.GetSize());
        if (auto* font = dynamic_cast<const WSetupTTFFile*>(&e))
            line += ", font " + Quoted(font->GetTypefaceName());
        if (checkSet && inSet && !IsFile(ResolveNoCase(JoinPath(root, e.GetSourceName())))) {
            line += "  (not in the set)";
        }
        out.Line(line + OwnerNote(h));
    }
}

std::string RegistryLine(const WSetupElement& e) {
    if (auto* r = dynamic_cast<const WSetupRegEntry*>(&e)) {
        std::string name = r->GetValueName().empty() ? "(default)" : Shown(r->GetValueName());
        std::string line = r->GetRootKey() + "\\" + Shown(r->GetKeyPath()) + "  " + name + " = " +
                           Quoted(Shown(r->GetValueData()));
        if (!r->GetValueType().empty())
            line += " (" + r->GetValueType() + ")";
        return line;
    }
    if (auto* copy = dynamic_cast<const WSetupRuntimeRegEntry*>(&e))
        return "copy " + Shown(copy->GetFromKey()) + "  ->  " + Shown(copy->GetToKey());
    if (e.GetTypeCode() == kElementRegFile)
        return "merge " + Shown(e.GetTargetPath());
    return "register " + Shown(e.GetTargetPath());
}

void ListRegistry(Listing& out, const WSetupManager& components) {
    auto registry = ElementsOf(components, {kElementRegistryKeys, kElementRegFile,
                                            kElementSelfRegister, kElementRuntimeRegEntry});
    out.Heading("Registry entries", registry.size());
    for (const Held& h : registry)
        out.Line("  " + RegistryLine(*h.element) + OwnerNote(h));
}

void ListShortcuts(Listing& out, const WSetupManager& components) {
    auto shortcuts = ElementsOf(components, {kElementShortcut});
    out.Heading("Shortcuts", shortcuts.size());
    for (const Held& h : shortcuts) {
        auto& s = static_cast<const WSetupShortcut&>(*h.element);
        std::string line = "  " + Shown(JoinPath(s.GetShortcutFolder(), s.GetShortcutName())) +
                           "  ->  " + Shown(s.GetTargetPath());
        if (!s.GetArguments().empty())
            line += " " + Shown(s.GetArguments());
        out.Line(line + OwnerNote(h));
    }
}

void ListFileChanges(Listing& out, const WSetupManager& components) {
    auto changes = ElementsOf(components, {kElementProfile, kElementCustFile});
    out.Heading("INI and text file changes", changes.size());
    for (const Held& h : changes) {
        std::string line;
        if (auto* ini = dynamic_cast<const WSetupProfileString*>(h.element)) {
            line = Shown(ini->GetTargetPath()) + "  [" + ini->GetSection() + "] " + ini->GetKey() +
                   "=" + Shown(ini->GetValue());
        } else if (auto* text = dynamic_cast<const WSetupCustFile*>(h.element)) {
            line = Shown(text->GetTargetPath()) + "  replace " + Quoted(text->GetSearchText()) +
                   " with " + Quoted(Shown(text->GetReplaceText()));
        }
        out.Line("  " + line + OwnerNote(h));
    }
}

std::string OtherActionLine(const WSetupElement& e) {
    std::string target = Shown(e.GetTargetPath());
    switch (e.GetTypeCode()) {
        case kElementDir:
            return "create folder " + target;
        case kElementBackFile:
            return "back up " + target;
        case kElementDeleteFile:
            return "delete " + target;
        case kElementRuntimeFile:
            return "runtime file " + target;
        case kElementExecute:
            return "run " + target + " " +
                   Shown(static_cast<const WSetupExecutable&>(e).GetParameters());
        case kElementCustomDll:
            return "call " + target + " with " +
                   Quoted(Shown(static_cast<const WSetupCustomDLL&>(e).GetDllArgument()));
        case kElementUninstallExe:
            return "at uninstallation run " + target + " " +
                   Shown(static_cast<const WUnistallExecutable&>(e).GetParameters());
        default:
            return "at uninstallation call " + target + " with " +
                   Quoted(Shown(static_cast<const WUninstallCustomDLL&>(e).GetDllArgument()));
    }
}

// Listed only when there are any.
void ListOtherActions(Listing& out, const WSetupManager& components) {
    auto others = ElementsOf(components, {kElementDir, kElementBackFile, kElementDeleteFile,
                                          kElementRuntimeFile, kElementExecute, kElementCustomDll,
                                          kElementUninstallExe, kElementUninstallDll});
    if (others.empty())
        return;
    out.Heading("Other actions", others.size());
    for (const Held& h : others)
        out.Line("  " + TrimRight(OtherActionLine(*h.element)) + OwnerNote(h));
}

}  // namespace

WInstallReport::WInstallReport() = default;
WInstallReport::~WInstallReport() = default;

bool WInstallReport::Read(const WSetFolder& set) {
    errors_.clear();
    root_ = set.Root();
    productScript_ = set.Script(kProductScript);
    if (!VerifyProductScript(productScript_) || !ReadProductScript(productScript_))
        return false;
    return ReadComponentScript(set.Script(kComponentScript), set.Script(kStringFile),
                               set.SetupFolder());
}

bool WInstallReport::VerifyProductScript(const std::string& path) {
    std::string shown = DisplayPath(path);
    const WSetVerifier::ScriptCheck check = WSetVerifier::CheckScript(path, true, &header_);
    switch (check.state) {
        case WSetVerifier::ScriptCheck::kMissing:
            errors_.push_back(shown + " is missing");
            return false;
        case WSetVerifier::ScriptCheck::kCannotOpen:
            errors_.push_back(shown + " cannot be opened");
            return false;
        case WSetVerifier::ScriptCheck::kFails:
            errors_.push_back(shown + " fails verification: " + check.reasons);
            return false;
        case WSetVerifier::ScriptCheck::kSound:
            break;
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
    ListProduct(out, product_, pages_);
    ListComponents(out, components_);
    ListFiles(out, components_, root_, !noCopy);
    ListRegistry(out, components_);
    ListShortcuts(out, components_);
    ListFileChanges(out, components_);
    ListOtherActions(out, components_);
    return out.Text();
}

}  // namespace vantrel
