// Folder macros: any text expands and compresses without harm; a text made
// of tokens and plain words shows the same long form after a compress and
// expand round trip; ReplaceAllNoCase with an empty search changes nothing.
#include <string>

#include "fuzz/fuzz_support.h"
#include "script/folder_macros.h"

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);
    ExpandFolderMacros(bytes);
    CompressFolderMacros(bytes);

    // Bytes from 0x80 up pick a token; other bytes are plain text, with the
    // angle brackets left out so that only the tokens form macros.
    const auto& table = FolderMacroTable();
    std::string tokens;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] >= 0x80)
            tokens += table[(data[i] - 0x80) % table.size()].shortForm;
        else if (data[i] != '<' && data[i] != '>')
            tokens += static_cast<char>(data[i]);
    }
    const std::string expanded = ExpandFolderMacros(tokens);
    FUZZ_CHECK(ExpandFolderMacros(CompressFolderMacros(expanded)) == expanded,
               tokens + "\n  " + expanded + "\n  " + CompressFolderMacros(expanded));

    // The input split in three at its first two NULs: text, search, replacement.
    const size_t a = bytes.find('\0');
    const size_t b = a == std::string_view::npos ? a : bytes.find('\0', a + 1);
    if (b != std::string_view::npos) {
        const std::string_view text = bytes.substr(0, a);
        const std::string_view search = bytes.substr(a + 1, b - a - 1);
        const std::string_view replacement = bytes.substr(b + 1);
        const std::string replaced = ReplaceAllNoCase(text, search, replacement);
        if (search.empty())
            FUZZ_CHECK(replaced == text, replaced);
    }
    return 0;
}
