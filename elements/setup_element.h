// Setup elements: one action of a generated setup (copy a file, write a
// registry value, make a shortcut, ...) held as an object and stored as one
// comma-terminated record line of the component script.
//
// Record syntax shared by every element type:
//   - every field, the last one included, is followed by one ",";
//   - no quoting: a field never contains "," (the writer replaces one by ";");
//   - flags are "1"/"0"; on reading, an empty flag field gives 1, "1" and "0"
//     give 1 and 0, anything else leaves the flag as it was;
//   - integers are decimal (leading digits only, malformed text gives 0);
//     `Mode` is octal without a sign and an empty field keeps 644;
//   - after reading, an empty `SelectMask` is padded with '1' to 32
//     characters and an empty or short `OsMask` with '1' to 5 characters;
//   - fields missing at the end read as empty, extra fields are ignored.
//
// The concrete element classes live in one file each (setup_file.h,
// setup_reg_entry.h, ...); this header holds the base class, the type codes
// and their section keywords, the record layouts, the element map and the
// "%name%" string references.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <shared_mutex>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "elements/shared_text.h"

namespace vantrel {

// Element type codes. A component keeps one element list per code, and the
// records of a type are written under the section keyword + level
// ("File0", "Shortcut1"). A new type is a code here, its class, and its row
// (keyword, search rank, class) in element_types.cpp.
enum ElementType : int {
    kElementNone = -1,
    kElementBackFile = 0,          // "BackFile", WSetupBackupFile
    kElementDir = 1,               // "Dir", WSetupDir
    kElementTTFFile = 2,           // "TTFFile", WSetupTTFFile
    kElementProfile = 3,           // "Profle", WSetupProfileString
    kElementCustFile = 4,          // "CustFile", WSetupCustFile
    kElementRegFile = 5,           // "RegFile", WSetupRegFile
    kElementShortcut = 6,          // "Shortcut", WSetupShortcut
    kElementExecute = 7,           // "Execute", WSetupExecutable
    kElementCustomDll = 8,         // "CustomDll", WSetupCustomDLL
    kElementRuntimeFile = 9,       // "RuntimeFile", WSetupRuntimeFile
    kElementRuntimeRegEntry = 10,  // "RuntimeRegEntry", WSetupRuntimeRegEntry
    kElementDeleteFile = 11,       // "DeleteFile", WSetupDeleteFile
    kElementSelfRegister = 12,     // "SelfRegister", WSetupSelfRegFile
    kElementFile = 13,             // "File", WSetupFile
    kElementUninstallExe = 14,     // "UninstallExe", WUnistallExecutable
    kElementUninstallDll = 15,     // "UninstallDLL", WUninstallCustomDLL
    kElementRegistryKeys = 16,     // "RegistryKeys", WSetupRegEntry
};
constexpr int kElementTypeCount = 17;
// The types that copy a file of the application: plain files and fonts.
inline constexpr int kFileElementTypes[] = {kElementFile, kElementTTFFile};

// The section keyword of a type code; "" outside 0..16.
std::string ElementTypeName(int typeCode);
// The type code of a section name: the first keyword (exact case) found in
// `text` as a substring, searched in an order that puts the longer keywords
// before the ones they contain ("BackFile2" is 0, "File4" is 13); -1 when
// none is found.
int ElementTypeFromName(std::string_view text);

class WSetupElement;

// A new element of the class of `typeCode` with its defaults; null outside 0..16.
std::unique_ptr<WSetupElement> CreateElement(int typeCode);
// A new element of the class of `typeCode` read from `record`; null outside 0..16.
std::unique_ptr<WSetupElement> CreateElement(int typeCode, std::string_view record, bool expand);
// A new element by class name ("WSetupFile", "WSetupElement", ...); null for
// an unknown name.
std::unique_ptr<WSetupElement> CreateElementByClassName(std::string_view className);
// The class name of a type code ("WSetupFile" for 13); "" outside 0..16.
std::string ElementClassName(int typeCode);

// Reads the fields of a record one at a time: the text up to the next ","
// is a field; when no "," is left the whole rest is the last field, and
// after that every field reads as empty. The Read* calls apply the field
// encodings and remember whether a field was malformed.
class RecordReader {
  public:
    RecordReader(std::string_view record, bool expand) : rest_(record), expand_(expand) {}

