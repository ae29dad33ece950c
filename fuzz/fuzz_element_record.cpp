// The element record reader, for every element type (the input's first byte
// picks the type, the rest is the record): any record reads without harm,
// and what the writer makes of it reads back into the same element, which
// writes the same text again.
#include <memory>
#include <string>

#include "elements/setup_element.h"
#include "fuzz/fuzz_support.h"

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const int type = data[0] % kElementTypeCount;
    const std::string_view record = fuzz::AsText(data + 1, size - 1);

    std::unique_ptr<WSetupElement> first = CreateElement(type, record, false);
    FUZZ_CHECK(first != nullptr, ElementTypeName(type));
    FUZZ_CHECK(first->GetTypeCode() == type, ElementTypeName(type));
    const std::string written = first->WriteRecord();
    FUZZ_CHECK(!written.empty() && written.back() == ',', written);
    FUZZ_CHECK(written.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos, written);
    first->GetInstalledRecord();
    first->MatchesMasks(first->OsMaskValue(), first->SelectMaskValue());

    // The written record is stable: it reads back into an element that
    // writes it again unchanged, whatever the first reading normalised.
    std::unique_ptr<WSetupElement> second = CreateElement(type, written, false);
    const std::string again = second->WriteRecord();
    FUZZ_CHECK(again == written, ElementTypeName(type) + ":\n  " + written + "\n  " + again);
    FUZZ_CHECK(second->GetMode() == first->GetMode(), written);

    std::unique_ptr<WSetupElement> copy = first->Clone();
    FUZZ_CHECK(copy->WriteRecord() == written, written);
    return 0;
}
