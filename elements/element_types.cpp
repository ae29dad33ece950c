// Type codes, section keywords and class names of the setup elements, and
// creation of an element by code or by class name.
#include "elements/setup_element.h"

namespace vantrel {

namespace {

constexpr const char* kKeywords[kElementTypeCount] = {
    "BackFile", "Dir",         "TTFFile",         "Profle",     "CustFile",     "RegFile",
    "Shortcut", "Execute",     "CustomDll",       "RuntimeFile", "RuntimeRegEntry",
    "DeleteFile", "SelfRegister", "File",         "UninstallExe", "UninstallDLL",
    "RegistryKeys",
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
    if (typeCode < 0 || typeCode >= kElementTypeCount) return {};
    return kKeywords[typeCode];
}

int ElementTypeFromName(std::string_view text) {
    for (int code : kSearchOrder) {
        if (text.find(kKeywords[code]) != std::string_view::npos) return code;
    }
    return kElementNone;
}

std::string ElementClassName(int) { return {}; }

std::unique_ptr<WSetupElement> CreateElement(int) { return nullptr; }

std::unique_ptr<WSetupElement> CreateElement(int, std::string_view, bool) { return nullptr; }

std::unique_ptr<WSetupElement> CreateElementByClassName(std::string_view className) {
    if (className == "WSetupElement") return std::make_unique<WSetupElement>();
    return nullptr;
}

}  // namespace vantrel
