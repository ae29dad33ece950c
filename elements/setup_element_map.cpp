#include <functional>

#include "elements/setup_element.h"

namespace vantrel {

namespace {

bool ValidCode(int typeCode) {
    return typeCode >= 0 && typeCode < kElementTypeCount;
}

// The key of a record without a copy: the record from its first ",".
std::string_view KeyView(std::string_view record) {
    size_t comma = record.find(',');
    return comma == std::string_view::npos ? std::string_view() : record.substr(comma);
}

constexpr uint64_t kTypeBits = 0x1F;  // 17 type codes fit in five bits
static_assert(kElementTypeCount <= static_cast<int>(kTypeBits) + 1);
constexpr size_t kMinSlots = 16;

// The slot where the probe for `hash` starts (the type bits left out).
size_t Home(uint64_t hash, size_t mask) {
    return static_cast<size_t>(hash >> 5) & mask;
}

}  // namespace

WSetupElementMap::WSetupElementMap() = default;

std::string WSetupElementMap::KeyOf(std::string_view record) {
    return std::string(KeyView(record));
}

uint64_t WSetupElementMap::HashOf(std::string_view key, int typeCode) {
    const uint64_t h = std::hash<std::string_view>()(key);
    return (h & ~kTypeBits) | static_cast<uint64_t>(typeCode);
}

bool WSetupElementMap::Matches(const Slot& slot, std::string_view key, std::string_view record,
                               int typeCode, bool expand) const {
    const std::string own = slot.element->WriteRecord();
    const std::string_view ownKey = KeyView(own);
    if (ownKey == key)
        return true;
    // A record spelled otherwise than the writer spells it (an empty flag,
    // a short mask) is the stored element when it reads as that element.
    std::unique_ptr<WSetupElement> read = CreateElement(typeCode, record, expand);
    return read && KeyView(read->WriteRecord()) == ownKey;
}

size_t WSetupElementMap::Locate(std::string_view key, std::string_view record, int typeCode,
                                uint64_t hash, bool expand) const {
    const size_t mask = slots_.size() - 1;
    for (size_t i = Home(hash, mask);; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (!slot.element)
            return i;
        if (slot.hash == hash && Matches(slot, key, record, typeCode, expand))
            return i;
    }
}

void WSetupElementMap::Grow(size_t entries) {
    size_t wanted = kMinSlots;
    while (wanted - wanted / 4 <= entries)  // at most three quarters full
        wanted *= 2;
    if (wanted <= slots_.size())
        return;
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(wanted, Slot{});
    const size_t mask = wanted - 1;
    for (const Slot& slot : old) {
        if (!slot.element)
            continue;
        size_t i = Home(slot.hash, mask);
        while (slots_[i].element)
            i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

void WSetupElementMap::Insert(uint64_t hash, WSetupElement* element, int typeCode) {
    Grow(used_ + 1);
    const size_t mask = slots_.size() - 1;
    size_t i = Home(hash, mask);
    while (slots_[i].element)
        i = (i + 1) & mask;
    slots_[i] = {hash, element};
    ++used_;
    ++counts_[typeCode];
}

void WSetupElementMap::EraseSlot(size_t hole) {
    --counts_[slots_[hole].hash & kTypeBits];
    --used_;
    slots_[hole] = {};
    // Entries after the hole move back into it when their probe passes it.
    const size_t mask = slots_.size() - 1;
    for (size_t j = (hole + 1) & mask; slots_[j].element; j = (j + 1) & mask) {
        const size_t home = Home(slots_[j].hash, mask);
        const bool stays = hole <= j ? (hole < home && home <= j) : (hole < home || home <= j);
        if (!stays) {
            slots_[hole] = slots_[j];
            slots_[j] = {};
            hole = j;
        }
    }
}

WSetupElement* WSetupElementMap::Find(std::string_view record, int typeCode) const {
    if (!ValidCode(typeCode) || slots_.empty())
        return nullptr;
    const std::string_view key = KeyView(record);
    return slots_[Locate(key, record, typeCode, HashOf(key, typeCode), false)].element;
}

WSetupElement* WSetupElementMap::FindOrCreateElement(std::string_view record, int typeCode,
                                                     uint32_t systemMask, uint32_t selectionMask,
                                                     bool noFilter, bool expand,
                                                     std::unique_ptr<WSetupElement>& created) {
    created.reset();
    if (!ValidCode(typeCode))
        return nullptr;
    const std::string_view key = KeyView(record);
    const uint64_t hash = HashOf(key, typeCode);
    if (!slots_.empty()) {
        if (WSetupElement* stored = slots_[Locate(key, record, typeCode, hash, expand)].element)
            return stored;
    }
    std::unique_ptr<WSetupElement> element = CreateElement(typeCode, record, expand);
    if (!element || (!noFilter && !element->MatchesMasks(systemMask, selectionMask)))
        return nullptr;
    Insert(hash, element.get(), typeCode);
    created = std::move(element);
    return created.get();
}

void WSetupElementMap::Add(std::string_view record, int typeCode, WSetupElement* element) {
    if (!ValidCode(typeCode) || element == nullptr)
        return;
    const std::string_view key = KeyView(record);
    const uint64_t hash = HashOf(key, typeCode);
    if (!slots_.empty()) {
        Slot& slot = slots_[Locate(key, record, typeCode, hash, false)];
        if (slot.element) {
            slot.element = element;
            return;
        }
    }
    Insert(hash, element, typeCode);
}

void WSetupElementMap::Forget(const WSetupElement* element) {
    if (element == nullptr)
        return;
    // An entry may move back into a slot already passed when one is erased:
    // look again until a pass erases nothing.
    for (bool erased = true; erased;) {
        erased = false;
        for (size_t i = 0; i < slots_.size();) {
            if (slots_[i].element == element) {
                EraseSlot(i);
                erased = true;
            } else {
                ++i;
            }
        }
    }
}

void WSetupElementMap::Clear() {
    slots_ = {};
    used_ = 0;
    for (auto& n : counts_)
        n = 0;
}

size_t WSetupElementMap::Count(int typeCode) const {
    return ValidCode(typeCode) ? counts_[typeCode] : 0;
}

size_t WSetupElementMap::Count() const {
    return used_;
}

void WSetupElementMap::Reserve(size_t records) {
    Grow(records);
}

}  // namespace vantrel
