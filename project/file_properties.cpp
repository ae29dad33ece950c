#include "project/file_properties.h"

#include <utility>
#include <vector>

#include "elements/setup_ttf_file.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "project/project_data.h"
#include "project/truetype_name.h"
#include "script/folder_macros.h"
#include "script/setup_component.h"

namespace vantrel {

namespace {

constexpr const char* kSourceDirectoryCharacters = "/*?\"<>|,";
constexpr const char* kSourceFileCharacters = "/*?\"<>|,\\";
constexpr const char* kTargetDirectoryCharacters = "/*?\"<>|,:";
constexpr const char* kTargetFileCharacters = "/*?\"<>|,:\\";

std::string Refuse(std::string_view text, const char* characters, const char* message) {
    return text.find_first_of(characters) == std::string_view::npos ? std::string() : message;
}

bool IsDestinationFolder(std::string_view macro) {
    for (const char* folder : DestinationFolders()) {
        if (EqualsNoCase(CompressFolderMacros(folder), CompressFolderMacros(macro)))
            return true;
    }
    return false;
}

// The folder of a file on this machine as a directory below the project's
// source folder ("bin\data"); `ok` false when it is not below it.
std::string BelowSourceFolder(const WProjectData& project, const std::string& folder, bool& ok) {
    const std::string root = StripTrailingSeparators(project.DefaultFolder);
    ok = true;
    if (!root.empty() && folder == root)
        return {};
    const std::string prefix = root == "/" ? root : root + "/";
    if (root.empty() || !StartsWith(folder, prefix)) {
        ok = false;
        return {};
    }
    return SlashesAsBackslashes(folder.substr(prefix.size()));
}

// Hands `replacement` the place of `file` in `files`, registrations and all
// other elements untouched.
WSetupFile* Replace(WSetupComponent& files, WSetupFile* file,
                    std::unique_ptr<WSetupFile> replacement) {
    if (!files.TakeElement(file))
        return nullptr;
    return static_cast<WSetupFile*>(files.AddElement(std::move(replacement)));
}

// Whether `file` is one of the file or font elements of `files`.
bool HoldsFile(const WSetupComponent& files, const WSetupFile* file) {
    for (int type : {kElementFile, kElementTTFFile}) {
        for (const auto& element : files.Elements(type)) {
            if (element.get() == file)
                return true;
        }
    }
    return false;
}

}  // namespace

std::string CheckSourceDirectory(std::string_view text) {
    return Refuse(text, kSourceDirectoryCharacters, kInvalidDirectoryMessage);
}

std::string CheckSourceFileName(std::string_view text) {
    return Refuse(text, kSourceFileCharacters, kInvalidFileNameMessage);
}

std::string CheckTargetDirectory(std::string_view text) {
    return Refuse(text, kTargetDirectoryCharacters, kInvalidDirectoryMessage);
}

std::string CheckTargetFileName(std::string_view text) {
    return Refuse(text, kTargetFileCharacters, kInvalidFileNameMessage);
}

const std::array<const char*, 8>& DestinationFolders() {
    static const std::array<const char*, 8> folders = {
        "<Target Folder>",         "<Target Drive Letter:>",
        "<Windows Folder>",        "<Windows Drive Letter:>",
        "<Windows System Folder>", "<Windows Program Files Folder>",
        "<Fonts Folder>",          "<BDE Folder>"};
    return folders;
}

const std::array<const char*, 5>& OverwriteTexts() {
    static const std::array<const char*, 5> texts = {"Always", "Never", "Check Version",
                                                     "Check Date", "Append"};
    return texts;
}

std::string OverwriteText(int overwrite) {
    if (overwrite < 0 || overwrite >= static_cast<int>(OverwriteTexts().size()))
        return {};
    return OverwriteTexts()[overwrite];
}

void SplitStoredName(std::string_view name, std::string& directory, std::string& fileName) {
    size_t sep = name.find_last_of("\\/");
    if (sep == std::string_view::npos) {
        directory.clear();
        fileName = std::string(name);
        return;
    }
    directory = std::string(name.substr(0, sep));
    fileName = std::string(name.substr(sep + 1));
}

std::string JoinStoredName(std::string_view directory, std::string_view fileName) {
    std::string dir = SlashesAsBackslashes(directory);
    while (!dir.empty() && dir.back() == '\\')
        dir.pop_back();
    if (dir.empty())
        return std::string(fileName);
    if (fileName.empty())
        return dir;
    return dir + "\\" + std::string(fileName);
}

// --- Attribute boxes.

WAttributeBoxes::WAttributeBoxes(std::string_view mask) {
    checked_.fill(false);
    if (!mask.empty() && mask[0] == '1')
        checked_[kNormal] = true;
    for (int box = kArchive; box < kBoxCount; ++box) {
        if (static_cast<size_t>(box) < mask.size() && mask[box] == '1') {
            checked_[box] = true;
            checked_[kNormal] = false;
        }
    }
    if (!AnyOtherChecked())
        checked_[kNormal] = true;
}

bool WAttributeBoxes::AnyOtherChecked() const {
    for (int box = kArchive; box < kBoxCount; ++box) {
        if (checked_[box])
            return true;
    }
    return false;
}

void WAttributeBoxes::Set(Box box, bool on) {
    if (box == kNormal) {
        if (on)
            checked_.fill(false);
        checked_[kNormal] = on || !AnyOtherChecked();
        return;
    }
    checked_[box] = on;
    if (on)
        checked_[kNormal] = false;
    else if (!AnyOtherChecked())
        checked_[kNormal] = true;
}

std::string WAttributeBoxes::Mask() const {
    std::string mask = "100000";
    for (int box = kArchive; box < kBoxCount; ++box) {
        if (checked_[box]) {
            mask[kNormal] = '0';
            mask[box] = '1';
        }
    }
    return mask;
}

// --- Operating-system boxes.

size_t WSystemBoxes::Position(Box box) {
    static constexpr size_t kPositions[kBoxCount] = {0, 2, 1, 3};
    return kPositions[box];
}

WSystemBoxes::WSystemBoxes(std::string_view osMask) {
    for (int box = 0; box < kBoxCount; ++box) {
        size_t at = Position(static_cast<Box>(box));
        // A short mask reads padded with '1', as a record does.
        checked_[box] = at >= osMask.size() || osMask[at] == '1';
    }
}

bool WSystemBoxes::AnyChecked() const {
    for (bool on : checked_) {
        if (on)
            return true;
    }
    return false;
}

std::string WSystemBoxes::Set(Box box, bool on) {
    if (!on && checked_[box]) {
        checked_[box] = false;
        if (!AnyChecked()) {
            checked_[box] = true;
            return kNoSystemMessage;
        }
        return {};
    }
    checked_[box] = on;
    return {};
}

std::string WSystemBoxes::ApplyTo(std::string_view osMask) const {
    std::string mask(osMask);
    if (mask.size() < WSetupElement::kOsMaskLength)
        mask.append(WSetupElement::kOsMaskLength - mask.size(), '1');
    for (int box = 0; box < kBoxCount; ++box)
        mask[Position(static_cast<Box>(box))] = checked_[box] ? '1' : '0';
    return mask;
}

// --- Registrations.

WSetupElement* FindRegistration(const WSetupComponent& files, int type, const WSetupElement& file) {
    for (const auto& element : files.Elements(type)) {
        if (element->GetTargetDir() == file.GetTargetDir() &&
            element->GetTargetName() == file.GetTargetName())
            return element.get();
    }
    return nullptr;
}

WSetupElement* AddRegistration(WSetupComponent& files, int type, const WSetupElement& file) {
    if (WSetupElement* existing = FindRegistration(files, type, file))
        return existing;
    std::unique_ptr<WSetupElement> made = CreateElement(type);
    if (!made)
        return nullptr;
    made->SetTargetDir(file.GetTargetDir());
    made->SetTargetName(file.GetTargetName());
    made->SetOsMask(file.GetOsMask());
    if (type == kElementSelfRegister)
        made->SetUninstall(1);
    made->SetSelectMask(std::string(WSetupElement::kSelectMaskLength, '1'));
    made->SetAuxFlag(0);
    return files.AddElement(std::move(made));
}

bool RemoveRegistration(WSetupComponent& files, int type, const WSetupElement& file) {
    WSetupElement* existing = FindRegistration(files, type, file);
    return existing && files.TakeElement(existing) != nullptr;
}

// --- Records that name a file by its destination.

namespace {

constexpr int kDependentTypes[] = {kElementRegFile, kElementSelfRegister, kElementShortcut,
                                   kElementProfile, kElementCustFile};

bool SameDestination(const WSetupElement& a, const WSetupElement& b) {
    return EqualsNoCase(CompressFolderMacros(a.GetTargetDir()),
                        CompressFolderMacros(b.GetTargetDir())) &&
           EqualsNoCase(a.GetTargetName(), b.GetTargetName());
}

}  // namespace

std::vector<WSetupElement*> DependentRecords(const WSetupComponent& files,
                                             const WSetupElement& file) {
    std::vector<WSetupElement*> found;
    for (int type : kDependentTypes) {
        for (const auto& element : files.Elements(type)) {
            if (element.get() != &file && SameDestination(*element, file))
                found.push_back(element.get());
        }
    }
    return found;
}

void RetargetRecords(const std::vector<WSetupElement*>& records, const WSetupElement& file) {
    for (WSetupElement* record : records) {
        record->SetTargetDir(file.GetTargetDir());
        record->SetTargetName(file.GetTargetName());
    }
}

int RemoveDependentRecords(WSetupComponent& files, const WSetupElement& file) {
    for (int type : kFileElementTypes) {
        for (const auto& element : files.Elements(type)) {
            if (element.get() != &file && SameDestination(*element, file))
                return 0;
        }
    }
    int removed = 0;
    for (WSetupElement* record : DependentRecords(files, file))
        removed += files.TakeElement(record) ? 1 : 0;
    return removed;
}

// --- Font elements.

WSetupFile* MakeFontElement(WSetupComponent& files, WSetupFile* file, std::string typefaceName) {
    if (auto* font = dynamic_cast<WSetupTTFFile*>(file)) {
        for (const auto& element : files.Elements(kElementTTFFile)) {
            if (element.get() == font) {
                font->SetTypefaceName(std::move(typefaceName));
                return font;
            }
        }
        return nullptr;
    }
    return Replace(files, file, std::make_unique<WSetupTTFFile>(*file, std::move(typefaceName)));
}

WSetupFile* MakePlainFileElement(WSetupComponent& files, WSetupFile* file) {
    if (file && file->GetTypeCode() == kElementFile) {
        for (const auto& element : files.Elements(kElementFile)) {
            if (element.get() == file)
                return file;
        }
        return nullptr;
    }
    return file ? Replace(files, file, file->PlainFileCopy()) : nullptr;
}

// --- The dialog's values.

WFileProperties WFileProperties::Load(const WProjectData& project, const WSetupFile& file) {
    WFileProperties p;
    p.sourceFolder_ = file.GetSourceDir();
    SplitStoredName(file.GetSourceName(), p.sourceDirectory, p.sourceFileName_);
    p.originalSourceDirectory_ = p.sourceDirectory;
    p.size_ = file.GetSize();

    p.targetDir = CompressFolderMacros(file.GetTargetDir());
    p.originalTargetDir_ = p.targetDir;
    SplitStoredName(file.GetTargetName(), p.targetDirectory, p.targetFileName_);
    p.originalTargetDirectory_ = p.targetDirectory;
    p.systems = WSystemBoxes(file.GetOsMask());

    p.overwrite = file.GetOverwrite();
    p.attributes = WAttributeBoxes(file.GetAttributes());

    p.isFont_ = IsFontFileName(p.targetFileName_);
    if (auto* font = dynamic_cast<const WSetupTTFFile*>(&file)) {
        p.registerFont = true;
        p.typefaceName_ = font->GetTypefaceName();
    }
    if (p.isFont_) {
        std::string read = ReadFontName(p.FullSourcePath(), &p.fontError_);
        if (!read.empty() || p.typefaceName_.empty())
            p.typefaceName_ = std::move(read);
    }
    if (const WSetupComponent* files = project.ProgramFilesComponent()) {
        p.regFile = FindRegistration(*files, kElementRegFile, file) != nullptr;
        p.selfRegister = FindRegistration(*files, kElementSelfRegister, file) != nullptr;
    }
    return p;
}

std::string WFileProperties::FullSourcePath() const {
    return JoinPath(sourceFolder_, sourceFileName_);
}

std::string WFileProperties::SizeText() const {
    return "Size: " + FormatFixed(size_, 0);
}

std::string WFileProperties::FullTargetPath() const {
    std::string macro = ExpandFolderMacros(targetDir);
    std::string name = JoinStoredName(targetDirectory, targetFileName_);
    return name.empty() ? macro : macro + "\\" + name;
}

std::string WFileProperties::Check(const WProjectData& project) const {
    for (const std::string& message :
         {CheckSourceDirectory(sourceDirectory), CheckTargetDirectory(targetDirectory),
          CheckTargetFileName(targetFileName_)}) {
        if (!message.empty())
            return message;
    }
    if (sourceDirectory != originalSourceDirectory_) {
        // The project file finds a file again by its directory on the set
        // below the project's source folder: another directory would lose it.
        bool below = false;
        std::string expected = BelowSourceFolder(project, sourceFolder_, below);
        if (!below || JoinStoredName(sourceDirectory, "") != expected)
            return "The source directory on the set must be the file's folder below the "
                   "project's source folder (" +
                   (below ? (expected.empty() ? std::string("none") : expected)
                          : std::string("the file is not below it")) +
                   "); otherwise the file is not found when the project is opened again.";
    }
    if (!systems.AnyChecked())
        return kNoSystemMessage;
    if (overwrite < 0 || overwrite >= static_cast<int>(OverwriteTexts().size()))
        return "The overwrite rule must be one of Always, Never, Check Version, Check Date "
               "and Append.";
    const bool moved =
        targetDir != originalTargetDir_ || targetDirectory != originalTargetDirectory_;
    if (moved && !IsDestinationFolder(targetDir)) {
        std::vector<std::string> folders(DestinationFolders().begin(), DestinationFolders().end());
        return "The destination folder must be one of " + Join(folders, ", ") + ".";
    }
    if (registerFont && !isFont_)
        return "Only a TrueType font file (.ttf) can be registered as a font.";
    if (registerFont && typefaceName_.empty())
        return fontError_.empty() ? "The font " + targetFileName_ +
                                        " has no US-English full name to register it under."
                                  : fontError_;
    return {};
}

std::string WFileProperties::Apply(WProjectData& project, WSetupFile*& file,
                                   const WRelocateFile& relocate) const {
    WSetupComponent* files = project.ProgramFilesComponent();
    // An element from elsewhere (a stale pointer of a caller) would be
    // changed without being part of the set, and lost on the way.
    if (!files || !file || !HoldsFile(*files, file))
        return kSelectFileMessage;
    if (std::string message = Check(project); !message.empty())
        return message;

    // The registrations that stand for the file where it is now.
    const bool hadRegFile = FindRegistration(*files, kElementRegFile, *file) != nullptr;
    const bool hadSelfRegister = FindRegistration(*files, kElementSelfRegister, *file) != nullptr;
    const bool moved =
        targetDir != originalTargetDir_ || targetDirectory != originalTargetDirectory_;
    if (moved) {
        if (!relocate)
            return "The destination of a file cannot be changed here.";
        std::string error;
        const WSetupFile before(*file);
        WSetupFile* placed =
            relocate(file, targetDir, JoinStoredName(targetDirectory, targetFileName_), error);
        if (!placed || !HoldsFile(*files, placed))
            return error.empty() ? "The file cannot be moved to " + FullTargetPath() + "." : error;
        file = placed;
        // Registrations of the old place would name a file that is not there.
        if (hadRegFile)
            RemoveRegistration(*files, kElementRegFile, before);
        if (hadSelfRegister)
            RemoveRegistration(*files, kElementSelfRegister, before);
    }

    file->SetSourceName(JoinStoredName(sourceDirectory, sourceFileName_));
    file->SetOsMask(systems.ApplyTo(file->GetOsMask()));
    file->SetOverwrite(overwrite);
    file->SetAttributes(attributes.Mask());

    if (registerFont)
        file = MakeFontElement(*files, file, typefaceName_);
    else
        file = MakePlainFileElement(*files, file);

    const std::pair<int, bool> registrations[] = {{kElementRegFile, regFile},
                                                  {kElementSelfRegister, selfRegister}};
    for (auto [type, on] : registrations) {
        if (on) {
            // A registration is made for the systems that receive the file.
            AddRegistration(*files, type, *file)->SetOsMask(file->GetOsMask());
        } else {
            RemoveRegistration(*files, type, *file);
        }
    }
    return {};
}

}  // namespace vantrel