    // The next field as it stands.
    std::string_view Next();
    // Whether no text is left (every further field is empty).
    bool AtEnd() const { return rest_.empty(); }
    // Whether the next field is the last one of the record: no "," follows it,
    // or only its terminating "," does.
    bool NextIsLast() const;

    void Skip() { Next(); }
    void ReadString(std::string& out) { out = std::string(Next()); }
    void ReadString(SharedText& out);
    // A string field that goes through ExpandStringRefs when expanding.
    void ReadExpandable(std::string& out);
    void ReadFlag(int& flag);
    void ReadInt(int& value);
    void ReadSize(double& value);
    void ReadOctal(int& value);
    // A mask ends at a NUL (the field is malformed then).
    void ReadMask(std::string& mask);
    void ReadMask(SharedText& mask);

    bool Malformed() const { return malformed_; }

  private:
    std::string_view rest_;
    bool expand_;
    bool malformed_ = false;
};

// Builds a record: each call appends one field and its ",".
class RecordWriter {
  public:
    explicit RecordWriter(size_t reserve = 128) { text_.reserve(reserve); }
    // A string field; "," becomes ";" and line breaks become blanks so that
    // the record keeps its fields.
    RecordWriter& String(std::string_view s);
    // A mask field: the text up to a NUL, if any (see RecordReader::ReadMask).
    RecordWriter& Mask(std::string_view s);
    RecordWriter& Flag(int flag);
    RecordWriter& Int(long long value);
    // An octal mode; a negative value is written as kDefaultMode.
    RecordWriter& Octal(int value);
    // Size with six decimals ("%f").
    RecordWriter& Fixed6(double value);
    // The whole part of a size, in decimal.
    RecordWriter& WholeSize(double value);
    RecordWriter& Empty() {
        text_ += ',';
        return *this;
    }
    std::string Take() { return std::move(text_); }

  private:
    std::string text_;
};

// How a record field is encoded.
enum class FieldKind {
    kText,        // as it stands
    kExpandable,  // as it stands; string references replaced when expanding
    kMask,        // '0'/'1' characters
    kFlag,        // "1"/"0"
    kInt,         // decimal
    kOctal,       // octal (the Mode)
    kSize,        // read as a decimal integer, written with six decimals
    kWholeSize,   // read as a decimal integer, written as one
};

// One field of a record layout: its encoding and the member of `Element`
// that holds it (texts that many elements share are SharedText members). An element class lists its
// fields once, in record order, and reads and writes its records from that list (ReadFields,
// WriteFields), so that reading and writing cannot drift apart.
template <class Element>
struct RecordField {
    static constexpr RecordField Text(std::string Element::*m) { return {FieldKind::kText, m}; }
    static constexpr RecordField Expandable(std::string Element::*m) {
        return {FieldKind::kExpandable, m};
    }
    static constexpr RecordField Mask(std::string Element::*m) { return {FieldKind::kMask, m}; }
    static constexpr RecordField Text(SharedText Element::*m) {
        return {FieldKind::kText, nullptr, nullptr, nullptr, m};
    }
    static constexpr RecordField Mask(SharedText Element::*m) {
        return {FieldKind::kMask, nullptr, nullptr, nullptr, m};
    }
    static constexpr RecordField Flag(int Element::*m) { return {FieldKind::kFlag, nullptr, m}; }
    static constexpr RecordField Int(int Element::*m) { return {FieldKind::kInt, nullptr, m}; }
    static constexpr RecordField Octal(int Element::*m) { return {FieldKind::kOctal, nullptr, m}; }
    static constexpr RecordField Size(double Element::*m) {
        return {FieldKind::kSize, nullptr, nullptr, m};
    }
    static constexpr RecordField WholeSize(double Element::*m) {
        return {FieldKind::kWholeSize, nullptr, nullptr, m};
    }

