// The header block that heads every stamped setup script:
//
//   [Oxbel Setup Header]
//   ModuleType=PRODUCT
//   Version=9.001
//   TimeStamp=6/12/2026   9:5:3
//   LastUser=jane
//   Checksum=126:1:0
//   ; extra lines (comments, unknown keys) kept from an older header
//   [Oxbel Setup Header End]
//
// followed by the body: every other line of the file, CR LF between two lines
// and no line break after the last one. The checksum covers the body: the
// character sum (each non-blank byte as a signed 8-bit value, 32-bit
// wrapping), the line count and the count of blank characters, each written
// as unsigned lower-case hex without leading zeros.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

class WScriptHeader {
  public:
    // Bits of the result of Read().
    enum ReadBits : int {
        kCannotOpen = 1,      // the file could not be opened; nothing was read
        kLongLine = 2,        // a line of kLongLineLength characters or more
        kNoHeader = 4,        // a verifying read found no header block
        kSumDiffers = 8,      // computed character sum differs from the stored one
        kLinesDiffer = 16,    // computed line count differs
        kSkippedDiffer = 32,  // computed blank-character count differs
        kSecondHeader = 64,   // a second header start after a complete header
    };
    // Lines this long were split by the setup engine's fixed line buffer, so
    // Read() flags them; this program itself keeps them whole.
    static constexpr size_t kLongLineLength = 2046;
    static constexpr const char* kStartName = "Oxbel Setup Header";
    static constexpr const char* kEndName = "Oxbel Setup Header End";
    static constexpr const char* kDefaultVersion = "9.001";

    WScriptHeader() = default;
    virtual ~WScriptHeader() = default;

    // Rewrites the file named by FilePath() with a fresh header in front of
    // its body (old header blocks removed). False when the file cannot be
    // read or the new contents cannot be written; the file is then unchanged
    // and `error` (when given) names the file and the system's reason.
    bool Stamp(std::string* error = nullptr);
    // Reads the header of FilePath() and returns the ReadBits found. With
    // `update` the values are stored in this object (and Loaded() is set);
    // with `verify` the checksum is recomputed over the body and compared
    // with the one stored in the file.
    int Read(bool update, bool verify);
    // The same for a script at hand as `bytes` (FilePath() is not read).
    int ReadText(std::string_view bytes, bool update, bool verify);

    // Read lazily (Read(true, false)) while nothing is loaded.
    const std::string& GetModuleType();
    const std::string& GetVersion();

    void SetFilePath(std::string_view path) { filePath_ = std::string(path); }
    const std::string& FilePath() const { return filePath_; }
    void SetModuleType(std::string_view type) { moduleType_ = std::string(type); }
    const std::string& ModuleType() const { return moduleType_; }
    void SetVersion(std::string_view version) { version_ = std::string(version); }
    const std::string& Version() const { return version_; }

    bool Loaded() const { return loaded_; }
    const std::string& TimeStamp() const { return timeStamp_; }
    const std::string& LastUser() const { return lastUser_; }
    int32_t ChecksumSum() const { return sum_; }
    uint32_t ChecksumLines() const { return lines_; }
    uint32_t ChecksumSkipped() const { return skipped_; }
    // "<sum>:<lines>:<skipped>" in lower-case hex, as the Checksum line holds it.
    std::string ChecksumText() const;
    const std::vector<std::string>& ExtraLines() const { return extraLines_; }

    // What the last Read() met: a header start, and the end of that block.
    bool SawHeaderStart() const { return sawStart_; }
    bool SawHeaderEnd() const { return sawEnd_; }

    // --- Building blocks, also used by the script data object to stamp in
    // --- memory before writing a file once.

    // The stamped file contents for `lines` (the file's lines as read): old
    // header blocks are removed, the checksum computed, version, time stamp
    // and user set, and header plus body returned as bytes.
    std::string StampedText(std::vector<std::string> lines);
    // Splits file bytes into lines as a reader of the file sees them: at LF,
    // a CR before the LF dropped, and one further empty line when the text
    // ends with a line break. Lines are kept whole whatever their length.
    static std::vector<std::string> SplitLines(std::string_view bytes);
    // Section name of a line: text after the first "[" up to "]", trimmed,
    // with anything from the first ";" dropped first. A line with "=" before
    // its first "[" is a key line and has none.
    static std::string SectionNameOf(std::string_view line);
    // The logged-on user's name (at most 255 characters) and the local time
    // in the "d/m/yyyy   h:m:s" form.
    static std::string CurrentUserName();
    static std::string CurrentTimeStamp();

  private:
    struct Stored;
    // Read() over the lines that `readLine` gives one at a time.
    int ReadFrom(const std::function<bool(std::string&)>& readLine, bool update, bool verify);
    // Takes the values that the file's header block holds.
    void TakeStored(const Stored& stored);
    // Compares the block's checksum with the one computed over the file's
    // other lines; the differences as Read's bits (kNoHeader without a block).
    int Verify(const Stored& stored, uint32_t sum, uint32_t lines, uint32_t skipped, bool update);

    std::string filePath_;
    std::string moduleType_;
    std::string timeStamp_;
    std::string lastUser_;
    int32_t sum_ = 0;
    uint32_t lines_ = 0;
    uint32_t skipped_ = 0;
    std::string version_;
    std::vector<std::string> extraLines_;
    bool loaded_ = false;
    bool sawStart_ = false;
    bool sawEnd_ = false;
};

}  // namespace vantrel
