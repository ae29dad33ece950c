// The properties of one distributed file, as the file properties dialog and
// the command line show and change them: where the file comes from, where it
// goes and for which systems, how an existing file and its attributes are
// treated, and whether it is registered as a font, merged as a registry file
// or registers itself. The rules are here; the callers only show them.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "elements/setup_file.h"

namespace vantrel {

class WProjectData;
class WSetupComponent;

inline constexpr const char* kSelectFileMessage = "Please select a file";
inline constexpr const char* kInvalidDirectoryMessage =
    "You have entered an invalid character for a directory.";
inline constexpr const char* kInvalidFileNameMessage =
    "You have entered an invalid character for a filename.";
inline constexpr const char* kNoSystemMessage = "You should not deselect all operating systems";
inline constexpr const char* kNoSystemCaption = "Warning";

// Checks of what is typed, character by character: "" when the text may be
// used, else the message to show. A source directory refuses / * ? " < > |
// and ","; a source file name also "\"; a destination directory also ":",
// and a destination file name both ":" and "\".
std::string CheckSourceDirectory(std::string_view text);
std::string CheckSourceFileName(std::string_view text);
std::string CheckTargetDirectory(std::string_view text);
std::string CheckTargetFileName(std::string_view text);

// The destination folders offered, long macro form, in the order shown.
const std::array<const char*, 8>& DestinationFolders();
// The rules for an existing target, in the order of WSetupFile::OverwriteRule:
// "Always", "Never", "Check Version", "Check Date", "Append".
const std::array<const char*, 5>& OverwriteTexts();
// The text of an Overwrite value; "" outside 0..4.
std::string OverwriteText(int overwrite);

// "bin\a.dll" -> "bin" and "a.dll"; a bare name has an empty directory.
void SplitStoredName(std::string_view name, std::string& directory, std::string& fileName);
// The parts joined with "\", empty parts left out.
std::string JoinStoredName(std::string_view directory, std::string_view fileName);

// The six attribute boxes. Reading a mask: position 1 checks Normal alone,
// each other position that is '1' checks its box and clears Normal; a mask
// with no position set shows Normal, the attribute the file then gets.
class WAttributeBoxes {
  public:
    enum Box { kNormal, kArchive, kHidden, kReadOnly, kSystem, kTemporary, kBoxCount };

    WAttributeBoxes() = default;
    explicit WAttributeBoxes(std::string_view mask);

    bool IsChecked(Box box) const { return checked_[box]; }
    // A click: checking Normal clears every other box; checking another box
    // clears Normal; clearing the last box other than Normal checks Normal
    // again. Normal itself stays checked while no other box is.
    void Set(Box box, bool on);
    // "100000", then for every checked box other than Normal position 1
    // becomes '0' and the box's position '1'.
    std::string Mask() const;

  private:
    bool AnyOtherChecked() const;
    std::array<bool, kBoxCount> checked_ = {true, false, false, false, false, false};
};

// The four operating-system boxes, in the order they are shown. They stand
// for positions 1 to 4 of OsMask, which hold Windows 95, NT 4, 98 and 2000:
// the boxes for NT 4 and 98 swap places. Further positions are kept.
class WSystemBoxes {
  public:
    enum Box { kWindows95, kWindows98, kWindowsNT4, kWindows2000, kBoxCount };

    WSystemBoxes() = default;
    explicit WSystemBoxes(std::string_view osMask);

    bool IsChecked(Box box) const { return checked_[box]; }
    bool AnyChecked() const;
    // A click. Clearing the last checked box is refused: the box stays
    // checked and the result is kNoSystemMessage (caption kNoSystemCaption);
    // "" otherwise.
    std::string Set(Box box, bool on);
    // `osMask` with positions 1 to 4 replaced (padded with '1' to five
    // characters first).
    std::string ApplyTo(std::string_view osMask) const;
    // The OsMask position (0-based) of a box.
    static size_t Position(Box box);

