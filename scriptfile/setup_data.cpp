#include "scriptfile/setup_data.h"

#include <filesystem>

#include "platform/files.h"
#include "platform/message_pump.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "platform/text_file.h"

namespace vantrel {

WSetupData::WSetupData() {
    header_.SetModuleType("PRODUCT");
}

bool WSetupData::IsSectionLine(std::string_view line) {
    return !line.empty() && line[0] == '[';
}

std::string WSetupData::SectionNameOf(std::string_view line) {
    if (!IsSectionLine(line))
        return {};
    std::string_view name = line.substr(1);
    size_t close = name.find(']');
    if (close != std::string_view::npos)
        name = name.substr(0, close);
    return std::string(name);
}

bool WSetupData::SplitKeyLine(std::string_view line, std::string* key, std::string* value) {
    if (IsSectionLine(line))
        return false;
    size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return false;
    std::string k = Trim(line.substr(0, eq));
    if (k.empty())
        return false;
    if (key)
        *key = std::move(k);
    if (value)
        *value = Trim(line.substr(eq + 1));
    return true;
}

bool WSetupData::KeepsSection(const std::string& name) const {
    return name != WScriptHeader::kStartName && name != WScriptHeader::kEndName;
}

void WSetupData::Clear() {
    lines_.clear();
    plainLines_.clear();
}

void WSetupData::AddLine(std::string line) {
    if (!IsSectionLine(line) && !SplitKeyLine(line, nullptr, nullptr)) {
        plainLines_.push_back(static_cast<int>(lines_.size()));
    }
    lines_.push_back(std::move(line));
}

void WSetupData::RebuildPlainLines() {
    plainLines_.clear();
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (!IsSectionLine(lines_[i]) && !SplitKeyLine(lines_[i], nullptr, nullptr)) {
            plainLines_.push_back(static_cast<int>(i));
        }
    }
}

int WSetupData::Load(const std::string& path, bool append) {
    if (!append)
        Clear();
    TextReader reader;
    if (!reader.Open(path))
        return 0;
    // Lines before the first kept section, and the lines of sections that
    // are not kept, are dropped.
    bool keep = false;
    std::string line;
    while (reader.ReadLine(line)) {
        std::string text = Trim(line);
        if (IsSectionLine(text))
            keep = KeepsSection(SectionNameOf(text));
        if (keep)
            AddLine(std::move(text));
        PumpMessage();
    }
    return 1;
}

void WSetupData::LoadLines(const std::vector<std::string>& lines, bool append) {
    if (!append)
        Clear();
    bool keep = false;
    for (const std::string& line : lines) {
        std::string text = Trim(line);
        if (IsSectionLine(text))
            keep = KeepsSection(SectionNameOf(text));
        if (keep)
            AddLine(std::move(text));
    }
}

std::string WSetupData::StampedText() {
    // The body as a reader of the written file would see it: a line that
    // holds a line break itself comes back as two lines.
    return header_.StampedText(WScriptHeader::SplitLines(JoinLinesCrLf(lines_, false)));
}

bool WSetupData::SaveAs(const std::string& path) {
    FileInfo info;
    const bool exists = GetFileInfo(path, info, false);
    if (exists && info.isFolder)
        return false;
    // A read-only script is made writable before it is replaced.
    std::error_code ec;
    std::filesystem::path native = ToNative(path);
    if (exists && info.isFile) {
        std::filesystem::permissions(native, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ec);
    }
    header_.SetFilePath(path);
    // Header and body are written in one go and renamed over the old file,
    // so a failed write leaves the previous script in place. A symbolic link
    // at the name is replaced, never written through.
    return WriteFileAtomic(path, StampedText(), nullptr, ReadOnlyFile::kReplace,
                           LinkAtPath::kReplace);
}

int WSetupData::GetValue(const std::string& section, const std::string& key,
                         std::string& out) const {
    out.clear();
    int found = 0;
    bool inside = false;
    std::string k, v;
    for (const std::string& line : lines_) {
        if (IsSectionLine(line)) {
            inside = SectionNameOf(line) == section;
        } else if (inside && SplitKeyLine(line, &k, &v) && k == key) {
            out = v;  // the last matching line of the section wins
            found = 1;
        }
    }
    return found;
}

void WSetupData::SetValue(const std::string& section, const std::string& key,
                          const std::string& value, bool addIfMissing) {
    bool inside = false;
    long headerAt = -1;
    std::string k;
    for (size_t i = 0; i < lines_.size(); ++i) {
        const std::string& line = lines_[i];
        if (IsSectionLine(line)) {
            inside = SectionNameOf(line) == section;
            if (inside && headerAt < 0)
                headerAt = static_cast<long>(i);
            continue;
        }
        if (inside && SplitKeyLine(line, &k, nullptr) && k == key) {
            // Keep the key as written (spelling, blanks) and replace the
            // value in place. Appending a second line instead when this is
            // the last line would leave the old value first in the file,
            // where an INI reader that takes the first occurrence finds it,
            // and a later change would then rewrite the old line while the
            // appended one still wins for GetValue.
            lines_[i] = line.substr(0, line.find('=')) + "=" + value;
            return;
        }
    }
    if (!addIfMissing)
        return;
    std::string newLine = key + "=" + value;
    if (headerAt >= 0 && static_cast<size_t>(headerAt) + 1 < lines_.size()) {
        lines_.insert(lines_.begin() + headerAt + 1, std::move(newLine));
        RebuildPlainLines();
    } else {
        AddLine("[" + section + "]");
        AddLine(std::move(newLine));
    }
}

}  // namespace vantrel
