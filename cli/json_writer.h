// A small writer of JSON text for the commands' --json output: objects,
// arrays, strings (UTF-8), numbers, booleans and null, indented by two
// blanks per level so that a person can read it too.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::cli {

class JsonWriter {
  public:
    JsonWriter& BeginObject() { return Open('{'); }
    JsonWriter& EndObject() { return Close('}'); }
    JsonWriter& BeginArray() { return Open('['); }
    JsonWriter& EndArray() { return Close(']'); }
    // The name of the next member of the object being written.
    JsonWriter& Key(std::string_view name);
    JsonWriter& String(std::string_view utf8);
    JsonWriter& Number(int64_t value);
    JsonWriter& Number(double value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();
    // A string, or null when `utf8` is empty.
    JsonWriter& StringOrNull(std::string_view utf8);
    JsonWriter& Strings(const std::vector<std::string>& utf8);

    // The text written so far, ending with a line break once complete.
    std::string Text() const { return out_ + (depth_ == 0 && !out_.empty() ? "\n" : ""); }

    // `utf8` as a JSON string literal, quotes included.
    static std::string Quote(std::string_view utf8);

  private:
    JsonWriter& Open(char bracket);
    JsonWriter& Close(char bracket);
    void BeforeValue();
    void NewLine();

    std::string out_;
    int depth_ = 0;
    std::vector<bool> empty_;  // per open level: nothing written in it yet
    bool afterKey_ = false;
};

}  // namespace vantrel::cli
