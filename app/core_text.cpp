#include "app/core_text.h"

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>
#include <vector>

#include "app/qt_text.h"

namespace vantrel {

namespace {

constexpr const char* kContext = "vantrel::CoreText";

// Whole texts, or whole lines of a text of several lines. "%1", "%2", ...
// stand for what the core puts in: names, paths, numbers, or a part below.
const char* const kMessages[] = {
    // Application information, setup options and background.
    QT_TRANSLATE_NOOP("vantrel::CoreText", "You must enter an Application name before continuing."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "The application name cannot contain a comma or a line break."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "%1 cannot be longer than %2 characters."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "You must enter a Company name before continuing."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "Company Name cannot contain any of the following characters:\n\t/ * ? \\ "
                      "\" < > | : ,"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "You must enter a default directory before continuing."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "The default directory cannot contain any of the following characters:\n\t/ "
                      "* ? \" < > | , and no colon but the drive's."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "You must enter a Version before continuing."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "You must enter a destination folder when the default destination directory "
                      "is not used."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "Enter no more than one slash for directory separator in the Target Folder"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "The Tessary Application Framework needs the Tessary 9 Runtime."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "The Borland Database Engine is needed while the Tessary 9 Runtime or an SQL "
                      "Links driver is installed."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "The default language %1 must be one of the selected languages."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Please select at least one writing tool language"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "You must specify a Setup Title to continue."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "You have not selected a font for your title, %1 has been set by default."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "You must specify a Font Size to continue."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "The Font Size must be a whole number from %1 to %2."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Error"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Warning"),

    // The target tree and the files added to it.
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Please select a folder in the Destination Folders"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Please select a directory in the Source Folder"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "A folder with this name already exists"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "A file with this name already exists in this folder"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "One or more files already exist in the target folder"),
    QT_TRANSLATE_NOOP(
        "vantrel::CoreText",
        "The file \"%1\" does not appear to be a font.\n Do you want to add it to the "
        "font folder anyway?"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Cannot delete root folder"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "This folder has subfolders\n Are you sure you want to delete"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Are you sure you want to delete this folder"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Please select a file to remove"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Are you sure you want to remove this file"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Please select a folder whose files you want to remove"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Are you sure you want to delete all files"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Cannot move root folders"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Please select a folder"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Cannot move folder to itself"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Cannot rename root folder"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "The name \"%1\" cannot be used: it %2"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "%1: %2 (a folder inside %3)"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "%1: not a regular file or folder"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "%1: no such file or folder"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "The file is not one of the application's files"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Unknown target folder %1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "These names cannot be used in a setup, so nothing was added:"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "%1: its name %2"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "The path %1 is not text in this system's encoding"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "The path %1 holds characters that Windows-1252 cannot hold (%2), so a setup "
                      "cannot name it; move or rename it first"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "%1 is not below the project's source folder %2; the files of a project come "
                      "from one source folder"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "%1 would go to %2 in the set, where %3 goes too; the set can hold only one "
                      "of them"),

    // File Properties.
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Please select a file"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "You have entered an invalid character for a directory."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "You have entered an invalid character for a filename."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "You should not deselect all operating systems"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Size: %1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "The source directory on the set must be the file's folder below the "
                      "project's source folder (%1); otherwise the file is not found when the "
                      "project is opened again."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "The overwrite rule must be one of Always, Never, Check Version, Check Date "
                      "and Append."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "The destination folder must be one of %1."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "Only a TrueType font file (.ttf) can be registered as a font."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "The font %1 has no US-English full name to register it under."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "The destination of a file cannot be changed here."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "The file cannot be moved to %1."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "%1: not a readable TrueType font (%2)"),

