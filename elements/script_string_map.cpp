// The "%name%" string references of script texts and the table they are
// looked up in.
#include "elements/setup_element.h"

#include <algorithm>
#include <mutex>
#include <shared_mutex>

namespace vantrel {

namespace {

// Expansion stops after this many rounds or once the text grows past this
// size, so that entries that refer to each other cannot loop or grow forever.
constexpr size_t kMaxRounds = 4096;
constexpr size_t kMaxExpandedSize = 1 << 20;

// The name between the first "%" of `text` and the "%" after it; empty when
// there is no such pair.
std::string_view FirstName(std::string_view text) {
    size_t open = text.find('%');
    if (open == std::string_view::npos)
        return {};
    size_t close = text.find('%', open + 1);
    if (close == std::string_view::npos)
        return {};
    return text.substr(open + 1, close - open - 1);
}

// `text` with every occurrence of `from` replaced by `to`, built in one pass;
// false (and `out` untouched) when the result would exceed `limit`.
bool ReplaceAllWithin(const std::string& text, std::string_view from, std::string_view to,
                      size_t limit, std::string& out) {
    size_t count = 0;
    for (size_t pos = text.find(from); pos != std::string::npos;
         pos = text.find(from, pos + from.size())) {
        ++count;
    }
    size_t removed = count * from.size();
    if (to.size() > from.size() && count > (limit + removed) / to.size())
        return false;
    size_t size = text.size() - removed + count * to.size();
    if (size > limit)
        return false;
    std::string result;
    result.reserve(size);
    size_t start = 0;
    for (size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, start)) {
        result.append(text, start, pos - start).append(to);
        start = pos + from.size();
    }
    result.append(text, start, std::string::npos);
    out = std::move(result);
    return true;
}

}  // namespace

WScriptStringMap& ScriptStringMap() {
    static WScriptStringMap map;
    return map;
}

void WScriptStringMap::Set(std::string name, std::string value) {
    std::unique_lock lock(mutex_);
    map_[std::move(name)] = std::move(value);
}

std::string WScriptStringMap::Value(std::string_view name) const {
    std::shared_lock lock(mutex_);
    const std::string* value = Find(name);
    return value ? *value : std::string();
}

bool WScriptStringMap::Contains(std::string_view name) const {
    std::shared_lock lock(mutex_);
    return Find(name) != nullptr;
}

void WScriptStringMap::Erase(std::string_view name) {
    std::unique_lock lock(mutex_);
    map_.erase(std::string(name));
}

void WScriptStringMap::Clear() {
    std::unique_lock lock(mutex_);
    map_.clear();
}

WScriptStringMap::Entries WScriptStringMap::Copy() const {
    std::shared_lock lock(mutex_);
    return map_;
}

void WScriptStringMap::Replace(Entries entries) {
    std::unique_lock lock(mutex_);
    map_ = std::move(entries);
}

// Called with the lock held; the pointer is good while it is held.
const std::string* WScriptStringMap::Find(std::string_view name) const {
    auto it = map_.find(std::string(name));
    return it == map_.end() ? nullptr : &it->second;
}

std::string WScriptStringMap::Expand(std::string_view input) const {
    std::string text(input);
    if (text.find('%') == std::string::npos)
        return text;
    std::shared_lock lock(mutex_);
    std::string name(FirstName(text));
    std::string previous;
    for (size_t round = 0; !name.empty() && name != previous && round < kMaxRounds; ++round) {
        const std::string* value = Find(name);
        if (value != nullptr && !value->empty()) {
            std::string expanded;
            if (!ReplaceAllWithin(text, "%" + name + "%", *value,
                                  std::max(kMaxExpandedSize, text.size()), expanded)) {
                break;
            }
            text = std::move(expanded);
        }
        previous = std::move(name);
        name = std::string(FirstName(text));
    }
    return text;
}

std::string ExpandStringRefs(std::string_view text) {
    return ScriptStringMap().Expand(text);
}

bool StringSectionLines::AddUnique(std::string line) {
    if (!set_.insert(line).second)
        return false;
    lines_.push_back(std::move(line));
    return true;
}

void StringSectionLines::Retain(const std::function<bool(const std::string&)>& keep) {
    std::vector<std::string> kept;
    kept.reserve(lines_.size());
    set_.clear();
    for (auto& line : lines_) {
        if (keep(line) && set_.insert(line).second)
            kept.push_back(std::move(line));
    }
    lines_ = std::move(kept);
}

void StringSectionLines::Clear() {
    lines_.clear();
    set_.clear();
}

void WScriptStringMap::Collect(std::string_view line, StringSectionLines& list) const {
    size_t pos = line.find('%');
    if (pos == std::string_view::npos)
        return;
    std::shared_lock lock(mutex_);
    while (pos != std::string_view::npos) {
        size_t close = line.find('%', pos + 1);
        if (close == std::string_view::npos)
            break;
        std::string_view name = line.substr(pos + 1, close - pos - 1);
        const std::string* value = name.empty() ? nullptr : Find(name);
        if (value != nullptr && !value->empty()) {
            std::string entry;
            entry.reserve(name.size() + 3 + value->size());
            entry.append(name).append(" = ").append(*value);
            list.AddUnique(std::move(entry));
            pos = line.find('%', close + 1);
        } else {
            // Not a reference: its closing "%" may open the next one ("50% %X%").
            pos = close;
        }
    }
}

void CollectStringRefs(std::string_view line, StringSectionLines& list) {
    ScriptStringMap().Collect(line, list);
}

}  // namespace vantrel
