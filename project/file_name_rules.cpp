#include "project/file_name_rules.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "elements/setup_element.h"
#include "platform/encoding.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "project/project_data.h"
#include "script/setup_component.h"
#include "scriptfile/script_header.h"

namespace vantrel {

namespace {

// Device names that Windows opens instead of a file, whatever the extension.
bool IsDeviceName(std::string_view name) {
    // Every device name has three or four letters before a dot or blanks.
    const std::string_view stem = name.substr(0, name.find('.'));
    const size_t letters = stem.find_last_not_of(" \t\r\n\v\f") + 1;
    if (letters != 3 && letters != 4)
        return false;
    std::string base = ToUpper(TrimRight(stem));
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL")
        return true;
    return base.size() == 4 && (StartsWith(base, "COM") || StartsWith(base, "LPT")) &&
           base[3] >= '1' && base[3] <= '9';
}

std::string StripSeparators(std::string_view path) {
    return StripTrailingSeparators(path);
}

// The folder that holds all of `folders` ("/" at the least).
std::string CommonFolder(const std::vector<std::string>& folders) {
    std::vector<std::string> common = Split(folders.front(), '/');
    for (const auto& f : folders) {
        std::vector<std::string> parts = Split(f, '/');
        size_t n = 0;
        while (n < common.size() && n < parts.size() && common[n] == parts[n])
            ++n;
        common.resize(n);
    }
    std::string joined = Join(common, "/");
    return joined.empty() ? "/" : joined;
}

}  // namespace

std::string WindowsNameProblem(std::string_view name) {
    if (name.empty())
        return "is empty";
    if (name == "." || name == "..")
        return "is \"" + std::string(name) + "\"";
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 32)
            return "holds a control character";
        if (std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
            return "holds \"" + std::string(1, c) + "\"";
    }
    if (name.back() == '.')
        return "ends with a dot";
    if (name.back() == ' ')
        return "ends with a blank";
    if (IsDeviceName(name))
        return "is a device name of Windows";
    return {};
}

std::string ScriptTextProblem(std::string_view name) {
    if (name.find(',') != std::string_view::npos)
        return "holds a comma, which a setup script cannot store";
    if (!WSetupElement::IsValidFieldText(name))
        return "holds a line break, which a setup script cannot store";
    return {};
}

std::string RefusedNamesMessage(const std::vector<RefusedName>& names) {
    std::string text = "These names cannot be used in a setup, so nothing was added:";
    for (const auto& n : names)
        text += "\n" + n.shown + ": its name " + n.reason;
    return text;
}

namespace {

// The code point of one UTF-8 character.
char32_t CodePointOf(std::string_view utf8) {
    if (utf8.empty())
        return 0;
    const auto lead = static_cast<unsigned char>(utf8[0]);
    const size_t extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
    for (size_t i = 1; i <= extra && i < utf8.size(); ++i)
        cp = (cp << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
    return cp;
}

}  // namespace

std::string SourcePathProblem(std::string_view path) {
    std::error_code ec;
    const std::filesystem::path native = std::filesystem::absolute(ToNative(path), ec);
    std::string engine;
    if (ec || FromNative(native, engine))
        return {};
    std::string bytes = native.string(), unstorable, shown;
    if (TextFileToCp1252(bytes, shown, &unstorable))
        return "The path " + shown + " is not text in this system's encoding";
    std::string codes;
    for (const std::string& c : Split(unstorable, ' ')) {
        if (c.empty())
            continue;
        bytes = ReplaceAll(bytes, c, "?");
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(CodePointOf(c)));
        codes += (codes.empty() ? "" : " ") + std::string(code);
    }
    TextFileToCp1252(bytes, shown);
    return "The path " + shown + " holds characters that Windows-1252 cannot hold (" + codes +
           "), so a setup cannot name it; move or rename it first";
}

bool HasApplicationFiles(const WProjectData& project) {
    WSetupComponent* files = project.ProgramFilesComponent();
    return files &&
           (!files->Elements(kElementFile).empty() || !files->Elements(kElementTTFFile).empty());
}

bool IsPathBelow(std::string_view path, std::string_view folder) {
    if (path == folder)
        return true;
    if (folder == "/")
        return StartsWith(path, "/");
    return StartsWith(path, std::string(folder) + "/");
}

std::string CheckSourceFolder(const WProjectData& project, std::string_view folder) {
    const std::string root = StripSeparators(project.DefaultFolder);
    if (!HasApplicationFiles(project) || root.empty() || IsPathBelow(StripSeparators(folder), root))
        return {};
    return DisplayPath(folder) + " is not below the project's source folder " + DisplayPath(root) +
           "; the files of a project come from one source folder";
}

std::string SettleSourceFolder(const WProjectData& project, const std::vector<std::string>& paths,
                               std::string_view proposed, std::string& root) {
    auto holdsAll = [&](const std::string& folder) {
        return !folder.empty() && std::all_of(paths.begin(), paths.end(), [&](const auto& p) {
            return IsPathBelow(p, folder);
        });
    };
    const bool hasFiles = HasApplicationFiles(project);
    const std::string current =
        project.DefaultFolder.empty() ? std::string() : StripSeparators(project.DefaultFolder);
    const std::string offered = proposed.empty() ? std::string() : StripSeparators(proposed);
    if (!hasFiles && holdsAll(offered)) {
        root = offered;
        return {};
    }
    if (holdsAll(current)) {
        root = current;
        return {};
    }
    if (hasFiles) {
        for (const auto& p : paths) {
            if (current.empty() || !IsPathBelow(p, current))
                return DisplayPath(p) + " is not below the project's source folder " +
                       (current.empty() ? std::string("(none)") : DisplayPath(current)) +
                       "; the files of a project come from one source folder";
        }
    }
    if (paths.empty()) {
        root = current;
        return {};
    }
    std::vector<std::string> parents;
    for (const auto& p : paths)
        parents.push_back(FolderOf(p));
    root = CommonFolder(parents);
    return {};
}

}  // namespace vantrel