    // The folder browser.
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Browser Error"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Create Confirm"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Create Error"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Rename Error"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Delete Confirm"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Delete Error"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "A directory cannot contain any of the following characters:\n\t* ? \" < > "
                      "| ,"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "A directory cannot contain any of the following characters:\n\t/ * ? \\ \" "
                      "< > | : ,"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "A directory cannot contain any of the following characters:\n\t/ * ? \" < > "
                      "| , :"),
    QT_TRANSLATE_NOOP(
        "vantrel::CoreText",
        "The chosen directory does not exist. Would you like the setup to create it?"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "The directory could not be created. You may not have write access."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "You have chosen to use drives, you cannot enter UNC paths."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "You have chosen to use UNC paths, you must identify your server with two "
                      "slashes i.e. '\\\\server1\\share1'"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "You are not allowed to enter removable drives."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "The UNC path provided could not be opened because it does not exist."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "The drive provided could not be accessed because it does not exist."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "You do not have access to this drive(directory)."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "The directory exists, however you do not have write access to this "
                      "location."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "The name you entered already exists.Folder cannot be renamed."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "Error: Cannot access the file :(%1)\nbecause it is being used by another "
                      "process."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Error: Access denied to file:(%1)"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Error: deleting the file:%1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "Error: Cannot access the path :(%1)\nbecause it is being used by another "
                      "process."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Error: Access denied to the path:(%1)"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Error deleting the path: %1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Error: (%1) could not be renamed."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "Are you sure you want to delete the directory (%1) and all its contents "
                      "permanently?"),

    // Registry entries.
    QT_TRANSLATE_NOOP("vantrel::CoreText", "You shouldn't be assigning a value to the RootKey %1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "You have selected only the RootKey %1.  You should specify a Key or Name, "
                      "and a Value."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "You have not specified any target Operating Systems."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "A value name cannot contain \"*\". Please enter the name without it."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "The %1 cannot contain a comma or a line break."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "You have not selected a Reg Entry for modification."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Please select a registry key for deletion"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "Are you sure you want to delete this registry entry?\n\n%1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "The Registry editor could not be launched."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "A Number value must be a whole number from 0 to 4294967295, or 0x and up to "
                      "eight hex digits (0x0 to 0xFFFFFFFF)."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "The setup already writes this registry entry."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "The entry is too long: its line in the setup script %1."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "%1 is larger than %2 MB; a registry file that large cannot be imported."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "%1 (it could not be read)."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "These lines could not be imported:"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "line %1: %2"),

    // INI entries and text replacements.
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Please select a file from the install files list"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "Please select a file from the Files tagged for INI updates list"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Please select a file from the File Customization list"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "This entry already exists"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "the project installs no file %1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "several files are named %1: %2"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "You Must enter a Search and Replace string to be modified in your text "
                      "file."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "You Must enter a Section, Key and Value to modify in your INI file."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "You should not enter either '[' or ']' in you section name."),

    // Shortcuts.
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Command &Line Parameters"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "Please enter a Shortcut folder name before continuing."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "You must specify a name for your shortcut."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "You must select a file."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Shortcut already exists."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "You must select a shortcut to delete."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "You have not selected a shortcut to modify."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "The runtime shortcut needs the Tessary 9 Runtime component."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "This installation has no Tessary 9 Runtime component (TY9Run_Program.kvz in "
                      "Comps)."),

    // The database-engine configuration and the programs the pages start.
    QT_TRANSLATE_NOOP("vantrel::CoreText", "The path to the CFG file is invalid."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "%1 was not found."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "%1 is a Windows program; it can be started here only through wine, and "
                      "wine was not found on the PATH."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "%1 cannot be run on this system."),

    // Saving the project.
    QT_TRANSLATE_NOOP("vantrel::CoreText", "%1: is a folder, not a project file"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "the temporary folder cannot be created"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "%1: the project script cannot be written"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "%1: the component script cannot be written"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "%1: %2 cannot be written: %3"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "%1: the archive cannot be made: %2"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "%1: the file was changed by another program after this project was opened "
                      "or saved; it was not replaced, so that change is kept (open the file again "
                      "and repeat your changes)"),

    // The media: plan, estimate, checks before the build and its outcome.
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Copying file : %1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Custom size..."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Size of fileset including setup files : %1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Estimated number of disks : %1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Components: %1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "Description :  A single disk setup will be created since your fileset can "
                      "fit onto one disk or CD. Once the media is created, copy over all the files "
                      "and directories onto your disk or CD.  To begin installation from the CD or "
                      "disk, double click on Setup32.exe."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "Description :  A floppy setup, using multiple %1 disks, will be created. "
                      "Once the media is created, copy over the contents of each numbered "
                      "directory onto seperate disks. To begin installation of the product, "
                      "double click on setup.exe on the first disk."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "%1 is not a valid destination drive.  Please select a fixed drive."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Destination drive does not exist."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Not enough disk space available on destination drive."),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Please enter a valid floppy size"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "Custom Floppy Size"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "The media folder %1 %2 %3 (%4). Creating the media there would overwrite or "
                      "remove the files the set is made from; please choose another folder."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "There appears to be an existing setup located at :\n %1\n\nDo you wish to "
                      "remove it before continuing?"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "%1 is a file, not a folder."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "no installation folder: the registry has no \"Install Location\""),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "the installation folder %1 does not exist"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "the installation folder %1 has no Comps folder: the standard components "
                      "are missing"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "the installation folder %1 has no Distrib/%2: the setup engine is missing"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "cannot open the media folder %1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "another build is writing to the media folder %1; wait until it has "
                      "finished"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "Creating the media was cancelled; what was written is removed again"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "Creating the media was cancelled; the set in %1 is incomplete and must not "
                      "be used (left: %2)"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "cannot copy %1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "cannot create the folder %1: it is a file"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "cannot create the folder %1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "cannot remove the earlier set in %1: %2"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "cannot create a temporary folder in %1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "cannot keep the log %1 in the media folder; the temporary folder stays"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "cannot remove the temporary folder %1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "the setup engine could not use this set: %1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "the source name %1 leaves the ship folder"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "two files have the path %1 in the set: %2"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "cannot write comp.kvz in %1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "cannot write project.kvz in %1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "cannot write license.txt in %1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "cannot write release.txt in %1"),
};

