#include "scriptfile/script_header.h"

#include <ctime>
#include <filesystem>
#include <optional>

#include "platform/build_time.h"
#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/local_time.h"
#include "platform/message_pump.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/strings.h"
#include "platform/text_file.h"

namespace vantrel {

namespace {

// Running checksum over body lines: every blank character (in the C
// library's sense) counts as skipped, every other byte adds its value as a
// signed 8-bit number to a wrapping 32-bit sum.
struct Checksum {
    uint32_t sum = 0;
    uint32_t lines = 0;
    uint32_t skipped = 0;

    void Add(std::string_view line) {
        ++lines;
        for (char c : line) {
            if (IsBlank(c)) {
                ++skipped;
            } else {
                sum += static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(c)));
            }
        }
    }
};

// Hex digits from the start of `text` (after blanks), wrapping at 32 bits.
uint32_t ParseHex(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    uint32_t value = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            break;
        }
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    return value;
}

// Key and value of a header line: text around the first "=", trimmed; a
// line without "=" has neither.
void SplitKeyValue(std::string_view line, std::string& key, std::string& value) {
    size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
        key.clear();
        value.clear();
        return;
    }
    key = Trim(line.substr(0, eq));
    value = Trim(line.substr(eq + 1));
}

// Opens `path` for reading line by line with the same rules as SplitLines():
// lines end at LF, a CR right before the LF is dropped, and a file that ends
// with a line break yields one further empty line. Lines of any length arrive
// whole.
bool OpenLines(TextReader& in, const std::string& path) {
    in.SetFinalEmptyLine(true);
    in.SetCrLfOnly(true);
    return in.Open(path);
}

}  // namespace

std::vector<std::string> WScriptHeader::SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    if (bytes.empty())
        return lines;
    size_t start = 0;
    for (;;) {
        size_t nl = bytes.find('\n', start);
        if (nl == std::string_view::npos) {
            // The last piece: empty when the text ends with a line break.
            lines.emplace_back(bytes.substr(start));
            break;
        }
        size_t end = nl;
        if (end > start && bytes[end - 1] == '\r')
            --end;
        lines.emplace_back(bytes.substr(start, end - start));
        start = nl + 1;
    }
    return lines;
}

std::string WScriptHeader::SectionNameOf(std::string_view line) {
    size_t semi = line.find(';');
    if (semi != std::string_view::npos)
        line = line.substr(0, semi);
    size_t open = line.find('[');
    if (open == std::string_view::npos)
        return {};
    // A key line whose value holds a bracketed name ("CompanyName=Acme [..]")
    // is a value, never a marker: removing it as a header block would take
    // the rest of the file with it.
    if (line.substr(0, open).find('=') != std::string_view::npos)
        return {};
    line = line.substr(open + 1);
    size_t close = line.find(']');
    if (close != std::string_view::npos)
        line = line.substr(0, close);
    return Trim(line);
}

std::string WScriptHeader::CurrentUserName() {
    const std::string native = UserLoginName();
    std::string name;
    if (!Utf8ToCp1252(native, name)) {
        // A name Windows-1252 cannot hold: keep its ASCII part readable.
        name.clear();
        for (char c : native) {
            if (static_cast<unsigned char>(c) < 0x80) {
                name += c;
            } else if (static_cast<unsigned char>(c) >= 0xC0 || name.empty() ||
                       name.back() != '?') {
                name += '?';
            }
        }
    }
    if (name.size() > 255)
        name.resize(255);
    return name;
}

std::string WScriptHeader::CurrentTimeStamp() {
    std::time_t now = BuildTime();
    std::tm local{};
    LocalTimeOf(now, local);
    return Format("%d/%d/%d   %d:%d:%d", local.tm_mday, local.tm_mon + 1, local.tm_year + 1900,
                  local.tm_hour, local.tm_min, local.tm_sec);
}

std::string WScriptHeader::ChecksumText() const {
    return Format("%x:%x:%x", static_cast<unsigned>(static_cast<uint32_t>(sum_)),
                  static_cast<unsigned>(lines_), static_cast<unsigned>(skipped_));
}

