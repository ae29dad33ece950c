#include "project/truetype_name.h"

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/encoding.h"
#include "platform/file_handle.h"
#include "platform/paths.h"
#include "platform/strings.h"

namespace vantrel {

namespace {

constexpr uint64_t kTableDirectoryStart = 12;
constexpr uint64_t kTableRecordSize = 16;
constexpr uint64_t kNameHeaderSize = 6;
constexpr uint64_t kNameRecordSize = 12;
constexpr uint16_t kEnglishUS = 0x0409;
constexpr uint16_t kFullNameId = 4;

// Bounded big-endian reads from the open font file. Every read is checked
// against the file's size first, so that an offset or a length from the file
// can never take the reader past its end.
class FontBytes {
  public:
    bool Open(std::string_view path, std::string& why) {
        if (!file_.Open(path, FileHandle::Mode::kReadFileOnly)) {
            why = std::strerror(errno);
            return false;
        }
        FileInfo info;
        if (!file_.Info(info)) {
            why = std::strerror(errno);
            return false;
        }
        size_ = info.size;
        return true;
    }

    // Whether `count` bytes from `offset` lie inside the file.
    bool Holds(uint64_t offset, uint64_t count) const {
        return offset <= size_ && count <= size_ - offset;
    }

    bool Bytes(uint64_t offset, size_t count, unsigned char* out) {
        size_t got = 0;
        return Holds(offset, count) &&
               file_.ReadFullAt(static_cast<int64_t>(offset), out, count, got) && got == count;
    }

    bool U16(uint64_t offset, uint16_t& value) {
        unsigned char b[2];
        if (!Bytes(offset, 2, b))
            return false;
        value = static_cast<uint16_t>((b[0] << 8) | b[1]);
        return true;
    }

    bool U32(uint64_t offset, uint32_t& value) {
        unsigned char b[4];
        if (!Bytes(offset, 4, b))
            return false;
        value = (uint32_t{b[0]} << 24) | (uint32_t{b[1]} << 16) | (uint32_t{b[2]} << 8) | b[3];
        return true;
    }

  private:
    FileHandle file_;
    uint64_t size_ = 0;
};

// One 16-bit character of a name string as a Windows-1252 character.
char FontCharacter(uint16_t unit) {
    if (unit <= 0xFF)
        return static_cast<char>(unit);
    for (int byte = 0x80; byte <= 0x9F; ++byte) {
        if (Cp1252ToUnicode(static_cast<unsigned char>(byte)) == unit)
            return static_cast<char>(byte);
    }
    return '?';
}

// The name string of `length` bytes at `offset`, cut at kFontNameByteLimit.
bool ReadNameString(FontBytes& font, uint64_t offset, uint16_t length, std::string& out) {
    size_t count = length < kFontNameByteLimit ? length : kFontNameByteLimit;
    unsigned char bytes[kFontNameByteLimit];
    if (!font.Bytes(offset, count, bytes))
        return false;
    out.clear();
    for (size_t i = 0; i + 1 < count; i += 2) {
        const uint16_t unit = static_cast<uint16_t>((bytes[i] << 8) | bytes[i + 1]);
        // A name ends at a NUL character, as the system reads it.
        if (unit == 0)
            break;
        out += FontCharacter(unit);
    }
    return true;
}

// Walks one "name" table at `table` (`length` bytes); the last US-English
// full name found replaces `fullName`. False with `why` when the table does
// not fit in the file.
bool ReadNameTable(FontBytes& font, uint32_t table, uint32_t length, std::string& fullName,
                   std::string& why) {
    uint16_t count = 0;
    uint16_t storage = 0;
    if (!font.Holds(table, length) || !font.U16(uint64_t{table} + 2, count) ||
        !font.U16(uint64_t{table} + 4, storage)) {
        why = "the name table lies past the end of the file";
        return false;
    }
    const uint64_t records = uint64_t{table} + kNameHeaderSize;
    if (!font.Holds(records, kNameRecordSize * count)) {
        why = "the name records run past the end of the file";
        return false;
    }
    for (uint64_t r = records; r < records + kNameRecordSize * count; r += kNameRecordSize) {
        uint16_t language = 0;
        uint16_t id = 0;
        uint16_t size = 0;
        uint16_t offset = 0;
        if (!font.U16(r + 4, language) || !font.U16(r + 6, id) || !font.U16(r + 8, size) ||
            !font.U16(r + 10, offset)) {
            why = "the name records cannot be read";
            return false;
        }
        if (language != kEnglishUS || id != kFullNameId)
            continue;
        const uint64_t start = uint64_t{table} + storage + offset;
        // The whole string must be there, not only the part that is kept.
        if (!font.Holds(start, size) || !ReadNameString(font, start, size, fullName)) {
            why = "the full name lies past the end of the file";
            return false;
        }
    }
    return true;
}

}  // namespace

std::string ReadFontName(std::string_view path, std::string* error) {
    if (error)
        error->clear();
    auto refuse = [&](const std::string& why) {
        if (error)
            *error = DisplayPath(path) + ": not a readable TrueType font (" + why + ")";
        return std::string();
    };

    FontBytes font;
    std::string why;
    if (!font.Open(path, why))
        return refuse(why);
    uint16_t tables = 0;
    if (!font.U16(4, tables) || !font.Holds(0, kTableDirectoryStart))
        return refuse("the file is too short");
    if (!font.Holds(kTableDirectoryStart, kTableRecordSize * tables))
        return refuse("the table directory runs past the end of the file");

    std::string fullName;
    for (uint64_t r = kTableDirectoryStart; r < kTableDirectoryStart + kTableRecordSize * tables;
         r += kTableRecordSize) {
        unsigned char tag[4];
        if (!font.Bytes(r, 4, tag))
            return refuse("the table directory cannot be read");
        uint32_t offset = 0;
        uint32_t length = 0;
        if (!font.U32(r + 8, offset) || !font.U32(r + 12, length))
            return refuse("the table directory cannot be read");
        // Only the table that is read must fit: a truncated or lying entry of
        // another table does not hide the name.
        if (std::memcmp(tag, "name", 4) != 0)
            continue;
        if (!font.Holds(offset, length))
            return refuse("the name table lies past the end of the file");
        if (!ReadNameTable(font, offset, length, fullName, why))
            return refuse(why);
    }
    return fullName;
}

bool IsFontFileName(std::string_view fileName) {
    return EndsWithNoCase(fileName, "ttf");
}

}  // namespace vantrel
