// Type codes, section keywords and class names of the setup elements, and
// creation of an element by code or by class name. Each type is one row of
// kRows; its class brings its record layout (Fields()) and is made from a
// record by its (record, expand) constructor.
#include <algorithm>
#include <array>

#include "elements/element_classes.h"
#include "elements/setup_element.h"

namespace vantrel {

namespace {

template <class T>
std::unique_ptr<WSetupElement> Make() {
    return std::make_unique<T>();
}
template <class T>
std::unique_ptr<WSetupElement> MakeFrom(std::string_view record, bool expand) {
    return std::make_unique<T>(record, expand);
}

struct ElementRow {
    int code;
    // The section keyword ("File" in "[Program_files.File0]").
    const char* keyword;
    // Where the keyword is tried when a section name is read: a keyword that
    // contains another one comes before it ("BackFile" before "File").
    int searchRank;
    const char* className;
    std::unique_ptr<WSetupElement> (*make)();
    std::unique_ptr<WSetupElement> (*makeFrom)(std::string_view, bool);
};

#define VANTREL_ELEMENT_ROW(code, keyword, searchRank, T)     \
    ElementRow {                                              \
        code, keyword, searchRank, #T, &Make<T>, &MakeFrom<T> \
    }

// One row per type, in the order of the type codes.
constexpr ElementRow kRows[] = {
    VANTREL_ELEMENT_ROW(kElementBackFile, "BackFile", 0, WSetupBackupFile),
    VANTREL_ELEMENT_ROW(kElementDir, "Dir", 2, WSetupDir),
    VANTREL_ELEMENT_ROW(kElementTTFFile, "TTFFile", 3, WSetupTTFFile),
    VANTREL_ELEMENT_ROW(kElementProfile, "Profle", 4, WSetupProfileString),
    VANTREL_ELEMENT_ROW(kElementCustFile, "CustFile", 5, WSetupCustFile),
    VANTREL_ELEMENT_ROW(kElementRegFile, "RegFile", 6, WSetupRegFile),
    VANTREL_ELEMENT_ROW(kElementShortcut, "Shortcut", 7, WSetupShortcut),
    VANTREL_ELEMENT_ROW(kElementExecute, "Execute", 12, WSetupExecutable),
    VANTREL_ELEMENT_ROW(kElementCustomDll, "CustomDll", 8, WSetupCustomDLL),
    VANTREL_ELEMENT_ROW(kElementRuntimeFile, "RuntimeFile", 9, WSetupRuntimeFile),
    VANTREL_ELEMENT_ROW(kElementRuntimeRegEntry, "RuntimeRegEntry", 13, WSetupRuntimeRegEntry),
    VANTREL_ELEMENT_ROW(kElementDeleteFile, "DeleteFile", 1, WSetupDeleteFile),
    VANTREL_ELEMENT_ROW(kElementSelfRegister, "SelfRegister", 10, WSetupSelfRegFile),
    VANTREL_ELEMENT_ROW(kElementFile, "File", 11, WSetupFile),
    VANTREL_ELEMENT_ROW(kElementUninstallExe, "UninstallExe", 15, WUnistallExecutable),
    VANTREL_ELEMENT_ROW(kElementUninstallDll, "UninstallDLL", 16, WUninstallCustomDLL),
    VANTREL_ELEMENT_ROW(kElementRegistryKeys, "RegistryKeys", 14, WSetupRegEntry),
};

#undef VANTREL_ELEMENT_ROW

static_assert(std::size(kRows) == kElementTypeCount, "one row per element type");

// Every row sits at its code, and the search ranks are 0 .. count - 1 once each.
constexpr bool RowsAreConsistent() {
    std::array<bool, kElementTypeCount> ranked{};
    for (int i = 0; i < kElementTypeCount; ++i) {
        const int rank = kRows[i].searchRank;
        if (kRows[i].code != i || rank < 0 || rank >= kElementTypeCount || ranked[rank])
            return false;
        ranked[rank] = true;
    }
    return true;
}
static_assert(RowsAreConsistent(), "rows in code order with distinct search ranks");

// The type codes in the order their keywords are tried.
constexpr std::array<int, kElementTypeCount> SearchOrder() {
    std::array<int, kElementTypeCount> order{};
    for (const ElementRow& row : kRows)
        order[row.searchRank] = row.code;
    return order;
}
constexpr std::array<int, kElementTypeCount> kSearchOrder = SearchOrder();

bool ValidCode(int typeCode) {
    return typeCode >= 0 && typeCode < kElementTypeCount;
}

}  // namespace

std::string ElementTypeName(int typeCode) {
    return ValidCode(typeCode) ? kRows[typeCode].keyword : "";
}

int ElementTypeFromName(std::string_view text) {
    for (int code : kSearchOrder) {
        if (text.find(kRows[code].keyword) != std::string_view::npos)
            return code;
    }
    return kElementNone;
}

std::string ElementClassName(int typeCode) {
    return ValidCode(typeCode) ? kRows[typeCode].className : "";
}

std::unique_ptr<WSetupElement> CreateElement(int typeCode) {
    return ValidCode(typeCode) ? kRows[typeCode].make() : nullptr;
}

std::unique_ptr<WSetupElement> CreateElement(int typeCode, std::string_view record, bool expand) {
    return ValidCode(typeCode) ? kRows[typeCode].makeFrom(record, expand) : nullptr;
}

std::unique_ptr<WSetupElement> CreateElementByClassName(std::string_view className) {
    if (className == "WSetupElement")
        return std::make_unique<WSetupElement>();
    for (const ElementRow& row : kRows) {
        if (className == row.className)
            return row.make();
    }
    return nullptr;
}

}  // namespace vantrel
