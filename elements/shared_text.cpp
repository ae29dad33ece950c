#include "elements/shared_text.h"

#include <functional>
#include <mutex>
#include <unordered_set>

namespace vantrel {

// The process's copies, found by their text. Taking a copy and dropping the
// last holder of one hold the lock, so a copy is never found and freed at
// once; a further holder of a copy that has holders only counts up.
class SharedTextPool {
  public:
    using Entry = SharedText::Entry;

    static SharedTextPool& Instance() {
        // Never destroyed: holders in static objects may outlive any order.
        static SharedTextPool* pool = new SharedTextPool;
        return *pool;
    }

    // No cache per thread: a thread_local with a destructor is not safe on
    // every system's runtime (it may run after the thread's storage is gone),
    // and the lock is cheap next to reading a record.
    Entry* Acquire(std::string_view text) {
        return AcquireLocked(text, std::hash<std::string_view>()(text));
    }

    Entry* AcquireLocked(std::string_view text, size_t hash) {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = entries_.find(Key{text, hash});
        if (it != entries_.end()) {
            (*it)->holders.fetch_add(1, std::memory_order_relaxed);
            return *it;
        }
        auto* entry = new Entry;
        entry->text.assign(text);
        entry->hash = hash;
        entries_.insert(entry);
        return entry;
    }

    void Release(Entry* entry) {
        // Not the last holder: counting down needs no lock.
        uint32_t holders = entry->holders.load(std::memory_order_relaxed);
        while (holders > 1) {
            if (entry->holders.compare_exchange_weak(holders, holders - 1,
                                                     std::memory_order_acq_rel))
                return;
        }
        std::lock_guard<std::mutex> lock(mutex_);
        if (entry->holders.fetch_sub(1, std::memory_order_acq_rel) != 1)
            return;
        entries_.erase(entry);
        delete entry;
    }

    size_t Count() {
        std::lock_guard<std::mutex> lock(mutex_);
        return entries_.size();
    }

  private:
    struct Key {
        std::string_view text;
        size_t hash;
    };
    struct Hash {
        using is_transparent = void;
        size_t operator()(const Entry* e) const { return e->hash; }
        size_t operator()(const Key& k) const { return k.hash; }
    };
    struct Equal {
        using is_transparent = void;
        bool operator()(const Entry* a, const Entry* b) const { return a == b; }
        bool operator()(const Key& k, const Entry* e) const { return k.text == e->text; }
        bool operator()(const Entry* e, const Key& k) const { return k.text == e->text; }
    };

    std::mutex mutex_;
    std::unordered_set<Entry*, Hash, Equal> entries_;
};

SharedText::SharedText(std::string_view text)
    : entry_(text.empty() ? nullptr : SharedTextPool::Instance().Acquire(text)) {}

SharedText::SharedText(const SharedText& other) noexcept : entry_(other.entry_) {
    // The other holder keeps the copy alive while it is counted up.
    if (entry_)
        entry_->holders.fetch_add(1, std::memory_order_relaxed);
}

SharedText& SharedText::operator=(const SharedText& other) noexcept {
    if (entry_ != other.entry_) {
        SharedText copy(other);
        *this = std::move(copy);
    }
    return *this;
}

SharedText& SharedText::operator=(SharedText&& other) noexcept {
    if (this != &other) {
        Release();
        entry_ = other.entry_;
        other.entry_ = nullptr;
    }
    return *this;
}

void SharedText::Release() {
    if (entry_)
        SharedTextPool::Instance().Release(entry_);
}

const std::string& SharedText::Empty() {
    static const std::string empty;
    return empty;
}

size_t SharedText::DistinctCount() {
    return SharedTextPool::Instance().Count();
}

}  // namespace vantrel
