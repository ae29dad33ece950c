#include "platform/ini_file.h"

#include <vector>

#include "platform/files.h"
#include "platform/strings.h"

namespace vantrel {

namespace {

std::string Text(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// The lines [first, end) of the section `name` (empty when the section has
// no lines, also when its heading is the last line); false, with first ==
// end == size, when there is no such section.
bool FindSection(const std::vector<std::string>& lines, std::string_view name, size_t& first,
                 size_t& end) {
    first = end = lines.size();
    bool found = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string line = Trim(lines[i]);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            if (found) {
                end = i;
                return true;
            }
            if (EqualsNoCase(Trim(line.substr(1, line.size() - 2)), name)) {
                first = i + 1;
                found = true;
            }
        }
    }
    return found;
}

// The line of `key` in [first, end), or end.
size_t FindKey(const std::vector<std::string>& lines, size_t first, size_t end,
               std::string_view key) {
    for (size_t i = first; i < end; ++i) {
        const size_t eq = lines[i].find('=');
        if (eq != std::string::npos && EqualsNoCase(Trim(lines[i].substr(0, eq)), key))
            return i;
    }
    return end;
}

}  // namespace

std::string SetIniEntryInText(std::string_view text, std::string_view section, std::string_view key,
                              std::string_view value) {
    std::vector<std::string> lines = SplitTextLines(text);
    const std::string entry = std::string(key) + "=" + std::string(value);
    size_t first, end;
    if (!FindSection(lines, section, first, end)) {
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(entry);
    } else if (size_t at = FindKey(lines, first, end, key); at < end) {
        lines[at] = entry;
    } else {
        lines.insert(lines.begin() + static_cast<long>(end), entry);
    }
    return Text(lines);
}

bool RemoveIniEntryFromText(std::string_view text, std::string_view section, std::string_view key,
                            std::string& out) {
    std::vector<std::string> lines = SplitTextLines(text);
    size_t first, end;
    FindSection(lines, section, first, end);
    const size_t at = FindKey(lines, first, end, key);
    if (at >= end) {
        out = std::string(text);
        return false;
    }
    lines.erase(lines.begin() + static_cast<long>(at));
    out = Text(lines);
    return true;
}

#if !defined(_WIN32)
bool WriteIniEntry(std::string_view path, std::string_view section, std::string_view key,
                   std::string_view value, std::string* error) {
    std::string text;
    if (PathExists(path) && !ReadWholeFile(path, text, error))
        return false;
    return WriteFileAtomic(path, SetIniEntryInText(text, section, key, value), error);
}

bool RemoveIniEntry(std::string_view path, std::string_view section, std::string_view key,
                    std::string* error) {
    std::string text, changed;
    if (!PathExists(path))
        return true;
    if (!ReadWholeFile(path, text, error))
        return false;
    return !RemoveIniEntryFromText(text, section, key, changed) ||
           WriteFileAtomic(path, changed, error);
}
#endif

}  // namespace vantrel
