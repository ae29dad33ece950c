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

WSetupElement* WSetupElementMap::Find(std::string_view record, int typeCode) const {
    if (!ValidCode(typeCode))
        return nullptr;
    const auto& map = maps_[typeCode];
    auto it = map.find(KeyOf(record));
    return it == map.end() ? nullptr : it->second;
}

WSetupElement* WSetupElementMap::FindOrCreateElement(std::string_view record, int typeCode,
                                                     uint32_t systemMask, uint32_t selectionMask,
                                                     bool noFilter, bool expand,
                                                     std::unique_ptr<WSetupElement>& created) {
    created.reset();
    if (!ValidCode(typeCode))
        return nullptr;
    std::string key = KeyOf(record);
    auto& map = maps_[typeCode];
    auto it = map.find(key);
    if (it != map.end())
        return it->second;

    std::unique_ptr<WSetupElement> element = CreateElement(typeCode, record, expand);
    if (!element)
        return nullptr;
    if (!noFilter && !element->MatchesMasks(systemMask, selectionMask))
        return nullptr;
    WSetupElement* raw = element.get();
    map.emplace(std::move(key), raw);
    created = std::move(element);
    return raw;
}

void WSetupElementMap::Add(std::string_view record, int typeCode, WSetupElement* element) {
    if (!ValidCode(typeCode) || element == nullptr)
        return;
    maps_[typeCode][KeyOf(record)] = element;
}

void WSetupElementMap::Forget(const WSetupElement* element) {
    if (element == nullptr)
        return;
    for (auto& map : maps_) {
        for (auto it = map.begin(); it != map.end();) {
            if (it->second == element) {
                it = map.erase(it);
            } else {
                ++it;
            }
        }
    }
}

void WSetupElementMap::Clear() {
    for (auto& map : maps_)
        map.clear();
}

size_t WSetupElementMap::Count(int typeCode) const {
    return ValidCode(typeCode) ? maps_[typeCode].size() : 0;
}

size_t WSetupElementMap::Count() const {
    size_t n = 0;
    for (const auto& map : maps_)
        n += map.size();
    return n;
}

}  // namespace vantrel
