#include "project/reg_import.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/reg_text.h"
#include "platform/strings.h"
#include "project/registry_keys.h"
#include "project/text_import.h"

namespace vantrel {

namespace {

constexpr const char* kNotReadable = "it is not written as a registry file line";
constexpr const char* kUnstorable = "it holds characters that a setup script cannot store";
constexpr const char* kUnknownRoot =
    "the key does not begin with a root key such as "
    "HKEY_LOCAL_MACHINE";
constexpr const char* kRemoval = "removing keys or values cannot be imported";

std::string HexText(const std::vector<uint8_t>& bytes) {
    std::string text;
    for (uint8_t b : bytes) {
        if (!text.empty())
            text += ' ';
        text += Format("%02x", b);
    }
    return text;
}

}  // namespace

void WRegImport::Refuse(int line, std::string reason) {
    refused_.push_back({line, std::move(reason)});
}

bool WRegImport::ReadFile(const std::string& path, std::string& error) {
    std::string bytes, why;
    bool tooLarge = false;
    if (!ReadFileAtMost(path, kRegistryFileLimit, bytes, tooLarge, &why)) {
        error = tooLarge ? DisplayPath(path) + " is larger than " +
                               std::to_string(kRegistryFileLimit / (1024 * 1024)) +
                               " MB; a registry file that large cannot be imported."
                         : why + " (it could not be read).";
        return false;
    }
    if (!Read(bytes, error)) {
        error = DisplayPath(path) + ": " + error;
        return false;
    }
    return true;
}

bool WRegImport::Read(std::string_view bytes, std::string& error) {
    entries_.clear();
    refused_.clear();
    std::vector<int> unstorable;
    const RegText text = RegText::Parse(RegText::DecodeFile(bytes, unstorable));
    if (text.Header().empty()) {
        error =
            "not a registry file: it does not begin with \"Windows Registry Editor Version "
            "5.00\" or \"REGEDIT4\".";
        return false;
    }
    for (int line : unstorable)
        Refuse(line, kUnstorable);
    for (const RegText::Problem& p : text.Problems())
        Refuse(p.line, kNotReadable);

    for (const RegText::Key& section : text.Keys()) {
        WRegistryKeyProperties p;
        std::string key;
        if (section.remove || !SplitRegistryPath(section.path, p.rootKey, key)) {
            Refuse(section.line, section.remove ? kRemoval : kUnknownRoot);
            for (const RegText::Value& v : section.values)
                Refuse(v.line, section.remove ? kRemoval : kUnknownRoot);
            continue;
        }
        p.key = key;
        auto make = [&](int line, const WRegistryKeyProperties& values) {
            auto entry = NewRegistryEntry();
            if (std::string refused = values.Apply(*entry, false); !refused.empty())
                Refuse(line, std::move(refused));
            else
                entries_.push_back({line, std::move(entry)});
        };
        if (section.values.empty()) {
            make(section.line, p);
            continue;
        }
        for (const RegText::Value& v : section.values) {
            WRegistryKeyProperties values = p;
            values.name = v.name;
            switch (v.kind) {
                case RegText::Value::Kind::kRemove:
                    Refuse(v.line, kRemoval);
                    continue;
                case RegText::Value::Kind::kString:
                    values.type = 0;
                    values.value = v.text;
                    break;
                case RegText::Value::Kind::kDword:
                    values.type = 1;
                    values.value = std::to_string(v.dword);
                    break;
                case RegText::Value::Kind::kHex:
                    values.type = 2;
                    values.value = HexText(v.bytes);
                    break;
            }
            make(v.line, values);
        }
    }
    std::stable_sort(refused_.begin(), refused_.end(),
                     [](const Refused& a, const Refused& b) { return a.line < b.line; });
    return true;
}

std::vector<WSetupRegEntry*> WRegImport::AddTo(WProjectData& project) {
    std::vector<WSetupRegEntry*> added;
    for (Entry& e : entries_) {
        std::string error;
        if (WSetupRegEntry* entry = AddRegistryEntry(project, std::move(e.entry), error))
            added.push_back(entry);
        else
            Refuse(e.line, error);
    }
    entries_.clear();
    std::stable_sort(refused_.begin(), refused_.end(),
                     [](const Refused& a, const Refused& b) { return a.line < b.line; });
    return added;
}

std::string WRegImport::RefusedMessage() const {
    if (refused_.empty())
        return {};
    std::string message = "These lines could not be imported:";
    for (const Refused& r : refused_)
        message += "\nline " + std::to_string(r.line) + ": " + r.reason;
    return message;
}

}  // namespace vantrel
