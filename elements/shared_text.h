// A text that many elements hold alike (a folder, a component name, a mask),
// kept once per process and shared by every holder.
//
// Thousands of file records name a few hundred folders and the same few
// masks; each SharedText is one pointer to the one copy of its text, which
// is counted and freed when its last holder goes. The empty text needs no
// copy at all. Holders on several threads may make, copy and drop shared
// texts at the same time.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

class SharedText {
  public:
    SharedText() = default;
    // The one copy of `text` (made when no holder has it yet).
    SharedText(std::string_view text);  // NOLINT(google-explicit-constructor)
    SharedText(const char* text) : SharedText(std::string_view(text)) {}
    SharedText(const std::string& text) : SharedText(std::string_view(text)) {}
    SharedText(const SharedText& other) noexcept;
    SharedText(SharedText&& other) noexcept : entry_(other.entry_) { other.entry_ = nullptr; }
    SharedText& operator=(const SharedText& other) noexcept;
    SharedText& operator=(SharedText&& other) noexcept;
    SharedText& operator=(std::string_view text) { return *this = SharedText(text); }
    SharedText& operator=(const std::string& text) { return *this = SharedText(text); }
    SharedText& operator=(const char* text) { return *this = SharedText(text); }
    ~SharedText() { Release(); }

    const std::string& str() const { return entry_ ? entry_->text : Empty(); }
    operator const std::string&() const { return str(); }  // NOLINT
    operator std::string_view() const { return str(); }    // NOLINT
    bool empty() const { return entry_ == nullptr; }
    size_t size() const { return str().size(); }
    void clear() {
        Release();
        entry_ = nullptr;
    }

    // Two shared texts are equal exactly when they share their copy.
    friend bool operator==(const SharedText& a, const SharedText& b) {
        return a.entry_ == b.entry_;
    }
    friend bool operator==(const SharedText& a, std::string_view b) { return a.str() == b; }

    // How many distinct texts are kept (for tests and measurements).
    static size_t DistinctCount();

  private:
    friend class SharedTextPool;
    struct Entry {
        std::string text;
        size_t hash = 0;
        std::atomic<uint32_t> holders{1};
    };
    static const std::string& Empty();
    void Release();

    Entry* entry_ = nullptr;
};

}  // namespace vantrel
