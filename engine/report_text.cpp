#include "engine/report_text.h"

#include "elements/setup_element.h"
#include "platform/encoding.h"
#include "script/folder_macros.h"

namespace vantrel {

std::string Shown(std::string_view stored) {
    return ExpandFolderMacros(ExpandStringRefs(stored));
}

std::string ForTerminal(std::string_view win1252Text) {
    std::string safe(win1252Text);
    for (char& c : safe) {
        unsigned char u = static_cast<unsigned char>(c);
        bool undefined = u == 0x81 || u == 0x8D || u == 0x8F || u == 0x90 || u == 0x9D;
        if ((u < 0x20 && c != '\n') || u == 0x7F || undefined)
            c = '?';
    }
    return Cp1252ToUtf8(safe);
}

}  // namespace vantrel
