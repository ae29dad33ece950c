#include "media/set_verifier.h"

#include "elements/element_classes.h"
#include "media/set_unpacker.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "platform/temp_folder.h"
#include "script/set_layout.h"
#include "script/setup_component.h"
#include "script/setup_manager.h"
#include "scriptfile/script_header.h"

namespace vantrel {

namespace {

// The source folder of a file that the set itself carries.
constexpr const char* kInSet = "<S>";
// The engine's own string file beside the set's.
constexpr const char* kEngineStringFile = "Setup.str";

std::string Bytes(long long n) {
    return Format("%lld byte%s", n, n == 1 ? "" : "s");
}

// A fresh folder inside the private temporary folder.
std::string FreshFolder() {
    const std::string& temp = PrivateTempFolder();
    if (temp.empty())
        return {};
    for (int i = 0; i < 1000; ++i) {
        const std::string folder = JoinPath(temp, Format("verify-%d", i));
        if (MakeFolder(folder))
            return folder;
    }
    return {};
}

}  // namespace

std::string WSetVerifier::ScriptFault(const std::string& path, bool headerRequired) {
    if (!IsFile(path))
        return "it is missing";
    WScriptHeader stamped;
    stamped.SetFilePath(path);
    int bits = stamped.Read(true, false);
    WScriptHeader computed;
    computed.SetFilePath(path);
    bits |= computed.Read(true, true);
    if (bits & WScriptHeader::kCannotOpen)
        return "it cannot be opened";
    if (bits & WScriptHeader::kNoHeader)
        return headerRequired ? "it has no header block" : std::string();
    std::vector<std::string> reasons;
    if (bits & (WScriptHeader::kSumDiffers | WScriptHeader::kLinesDiffer |
                WScriptHeader::kSkippedDiffer)) {
        reasons.push_back("its checksum " + stamped.ChecksumText() +
                          " does not match its contents (" + computed.ChecksumText() + ")");
    }
    if (bits & WScriptHeader::kSecondHeader)
        reasons.push_back("it holds a second header block");
    if (bits & WScriptHeader::kLongLine)
        reasons.push_back("it holds a line longer than the setup engine reads");
    return Join(reasons, "; ");
}

bool WSetVerifier::Verify(const std::string& mediaFolder) {
    problems_.clear();
    kind_ = Kind::kNone;
    disks_ = archives_ = files_ = 0;
    if (!IsFolder(mediaFolder)) {
        problems_.push_back(DisplayPath(mediaFolder) + " is not a folder");
        return false;
    }
    const std::string setup = FindInFolderNoCase(mediaFolder, kSetupFolder);
    const std::vector<std::string> disks = WSetUnpacker::DiskFolders(mediaFolder);
    if (!setup.empty() && IsFolder(setup)) {
        kind_ = Kind::kFolder;
        return VerifyFolder(mediaFolder);
    }
    if (disks.empty()) {
        problems_.push_back(DisplayPath(mediaFolder) + " holds neither a " + kSetupFolder +
                            " folder nor disk folders: it is no set");
        return false;
    }
    kind_ = Kind::kFloppy;
    disks_ = static_cast<int>(disks.size());
    const std::string scratch = FreshFolder();
    if (scratch.empty()) {
        problems_.push_back("no temporary folder to unpack the set in");
        return false;
    }
    WSetUnpacker unpacker;
    const std::string set = JoinPath(scratch, "set");
    unpacker.Unpack(disks, JoinPath(scratch, "archives"), set);
    problems_ = unpacker.Problems();
    archives_ = static_cast<int>(unpacker.Archives().size());
    VerifyFolder(set);
    RemoveTree(scratch);
    return problems_.empty();
}

bool WSetVerifier::VerifyFolder(const std::string& root) {
    const size_t before = problems_.size();
    std::string setup = FindInFolderNoCase(root, kSetupFolder);
    if (setup.empty())
        setup = JoinPath(root, kSetupFolder);
    CheckScripts(setup);
    if (problems_.size() == before)
        CheckFiles(root, setup);
    return problems_.size() == before;
}

void WSetVerifier::CheckScripts(const std::string& setupFolder) {
    auto script = [&](const char* name) {
        const std::string found = FindInFolderNoCase(setupFolder, name);
        return found.empty() ? JoinPath(setupFolder, name) : found;
    };
    const std::string product = script(kProductScript);
    if (std::string fault = ScriptFault(product, true); !fault.empty())
        problems_.push_back(std::string(kSetupFolder) + "\\" + kProductScript +
                            " fails verification: " + fault);
    for (const char* name : {kComponentScript, kStringFile}) {
        if (std::string fault = ScriptFault(script(name), false); !fault.empty())
            problems_.push_back(std::string(kSetupFolder) + "\\" + name +
                                " fails verification: " + fault);
    }
}

void WSetVerifier::CheckFiles(const std::string& root, const std::string& setupFolder) {
    WSetupManager components;
    components.SetStringFolder(setupFolder);
    ScriptStringMap().Clear();
    const std::string engineStrings = FindInFolderNoCase(setupFolder, kEngineStringFile);
    if (!engineStrings.empty() && !EqualsNoCase(FileNameOf(engineStrings), kStringFile)) {
        components.ReadStringFile(engineStrings);
        components.ClearFailures();
    }
    const std::string script = ResolveNoCase(JoinPath(setupFolder, kComponentScript));
    if (!components.ReadComponentScript(script,
                                        ResolveNoCase(JoinPath(setupFolder, kStringFile)))) {
        problems_.push_back(
            std::string(kSetupFolder) + "\\" + kComponentScript + " cannot be read" +
            (components.Failures().empty() ? std::string()
                                           : ": " + Join(components.Failures(), "; ")));
        return;
    }
    for (const WSetupComponent* c : components.Components()) {
        for (int type : {kElementFile, kElementTTFFile}) {
            for (const auto& e : c->Elements(type)) {
                if (e->GetSourceDir() != kInSet)
                    continue;
                ++files_;
                const std::string name = e->GetSourceName();
                const std::string path = ResolveNoCase(JoinPath(root, name));
                const long long want = static_cast<long long>(e->GetSize());
                const std::string what = name + " of component " + c->GetName();
                if (!IsFile(path)) {
                    problems_.push_back(what + " is missing");
                } else if (const long long size = FileSizeOf(path); size != want) {
                    problems_.push_back(what + " has " + Bytes(size) + ", its record says " +
                                        Bytes(want));
                }
            }
        }
    }
}

}  // namespace vantrel