  private:
    std::array<bool, kBoxCount> checked_ = {true, true, true, true};
};

// The "RegFile" (kElementRegFile) or "SelfRegister" (kElementSelfRegister)
// element of `files` for the file element `file`: the same TargetDir and
// TargetName (exact comparison); null when there is none.
WSetupElement* FindRegistration(const WSetupComponent& files, int type, const WSetupElement& file);
// Adds a registration of `type` for `file`: TargetDir, TargetName and
// OsMask copied, Uninstall 1 (self-registration only), SelectMask 32 '1',
// AuxFlag 0. Nothing is added when `files` holds one already; the result is
// the registration either way.
WSetupElement* AddRegistration(WSetupComponent& files, int type, const WSetupElement& file);
// Removes the registration of `type` for `file`; false when there was none.
bool RemoveRegistration(WSetupComponent& files, int type, const WSetupElement& file);

// The records of `files` that act on the installed file `file` and name it
// by its destination (TargetDir, in either macro form, and TargetName, both
// without regard to case): its registry-file and self-registration records,
// shortcuts, INI entries and text replacements. Only `file` itself is left
// out, so the records are found for a file element that is no longer in
// `files`, too.
std::vector<WSetupElement*> DependentRecords(const WSetupComponent& files,
                                             const WSetupElement& file);
// Points `records` (found before `file` moved) at the destination of `file`.
void RetargetRecords(const std::vector<WSetupElement*>& records, const WSetupElement& file);
// Removes the records that depend on `file`, unless another file or font
// element of `files` is installed at the same place; the count removed.
int RemoveDependentRecords(WSetupComponent& files, const WSetupElement& file);

// Replaces the file element `file` of `files` by a font element with the
// same settings and `typefaceName` (a font element keeps its place and gets
// the new name). Null when `file` is not in `files`.
WSetupFile* MakeFontElement(WSetupComponent& files, WSetupFile* file, std::string typefaceName);
// Replaces the font element `file` by a plain file element with the same
// settings (a plain file element is returned as it is). Null when `file` is
// not in `files`.
WSetupFile* MakePlainFileElement(WSetupComponent& files, WSetupFile* file);

// Moves `file` of "Program_files" to `targetDir` (short macro form) and
// `targetName` under the rules of the target tree: the element there now
// (the same or one carrying its settings), or null with `error` set.
using WRelocateFile = std::function<WSetupFile*(WSetupFile* file, const std::string& targetDir,
                                                const std::string& targetName, std::string& error)>;

// What the four pages show and edit for one file element.
class WFileProperties {
  public:
    // The values of `file`, an element of the project's "Program_files";
    // for a font by name (IsFontFileName) the face name is read from the
    // source file (its error, if any, in FontError()).
    static WFileProperties Load(const WProjectData& project, const WSetupFile& file);

    // Source page.
    const std::string& SourceFolder() const { return sourceFolder_; }  // the file's folder here
    std::string sourceDirectory;                                       // on the set, editable
    const std::string& SourceFileName() const { return sourceFileName_; }
    std::string FullSourcePath() const;
    std::string SizeText() const;  // "Size: " and the size in bytes

    // Destination page.
    std::string targetDir;        // short macro form
    std::string targetDirectory;  // below the folder
    const std::string& TargetFileName() const { return targetFileName_; }
    std::string FullTargetPath() const;  // long macro, directory, name
    WSystemBoxes systems;

    // Attributes page.
    int overwrite = WSetupFile::kNever;
    WAttributeBoxes attributes;

    // Advanced page. The font group is active only for a font by name.
    bool IsFont() const { return isFont_; }
    const std::string& TypefaceName() const { return typefaceName_; }
    const std::string& FontError() const { return fontError_; }
    bool registerFont = false;
    bool regFile = false;
    bool selfRegister = false;

    // Checks every value; "" when Apply may store them, else the message.
    std::string Check(const WProjectData& project) const;
    // Stores the values into the file element `file` of the project's
    // "Program_files" (Check first; nothing changes when it fails). A new
    // destination goes through `relocate` (refused when it is empty); the
    // registry-file and self-registration elements follow the file and the
    // two boxes; Register Font turns the element into a font element and
    // back. `file` is then the element that stands for the file. "" on
    // success, else the message and nothing changed; kSelectFileMessage
    // when `file` is not an element of "Program_files".
    std::string Apply(WProjectData& project, WSetupFile*& file,
                      const WRelocateFile& relocate = {}) const;

  private:
    std::string sourceFolder_;
    std::string originalSourceDirectory_;
    std::string sourceFileName_;
    double size_ = 0;
    std::string originalTargetDir_;
    std::string originalTargetDirectory_;
    std::string targetFileName_;
    bool isFont_ = false;
    std::string typefaceName_;
    std::string fontError_;
};

}  // namespace vantrel
