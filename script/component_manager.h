// The components of a project, keyed by name (without regard to case) and
// level: a script may hold the same name at two levels, and those are two
// components. They live in seven levels: level 0 holds the top components, levels 1 to 6 nested
// sub-components. For script generation the manager gathers, per level, the
// elements of its components by type (17 types x 7 levels).
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "elements/setup_element.h"
#include "platform/strings.h"
#include "script/setup_component.h"

namespace vantrel {

// One earlier installation of a product found on this machine.
struct WInstallHistory {
    std::string productName;
    std::string version;
    std::string location;   // folder it was installed to
    std::string timeStamp;  // when it was installed, as recorded
    std::vector<std::string> components;
};

class WComponentManager {
  public:
    static constexpr int kLevelCount = 7;
    // Masks handed to the element map while reading scripts: every system
    // and every selection bit, so that only elements whose masks do not
    // parse are dropped.
    static constexpr uint32_t kAllSystems = 0xFFFFFFFFu;
    static constexpr uint32_t kAllSelections = 0xFFFFFFFFu;

    WComponentManager();
    virtual ~WComponentManager();
    WComponentManager(const WComponentManager&) = delete;
    WComponentManager& operator=(const WComponentManager&) = delete;

    // Creates and registers a component at `level`. A name that is already
    // registered at that level gives the existing component (a second
    // registration is not an error). Null for an empty name or a level
    // outside 0..6.
    WSetupComponent* Add(std::string_view name, int level);
    // Registers a component built elsewhere (for instance from a script
    // line). When its name is already registered at `level` the existing
    // component is returned and `component` is dropped.
    WSetupComponent* Add(std::unique_ptr<WSetupComponent> component, int level);
    // The first registered component of that name, at any level.
    WSetupComponent* Find(std::string_view name) const;
    // The component of that name at `level`, if there is one.
    WSetupComponent* Find(std::string_view name, int level) const;
    // The component of that name at `level`, else the first of that name.
    WSetupComponent* FindNear(std::string_view name, int level) const;
    // Removes the first component of that name with its elements; links to
    // it are dropped.
    bool Remove(std::string_view name);
    // Every registered component, in registration order.
    const std::vector<WSetupComponent*>& Components() const { return order_; }
    size_t Count() const { return order_.size(); }
    // Deletes every component and forgets the elements seen in scripts.
    virtual void ClearComponents();

    // Turns the field 12 and 13 texts of every component into links. Every
    // name is looked up; the result is false when a name is not registered
    // (the other links are made all the same), and `error`, when given,
    // names the first component and the name that was not found.
    bool LinkComponents(std::string* error = nullptr);
    // The same for one component.
    bool LinkComponent(WSetupComponent* component, std::string* error = nullptr);

    // Groups the components by level and their elements by type and level
    // (in registration order), and marks each element with the name of its
    // component (the first field of its record). With SetGatherSelectedOnly,
    // only the selected components are taken.
    void Gather();
    // Whether Gather() leaves out the components that are not selected (a
    // project's manager does: what is written and shipped is the selection).
    void SetGatherSelectedOnly(bool selectedOnly) { gatherSelectedOnly_ = selectedOnly; }
    bool GatherSelectedOnly() const { return gatherSelectedOnly_; }

    // Rebuilds the whole selection: every component is cleared, then each of
    // `roots` is selected with what it depends on (through the selection
    // counters) and with its sub-components, down to the last level.
    void SelectOnly(const std::vector<WSetupComponent*>& roots);
    // The result of the last Gather().
    const std::vector<WSetupComponent*>& Level(int level) const;
    const std::vector<WSetupElement*>& LevelElements(int typeCode, int level) const;
    // Forgets the gathered lists (they point into the components).
    void ReleaseGathered();

    // Elements seen while reading scripts; a record met again (differing at
    // most in its first field) gives the element already held.
    WSetupElementMap& ElementMap();
    // Takes a record of type `typeCode` for `component`: a record already
    // seen gives the existing element and adds nothing; a new one is read,
    // given to the component and remembered. Null when the record is
    // dropped (unknown type, or masks that do not parse).
    WSetupElement* AddRecord(WSetupComponent* component, int typeCode, std::string_view record,
                             bool expand);
    // Called by components when elements were removed; the element map is
    // rebuilt from the remaining elements before it is used again.
    void ElementsRemoved() { elementMapStale_ = true; }

    std::vector<WInstallHistory>& InstallHistory() { return history_; }
    const std::vector<WInstallHistory>& InstallHistory() const { return history_; }

    uint32_t SystemMask() const { return systemMask_; }
    void SetSystemMask(uint32_t mask) { systemMask_ = mask; }
    uint32_t SelectionMask() const { return selectionMask_; }
    void SetSelectionMask(uint32_t mask) { selectionMask_ = mask; }

  private:
    void RebuildElementMap();

    std::multimap<std::string, std::unique_ptr<WSetupComponent>, LessNoCase> byName_;
    std::vector<WSetupComponent*> order_;
    // The gathered lists of one level, checked: a level outside 0 ..
    // kLevelCount - 1 throws instead of reaching past the array.
    std::vector<WSetupComponent*>& LevelSlot(int level) { return levels_.at(level); }
    std::vector<WSetupElement*>& LevelElementSlot(int typeCode, int level) {
        return levelElements_.at(typeCode).at(level);
    }

    std::array<std::vector<WSetupComponent*>, kLevelCount> levels_;
    std::array<std::array<std::vector<WSetupElement*>, kLevelCount>, kElementTypeCount>
        levelElements_;
    std::vector<WInstallHistory> history_;
    WSetupElementMap elementMap_;
    bool elementMapStale_ = false;
    bool gatherSelectedOnly_ = false;
    uint32_t systemMask_ = kAllSystems;
    uint32_t selectionMask_ = kAllSelections;
};

}  // namespace vantrel
