#include "engine/floppy_report.h"

#include "engine/set_folder.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"

namespace vantrel {

namespace {

constexpr const char* kStartProgram = "setup.exe";
constexpr const char* kArchiveExtension = ".cfi";

std::string SizeText(long long bytes) {
    if (bytes < 0)
        return "size unknown";
    return Format("%lld byte%s", bytes, bytes == 1 ? "" : "s");
}

std::string DiskName(long number) {
    return Format("disk%03ld", number);
}

}  // namespace

bool WFloppyReport::Read(const WSetFolder& set) {
    text_.clear();
    errors_.clear();
    std::vector<std::string> disks = set.Disks();
    text_ += Format(
        "Floppy set on %zu disk%s: the setup is packed into archives, which this "
        "engine does not unpack.\n",
        disks.size(), disks.size() == 1 ? "" : "s");
    text_ += "Started from: " + DisplayPath(set.DiskFolder()) + "\n";

    // A set copied to the root of a floppy has one disk that is not named
    // after its number; its archive tells the number.
    bool numbered = disks.size() > 1 || WSetFolder::DiskNumberOf(FileNameOf(set.DiskFolder())) >= 0;
    long expected = 1;
    for (const std::string& disk : disks) {
        std::string diskName = FileNameOf(disk);
        long number = WSetFolder::DiskNumberOf(diskName);
        if (numbered && number > expected) {
            std::string gap = DiskName(expected);
            if (number - 1 > expected)
                gap += " to " + DiskName(number - 1);
            errors_.push_back("the set has no " + gap + " in " + DisplayPath(FolderOf(disk)));
        }
        if (number >= expected)
            expected = number + 1;

        text_ += "\n" + diskName + "\n";
        bool ownArchive = false, startProgram = false;
        for (const std::string& name : ListFolder(disk, true, false)) {
            std::string path = JoinPath(disk, name);
            if (EqualsNoCase(name, kStartProgram)) {
                text_ += "  " + name + "  (start program, " + SizeText(FileSizeOf(path)) + ")\n";
                startProgram = true;
            } else if (EndsWithNoCase(name, kArchiveExtension)) {
                text_ += "  " + name + "  (archive, " + SizeText(FileSizeOf(path)) + ")\n";
                std::string base = name.substr(0, name.size() - 4);
                if (numbered ? EqualsNoCase(base, diskName) : WSetFolder::DiskNumberOf(base) >= 0)
                    ownArchive = true;
            }
        }
        if (!ownArchive) {
            text_ += "  no disk archive\n";
            errors_.push_back(DisplayPath(disk) + " holds no disk archive" +
                              (numbered ? " " + diskName + kArchiveExtension : std::string()));
        }
        if (number == 1 && !startProgram)
            errors_.push_back(DisplayPath(disk) + " holds no start program " + kStartProgram);
    }
    return errors_.empty();
}

}  // namespace vantrel
