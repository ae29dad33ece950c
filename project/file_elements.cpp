#include "project/file_elements.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "project/truetype_name.h"
#include "script/folder_macros.h"
#include "script/setup_component.h"

namespace vantrel {

namespace {

// "VS_VERSION_INFO" as the UTF-16LE key of a version resource.
std::string VersionKey() {
    std::string key;
    for (char c : std::string("VS_VERSION_INFO")) {
        key += c;
        key += '\0';
    }
    return key;
}

}  // namespace

bool HasVersionInfo(std::string_view path) {
    FILE* f = OpenCFile(path, "rb");
    if (!f)
        return false;
    const std::string key = VersionKey();
    std::vector<char> buffer(1 << 16);
    std::string window;
    bool found = false;
    bool first = true;
    size_t n;
    while (!found && (n = std::fread(buffer.data(), 1, buffer.size(), f)) > 0) {
        window.append(buffer.data(), n);
        if (first) {
            // Only programs and libraries ("MZ" executables) carry resources.
            if (window.size() < 2 || window[0] != 'M' || window[1] != 'Z')
                break;
            first = false;
        }
        found = window.find(key) != std::string::npos;
        // Keep the tail so that a key split between two reads is found.
        if (window.size() > key.size())
            window.erase(0, window.size() - key.size());
    }
    std::fclose(f);
    return found;
}

std::string FileAttributesMask(std::string_view path) {
    FileInfo info;
    if (!GetFileInfo(path, info))
        return "100000";
    bool hidden = StartsWith(FileNameOf(path), ".");
    bool readOnly = (info.permissions & 0200) == 0;
    if (hidden && !readOnly)
        return "001000";
    if (readOnly && !hidden)
        return "000100";
    return "100000";
}

std::unique_ptr<WSetupFile> NewFileElement(const std::string& sourceFile,
                                           const std::string& sourceName,
                                           const std::string& targetDir,
                                           const std::string& targetName) {
    auto file = std::make_unique<WSetupFile>();
    file->SetSourceDir(FolderOf(sourceFile));
    file->SetSourceName(SlashesAsBackslashes(sourceName));
    file->SetTargetDir(targetDir);
    file->SetTargetName(SlashesAsBackslashes(targetName));
    long long size = FileSizeOf(sourceFile);
    file->SetSize(size < 0 ? 0.0 : static_cast<double>(size));
    file->SetOverwrite(HasVersionInfo(sourceFile) ? WSetupFile::kCheckVersion
                                                  : WSetupFile::kAlways);
    file->SetCheckValue("");
    file->SetExtraValue(0);
    file->SetOsMask("11111");
    file->SetSelectMask(std::string(WSetupElement::kSelectMaskLength, '1'));
    file->SetAttributes(FileAttributesMask(sourceFile));
    if (IsFontsFolder(targetDir) && IsFontFileName(targetName)) {
        // A font in the fonts folder is registered under its face name.
        std::string face = ReadFontName(sourceFile);
        if (!face.empty())
            return std::make_unique<WSetupTTFFile>(*file, std::move(face));
    }
    return file;
}

bool IsFontsFolder(std::string_view targetDir) {
    return EqualsNoCase(CompressFolderMacros(targetDir), "<F>");
}

const WSetupElement* FindTargetFile(const WSetupComponent& component, std::string_view targetDir,
                                    std::string_view targetName) {
    std::string dir = SlashesAsBackslashes(targetDir);
    std::string name = SlashesAsBackslashes(targetName);
    for (int type : kFileElementTypes) {
        for (const auto& element : component.Elements(type)) {
            if (EqualsNoCase(SlashesAsBackslashes(element->GetTargetDir()), dir) &&
                EqualsNoCase(SlashesAsBackslashes(element->GetTargetName()), name))
                return element.get();
        }
    }
    return nullptr;
}

}  // namespace vantrel
