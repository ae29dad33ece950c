#include "archive/al_entry.h"

#include <cctype>

#include "platform/strings.h"

namespace vantrel {

std::string ZipEntryName(const std::string& storageName, bool fileNameOnly) {
    if (fileNameOnly) {
        size_t p = storageName.find_last_of("\\/:");
        return p == std::string::npos ? storageName : storageName.substr(p + 1);
    }
    std::string name = storageName;
    for (auto& c : name) {
        if (c == '\\')
            c = '/';
    }
    if (name.size() > 2 && name[0] == '/' && name[1] == '/') {
        // "//server/share/rest" -> "rest"
        size_t server = name.find('/', 2);
        size_t share = server == std::string::npos ? server : name.find('/', server + 1);
        if (share != std::string::npos)
            name.erase(0, share + 1);
    }
    if (name.size() >= 2 && name[1] == ':' && std::isalpha(static_cast<unsigned char>(name[0]))) {
        name.erase(0, 2);
    }
    if (!name.empty() && name[0] == '/')
        name.erase(0, 1);
    return name;
}

ALEntry::ALEntry(std::unique_ptr<ALStorage> storage, std::unique_ptr<ALCompressor> compressor,
                 std::unique_ptr<ALDecompressor> decompressor)
    : storage_(std::move(storage)),
      compressor_(std::move(compressor)),
      decompressor_(std::move(decompressor)) {}

std::string ALEntry::GetZipName() const {
    return storage_ ? ZipEntryName(storage_->GetName(), fileNameOnly_) : std::string();
}

ALEntryList::ALEntryList(ALEngineFactory factory) : factory_(factory) {}

ALEntry& ALEntryList::Add(std::unique_ptr<ALStorage> storage) {
    return Add(std::make_unique<ALEntry>(std::move(storage), factory_.CreateCompressor(), nullptr));
}

ALEntry& ALEntryList::Add(std::unique_ptr<ALEntry> entry) {
    entries_.push_back(std::move(entry));
    return *entries_.back();
}

void ALEntryList::SetMarks() {
    for (auto& e : entries_)
        e->SetMark();
}

void ALEntryList::ClearMarks() {
    for (auto& e : entries_)
        e->ClearMark();
}

ALEntry* ALEntryList::Find(const std::string& name) {
    for (auto& e : entries_) {
        if (e->GetStorage() && EqualsNoCase(e->GetStorage()->GetName(), name))
            return e.get();
    }
    return nullptr;
}

}  // namespace vantrel
