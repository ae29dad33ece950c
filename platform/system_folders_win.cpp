// The folders of this machine as the shell names them.
#include <shlobj.h>

#include "platform/encoding.h"
#include "platform/system_folders.h"
#include "platform/win_native.h"

namespace vantrel {

namespace {

// The engine's text of a folder the system gave, without a trailing
// backslash; empty when Windows-1252 cannot hold its name.
std::string FolderText(std::wstring_view wide) {
    while (wide.size() > 3 && (wide.back() == L'\\' || wide.back() == L'/'))
        wide.remove_suffix(1);
    std::string text;
    if (wide.empty() || !Utf8ToCp1252(WideToUtf8(wide), text))
        return {};
    return text;
}

const KNOWNFOLDERID* IdOf(KnownFolder which) {
    switch (which) {
        case KnownFolder::kWindows:
            return &FOLDERID_Windows;
        case KnownFolder::kSystem:
            return &FOLDERID_System;
        case KnownFolder::kProgramFiles:
            return &FOLDERID_ProgramFiles;
        case KnownFolder::kCommonFiles:
            return &FOLDERID_ProgramFilesCommon;
        case KnownFolder::kProgramsMenu:
            return &FOLDERID_Programs;
        case KnownFolder::kDesktop:
            return &FOLDERID_Desktop;
        case KnownFolder::kStartMenu:
            return &FOLDERID_StartMenu;
        case KnownFolder::kStartup:
            return &FOLDERID_Startup;
        case KnownFolder::kFonts:
            return &FOLDERID_Fonts;
        case KnownFolder::kSendTo:
            return &FOLDERID_SendTo;
        case KnownFolder::kTemplates:
            return &FOLDERID_Templates;
        case KnownFolder::kPersonal:
            return &FOLDERID_Documents;
        case KnownFolder::kPictures:
            return &FOLDERID_Pictures;
        case KnownFolder::kTemp:
            break;
    }
    return nullptr;
}

}  // namespace

std::string KnownFolderPath(KnownFolder which) {
    if (which == KnownFolder::kTemp) {
        wchar_t buffer[MAX_PATH + 1];
        const DWORD length = ::GetTempPathW(MAX_PATH + 1, buffer);
        return length == 0 || length > MAX_PATH ? std::string()
                                                : FolderText(std::wstring_view(buffer, length));
    }
    const KNOWNFOLDERID* id = IdOf(which);
    PWSTR path = nullptr;
    std::string text;
    if (id && SUCCEEDED(::SHGetKnownFolderPath(*id, KF_FLAG_DONT_VERIFY, nullptr, &path)))
        text = FolderText(path);
    ::CoTaskMemFree(path);
    return text;
}

}  // namespace vantrel