std::string WScriptHeader::StampedText(std::vector<std::string> lines) {
    // Drop every old header block; one without an end runs to the end of file.
    for (size_t i = 0; i < lines.size();) {
        if (SectionNameOf(lines[i]) != kStartName) {
            ++i;
            continue;
        }
        size_t j = i + 1;
        while (j < lines.size() && SectionNameOf(lines[j]) != kEndName)
            ++j;
        lines.erase(lines.begin() + static_cast<long>(i),
                    lines.begin() + static_cast<long>(j < lines.size() ? j + 1 : j));
    }
    // The header ends with a line break, so an empty body reads back as one
    // empty line; count it that way, or the file would fail its own check.
    if (lines.empty())
        lines.emplace_back();

    Checksum check;
    for (const std::string& line : lines)
        check.Add(line);
    sum_ = static_cast<int32_t>(check.sum);
    lines_ = check.lines;
    skipped_ = check.skipped;

    if (version_.empty())
        version_ = kDefaultVersion;
    timeStamp_ = CurrentTimeStamp();
    lastUser_ = CurrentUserName();

    std::string text;
    auto headerLine = [&text](std::string_view s) {
        text.append(s);
        text.append("\r\n");
    };
    headerLine(std::string("[") + kStartName + "]");
    headerLine("ModuleType=" + moduleType_);
    headerLine("Version=" + version_);
    headerLine("TimeStamp=" + timeStamp_);
    headerLine("LastUser=" + lastUser_);
    headerLine("Checksum=" + ChecksumText());
    for (const std::string& extra : extraLines_)
        headerLine(extra);
    headerLine(std::string("[") + kEndName + "]");
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i)
            text.append("\r\n");
        text.append(lines[i]);
    }
    return text;
}

bool WScriptHeader::Stamp(std::string* error) {
    if (!IsFile(filePath_)) {
        if (error)
            *error = ErrnoText(filePath_);
        return false;
    }
    // Write through a symbolic link to the file it names, as an in-place
    // rewrite would, instead of replacing the link.
    std::string target = filePath_;
    std::error_code ec;
    std::filesystem::path native = ToNative(filePath_);
    if (std::filesystem::is_symlink(native, ec)) {
        std::filesystem::path resolved = std::filesystem::canonical(native, ec);
        std::string engine;
        if (!ec && FromNative(resolved, engine))
            target = engine;
    }

    // Whole lines of any length: the new file is built in memory and
    // replaces the old one only when it has been written completely.
    TextReader in;
    if (!OpenLines(in, target)) {
        if (error)
            *error = ErrnoText(target);
        return false;
    }
    std::vector<std::string> lines;
    std::string line;
    for (;;) {
        PumpMessage();
        if (!in.ReadLine(line))
            break;
        lines.push_back(line);
    }
    if (in.Failed()) {
        if (error)
            *error = ErrnoText(target);
        return false;
    }
    // Closed before the new file takes its place: Windows replaces no file
    // that is open.
    in.Close();
    // A read-only script was made so on purpose: it is refused, not replaced.
    return WriteFileAtomic(target, StampedText(std::move(lines)), error, ReadOnlyFile::kRefuse);
}

// Lines of kLongLineLength characters or more set kLongLine: the setup
// engine reads lines into a fixed buffer and would see such a line in
// pieces. This reader keeps every line whole and counts it as one line with
// all its characters, as Stamp() does, so a freshly stamped file with a long
// line still verifies (only kLongLine is reported).
// One header block's values as the file holds them. A key that the block
// lacks stays unset, so that taking the block keeps the object's value.
struct WScriptHeader::Stored {
    std::optional<std::string> moduleType, timeStamp, lastUser, version;
    bool hasChecksum = false;
    uint32_t sum = 0, lines = 0, skipped = 0;
    std::vector<std::string> extraLines;

    // One line between the markers: a key of ours, a comment or another line
    // that is kept as it stands.
    void Take(const std::string& line) {
        if (!line.empty() && line[0] == ';') {
            extraLines.push_back(line);
            return;
        }
        std::string key, value;
        SplitKeyValue(line, key, value);
        if (key == "ModuleType") {
            moduleType = value;
        } else if (key == "TimeStamp") {
            timeStamp = value;
        } else if (key == "LastUser") {
            lastUser = value;
        } else if (key == "Version") {
            version = value;
        } else if (key == "Checksum") {
            std::vector<std::string> parts = Split(value, ':');
            hasChecksum = true;
            sum = ParseHex(parts[0]);
            lines = parts.size() > 1 ? ParseHex(parts[1]) : 0;
            skipped = parts.size() > 2 ? ParseHex(parts[2]) : 0;
        } else if (!Trim(line).empty()) {
            extraLines.push_back(line);
        }
    }
};