// Parts that the core composes into the messages above; a captured part is
// translated when it is one of these as a whole.
const char* const kParts[] = {
    // Fields named in messages.
    QT_TRANSLATE_NOOP("vantrel::CoreText", "The application name"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "The company name"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "The default directory"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "The version"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "The setup title"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "key"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "name"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "value"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "section"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "group name"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "folder"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "parameters"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "search text"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "replacement"),
    // Why a name cannot be used ("it ..."; "its name ...").
    QT_TRANSLATE_NOOP("vantrel::CoreText", "is empty"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "is \"%1\""),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "holds a control character"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "holds \"%1\""),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "ends with a dot"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "ends with a blank"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "is a device name of Windows"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "holds a comma, which a setup script cannot store"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "holds a line break, which a setup script cannot store"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "holds a character that Windows-1252 text cannot hold"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "\"%1\" %2"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "it has no file name"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "is %1 characters long; the setup engine reads lines of at most %2 "
                      "characters"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "(none)"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "none"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "the file is not below it"),
    // What a path of the set belongs to.
    QT_TRANSLATE_NOOP("vantrel::CoreText", "The file %1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "The application's file %1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "the set's own file %1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "the setup engine's file %1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "the database engine's configuration file %1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "the file %1 of the standard component %2"),
    // Why a font has no name.
    QT_TRANSLATE_NOOP("vantrel::CoreText", "the file is too short"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "the table directory runs past the end of the file"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "the table directory cannot be read"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "the name table lies past the end of the file"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "the name records run past the end of the file"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "the name records cannot be read"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "the full name lies past the end of the file"),
    // Why a line of a registry file was not imported.
    QT_TRANSLATE_NOOP("vantrel::CoreText", "it is not written as a registry file line"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "it holds characters that a setup script cannot store"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "the key does not begin with a root key such as HKEY_LOCAL_MACHINE"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "removing keys or values cannot be imported"),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "not a registry file: it does not begin with \"Windows Registry Editor "
                      "Version 5.00\" or \"REGEDIT4\"."),
    QT_TRANSLATE_NOOP("vantrel::CoreText",
                      "%1: not a registry file: it does not begin with \"Windows Registry Editor "
                      "Version 5.00\" or \"REGEDIT4\"."),
    // The estimate, and how a media folder meets a guarded one.
    QT_TRANSLATE_NOOP("vantrel::CoreText", "about %1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "is"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "lies inside"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "contains"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "the project's source folder"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "the installation folder"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "the folder of the database-engine configuration %1"),
    QT_TRANSLATE_NOOP("vantrel::CoreText", "the folder of the file %1"),
};

