#include "script/component_manager.h"

#include <algorithm>

namespace vantrel {

namespace {
bool ValidLevel(int level) {
    return level >= 0 && level < WComponentManager::kLevelCount;
}
}  // namespace

WComponentManager::WComponentManager() = default;

WComponentManager::~WComponentManager() {
    ClearComponents();
}

WSetupComponent* WComponentManager::Add(std::string_view name, int level) {
    return Add(std::make_unique<WSetupComponent>(std::string(name)), level);
}

WSetupComponent* WComponentManager::Add(std::unique_ptr<WSetupComponent> component, int level) {
    if (!component || component->GetName().empty() || !ValidLevel(level))
        return nullptr;
    if (WSetupComponent* existing = Find(component->GetName(), level))
        return existing;
    component->SetLevel(level);
    component->SetManager(this);
    WSetupComponent* raw = component.get();
    std::string key = raw->GetName();
    byName_.emplace(std::move(key), std::move(component));
    order_.push_back(raw);
    // A component with elements already (built elsewhere) brings them along.
    if (raw->ElementCount())
        elementMapStale_ = true;
    return raw;
}

// Components of one name keep their registration order within the map.
WSetupComponent* WComponentManager::Find(std::string_view name) const {
    auto [first, last] = byName_.equal_range(name);
    return first == last ? nullptr : first->second.get();
}

WSetupComponent* WComponentManager::Find(std::string_view name, int level) const {
    auto [first, last] = byName_.equal_range(name);
    for (auto it = first; it != last; ++it) {
        if (it->second->GetLevel() == level)
            return it->second.get();
    }
    return nullptr;
}

WSetupComponent* WComponentManager::FindNear(std::string_view name, int level) const {
    WSetupComponent* exact = Find(name, level);
    return exact ? exact : Find(name);
}

bool WComponentManager::Remove(std::string_view name) {
    auto [it, last] = byName_.equal_range(name);
    if (it == last)
        return false;
    WSetupComponent* victim = it->second.get();
    for (WSetupComponent* c : order_) {
        if (c != victim)
            c->Unlink(victim);
    }
    order_.erase(std::remove(order_.begin(), order_.end(), victim), order_.end());
    ReleaseGathered();
    elementMapStale_ = true;
    byName_.erase(it);
    return true;
}

void WComponentManager::ClearComponents() {
    ReleaseGathered();
    elementMap_.Clear();
    elementMapStale_ = false;
    order_.clear();
    byName_.clear();
}

bool WComponentManager::LinkComponents(std::string* error) {
    bool ok = true;
    for (WSetupComponent* c : order_) {
        if (!LinkComponent(c, ok ? error : nullptr))
            ok = false;
    }
    return ok;
}

bool WComponentManager::LinkComponent(WSetupComponent* c, std::string* error) {
    if (!c)
        return false;
    bool ok = true;
    auto missing = [&](const std::string& name, const char* what) {
        if (ok && error) {
            *error = Format("component \"%s\" names the %s \"%s\", which is not loaded",
                            c->GetName().c_str(), what, name.c_str());
        }
        ok = false;
    };
    // A child sits one level below its parent; a name held at two levels
    // links the one there.
    for (const std::string& name : WSetupComponent::SplitNames(c->SubComponentText())) {
        if (WSetupComponent* child = FindNear(name, c->GetLevel() + 1)) {
            c->AddChild(child);
        } else {
            missing(name, "sub-component");
        }
    }
    for (const std::string& name : WSetupComponent::SplitNames(c->DependencyText())) {
        if (WSetupComponent* dep = Find(name)) {
            c->AddDependency(dep);
        } else {
            missing(name, "dependency");
        }
    }
    return ok;
}

void WComponentManager::Gather() {
    ReleaseGathered();
    for (WSetupComponent* c : order_) {
        if (gatherSelectedOnly_ && !c->IsSelected())
            continue;
        int level = std::clamp(c->GetLevel(), 0, kLevelCount - 1);
        LevelSlot(level).push_back(c);
        for (int type = 0; type < kElementTypeCount; ++type) {
            for (const auto& e : c->Elements(type)) {
                if (e->GetTag() != c->GetName())
                    e->SetTag(c->GetName());
                LevelElementSlot(type, level).push_back(e.get());
            }
        }
    }
}

void WComponentManager::SelectOnly(const std::vector<WSetupComponent*>& roots) {
    for (WSetupComponent* c : order_)
        c->ClearSelection();
    for (WSetupComponent* root : roots) {
        if (root)
            root->Select(WSetupComponent::kSelected);
    }
    // A selected component brings its sub-components; selecting one may
    // bring further dependencies, so go round until nothing changes.
    for (bool changed = true; changed;) {
        changed = false;
        for (WSetupComponent* c : order_) {
            if (!c->IsSelected())
                continue;
            for (WSetupComponent* child : c->Children()) {
                if (!child->IsSelected()) {
                    child->Select(WSetupComponent::kSelected);
                    changed = true;
                }
            }
        }
    }
}

const std::vector<WSetupComponent*>& WComponentManager::Level(int level) const {
    static const std::vector<WSetupComponent*> none;
    return ValidLevel(level) ? levels_.at(level) : none;
}

const std::vector<WSetupElement*>& WComponentManager::LevelElements(int typeCode, int level) const {
    static const std::vector<WSetupElement*> none;
    if (typeCode < 0 || typeCode >= kElementTypeCount || !ValidLevel(level))
        return none;
    return levelElements_.at(typeCode).at(level);
}

void WComponentManager::ReleaseGathered() {
    for (auto& l : levels_)
        l.clear();
    for (auto& byType : levelElements_) {
        for (auto& l : byType)
            l.clear();
    }
}

WSetupElementMap& WComponentManager::ElementMap() {
    if (elementMapStale_)
        RebuildElementMap();
    return elementMap_;
}

void WComponentManager::RebuildElementMap() {
    elementMap_.Clear();
    for (WSetupComponent* c : order_) {
        for (int type = 0; type < kElementTypeCount; ++type) {
            for (const auto& e : c->Elements(type)) {
                std::string record = e->WriteRecord();
                if (!elementMap_.Find(record, type))
                    elementMap_.Add(record, type, e.get());
            }
        }
    }
    elementMapStale_ = false;
}

WSetupElement* WComponentManager::AddRecord(WSetupComponent* component, int typeCode,
                                            std::string_view record, bool expand) {
    if (!component)
        return nullptr;
    std::unique_ptr<WSetupElement> created;
    WSetupElement* e = ElementMap().FindOrCreateElement(record, typeCode, systemMask_,
                                                        selectionMask_, false, expand, created);
    if (created)
        component->AddElement(std::move(created));
    return e;
}

}  // namespace vantrel