int WScriptHeader::Read(bool update, bool verify) {
    sawStart_ = sawEnd_ = false;
    TextReader in;
    if (!OpenLines(in, filePath_)) {
        if (update)
            loaded_ = true;
        return kCannotOpen;
    }
    const int bits = ReadFrom([&](std::string& line) { return in.ReadLine(line); }, update, verify);
    return in.Failed() ? bits | kCannotOpen : bits;
}

int WScriptHeader::ReadText(std::string_view bytes, bool update, bool verify) {
    sawStart_ = sawEnd_ = false;
    // The lines as OpenLines gives them: split at LF, a CR before the LF
    // dropped, one further empty line after a final line break.
    size_t start = 0;
    bool done = bytes.empty();
    return ReadFrom(
        [&](std::string& line) {
            if (done)
                return false;
            const size_t nl = bytes.find('\n', start);
            if (nl == std::string_view::npos) {
                line.assign(bytes.substr(start));
                done = true;
                return true;
            }
            size_t end = nl;
            if (end > start && bytes[end - 1] == '\r')
                --end;
            line.assign(bytes.substr(start, end - start));
            start = nl + 1;
            return true;
        },
        update, verify);
}

int WScriptHeader::ReadFrom(const std::function<bool(std::string&)>& readLine, bool update,
                            bool verify) {
    int bits = 0;

    // The lines outside the header block make the computed checksum; the
    // block's own values are compared with it whether or not they are taken
    // into this object.
    Checksum computed;
    Stored stored;
    std::string line;
    auto next = [&]() {
        PumpMessage();
        if (!readLine(line))
            return false;
        if (line.size() >= kLongLineLength)
            bits |= kLongLine;
        return true;
    };
    while (next()) {
        if (SectionNameOf(line) != kStartName) {
            if (verify) {
                computed.Add(line);
            } else if (sawEnd_) {
                break;
            }
            continue;
        }
        if (sawEnd_) {
            bits |= kSecondHeader;
            break;
        }
        sawStart_ = true;
        while (next()) {
            if (SectionNameOf(line) == kEndName) {
                sawEnd_ = true;
                break;
            }
            stored.Take(line);
        }
    }
    if (update && sawStart_)
        TakeStored(stored);
    if (verify)
        bits |= Verify(stored, computed.sum, computed.lines, computed.skipped, update);
    if (update)
        loaded_ = true;
    return bits;
}

void WScriptHeader::TakeStored(const Stored& stored) {
    extraLines_ = stored.extraLines;
    if (stored.moduleType)
        moduleType_ = *stored.moduleType;
    if (stored.timeStamp)
        timeStamp_ = *stored.timeStamp;
    if (stored.lastUser)
        lastUser_ = *stored.lastUser;
    if (stored.version)
        version_ = *stored.version;
    if (stored.hasChecksum) {
        sum_ = static_cast<int32_t>(stored.sum);
        lines_ = stored.lines;
        skipped_ = stored.skipped;
    }
}

int WScriptHeader::Verify(const Stored& stored, uint32_t sum, uint32_t lines, uint32_t skipped,
                          bool update) {
    if (!sawStart_)
        return kNoHeader;
    int bits = 0;
    if (sum != stored.sum)
        bits |= kSumDiffers;
    if (lines != stored.lines)
        bits |= kLinesDiffer;
    if (skipped != stored.skipped)
        bits |= kSkippedDiffer;
    if (update) {
        sum_ = static_cast<int32_t>(sum);
        lines_ = lines;
        skipped_ = skipped;
    }
    return bits;
}

const std::string& WScriptHeader::GetModuleType() {
    if (!loaded_)
        Read(true, false);
    return moduleType_;
}

const std::string& WScriptHeader::GetVersion() {
    if (!loaded_)
        Read(true, false);
    return version_;
}

}  // namespace vantrel
