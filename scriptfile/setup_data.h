// A script held in memory as its lines: section lines "[Name]", key lines
// "key=value" and plain lines (everything else). Lookups go by section and
// key; SaveAs writes the lines and stamps the file's header block.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scriptfile/script_header.h"

namespace vantrel {

class WSetupData {
  public:
    WSetupData();
    virtual ~WSetupData() = default;

    // Reads the script at `path`; without `append` the lines and the
    // plain-line index are emptied first. Lines are trimmed; only the lines
    // of kept sections (see KeepsSection) are taken. Returns 1 when the file
    // could be opened, 0 otherwise (the lines then stay as they were after
    // the optional emptying).
    int Load(const std::string& path, bool append = false);
    // The same from lines in memory (file lines without their line ends).
    void LoadLines(const std::vector<std::string>& lines, bool append = false);

    // Writes the lines (CR LF between two lines, none after the last) to
    // `path` and stamps the header block; the file is replaced only when
    // everything was written. False when the file cannot be written; an
    // existing file is then left as it was.
    bool SaveAs(const std::string& path);
    // The bytes SaveAs would write: header block plus lines.
    std::string StampedText();

    // Value of `key` in `section` (last matching line of the section wins),
    // or empty; returns 1 when found, 0 otherwise. Names compare exactly.
    int GetValue(const std::string& section, const std::string& key, std::string& out) const;
    // Changes the first matching key line of `section` (keeping its key text
    // as written). When there is none and `addIfMissing` is set, inserts
    // "key=value" right after the section line, or appends "[section]" and
    // the key line at the end when the section is missing or is the last line.
    void SetValue(const std::string& section, const std::string& key, const std::string& value,
                  bool addIfMissing = true);

    const std::vector<std::string>& Lines() const { return lines_; }
    // Positions (0-based) of the lines that are neither section nor key lines.
    const std::vector<int>& PlainLines() const { return plainLines_; }
    void Clear();

    WScriptHeader& Header() { return header_; }
    const WScriptHeader& Header() const { return header_; }

    // Line classification shared by the readers of such scripts.
    static bool IsSectionLine(std::string_view line);
    // Text between "[" and "]" (to the end when there is no "]").
    static std::string SectionNameOf(std::string_view line);
    // A line with "=" and a non-blank key before it; key and value trimmed.
    static bool SplitKeyLine(std::string_view line, std::string* key, std::string* value);

  protected:
    // Whether Load keeps the lines of the section `name`. The plain data
    // object keeps every section except a stamped header block, which
    // belongs to the header object.
    virtual bool KeepsSection(const std::string& name) const;

  private:
    void AddLine(std::string line);
    void RebuildPlainLines();

    std::vector<std::string> lines_;
    std::vector<int> plainLines_;
    WScriptHeader header_;
};

}  // namespace vantrel
