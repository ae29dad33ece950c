// Type codes, section keywords and class names of the setup elements, and
// creation of an element by code or by class name.
#include "elements/setup_element.h"

#include "elements/element_classes.h"

namespace vantrel {

namespace {

constexpr const char* kKeywords[kElementTypeCount] = {
    "BackFile",     "Dir",     "TTFFile",      "Profle",       "CustFile",        "RegFile",
    "Shortcut",     "Execute", "CustomDll",    "RuntimeFile",  "RuntimeRegEntry", "DeleteFile",
    "SelfRegister", "File",    "UninstallExe", "UninstallDLL", "RegistryKeys",
};

// Keywords that contain another keyword come before it ("BackFile" before "File").
constexpr int kSearchOrder[kElementTypeCount] = {
    kElementBackFile,     kElementDeleteFile,      kElementDir,          kElementTTFFile,
    kElementProfile,      kElementCustFile,        kElementRegFile,      kElementShortcut,
    kElementCustomDll,    kElementRuntimeFile,     kElementSelfRegister, kElementFile,
    kElementExecute,      kElementRuntimeRegEntry, kElementRegistryKeys, kElementUninstallExe,
    kElementUninstallDll,
};

}  // namespace

std::string ElementTypeName(int typeCode) {
    if (typeCode < 0 || typeCode >= kElementTypeCount)
        return {};
    return kKeywords[typeCode];
}

int ElementTypeFromName(std::string_view text) {
    for (int code : kSearchOrder) {
        if (text.find(kKeywords[code]) != std::string_view::npos)
            return code;
    }
    return kElementNone;
}

namespace {

template <class T>
std::unique_ptr<WSetupElement> Make() {
    return std::make_unique<T>();
}
template <class T>
std::unique_ptr<WSetupElement> MakeFrom(std::string_view record, bool expand) {
    return std::make_unique<T>(record, expand);
}

struct ElementClass {
    const char* name;
    std::unique_ptr<WSetupElement> (*make)();
    std::unique_ptr<WSetupElement> (*makeFrom)(std::string_view, bool);
};

#define VANTREL_ELEMENT_CLASS(T) \
    { #T, &Make < T>, &MakeFrom < T> }

// Indexed by type code.
const ElementClass kClasses[kElementTypeCount] = {
    VANTREL_ELEMENT_CLASS(WSetupBackupFile),      VANTREL_ELEMENT_CLASS(WSetupDir),
    VANTREL_ELEMENT_CLASS(WSetupTTFFile),         VANTREL_ELEMENT_CLASS(WSetupProfileString),
    VANTREL_ELEMENT_CLASS(WSetupCustFile),        VANTREL_ELEMENT_CLASS(WSetupRegFile),
    VANTREL_ELEMENT_CLASS(WSetupShortcut),        VANTREL_ELEMENT_CLASS(WSetupExecutable),
    VANTREL_ELEMENT_CLASS(WSetupCustomDLL),       VANTREL_ELEMENT_CLASS(WSetupRuntimeFile),
    VANTREL_ELEMENT_CLASS(WSetupRuntimeRegEntry), VANTREL_ELEMENT_CLASS(WSetupDeleteFile),
    VANTREL_ELEMENT_CLASS(WSetupSelfRegFile),     VANTREL_ELEMENT_CLASS(WSetupFile),
    VANTREL_ELEMENT_CLASS(WUnistallExecutable),   VANTREL_ELEMENT_CLASS(WUninstallCustomDLL),
    VANTREL_ELEMENT_CLASS(WSetupRegEntry),
};

#undef VANTREL_ELEMENT_CLASS

bool ValidCode(int typeCode) {
    return typeCode >= 0 && typeCode < kElementTypeCount;
}

}  // namespace

std::string ElementClassName(int typeCode) {
    return ValidCode(typeCode) ? kClasses[typeCode].name : "";
}

std::unique_ptr<WSetupElement> CreateElement(int typeCode) {
    return ValidCode(typeCode) ? kClasses[typeCode].make() : nullptr;
}

std::unique_ptr<WSetupElement> CreateElement(int typeCode, std::string_view record, bool expand) {
    return ValidCode(typeCode) ? kClasses[typeCode].makeFrom(record, expand) : nullptr;
}

std::unique_ptr<WSetupElement> CreateElementByClassName(std::string_view className) {
    if (className == "WSetupElement")
        return std::make_unique<WSetupElement>();
    for (const auto& c : kClasses) {
        if (className == c.name)
            return c.make();
    }
    return nullptr;
}

}  // namespace vantrel
