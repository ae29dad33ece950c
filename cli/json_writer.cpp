#include "cli/json_writer.h"

#include <cmath>
#include <cstdio>

namespace vantrel::cli {

std::string JsonWriter::Quote(std::string_view utf8) {
    std::string q = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
            case '"':
                q += "\\\"";
                break;
            case '\\':
                q += "\\\\";
                break;
            case '\n':
                q += "\\n";
                break;
            case '\r':
                q += "\\r";
                break;
            case '\t':
                q += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7f) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                    q += buffer;
                } else {
                    q += static_cast<char>(c);
                }
        }
    }
    return q + "\"";
}

void JsonWriter::NewLine() {
    out_ += '\n';
    out_.append(static_cast<size_t>(depth_) * 2, ' ');
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!empty_.empty()) {
        if (!empty_.back())
            out_ += ',';
        empty_.back() = false;
        NewLine();
    }
}

JsonWriter& JsonWriter::Open(char bracket) {
    BeforeValue();
    out_ += bracket;
    ++depth_;
    empty_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::Close(char bracket) {
    const bool wasEmpty = empty_.empty() || empty_.back();
    if (!empty_.empty())
        empty_.pop_back();
    --depth_;
    if (!wasEmpty)
        NewLine();
    out_ += bracket;
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view name) {
    BeforeValue();
    out_ += Quote(name) + ": ";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view utf8) {
    BeforeValue();
    out_ += Quote(utf8);
    return *this;
}

JsonWriter& JsonWriter::Number(int64_t value) {
    BeforeValue();
    out_ += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::Number(double value) {
    BeforeValue();
    if (!std::isfinite(value)) {
        out_ += "null";
    } else if (value == std::floor(value) && std::fabs(value) < 9.0e15) {
        out_ += std::to_string(static_cast<int64_t>(value));
    } else {
        // Locale-independent: the C library's %g follows LC_NUMERIC, which
        // the program leaves at "C".
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.17g", value);
        out_ += buffer;
    }
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::Null() {
    BeforeValue();
    out_ += "null";
    return *this;
}

JsonWriter& JsonWriter::StringOrNull(std::string_view utf8) {
    return utf8.empty() ? Null() : String(utf8);
}

JsonWriter& JsonWriter::Strings(const std::vector<std::string>& utf8) {
    BeginArray();
    for (const std::string& s : utf8)
        String(s);
    return EndArray();
}

}  // namespace vantrel::cli
