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

WSetVerifier::ScriptCheck WSetVerifier::CheckScript(const std::string& path, bool headerRequired,
                                                    WScriptHeader* stamped) {
    ScriptCheck check;
    if (!IsFile(path)) {
        check.state = ScriptCheck::kMissing;
        return check;
    }
    // The values as stamped, then a verifying read that recomputes them (it
    // leaves the computed values in the object it reads into).
    WScriptHeader own;
    WScriptHeader& header = stamped ? *stamped : own;
    header = WScriptHeader();
    header.SetFilePath(path);
    int bits = header.Read(true, false);
    WScriptHeader computed;
    computed.SetFilePath(path);
    bits |= computed.Read(true, true);
    if (bits & WScriptHeader::kCannotOpen) {
        check.state = ScriptCheck::kCannotOpen;
        return check;
    }
    std::vector<std::string> reasons;
    if (bits & WScriptHeader::kNoHeader) {
        if (!headerRequired)
            return check;
        reasons.push_back("it has no header block, so it was not stamped when the set was built");
    }
    if (bits & (WScriptHeader::kSumDiffers | WScriptHeader::kLinesDiffer |
                WScriptHeader::kSkippedDiffer)) {
        reasons.push_back("its checksum " + header.ChecksumText() +
                          " does not match its contents (" + computed.ChecksumText() +
                          "): the script was changed after it was stamped");
    }
    if (bits & WScriptHeader::kSecondHeader)
        reasons.push_back("it holds a second header block");
    if (bits & WScriptHeader::kLongLine) {
        reasons.push_back(
            Format("a line is %zu characters or longer, more than the setup engine "
                   "reads as one line",
                   WScriptHeader::kLongLineLength));
    }
    if (!reasons.empty()) {
        check.state = ScriptCheck::kFails;
        check.reasons = Join(reasons, "; ");
    }
    return check;
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
    for (const char* name : {kProductScript, kComponentScript, kStringFile}) {
        // Only the product script must carry a header.
        const ScriptCheck check =
            CheckScript(script(name), std::string_view(name) == kProductScript);
        const std::string shown = std::string(kSetupFolder) + "\\" + name;
        if (check.state == ScriptCheck::kMissing)
            problems_.push_back(shown + " is missing");
        else if (check.state == ScriptCheck::kCannotOpen)
            problems_.push_back(shown + " cannot be opened");
        else if (check.state == ScriptCheck::kFails)
            problems_.push_back(shown + " fails verification: " + check.reasons);
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
