// "stamp" and "header": put a fresh header block on a script file, and show
// (and check) the header block of one.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/cli.h"
#include "platform/file_checks.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "scriptfile/script_header.h"

namespace vantrel::cli {

namespace {

int RunStamp(Args& args);
int RunHeader(Args& args);

Registrar stampCommand{
    {"stamp", "stamp FILE [--module-type T] [--version V]",
     "put a fresh header block with checksum on a script file", &RunStamp,
     "  --module-type T   the module type (default: the header's, else PRODUCT)\n"
     "  --version V       the version written into the header\n"}};
Registrar headerCommand{
    {"header", "header FILE [--verify] [--bits]",
     "print a script's header; --verify recomputes the checksum and exits 1 when the script "
     "was changed after stamping or cannot be read",
     &RunHeader,
     "  --verify   recompute the checksum; prints Verify=BITS, the read's bit set (0: sound;\n"
     "             1 cannot be opened, 2 a line of 2,046 characters or more, 4 no header,\n"
     "             8/16/32 character sum / line count / blank count differ, 64 a second\n"
     "             header); exit status 0 when sound, else 1\n"
     "  --bits     exit with the bit set itself instead of 0/1 (with or without --verify)\n"}};

bool HasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

// The single FILE argument, converted to Windows-1252 text; a usage error (or a
// failure for a name Windows-1252 cannot hold) is returned through `status`.
bool TakeFile(Args& args, const char* command, std::string& file, int& status) {
    if ((status = RefuseUnknownOptions(command, args)) != kOk)
        return false;
    if (args.words.size() != 1) {
        status =
            UsageError(command, args.words.empty() ? "FILE is missing" : "only one FILE, please");
        return false;
    }
    if (!Arg(args.words[0], file)) {
        status = Fail(args.words[0] + ": the name cannot be written in Windows-1252");
        return false;
    }
    return true;
}

// Why `file` cannot be read, or empty when it can.
std::string UnreadableReason(const std::string& file) {
    if (std::string why = NotAFileReason(file); !why.empty())
        return why;
    FILE* f = OpenCFile(file, "rb");
    if (!f)
        return std::strerror(errno);
    std::fclose(f);
    return {};
}

int RunStamp(Args& args) {
    std::string moduleType, version, value;
    bool missing = false;
    bool haveModuleType = false, haveVersion = false;
    if (TakeOption(args, "--module-type", value, &missing)) {
        if (!Arg(value, moduleType))
            return Fail("--module-type: cannot be written in Windows-1252");
        haveModuleType = true;
    }
    if (missing)
        return UsageError("stamp", "--module-type needs a value");
    if (TakeOption(args, "--version", value, &missing)) {
        if (!Arg(value, version))
            return Fail("--version: cannot be written in Windows-1252");
        haveVersion = true;
    }
    if (missing)
        return UsageError("stamp", "--version needs a value");
    if (HasLineBreak(moduleType) || HasLineBreak(version)) {
        return UsageError("stamp", "a header value cannot hold a line break");
    }
    std::string file;
    int status = kOk;
    if (!TakeFile(args, "stamp", file, status))
        return status;
    if (std::string reason = UnreadableReason(file); !reason.empty()) {
        return Fail(args.words[0] + ": " + reason);
    }

    WScriptHeader header;
    header.SetFilePath(file);
    // Keep what an existing header says (module type, version, comments).
    header.Read(true, false);
    if (haveModuleType)
        header.SetModuleType(moduleType);
    if (header.ModuleType().empty())
        header.SetModuleType("PRODUCT");
    if (haveVersion)
        header.SetVersion(version);
    std::string why;
    if (!header.Stamp(&why))
        return Fail(args.words[0] + ": cannot be rewritten" +
                    (why.empty() ? "" : " (" + why + ")"));
    return kOk;
}

// The exit status of "header": the bit set with --bits, else 0 or 1.
int HeaderStatus(int bits, bool asBits) {
    if (asBits)
        return bits;
    return bits == 0 ? kOk : kFailure;
}

int RunHeader(Args& args) {
    const bool verify = TakeFlag(args, "--verify");
    const bool asBits = TakeFlag(args, "--bits");
    std::string file;
    int status = kOk;
    if (!TakeFile(args, "header", file, status))
        return status;

    WScriptHeader stored;
    stored.SetFilePath(file);
    int bits = stored.Read(true, false);
    if (bits & WScriptHeader::kCannotOpen) {
        std::string reason = UnreadableReason(file);
        Fail(args.words[0] + ": " + (reason.empty() ? "cannot be read" : reason));
        if (verify)
            std::printf("Verify=%d\n", bits);
        return HeaderStatus(bits, asBits);
    }
    std::printf("ModuleType=%s\n", Out(stored.ModuleType()).c_str());
    std::printf("Version=%s\n", Out(stored.Version()).c_str());
    std::printf("TimeStamp=%s\n", Out(stored.TimeStamp()).c_str());
    std::printf("LastUser=%s\n", Out(stored.LastUser()).c_str());
    std::printf("Checksum=%s\n", stored.ChecksumText().c_str());

    WScriptHeader computed;
    if (verify) {
        computed.SetFilePath(file);
        bits = computed.Read(true, true);
    }
    const WScriptHeader& last = verify ? computed : stored;
    const std::string name = args.words[0];
    if (!last.SawHeaderStart()) {
        std::fprintf(stderr, "vantrel-cli: %s: no header block\n", name.c_str());
    } else if (!last.SawHeaderEnd()) {
        std::fprintf(stderr, "vantrel-cli: %s: the header block has no end line\n", name.c_str());
    }
    if (bits & WScriptHeader::kLongLine) {
        std::fprintf(stderr, "vantrel-cli: %s: a line is %zu characters or longer\n", name.c_str(),
                     WScriptHeader::kLongLineLength);
    }
    if (bits & WScriptHeader::kSecondHeader) {
        std::fprintf(stderr, "vantrel-cli: %s: a second header block follows the first\n",
                     name.c_str());
    }
    if (bits & (WScriptHeader::kSumDiffers | WScriptHeader::kLinesDiffer |
                WScriptHeader::kSkippedDiffer)) {
        std::fprintf(stderr, "vantrel-cli: %s: checksum differs: stored %s, computed %s\n",
                     name.c_str(), stored.ChecksumText().c_str(), computed.ChecksumText().c_str());
    }
    if (verify)
        std::printf("Verify=%d\n", bits);
    return HeaderStatus(bits, asBits);
}

}  // namespace

}  // namespace vantrel::cli