    FieldKind kind;
    std::string Element::*text = nullptr;
    int Element::*number = nullptr;
    double Element::*real = nullptr;
    SharedText Element::*shared = nullptr;
};

template <class Element>
using RecordLayout = std::span<const RecordField<Element>>;

// Reads the fields of `layout` from `r` into `e`.
template <class Element>
void ReadFields(RecordReader& r, std::type_identity_t<Element>& e, RecordLayout<Element> layout) {
    for (const RecordField<Element>& f : layout) {
        if (f.shared) {
            if (f.kind == FieldKind::kMask)
                r.ReadMask(e.*f.shared);
            else
                r.ReadString(e.*f.shared);
            continue;
        }
        switch (f.kind) {
            case FieldKind::kText:
                r.ReadString(e.*f.text);
                break;
            case FieldKind::kExpandable:
                r.ReadExpandable(e.*f.text);
                break;
            case FieldKind::kMask:
                r.ReadMask(e.*f.text);
                break;
            case FieldKind::kFlag:
                r.ReadFlag(e.*f.number);
                break;
            case FieldKind::kInt:
                r.ReadInt(e.*f.number);
                break;
            case FieldKind::kOctal:
                r.ReadOctal(e.*f.number);
                break;
            case FieldKind::kSize:
            case FieldKind::kWholeSize:
                r.ReadSize(e.*f.real);
                break;
        }
    }
}

// Appends the fields of `layout`, taken from `e`, to `w`.
template <class Element>
void WriteFields(RecordWriter& w, const std::type_identity_t<Element>& e,
                 RecordLayout<Element> layout) {
    for (const RecordField<Element>& f : layout) {
        if (f.shared) {
            if (f.kind == FieldKind::kMask)
                w.Mask((e.*f.shared).str());
            else
                w.String((e.*f.shared).str());
            continue;
        }
        switch (f.kind) {
            case FieldKind::kText:
            case FieldKind::kExpandable:
                w.String(e.*f.text);
                break;
            case FieldKind::kMask:
                w.Mask(e.*f.text);
                break;
            case FieldKind::kFlag:
                w.Flag(e.*f.number);
                break;
            case FieldKind::kInt:
                w.Int(e.*f.number);
                break;
            case FieldKind::kOctal:
                w.Octal(e.*f.number);
                break;
            case FieldKind::kSize:
                w.Fixed6(e.*f.real);
                break;
            case FieldKind::kWholeSize:
                w.WholeSize(e.*f.real);
                break;
        }
    }
}

class WSetupElement {
  public:
    static constexpr int kDefaultMode = 0644;
    static constexpr size_t kOsMaskLength = 5;
    static constexpr size_t kSelectMaskLength = 32;

    WSetupElement();
    // Defaults, then ReadRecord(record, expand).
    WSetupElement(std::string_view record, bool expand);
    virtual ~WSetupElement();
    WSetupElement(const WSetupElement&) = default;
    WSetupElement& operator=(const WSetupElement&) = default;

    // Name of the element's class ("WSetupElement", "WSetupFile", ...).
    virtual const char* ClassName() const;
    // A copy of the element with its own class.
    virtual std::unique_ptr<WSetupElement> Clone() const;

    // Parses a record of this class's layout into the element. Always takes
    // what it can (malformed numbers read as 0, missing fields as empty);
    // the result is false when a field was malformed: a number that is not
    // one, a flag other than "", "0" or "1", or a mask with characters other
    // than '0' and '1'. With `expand`, the fields that the layout marks
    // expandable pass through ExpandStringRefs first.
    virtual bool ReadRecord(std::string_view record, bool expand);
    // The record text of the element, ending with ",".
    virtual std::string WriteRecord() const;
    // The line written to the component script (the record).
    std::string GetScriptLine() const { return WriteRecord(); }
    // The record as it describes an installed element; "" for most types.
    virtual std::string GetInstalledRecord() const;

    // The first field of every record: in a component script the name of the
    // owning component. Not part of the element's identity (see the map).
    const std::string& GetTag() const { return tag_.str(); }
    void SetTag(std::string_view tag) { tag_ = tag; }

    const std::string& GetSourceDir() const { return sourceDir_.str(); }
    void SetSourceDir(std::string_view v) { sourceDir_ = v; }
    const std::string& GetSourceName() const { return sourceName_; }
    void SetSourceName(std::string v) {
        KeepSavedSourceName();
        sourceName_ = std::move(v);
    }
    const std::string& GetTargetDir() const { return targetDir_.str(); }
    void SetTargetDir(std::string_view v) { targetDir_ = v; }
    const std::string& GetTargetName() const { return targetName_; }
    void SetTargetName(std::string v) { targetName_ = std::move(v); }
    // The target as one stored path: TargetDir joined with TargetName, or
    // TargetDir alone when the element names no file (a folder, a registry
    // entry).
    std::string GetTargetPath() const;
    // '1'/'0' per system: Windows 95, NT 4, Windows 98, Windows 2000, a fifth.
    const std::string& GetOsMask() const { return osMask_.str(); }
    void SetOsMask(std::string_view v) { osMask_ = v; }
    // 32 characters '1'/'0', matched against the component manager's selection.
    const std::string& GetSelectMask() const { return selectMask_.str(); }
    void SetSelectMask(std::string_view v) { selectMask_ = v; }
    double GetSize() const { return size_; }
    void SetSize(double size) { size_ = size; }
    int GetUninstall() const { return uninstall_; }
    void SetUninstall(int v) { uninstall_ = v; }
    int GetAuxFlag() const { return auxFlag_; }
    void SetAuxFlag(int v) { auxFlag_ = v; }
    int GetMode() const { return mode_; }
    void SetMode(int v) { mode_ = v; }
    int GetTypeCode() const { return typeCode_; }
    int GetStatus() const { return status_; }
    // A free text kept with the element; never written to a record.
    const std::string& GetNote() const { return note_.str(); }
    void SetNote(std::string_view v) { note_ = v; }

