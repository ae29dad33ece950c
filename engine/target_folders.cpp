#include "engine/target_folders.h"

#include <cctype>
#include <vector>

#include "platform/paths.h"
#include "platform/strings.h"
#include "platform/system_folders.h"
#include "script/folder_macros.h"

namespace vantrel {

namespace {

// "C:\Program Files" -> "Program Files" (the residual), "C:" (drive).
std::string DriveOf(const std::string& path) {
    return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : std::string();
}

std::string Residual(const std::string& path) {
    std::string rest = path.substr(DriveOf(path).size());
    while (!rest.empty() && IsPathSeparator(rest.front()))
        rest.erase(0, 1);
    return rest;
}

std::string Doubled(const std::string& path) {
    return ReplaceAll(path, "\\", "\\\\");
}

}  // namespace

WTargetFolders::WTargetFolders(std::string sandboxRoot, Registry& registry,
                               const std::string& destination)
    : root_(std::move(sandboxRoot)), thisMachine_(root_.empty()) {
    SystemFolders system(registry);
    if (thisMachine_)
        root_ = DriveOf(system.WindowsFolder()) + "/";
    auto add = [this](const char* macro, const std::string& folder, const char* doubled = nullptr,
                      const char* residual = nullptr, const char* residualDoubled = nullptr) {
        std::string f = StripTrailingSeparators(folder);
        folders_[macro] = f;
        if (doubled)
            folders_[doubled] = Doubled(f);
        if (residual)
            folders_[residual] = Residual(f);
        if (residualDoubled)
            folders_[residualDoubled] = Doubled(Residual(f));
    };
    const std::string windows = system.WindowsFolder();
    add("<W>", windows, "<W2>", "<WR>", "<WR2>");
    folders_["<WDL:>"] = DriveOf(windows);
    folders_["<WDL>"] = DriveOf(windows).substr(0, 1);
    add("<WPF>", system.ProgramFilesFolder(), "<WPF_2>", "<WPF_R>", "<WPF_R2>");
    add("<Y>", system.SystemFolder(), "<Y2>", "<YR>", "<YR2>");
    add("<F>", system.FontsFolder(), "<F2>", "<FR>", "<FR2>");
    add("<T>", system.TempFolder(), "<T2>", "<TR>", "<TR2>");
    add("<P>", system.PersonalFolder(), "<P_2>");
    add("<K>", system.DesktopFolder());
    add("<U>", system.StartupFolder());
    add("<R>", system.StartMenuFolder());
    add("<O>", system.ProgramsMenuFolder());
    add("<BDE>", system.BdeFolder());
    // The target folder last: it may itself be written with the folders above.
    const std::string target = Expand(destination);
    add("<D>", target, "<D2>", "<DR>", "<DR2>");
    folders_["<DL:>"] = DriveOf(target);
    folders_["<DL>"] = DriveOf(target).substr(0, 1);
    add("<ND>", Residual(target).empty() ? target : "\\" + Residual(target), "<ND2>");
}

std::string WTargetFolders::Expand(std::string_view text) const {
    // Long forms are stored short first.
    std::string out = CompressFolderMacros(text);
    for (const auto& [macro, folder] : folders_)
        out = ReplaceAllNoCase(out, macro, folder);
    return out;
}

std::string WTargetFolders::InSandbox(std::string_view windowsPath) const {
    const std::string path(windowsPath);
    std::string drive = DriveOf(path);
    if (drive.empty() && (path.empty() || !IsPathSeparator(path[0])))
        return {};
    std::string out = root_;
    if (thisMachine_) {
        if (!drive.empty() && !StartsWithNoCase(root_, drive))
            return {};
    } else if (!drive.empty() && std::toupper(static_cast<unsigned char>(drive[0])) != 'C') {
        out = JoinPath(out, std::string(1, static_cast<char>(std::toupper(drive[0]))));
    }
    std::string part;
    const std::string rest = path.substr(drive.size()) + "\\";
    for (char c : rest) {
        if (!IsPathSeparator(c)) {
            part += c;
            continue;
        }
        if (part == "..")
            return {};
        if (!part.empty() && part != ".")
            out = JoinPath(out, part);
        part.clear();
    }
    return out;
}

}  // namespace vantrel
