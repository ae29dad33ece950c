#include "script/creator_manager.h"

#include <utility>

#include "platform/files.h"
#include "platform/message_pump.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "platform/text_file.h"
#include "scriptfile/setup_product_data.h"

namespace vantrel {

namespace {

// Closes `out`; a file that was not written completely is removed, so that
// no empty or cut-off script is left behind.
bool CloseOrRemove(TextWriter& out, std::string_view path, std::string& error) {
    if (out.Close(&error))
        return true;
    FileInfo info;
    if (GetFileInfo(path, info, false) && info.isFile)
        RemoveFile(path);
    return false;
}

constexpr const char* kProgramFiles = "Program_files";
constexpr const char* kSourceMacro = "<S>";

// A "name = value" line of the string list with a non-empty value.
bool HasValue(const std::string& line) {
    size_t eq = line.find('=');
    return eq != std::string::npos && !Trim(std::string_view(line).substr(eq + 1)).empty();
}

// The first folder of a relative source name ("Data\a.db" -> "Data"); empty
// for a bare file name and for names that would leave the output folder.
std::string FirstFolderOf(const std::string& sourceName) {
    size_t sep = sourceName.find_first_of("\\/");
    if (sep == std::string::npos || sep == 0)
        return {};
    std::string first = Trim(std::string_view(sourceName).substr(0, sep));
    if (first.empty() || first == "." || first == ".." || first.find(':') != std::string::npos) {
        return {};
    }
    return first;
}

}  // namespace

WCreatorManager::WCreatorManager() = default;
WCreatorManager::~WCreatorManager() = default;

void WCreatorManager::FillProductScript(WSetupProductData&) {}

bool WCreatorManager::WriteProductScript(std::string_view folder) {
    WSetupProductData script;
    FillProductScript(script);
    std::string setup = JoinPath(folder, kSetupFolder);
    MakeFolders(setup);
    return script.SaveAs(JoinPath(setup, kProductScript));
}

std::vector<std::string> WCreatorManager::ProductScriptLines() {
    WSetupProductData script;
    FillProductScript(script);
    return script.Lines();
}

void WCreatorManager::RecomputeInstallTypes(WComponentManager& components) {
    constexpr int kFirst = WSetupComponent::kTypeBits1;
    constexpr int kSecond = WSetupComponent::kTypeBits2;
    for (WSetupComponent* c : components.Level(0))
        c->SetInstallTypeValue(0);
    for (int level = 1; level < WComponentManager::kLevelCount; ++level) {
        for (WSetupComponent* c : components.Level(level)) {
            const int own = c->GetInstallTypes();
            for (WSetupComponent* sub : c->Children()) {
                if (sub->GetKind() != 0)
                    continue;
                int value = sub->GetInstallTypes();
                if (!(value & kFirst) && (own & kFirst))
                    value += 100;
                if (!(value & kSecond) && (own & kSecond))
                    value += 10;
                sub->SetInstallTypeValue(value);
            }
        }
    }
}

bool WCreatorManager::WriteComponentScripts(std::string_view folder, bool createSourceFolders) {
    WComponentManager& source = ComponentSource();

    // The application's files and fonts are found in the ship folder itself.
    std::vector<std::pair<WSetupElement*, std::string>> savedSourceDirs;
    if (WSetupComponent* files = source.Find(kProgramFiles)) {
        for (int type : kFileElementTypes) {
            for (const auto& e : files->Elements(type)) {
                savedSourceDirs.emplace_back(e.get(), e->GetSourceDir());
                if (createSourceFolders) {
                    std::string first = FirstFolderOf(e->GetSourceName());
                    if (!first.empty())
                        MakeFolders(JoinPath(folder, first));
                }
                e->SetSourceDir(kSourceMacro);
            }
        }
    }

    MakeFolders(folder);
    source.Gather();
    if (strings_.Empty() || strings_.Lines().front() != kStringsSection) {
        std::vector<std::string> kept = strings_.Lines();
        strings_.Clear();
        strings_.AddUnique(kStringsSection);
        for (auto& line : kept)
            strings_.AddUnique(std::move(line));
    }
    RecomputeInstallTypes(source);

    writeError_.clear();
    bool ok = WriteComponentScript(JoinPath(folder, kComponentScript), source);
    if (!WriteStringFile(JoinPath(folder, kStringFile), strings_))
        ok = false;

    source.ReleaseGathered();
    for (auto& [element, dir] : savedSourceDirs)
        element->SetSourceDir(std::move(dir));
    return ok;
}

bool WCreatorManager::WriteComponentScript(std::string_view path, WComponentManager& source) {
    TextWriter out;
    if (!out.Open(path, &writeError_))
        return false;
    auto write = [&](const std::string& line) {
        CollectStringRefs(line, strings_);
        out.WriteLine(line);
    };

    out.WriteLine("[Identification.0]");
    for (WSetupComponent* c : source.Level(0)) {
        write(c->GetLine(WSetupComponent::InstallTypeText(c->GetInstallTypes())));
    }
    for (int level = 1; level < WComponentManager::kLevelCount; ++level) {
        const auto& components = source.Level(level);
        if (components.empty())
            continue;
        out.WriteLine("");
        out.WriteLine("[Identification." + std::to_string(level) + "]");
        for (WSetupComponent* c : components) {
            write(c->GetLine(WSetupComponent::InstallTypeText(c->EffectiveInstallTypes())));
        }
    }
    PumpMessage();

    for (int type = 0; type < kElementTypeCount; ++type) {
        const std::string keyword = ElementTypeName(type);
        for (int level = 0; level < WComponentManager::kLevelCount; ++level) {
            const auto& records = source.LevelElements(type, level);
            if (records.empty())
                continue;
            out.WriteLine("");
            out.WriteLine("[" + keyword + std::to_string(level) + "]");
            for (const WSetupElement* e : records)
                write(e->GetScriptLine());
        }
    }
    PumpMessage();

    out.WriteLine("");
    out.WriteLine(kStringsSection);
    out.WriteLine(kStringFile);
    return CloseOrRemove(out, path, writeError_);
}

bool WCreatorManager::WriteStringFile(std::string_view path, StringSectionLines& strings) {
    TextWriter out;
    std::string why;
    bool ok = out.Open(path, &why);
    if (ok) {
        out.WriteLine(kStringsSection);
        for (const std::string& line : strings.Lines()) {
            if (HasValue(line))
                out.WriteLine(line);
        }
        for (const std::string& line : DictionaryLines())
            out.WriteLine(line);
        ok = CloseOrRemove(out, path, why);
    }
    if (!ok && writeError_.empty())
        writeError_ = why;
    strings.Retain([](const std::string& line) { return !HasValue(line); });
    return ok;
}

}  // namespace vantrel