// One pattern: its English text and the expression that finds the texts it
// stands for, with a group for each "%n" in the order they appear. What is
// put in does not cross a line break, so that a text of several lines is
// not taken for one line's pattern.
struct Pattern {
    const char* english;
    QRegularExpression expression;
    QList<int> numbers;  // the "%n" of each group
};

std::vector<Pattern> Compile(const char* const* texts, size_t count) {
    static const QRegularExpression placeholder(QStringLiteral("%([1-9])"));
    std::vector<Pattern> patterns;
    for (size_t i = 0; i < count; ++i) {
        const QString english = QString::fromUtf8(texts[i]);
        Pattern p{texts[i], {}, {}};
        QString expression = QStringLiteral("\\A");
        qsizetype from = 0;
        for (const QRegularExpressionMatch& m : placeholder.globalMatch(english)) {
            expression += QRegularExpression::escape(english.mid(from, m.capturedStart() - from)) +
                          QStringLiteral("([^\\n]*?)");
            p.numbers << m.captured(1).toInt();
            from = m.capturedEnd();
        }
        expression += QRegularExpression::escape(english.mid(from)) + QStringLiteral("\\z");
        p.expression =
            QRegularExpression(expression, QRegularExpression::DotMatchesEverythingOption);
        patterns.push_back(std::move(p));
    }
    return patterns;
}

const std::vector<Pattern>& Messages() {
    static const std::vector<Pattern> patterns = Compile(kMessages, std::size(kMessages));
    return patterns;
}

const std::vector<Pattern>& Parts() {
    static const std::vector<Pattern> patterns = Compile(kParts, std::size(kParts));
    return patterns;
}

// `translated` with each "%n" replaced in one pass, so that a "%" in what
// is put in stays as it is.
QString Fill(const QString& translated, const QHash<int, QString>& values) {
    QString out;
    for (qsizetype i = 0; i < translated.size(); ++i) {
        const QChar c = translated.at(i);
        if (c == QLatin1Char('%') && i + 1 < translated.size() &&
            values.contains(translated.at(i + 1).digitValue())) {
            out += values.value(translated.at(++i).digitValue());
            continue;
        }
        out += c;
    }
    return out;
}

bool Translate(const QString& text, const std::vector<Pattern>& patterns, QString& out);

// A part put into a message: translated when it is a part of the core.
QString PartText(const QString& text) {
    QString out;
    return Translate(text, Parts(), out) ? out : text;
}

bool Translate(const QString& text, const std::vector<Pattern>& patterns, QString& out) {
    for (const Pattern& p : patterns) {
        const QRegularExpressionMatch match = p.expression.match(text);
        if (!match.hasMatch())
            continue;
        QHash<int, QString> values;
        for (int g = 0; g < p.numbers.size(); ++g)
            values.insert(p.numbers[g], PartText(match.captured(g + 1)));
        out = Fill(QCoreApplication::translate(kContext, p.english), values);
        return true;
    }
    return false;
}

}  // namespace

QString CoreText(std::string_view text) {
    const QString shown = FromWin1252(text);
    QString out;
    if (Translate(shown, Messages(), out))
        return out;
    if (!shown.contains(QLatin1Char('\n')))
        return shown;
    // A text of several lines, such as a heading and a line for each
    // refused name: line by line.
    QStringList lines = shown.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (Translate(line, Messages(), out) || Translate(line, Parts(), out))
            line = out;
    }
    return lines.join(QLatin1Char('\n'));
}

QStringList CoreTextPatterns() {
    QStringList patterns;
    for (const char* text : kMessages)
        patterns << QString::fromUtf8(text);
    for (const char* text : kParts)
        patterns << QString::fromUtf8(text);
    return patterns;
}

}  // namespace vantrel
