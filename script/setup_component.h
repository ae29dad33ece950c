// A component: a named, selectable unit of the product that the setup engine
// installs as a whole. It owns setup elements (one list per element type),
// may hold sub-components and may depend on other components.
//
// The component script stores a component as one line of 17 fields, each
// followed by "," (the last one included):
//
//    1 name            "Product", "Program_files", "Uninstall", ...
//    2 install types   three digits "1"/"0" (see InstallTypeText)
//    3 destination     a folder macro, "<D>" for the default components
//    4 number 4        integer, carried
//    5 flag 5          "1"/"0", carried
//    6 flags 6         "0"/"1" characters, padded with "1" to 5 on reading
//    7 size            real on reading; the component script writes "0"
//    8 display name    may hold "%name%" string references
//    9..11 texts       carried; may hold string references
//   12 sub-components  names joined by " | "
//   13 dependencies    names joined by " | "
//   14 kind            integer; 1 for the two default components
//   15 text 15         carried
//   16 options         integer flags; bit 2 is never written
//   17 flags 17        "0"/"1" characters, padded with "1" to 32 on reading
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "elements/setup_element.h"
#include "scriptfile/script_header.h"

namespace vantrel {

class WComponentManager;

class WSetupComponent {
  public:
    static constexpr int kFieldCount = 17;
    // Selection states, one per install-type digit (the third digit drives
    // the third and the fourth state).
    static constexpr int kNotSelected = 1;
    static constexpr int kSelected = 2;
    static constexpr int kPartlySelected = 3;
    static constexpr int kStateCount = 4;
    // Options read from an empty field, or from an odd value.
    static constexpr int kDefaultOptions = 21;
    static constexpr size_t kFlags6Length = 5;
    static constexpr size_t kFlags17Length = 32;
    // The two components that hold the application's own files and settings.
    static constexpr const char* kProductName = "Product";
    static constexpr const char* kProgramFilesName = "Program_files";
    // Bit groups of the install-type value that the three digits stand for:
    // the value is read from the digits as a decimal number, so "100" is
    // 0x64, "10" is 0x0A and "1" is 0x01.
    static constexpr int kTypeBits1 = 0x64;
    static constexpr int kTypeBits2 = 0x0A;
    static constexpr int kTypeBits3 = 0x01;

    WSetupComponent();
    explicit WSetupComponent(std::string name);
    ~WSetupComponent();
    WSetupComponent(const WSetupComponent&) = delete;
    WSetupComponent& operator=(const WSetupComponent&) = delete;

    // Reads a component line. With `expand`, the display name and texts 9 to
    // 11 have their string references replaced. False when field 1 (the
    // name) is empty; the other fields are taken in any case.
    bool ParseLine(std::string_view line, bool expand = false);
    // The component-script line: field 2 "000", size "0", fields 12 and 13
    // from the linked components, options without bit 2.
    std::string GetLine() const;
    // The same with field 2 replaced by `installTypeText`.
    std::string GetLine(std::string_view installTypeText) const;
    // The line layout that records a component as installed: "001" in field
    // 2, the whole part of the size in field 7 and texts 9 to 11 left empty.
    std::string GetInstalledLine() const;

    // "1"/"0" per bit group of `value` (kTypeBits1, kTypeBits2, kTypeBits3).
    static std::string InstallTypeText(int value);
    // The own install-type value without sub-components, else the bitwise
    // AND of the effective values of all sub-components.
    int EffectiveInstallTypes() const;

    // --- Fields of the line.
    const std::string& GetName() const { return name_; }
    void SetName(std::string v) { name_ = std::move(v); }
    // Whether `name` names one of the application's own components
    // ("Product", "Program_files"); names are matched without regard to case.
    static bool IsApplicationName(std::string_view name);
    bool IsApplicationComponent() const { return IsApplicationName(name_); }
    int GetInstallTypes() const { return installTypes_; }
    // Sets the value and the four selection states that follow from it.
    void SetInstallTypes(int value);
    // Sets the value alone (script generation recomputes it this way).
    void SetInstallTypeValue(int value) { installTypes_ = value; }
    const std::string& GetDestination() const { return destination_; }
    void SetDestination(std::string v) { destination_ = std::move(v); }
    int GetNumber4() const { return number4_; }
    void SetNumber4(int v) { number4_ = v; }
    bool GetFlag5() const { return flag5_; }
    void SetFlag5(bool v) { flag5_ = v; }
    const std::string& GetFlags6() const { return flags6_; }
    void SetFlags6(std::string v) { flags6_ = std::move(v); }
    double GetSize() const { return size_; }
    void SetSize(double v) { size_ = v; }
    const std::string& GetDisplayName() const { return displayName_; }
    void SetDisplayName(std::string v) { displayName_ = std::move(v); }
    const std::string& GetText9() const { return text9_; }
    void SetText9(std::string v) { text9_ = std::move(v); }
    const std::string& GetText10() const { return text10_; }
    void SetText10(std::string v) { text10_ = std::move(v); }
    const std::string& GetText11() const { return text11_; }
    void SetText11(std::string v) { text11_ = std::move(v); }
    int GetKind() const { return kind_; }
    void SetKind(int v) { kind_ = v; }
    const std::string& GetText15() const { return text15_; }
    void SetText15(std::string v) { text15_ = std::move(v); }
    int GetOptions() const { return options_; }
    void SetOptions(int v) { options_ = v; }
    const std::string& GetFlags17() const { return flags17_; }
    void SetFlags17(std::string v) { flags17_ = std::move(v); }

