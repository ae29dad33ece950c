// The text format of registry export files (".reg"), read line by line with
// the line numbers kept, for the hive files of RegFileStore and for files
// that authors import into a project:
//
//   Windows Registry Editor Version 5.00        (or "REGEDIT4")
//   ; a comment
//   [HKEY_LOCAL_MACHINE\Software\Key]           a key; "[-HKEY_...]" removes one
//   "Name"="text with \" and \\"                a string value
//   @="default value"                           the key's default value
//   "Count"=dword:0000000a                      a 32-bit number, hexadecimal
//   "Raw"=hex:01,02,ff                          bytes; hex(N): bytes of type N
//   "Long"=hex:01,02,\                          a line ending in "\" goes on
//     03,04                                     on the next one
//   "Gone"=-                                    removes a value
//
// Nothing is guessed: a line that does not follow the format is reported
// with its number and left out, and so are the values of a key line that
// cannot be read.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

class RegText {
  public:
    struct Value {
        enum class Kind { kString, kDword, kHex, kRemove };
        int line = 0;      // first line of the value, from 1
        std::string name;  // "" is the key's default value ("@")
        Kind kind = Kind::kString;
        std::string text;            // kString
        uint32_t dword = 0;          // kDword
        int hexType = -1;            // kHex: -1 for "hex:", N for "hex(N):"
        std::vector<uint8_t> bytes;  // kHex
    };
    struct Key {
        int line = 0;
        std::string path;  // as written, the root key included
        bool remove = false;
        std::vector<Value> values;
    };
    struct Problem {
        int line = 0;
        std::string text;  // the line as written (its continuation lines joined)
    };

    // Reads the text (Windows-1252, lines ending in LF or CR LF). The header
    // line is optional: hive files written by hand may lack it.
    static RegText Parse(std::string_view text);

    // The bytes of a file as Windows-1252 text: UTF-16LE with its byte-order mark
    // (what the Windows registry editor exports), UTF-8 (a byte-order mark
    // dropped) or, failing both, Windows-1252 as it stands. The numbers of
    // the lines that hold characters Windows-1252 cannot hold go to
    // `unstorableLines`; those lines are left empty.
    static std::string DecodeFile(std::string_view bytes, std::vector<int>& unstorableLines);

    // "\" and "\"" escaped, in double quotes.
    static std::string Quote(std::string_view text);

    const std::string& Header() const { return header_; }
    const std::vector<Key>& Keys() const { return keys_; }
    const std::vector<Problem>& Problems() const { return problems_; }

  private:
    void ReadLine(int number, const std::string& line);
    bool ReadValue(int number, const std::string& line, Value& value) const;

    std::string header_;
    std::vector<Key> keys_;
    std::vector<Problem> problems_;
    // Values that follow a key line that could not be read go nowhere.
    bool inBadKey_ = false;
};

}  // namespace vantrel
