#include "elements/setup_element.h"

namespace vantrel {

namespace {

bool ValidCode(int typeCode) {
    return typeCode >= 0 && typeCode < kElementTypeCount;
}

}  // namespace

WSetupElementMap::WSetupElementMap() = default;

std::string WSetupElementMap::KeyOf(std::string_view record) {
    size_t comma = record.find(',');
    if (comma == std::string_view::npos)
        return {};
    return std::string(record.substr(comma));
}

std::string WSetupElementMap::TypedKey(std::string_view record, int typeCode) {
    std::string key;
    size_t comma = record.find(',');
    key.reserve(1 + (comma == std::string_view::npos ? 0 : record.size() - comma));
    key += static_cast<char>('A' + typeCode);
    if (comma != std::string_view::npos)
        key.append(record.substr(comma));
    return key;
}

WSetupElement* WSetupElementMap::Find(std::string_view record, int typeCode) const {
    if (!ValidCode(typeCode))
        return nullptr;
    auto it = map_.find(TypedKey(record, typeCode));
    return it == map_.end() ? nullptr : it->second;
}

WSetupElement* WSetupElementMap::FindOrCreateElement(std::string_view record, int typeCode,
                                                     uint32_t systemMask, uint32_t selectionMask,
                                                     bool noFilter, bool expand,
                                                     std::unique_ptr<WSetupElement>& created) {
    created.reset();
    if (!ValidCode(typeCode))
        return nullptr;
    // One lookup: the key goes in at once and comes out again when no
    // element is made for it.
    auto [it, inserted] = map_.try_emplace(TypedKey(record, typeCode), nullptr);
    if (!inserted)
        return it->second;

    std::unique_ptr<WSetupElement> element = CreateElement(typeCode, record, expand);
    if (!element || (!noFilter && !element->MatchesMasks(systemMask, selectionMask))) {
        map_.erase(it);
        return nullptr;
    }
    it->second = element.get();
    ++counts_[typeCode];
    created = std::move(element);
    return it->second;
}

void WSetupElementMap::Add(std::string_view record, int typeCode, WSetupElement* element) {
    if (!ValidCode(typeCode) || element == nullptr)
        return;
    auto [it, inserted] = map_.insert_or_assign(TypedKey(record, typeCode), element);
    (void)it;
    if (inserted)
        ++counts_[typeCode];
}

void WSetupElementMap::Forget(const WSetupElement* element) {
    if (element == nullptr)
        return;
    for (auto it = map_.begin(); it != map_.end();) {
        if (it->second == element) {
            --counts_[it->first[0] - 'A'];
            it = map_.erase(it);
        } else {
            ++it;
        }
    }
}

void WSetupElementMap::Clear() {
    map_.clear();
    for (auto& n : counts_)
        n = 0;
}

size_t WSetupElementMap::Count(int typeCode) const {
    return ValidCode(typeCode) ? counts_[typeCode] : 0;
}

size_t WSetupElementMap::Count() const {
    return map_.size();
}

void WSetupElementMap::Reserve(size_t records) {
    map_.reserve(records);
}

}  // namespace vantrel