    // Selection state as the owning component sets it: 1 not selected,
    // 2 selected, 3 partly; 1 for a new element.
    int GetSelection() const { return selection_; }
    void Select(int state) { selection_ = state; }
    bool IsSelected() const { return selection_ >= 2; }

    // The masks as numbers: `OsMask` needs at least 5 characters and uses all
    // of them (first = most significant), `SelectMask` needs at least 32 and
    // uses its first 32 (first = bit 31). Any other character than '0'/'1'
    // in the used part, or a mask too short, gives 0.
    uint32_t OsMaskValue() const;
    uint32_t SelectMaskValue() const;
    // Whether the element belongs to a setup for `systemMask` and
    // `selectionMask`: both masks share at least one bit with them.
    bool MatchesMasks(uint32_t systemMask, uint32_t selectionMask) const;

    // Mask text to number, as above, for a mask of at least `minLength`
    // characters of which the first `maxLength` are used.
    static uint32_t MaskValue(std::string_view mask, size_t minLength, size_t maxLength);

    // Whether `text` can be a record field as it is (no ",", no line break,
    // no NUL). Pages use it to refuse such input.
    static bool IsValidFieldText(std::string_view text);

  protected:
    explicit WSetupElement(int typeCode);

    // Pads the masks after reading: an empty `SelectMask` becomes "1", then
    // `SelectMask` is padded with '1' to 32 characters; an empty `OsMask`
    // becomes "11111", a shorter one is padded with '1' to 5 characters.
    void NormaliseMasks();

    // The record layout of the elements that name only a target: Tag,
    // TargetDir, TargetName, OsMask, SelectMask, AuxFlag and the octal Mode.
    static RecordLayout<WSetupElement> TargetOnlyFields();

    // Called before the source name changes: an element that keeps the
    // source name as read, and keeps it as "the same as the source name",
    // takes its own copy now.
    virtual void KeepSavedSourceName() {}

    // Component names, folders and masks recur in thousands of records:
    // they are shared texts. Names of files are each element's own.
    int typeCode_ = kElementNone;
    int status_ = -1;
    SharedText tag_;
    SharedText sourceDir_ = "<S>";
    std::string sourceName_;
    SharedText targetDir_ = "<D>";
    std::string targetName_;
    SharedText osMask_ = "11111";
    SharedText selectMask_;
    double size_ = 0;
    int uninstall_ = 1;
    int auxFlag_ = 0;
    SharedText note_;
    int mode_ = kDefaultMode;
    int selection_ = 1;

  private:
    static RecordLayout<WSetupElement> Fields();
};

// The elements seen while reading scripts, per type code, keyed by the
// record with its first field (the Tag) emptied, so that two records that
// differ only in Tag are the same element. The map owns nothing: the
// elements belong to the components that hold them.
//
// The table keeps no copy of the record: an entry is the key's hash and the
// element. An entry whose hash matches is the one asked for when the
// element's own record has that key, or, for a record that the writer spells
// otherwise (an empty flag, a short mask) and that is read again, when the
// record read as an element of its type writes the element's record. An
// element changed after it was stored is found by neither key until the
// table is rebuilt from the elements as they are.
class WSetupElementMap {
  public:
    WSetupElementMap();
    WSetupElementMap(const WSetupElementMap&) = delete;
    WSetupElementMap& operator=(const WSetupElementMap&) = delete;

    // The key of a record: the record with its first field emptied.
    static std::string KeyOf(std::string_view record);