    // Fields 12 and 13 as read, until the links are made from them.
    const std::string& SubComponentText() const { return subComponentText_; }
    const std::string& DependencyText() const { return dependencyText_; }
    bool HasSubComponentText() const { return !subComponentText_.empty(); }
    bool HasDependencyText() const { return !dependencyText_.empty(); }
    // Names of a field 12 or 13 text: split at "|", trimmed, empty ones dropped.
    static std::vector<std::string> SplitNames(std::string_view text);

    // After a script is loaded: options with bit 4 get bit 2.
    void CompleteLoad();

    // --- Tree and dependencies.
    // Appends `child` once; the child gets this component as its parent.
    // A component is never made its own child.
    void AddChild(WSetupComponent* child);
    // Appends `component` to the dependencies once, and this component to
    // its dependents once. A component never depends on itself.
    void AddDependency(WSetupComponent* component);
    // Drops `component` from the dependencies, and this component from its
    // dependents. The selection states are left as they are.
    void RemoveDependency(WSetupComponent* component);
    // Drops every link to `other` (children, dependencies, dependents, parent).
    void Unlink(const WSetupComponent* other);
    const std::vector<WSetupComponent*>& Children() const { return children_; }
    const std::vector<WSetupComponent*>& Dependencies() const { return dependencies_; }
    const std::vector<WSetupComponent*>& Dependents() const { return dependents_; }
    bool HasChildren() const { return !children_.empty(); }
    WSetupComponent* GetParent() const { return parent_; }
    const std::string& GetParentName() const { return parentName_; }

    // --- Selection.
    // Changes the selection state (kNotSelected, kSelected or
    // kPartlySelected) of the component and its elements. Going from not
    // selected to selected (or partly), every dependency counts one more
    // selecting dependent and is selected; going back, every dependency
    // counts one less and is deselected when no selecting dependent is left.
    void Select(int state);
    int GetSelection() const { return selection_; }
    // Back to not selected with no selecting dependents, the elements too;
    // nothing else changes (for rebuilding a whole selection).
    void ClearSelection();
    bool IsSelected() const { return selection_ != kNotSelected; }
    // The four per-install-type states (index 0..3).
    int GetTypeState(int index) const;
    // How many selected dependents hold this component selected.
    int GetSelectionCount() const { return selectionCount_; }

    // --- Elements, one list per type code 0..16. Removing elements of a
    // component that belongs to a manager tells the manager, whose map of
    // elements seen in scripts then forgets them.
    const std::vector<std::unique_ptr<WSetupElement>>& Elements(int typeCode) const;
    // Takes ownership; returns the element (null for a null element or a
    // type code outside 0..16).
    WSetupElement* AddElement(std::unique_ptr<WSetupElement> element);
    // Hands an element back to the caller; null when it is not here. The
    // element is matched by address and never read, so one already taken
    // (and deleted) elsewhere may be passed.
    std::unique_ptr<WSetupElement> TakeElement(const WSetupElement* element);
    void ClearElements(int typeCode);
    void ClearAllElements();
    size_t ElementCount() const;

    // --- The header of the component's own script, when it came from one.
    const WScriptHeader* Header() const { return header_.get(); }
    void SetHeader(const WScriptHeader& header);

    // Level (0..6) in the component manager.
    int GetLevel() const { return level_; }
    void SetLevel(int level) { level_ = level; }
    // The manager that holds the component (set when it is registered).
    WComponentManager* GetManager() const { return manager_; }
    void SetManager(WComponentManager* manager) { manager_ = manager; }

  private:
    void ElementsRemoved();
    void SelectFrom(int state, int depth);
    std::string LineWith(std::string_view field2, bool installedLayout) const;

    std::string name_;
    int installTypes_ = 0;
    std::string destination_;
    int number4_ = 0;
    bool flag5_ = false;
    std::string flags6_ = "11111";
    double size_ = 0;
    std::string displayName_;
    std::string text9_, text10_, text11_;
    std::string subComponentText_;
    std::string dependencyText_;
    int kind_ = 0;
    std::string text15_;
    int options_ = kDefaultOptions;
    std::string flags17_ = std::string(kFlags17Length, '1');

    WSetupComponent* parent_ = nullptr;
    std::string parentName_;
    std::vector<WSetupComponent*> children_;
    std::vector<WSetupComponent*> dependencies_;
    std::vector<WSetupComponent*> dependents_;

    int selection_ = kNotSelected;
    int typeStates_[kStateCount] = {kNotSelected, kNotSelected, kNotSelected, kNotSelected};
    int selectionCount_ = 0;

    std::vector<std::unique_ptr<WSetupElement>> elements_[kElementTypeCount];
    std::unique_ptr<WScriptHeader> header_;
    int level_ = 0;
    WComponentManager* manager_ = nullptr;
};

}  // namespace vantrel
