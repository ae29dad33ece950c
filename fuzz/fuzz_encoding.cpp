// Windows-1252 <-> UTF-8: every byte string converts to valid UTF-8 and back
// unchanged; UTF-8 that converts comes back unchanged; imported text files
// never yield a partial result.
#include <string>

#include "fuzz/fuzz_support.h"
#include "platform/encoding.h"

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes = fuzz::AsText(data, size);

    std::string utf8 = Cp1252ToUtf8(bytes);
    FUZZ_CHECK(IsUtf8(utf8), utf8);
    std::string back;
    FUZZ_CHECK(Utf8ToCp1252(utf8, back), utf8);
    FUZZ_CHECK(back == bytes, back);

    std::string cp;
    if (Utf8ToCp1252(bytes, cp)) {
        FUZZ_CHECK(IsUtf8(bytes), bytes);
        FUZZ_CHECK(Cp1252ToUtf8(cp) == bytes, cp);
    } else {
        FUZZ_CHECK(cp.empty(), cp);
    }

    std::string text, unstorable;
    if (TextFileToCp1252(bytes, text, &unstorable)) {
        FUZZ_CHECK(unstorable.empty(), unstorable);
        // Text that was taken as UTF-8 is stored as its Windows-1252 form,
        // which reads back as the same characters.
        std::string_view body = bytes;
        if (body.substr(0, 3) == "\xEF\xBB\xBF")
            body.remove_prefix(3);
        if (IsUtf8(body))
            FUZZ_CHECK(Cp1252ToUtf8(text) == body, text);
        else
            FUZZ_CHECK(text == bytes, text);
    } else {
        FUZZ_CHECK(text.empty(), text);
        FUZZ_CHECK(!unstorable.empty() && IsUtf8(unstorable), unstorable);
    }
    if (size > 0)
        FUZZ_CHECK(UnicodeToCp1252(Cp1252ToUnicode(data[0])) == data[0], bytes.substr(0, 1));
    return 0;
}
