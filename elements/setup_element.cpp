#include "elements/setup_element.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>

#include "platform/paths.h"
#include "platform/strings.h"

namespace vantrel {

namespace {

// Optional sign followed by at least one digit of `base`, nothing else.
bool IsNumberText(std::string_view s, int base) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    if (i == s.size())
        return false;
    for (; i < s.size(); ++i) {
        char c = s[i];
        bool ok = base == 8 ? (c >= '0' && c <= '7') : (c >= '0' && c <= '9');
        if (!ok)
            return false;
    }
    return true;
}

int ClampToInt(long long v) {
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

bool IsMaskText(std::string_view s) {
    for (char c : s) {
        if (c != '0' && c != '1')
            return false;
    }
    return true;
}

}  // namespace

// ---------------------------------------------------------------------------
// RecordReader

std::string_view RecordReader::Next() {
    size_t comma = rest_.find(',');
    std::string_view field;
    if (comma == std::string_view::npos) {
        field = rest_;
        rest_ = {};
    } else {
        field = rest_.substr(0, comma);
        rest_.remove_prefix(comma + 1);
    }
    return field;
}

bool RecordReader::NextIsLast() const {
    size_t comma = rest_.find(',');
    return comma == std::string_view::npos || comma + 1 == rest_.size();
}

void RecordReader::ReadExpandable(std::string& out) {
    std::string_view f = Next();
    out = expand_ ? ExpandStringRefs(f) : std::string(f);
}

void RecordReader::ReadFlag(int& flag) {
    std::string_view f = Next();
    if (f.empty() || f == "1") {
        flag = 1;
    } else if (f == "0") {
        flag = 0;
    } else {
        malformed_ = true;  // the flag keeps its value
    }
}

void RecordReader::ReadInt(int& value) {
    std::string_view f = Next();
    if (!f.empty() && !IsNumberText(f, 10))
        malformed_ = true;
    value = ClampToInt(ToInt(f));
}

void RecordReader::ReadSize(double& value) {
    std::string_view f = Next();
    if (!f.empty() && !IsNumberText(f, 10))
        malformed_ = true;
    value = static_cast<double>(ToInt(f));
}

void RecordReader::ReadOctal(int& value) {
    std::string_view f = Next();
    if (f.empty())
        return;
    // A mode has no sign: "-4" (also behind blanks, which the conversion
    // skips) is refused and the value kept.
    const size_t first = f.find_first_not_of(" \t\n\v\f\r");
    if (first != std::string_view::npos && (f[first] == '+' || f[first] == '-')) {
        malformed_ = true;
        return;
    }
    if (!IsNumberText(f, 8))
        malformed_ = true;
    std::string t(f);
    value = ClampToInt(std::strtoll(t.c_str(), nullptr, 8));
}

void RecordReader::ReadString(SharedText& out) {
    std::string_view f = Next();
    if (out != f)
        out = f;
}

void RecordReader::ReadMask(SharedText& mask) {
    std::string_view f = Next();
    if (!IsMaskText(f))
        malformed_ = true;
    f = f.substr(0, f.find('\0'));
    if (mask != f)
        mask = f;
}

void RecordReader::ReadMask(std::string& mask) {
    std::string_view f = Next();
    if (!IsMaskText(f))
        malformed_ = true;
    // The writer ends a mask at a NUL; so does the reader, so that a record
    // reads back as it was read.
    mask = std::string(f.substr(0, f.find('\0')));
}

// ---------------------------------------------------------------------------
// RecordWriter

RecordWriter& RecordWriter::String(std::string_view s) {
    // Most texts hold none of the characters to change: they go in whole.
    auto changed = [](char c) { return c == ',' || c == '\r' || c == '\n' || c == '\0'; };
    if (std::none_of(s.begin(), s.end(), changed)) {
        text_.append(s);
        text_ += ',';
        return *this;
    }
    for (char c : s) {
        switch (c) {
            case ',':
                text_ += ';';
                break;
            case '\r':
            case '\n':
                text_ += ' ';
                break;
            case '\0':
                break;
            default:
                text_ += c;
        }
    }
    text_ += ',';
    return *this;
}

RecordWriter& RecordWriter::Flag(int flag) {
    text_ += flag ? "1," : "0,";
    return *this;
}

RecordWriter& RecordWriter::Int(long long value) {
    char buf[32];
    char* end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    *end++ = ',';
    text_.append(buf, end);
    return *this;
}

RecordWriter& RecordWriter::Mask(std::string_view s) {
    return String(s.substr(0, s.find('\0')));
}

RecordWriter& RecordWriter::Octal(int value) {
    // No mode is negative; such a value is written as the default mode
    // rather than as a number that reads back as another.
    if (value < 0)
        value = WSetupElement::kDefaultMode;
    char buf[32];
    char* end = std::to_chars(buf, buf + sizeof buf, static_cast<unsigned>(value), 8).ptr;
    *end++ = ',';
    text_.append(buf, end);
    return *this;
}

RecordWriter& RecordWriter::Fixed6(double value) {
    if (!std::isfinite(value))
        value = 0;
    text_ += FormatFixed(value, 6);
    text_ += ',';
    return *this;
}

RecordWriter& RecordWriter::WholeSize(double value) {
    long long whole = 0;
    // Out-of-range and NaN sizes must not reach the conversion.
    if (std::isfinite(value)) {
        if (value >= 9.2e18) {
            whole = LLONG_MAX;
        } else if (value <= -9.2e18) {
            whole = LLONG_MIN;
        } else {
            whole = static_cast<long long>(value);
        }
    }
    return Int(whole);
}

// ---------------------------------------------------------------------------
// WSetupElement

WSetupElement::WSetupElement() = default;

WSetupElement::WSetupElement(int typeCode) : typeCode_(typeCode) {}

WSetupElement::WSetupElement(std::string_view record, bool expand) {
    ReadRecord(record, expand);
}

WSetupElement::~WSetupElement() = default;

const char* WSetupElement::ClassName() const {
    return "WSetupElement";
}

std::unique_ptr<WSetupElement> WSetupElement::Clone() const {
    return std::make_unique<WSetupElement>(*this);
}

RecordLayout<WSetupElement> WSetupElement::Fields() {
    using F = RecordField<WSetupElement>;
    using E = WSetupElement;
    static constexpr F kFields[] = {
        F::Text(&E::tag_),       F::Text(&E::sourceDir_),  F::Text(&E::sourceName_),
        F::Text(&E::targetDir_), F::Text(&E::targetName_), F::Size(&E::size_),
        F::Mask(&E::osMask_),    F::Flag(&E::uninstall_),  F::Mask(&E::selectMask_),
        F::Flag(&E::auxFlag_),   F::Octal(&E::mode_),
    };
    return kFields;
}

RecordLayout<WSetupElement> WSetupElement::TargetOnlyFields() {
    using F = RecordField<WSetupElement>;
    using E = WSetupElement;
    static constexpr F kFields[] = {
        F::Text(&E::tag_),    F::Text(&E::targetDir_),  F::Text(&E::targetName_),
        F::Mask(&E::osMask_), F::Mask(&E::selectMask_), F::Flag(&E::auxFlag_),
        F::Octal(&E::mode_),
    };
    return kFields;
}

bool WSetupElement::ReadRecord(std::string_view record, bool expand) {
    RecordReader r(record, expand);
    ReadFields(r, *this, Fields());
    NormaliseMasks();
    return !r.Malformed();
}

std::string WSetupElement::WriteRecord() const {
    RecordWriter w;
    WriteFields(w, *this, Fields());
    return w.Take();
}

std::string WSetupElement::GetTargetPath() const {
    return targetName_.empty() ? targetDir_.str() : JoinPath(targetDir_, targetName_);
}

std::string WSetupElement::GetInstalledRecord() const {
    return {};
}

void WSetupElement::NormaliseMasks() {
    // Most masks are whole already; only a short one is made anew.
    if (selectMask_.size() < kSelectMaskLength) {
        std::string mask = selectMask_.empty() ? std::string("1") : selectMask_.str();
        mask.resize(kSelectMaskLength, '1');
        selectMask_ = mask;
    }
    if (osMask_.size() < kOsMaskLength) {
        std::string mask = osMask_.str();
        mask.resize(kOsMaskLength, '1');
        osMask_ = mask;
    }
}

uint32_t WSetupElement::MaskValue(std::string_view mask, size_t minLength, size_t maxLength) {
    if (mask.size() < minLength)
        return 0;
    std::string_view used = mask.substr(0, maxLength);
    uint32_t value = 0;
    for (char c : used) {
        if (c != '0' && c != '1')
            return 0;
        value = (value << 1) | static_cast<uint32_t>(c == '1');
    }
    return value;
}

uint32_t WSetupElement::OsMaskValue() const {
    // Every character counts; a longer mask keeps its last 32 positions.
    return MaskValue(osMask_, kOsMaskLength, std::string_view::npos);
}

uint32_t WSetupElement::SelectMaskValue() const {
    return MaskValue(selectMask_, kSelectMaskLength, kSelectMaskLength);
}

bool WSetupElement::MatchesMasks(uint32_t systemMask, uint32_t selectionMask) const {
    return (OsMaskValue() & systemMask) != 0 && (SelectMaskValue() & selectionMask) != 0;
}

bool WSetupElement::IsValidFieldText(std::string_view text) {
    return text.find_first_of(std::string_view(",\r\n\0", 4)) == std::string_view::npos;
}

}  // namespace vantrel
