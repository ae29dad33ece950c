#include "script/setup_component.h"

#include <algorithm>
#include <cmath>

#include "platform/strings.h"
#include "script/component_manager.h"

namespace vantrel {

namespace {

// Dependency chains deeper than this are cut off while selecting, so that a
// long chain cannot exhaust the stack (cycles end on their own: a component
// whose state does not change passes nothing on).
constexpr int kMaxSelectDepth = 256;

std::string_view NextField(std::string_view& rest) {
    size_t comma = rest.find(',');
    if (comma == std::string_view::npos) {
        std::string_view field = rest;
        rest = {};
        return field;
    }
    std::string_view field = rest.substr(0, comma);
    rest.remove_prefix(comma + 1);
    return field;
}

std::string PadWithOnes(std::string_view text, size_t length) {
    std::string r(text);
    if (r.size() < length)
        r.append(length - r.size(), '1');
    return r;
}

std::string JoinNames(const std::vector<WSetupComponent*>& components) {
    std::string r;
    for (size_t i = 0; i < components.size(); ++i) {
        if (i)
            r += " | ";
        r += components[i]->GetName();
    }
    return r;
}

template <typename T>
void AppendOnce(std::vector<T*>& list, T* item) {
    if (std::find(list.begin(), list.end(), item) == list.end())
        list.push_back(item);
}

template <typename T>
void EraseAll(std::vector<T*>& list, const T* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

bool WSetupComponent::IsApplicationName(std::string_view name) {
    return EqualsNoCase(name, kProductName) || EqualsNoCase(name, kProgramFilesName);
}

WSetupComponent::WSetupComponent() = default;
WSetupComponent::WSetupComponent(std::string name) : name_(std::move(name)) {}
WSetupComponent::~WSetupComponent() = default;

bool WSetupComponent::ParseLine(std::string_view line, bool expand) {
    std::string_view rest = line;
    auto text = [&](bool expandable) {
        std::string_view f = NextField(rest);
        return expand && expandable ? ExpandStringRefs(f) : std::string(f);
    };
    name_ = text(false);
    SetInstallTypes(static_cast<int>(ToInt(NextField(rest))));
    destination_ = text(false);
    number4_ = static_cast<int>(ToInt(NextField(rest)));
    flag5_ = ToInt(NextField(rest)) != 0;
    flags6_ = PadWithOnes(NextField(rest), kFlags6Length);
    size_ = ToDouble(NextField(rest));
    displayName_ = text(true);
    text9_ = text(true);
    text10_ = text(true);
    text11_ = text(true);
    subComponentText_ = std::string(NextField(rest));
    dependencyText_ = std::string(NextField(rest));
    kind_ = static_cast<int>(ToInt(NextField(rest)));
    text15_ = text(false);
    std::string_view options = NextField(rest);
    if (Trim(options).empty()) {
        options_ = kDefaultOptions;
    } else {
        options_ = static_cast<int>(ToInt(options)) & ~2;
        if (options_ == 0) {
            options_ = 4;
        } else if (options_ & 1) {
            options_ = kDefaultOptions;
        }
    }
    flags17_ = PadWithOnes(NextField(rest), kFlags17Length);
    return !name_.empty();
}

std::string WSetupComponent::LineWith(std::string_view field2, bool installedLayout) const {
    std::string r;
    r.reserve(128 + name_.size() + displayName_.size());
    auto field = [&r](std::string_view v) {
        r.append(v);
        r += ',';
    };
    field(name_);
    field(field2);
    field(destination_);
    field(std::to_string(number4_));
    field(flag5_ ? "1" : "0");
    field(flags6_);
    if (installedLayout) {
        double whole = std::trunc(size_);
        field(std::isfinite(whole) ? FormatFixed(whole, 0) : std::string("0"));
    } else {
        field("0");
    }
    field(displayName_);
    field(installedLayout ? "" : text9_);
    field(installedLayout ? "" : text10_);
    field(installedLayout ? "" : text11_);
    field(JoinNames(children_));
    field(JoinNames(dependencies_));
    field(std::to_string(kind_));
    field(text15_);
    field(std::to_string(options_ & ~2));
    field(flags17_);
    return r;
}

std::string WSetupComponent::GetLine() const {
    return LineWith("000", false);
}

std::string WSetupComponent::GetLine(std::string_view installTypeText) const {
    return LineWith(installTypeText, false);
}

std::string WSetupComponent::GetInstalledLine() const {
    return LineWith("001", true);
}

std::string WSetupComponent::InstallTypeText(int value) {
    std::string r = "000";
    if (value & kTypeBits1)
        r[0] = '1';
    if (value & kTypeBits2)
        r[1] = '1';
    if (value & kTypeBits3)
        r[2] = '1';
    return r;
}

int WSetupComponent::EffectiveInstallTypes() const {
    // Walk the sub-component tree without recursion; a component met twice
    // (a child listed under two parents, or a cycle) is taken once.
    if (children_.empty())
        return installTypes_;
    int result = ~0;
    std::vector<const WSetupComponent*> stack(children_.begin(), children_.end());
    std::vector<const WSetupComponent*> seen{this};
    while (!stack.empty()) {
        const WSetupComponent* c = stack.back();
        stack.pop_back();
        if (std::find(seen.begin(), seen.end(), c) != seen.end())
            continue;
        seen.push_back(c);
        if (c->children_.empty()) {
            result &= c->installTypes_;
        } else {
            stack.insert(stack.end(), c->children_.begin(), c->children_.end());
        }
    }
    return result == ~0 ? installTypes_ : result;
}

void WSetupComponent::SetInstallTypes(int value) {
    installTypes_ = value;
    typeStates_[0] = (value & kTypeBits1) ? kSelected : kNotSelected;
    typeStates_[1] = (value & kTypeBits2) ? kSelected : kNotSelected;
    typeStates_[2] = typeStates_[3] = (value & kTypeBits3) ? kSelected : kNotSelected;
}

int WSetupComponent::GetTypeState(int index) const {
    return index >= 0 && index < kStateCount ? typeStates_[index] : kNotSelected;
}

std::vector<std::string> WSetupComponent::SplitNames(std::string_view text) {
    return SplitTrimmed(text, '|');
}

void WSetupComponent::CompleteLoad() {
    if (options_ & 4)
        options_ |= 2;
}

void WSetupComponent::AddChild(WSetupComponent* child) {
    if (!child || child == this)
        return;
    AppendOnce(children_, child);
    child->parent_ = this;
    child->parentName_ = name_;
}

void WSetupComponent::AddDependency(WSetupComponent* component) {
    if (!component || component == this)
        return;
    AppendOnce(dependencies_, component);
    AppendOnce(component->dependents_, this);
}

void WSetupComponent::RemoveDependency(WSetupComponent* component) {
    if (!component)
        return;
    EraseAll(dependencies_, component);
    EraseAll(component->dependents_, this);
}

void WSetupComponent::Unlink(const WSetupComponent* other) {
    EraseAll(children_, other);
    EraseAll(dependencies_, other);
    EraseAll(dependents_, other);
    if (parent_ == other) {
        parent_ = nullptr;
        parentName_.clear();
    }
}

void WSetupComponent::Select(int state) {
    SelectFrom(state, 0);
}

void WSetupComponent::ClearSelection() {
    selection_ = kNotSelected;
    selectionCount_ = 0;
    for (auto& list : elements_) {
        for (auto& e : list)
            e->Select(kNotSelected);
    }
}

void WSetupComponent::SelectFrom(int state, int depth) {
    if (state != kNotSelected && state != kSelected && state != kPartlySelected)
        return;
    if (state == selection_)
        return;
    bool wasSelected = IsSelected();
    selection_ = state;
    for (auto& list : elements_) {
        for (auto& e : list)
            e->Select(state);
    }
    bool nowSelected = IsSelected();
    if (wasSelected == nowSelected || depth >= kMaxSelectDepth)
        return;
    for (WSetupComponent* d : dependencies_) {
        if (nowSelected) {
            ++d->selectionCount_;
            d->SelectFrom(kSelected, depth + 1);
        } else if (d->selectionCount_ > 0) {
            if (--d->selectionCount_ == 0)
                d->SelectFrom(kNotSelected, depth + 1);
        }
    }
}

const std::vector<std::unique_ptr<WSetupElement>>& WSetupComponent::Elements(int typeCode) const {
    static const std::vector<std::unique_ptr<WSetupElement>> none;
    if (typeCode < 0 || typeCode >= kElementTypeCount)
        return none;
    return elements_[typeCode];
}

WSetupElement* WSetupComponent::AddElement(std::unique_ptr<WSetupElement> element) {
    if (!element)
        return nullptr;
    int type = element->GetTypeCode();
    if (type < 0 || type >= kElementTypeCount)
        return nullptr;
    element->Select(selection_);
    elements_[type].push_back(std::move(element));
    return elements_[type].back().get();
}

std::unique_ptr<WSetupElement> WSetupComponent::TakeElement(const WSetupElement* element) {
    // The element is found by its address alone and never read: callers
    // may ask several components for one element, or ask again, after
    // another one has already taken it and let it go.
    if (!element)
        return nullptr;
    for (auto& list : elements_) {
        for (auto it = list.begin(); it != list.end(); ++it) {
            if (it->get() == element) {
                std::unique_ptr<WSetupElement> taken = std::move(*it);
                list.erase(it);
                ElementsRemoved();
                return taken;
            }
        }
    }
    return nullptr;
}

void WSetupComponent::ClearElements(int typeCode) {
    if (typeCode < 0 || typeCode >= kElementTypeCount || elements_[typeCode].empty())
        return;
    ElementsRemoved();
    elements_[typeCode].clear();
}

void WSetupComponent::ClearAllElements() {
    ElementsRemoved();
    for (auto& list : elements_)
        list.clear();
}

void WSetupComponent::ElementsRemoved() {
    if (manager_)
        manager_->ElementsRemoved();
}

size_t WSetupComponent::ElementCount() const {
    size_t n = 0;
    for (auto& list : elements_)
        n += list.size();
    return n;
}

void WSetupComponent::SetHeader(const WScriptHeader& header) {
    header_ = std::make_unique<WScriptHeader>(header);
}

}  // namespace vantrel