    // The stored element for `record` in the map of `typeCode`, or a new one
    // read from it. A new element is handed over in `created` (the caller
    // gives it to a component) and stored in the map; it is dropped (result
    // null) when, unless `noFilter`, its OsMask value shares no bit with
    // `systemMask` or its SelectMask value none with `selectionMask`. A code
    // outside 0..16 gives null. `created` is empty when the stored element
    // was returned or nothing was made.
    WSetupElement* FindOrCreateElement(std::string_view record, int typeCode, uint32_t systemMask,
                                       uint32_t selectionMask, bool noFilter, bool expand,
                                       std::unique_ptr<WSetupElement>& created);
    // The stored element for `record`; null when the code is -1 (or outside
    // 0..16) or the key is absent.
    WSetupElement* Find(std::string_view record, int typeCode) const;
    // Stores `element` under the key of `record` (replacing an earlier entry).
    void Add(std::string_view record, int typeCode, WSetupElement* element);
    // Forgets every entry that refers to `element` (call before deleting it).
    void Forget(const WSetupElement* element);
    void Clear();
    size_t Count(int typeCode) const;
    size_t Count() const;
    // Makes room for `records` entries in all, so that reading a large
    // script does not rehash the table again and again.
    void Reserve(size_t records);

  private:
    // One open-addressed table for all types: the hash of the key with the
    // type code in its low bits, and the element (null: a free slot).
    struct Slot {
        uint64_t hash = 0;
        WSetupElement* element = nullptr;
    };
    static uint64_t HashOf(std::string_view key, int typeCode);
    // The slot of the entry for `key` of `typeCode` (a record read with
    // `expand`), or of the free slot where it would go.
    size_t Locate(std::string_view key, std::string_view record, int typeCode, uint64_t hash,
                  bool expand) const;
    bool Matches(const Slot& slot, std::string_view key, std::string_view record, int typeCode,
                 bool expand) const;
    void Insert(uint64_t hash, WSetupElement* element, int typeCode);
    void EraseSlot(size_t index);
    void Grow(size_t entries);

    std::vector<Slot> slots_;
    size_t used_ = 0;
    size_t counts_[kElementTypeCount] = {};
};

class StringSectionLines;

// The process-wide table of string names to texts, filled from the
// "[Strings]" section of string files. Names are matched with exact case.
// Every call holds the table's lock (shared for looking up, exclusive for
// changing), so that elements can be read and their references expanded on
// several threads while another thread reads a string file.
class WScriptStringMap {
  public:
    using Entries = std::unordered_map<std::string, std::string>;

    void Set(std::string name, std::string value);
    // The value of `name`; "" when the table has none.
    std::string Value(std::string_view name) const;
    bool Contains(std::string_view name) const;
    void Erase(std::string_view name);
    void Clear();
    // A copy of the whole table, and putting one back.
    Entries Copy() const;
    void Replace(Entries entries);

    // See ExpandStringRefs and CollectStringRefs; each holds the lock for
    // the whole text.
    std::string Expand(std::string_view text) const;
    void Collect(std::string_view line, StringSectionLines& list) const;

  private:
    const std::string* Find(std::string_view name) const;

    mutable std::shared_mutex mutex_;
    Entries map_;
};

WScriptStringMap& ScriptStringMap();

// `text` with its "%name%" references replaced from ScriptStringMap: the name
// between the first "%" and the next is replaced everywhere by its value,
// then the next name is taken from the text as it now stands, until a name
// comes up twice in a row (an unknown name ends the expansion). References
// that keep producing each other end after a bounded number of rounds.
std::string ExpandStringRefs(std::string_view text);

// The lines of a "[Strings]" section in order, each at most once, with
// constant-time membership.
class StringSectionLines {
  public:
    // Appends `line` unless it is present; true when it was appended.
    bool AddUnique(std::string line);
    bool Contains(const std::string& line) const { return set_.count(line) != 0; }
    const std::vector<std::string>& Lines() const { return lines_; }
    bool Empty() const { return lines_.empty(); }
    size_t Size() const { return lines_.size(); }
    // Keeps the lines for which `keep` is true, in order.
    void Retain(const std::function<bool(const std::string&)>& keep);
    void Clear();

  private:
    std::vector<std::string> lines_;
    std::unordered_set<std::string> set_;
};

// For every "%name%" reference in `line` whose name has a non-empty value in
// ScriptStringMap, adds "name = value" to `list` unless it is there already.
void CollectStringRefs(std::string_view line, StringSectionLines& list);

}  // namespace vantrel
