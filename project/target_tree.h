// The target tree of the files page: the folders of the installation with
// the application's files that go into each, built from the file and font
// elements of "Program_files". The page shows it and the command-line tool
// edits it; every rule of adding, removing, moving and renaming lives here.
//
// The roots are the folders of the project's folder-macro table, shown by
// their long macro ("<Fonts Folder>") in the table's order. A file element
// with TargetDir = a root's macro (long or short form, any case) and
// TargetName = "sub\dir\name" becomes the file node "name" below the folder
// nodes "sub" and "dir" of that root. An element whose TargetDir is no root
// of the table, or whose TargetName cannot be a path below a root (empty, or
// an empty, "." or ".." part, or a drive), stays in the project as it is and
// is listed by Unplaced() instead of the tree.
//
// Folder nodes exist as long as the tree does; a folder without files is
// not stored in the project.
//
// The records that act on a file by its destination (shortcuts,
// registrations, INI entries, text replacements) follow the file when it is
// moved or renamed, and go with it when it is removed.
//
// Every operation either does all it does or, refused, leaves the tree and
// the project as they were and returns the message to show. Questions go to
// the caller's WTargetTreeQuestions.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "project/file_properties.h"

namespace vantrel {

class WProjectData;
class WSetupComponent;
class WSetupElement;

// One folder or file of the target tree.
class WTargetNode {
  public:
    const std::string& Name() const { return name_; }
    bool IsFolder() const { return folder_; }
    bool IsRoot() const { return parent_ == nullptr; }
    // The file or font element of a file node; null for folders.
    WSetupElement* Element() const { return element_; }
    WTargetNode* Parent() const { return parent_; }
    const std::vector<std::unique_ptr<WTargetNode>>& Children() const { return children_; }
    bool HasSubfolders() const;
    // The path below the root, from the names of the ancestors below it:
    // "bin\data" for a folder, "bin\data\app.exe" for a file (its
    // TargetName), "" for a root.
    std::string RelativePath() const;
    const WTargetNode* Root() const;
    // The root's macro in short form ("<F>"), the TargetDir of its files.
    std::string RootMacro() const;
    // The node as a user names it: "<Fonts Folder>\sub\name".
    std::string ShownPath() const;
    // The child called `name` (without regard to case); null when none.
    WTargetNode* Child(std::string_view name) const;

  private:
    friend class WTargetTree;
    std::string name_;
    bool folder_ = true;
    WSetupElement* element_ = nullptr;
    WTargetNode* parent_ = nullptr;
    std::vector<std::unique_ptr<WTargetNode>> children_;
};

// A question the tree asks before it goes on.
struct WTargetTreeQuestion {
    std::string text;
    std::string caption;  // empty: the application's title
    bool withCancel = false;
    std::string subject;  // the file or folder asked about
};

class WTargetTreeQuestions {
  public:
    enum Answer { kYes, kNo, kCancel };
    virtual ~WTargetTreeQuestions() = default;
    virtual Answer Ask(const WTargetTreeQuestion& question) = 0;
};

// The outcome of an operation.
struct WTargetTreeResult {
    enum Status {
        kDone,      // done; `message`, when not empty, is a note to show
        kRefused,   // nothing changed; `message` says why
        kDeclined,  // nothing changed: a question was answered No or Cancel
    };
    Status status = kDone;
    std::string message;
    std::string subject;          // the file or folder a refusal is about, when known
    WTargetNode* node = nullptr;  // the node made, moved or renamed
    int added = 0;                // files added

    bool Ok() const { return status == kDone; }
};

class WTargetTree {
  public:
    // Messages of the files page.
    static constexpr const char* kSelectTargetFolder =
        "Please select a folder in the Destination Folders";
    static constexpr const char* kSelectSourceFolder =
        "Please select a directory in the Source Folder";
    static constexpr const char* kFolderExists = "A folder with this name already exists";
    static constexpr const char* kFileExists =
        "A file with this name already exists in this folder";
    static constexpr const char* kFilesSkipped =
        "One or more files already exist in the target folder";
    static constexpr const char* kNotAFont =
        "The file \"%1\" does not appear to be a font.\n Do you want to add it to the font folder "
        "anyway?";
    static constexpr const char* kDeleteRoot = "Cannot delete root folder";
    static constexpr const char* kDeleteWithSubfolders =
        "This folder has subfolders\n Are you sure you want to delete";
    static constexpr const char* kDeleteFolder = "Are you sure you want to delete this folder";
    static constexpr const char* kDeleteCaption = "Warning";
    static constexpr const char* kSelectFile = "Please select a file to remove";
    static constexpr const char* kRemoveFile = "Are you sure you want to remove this file";
    static constexpr const char* kSelectFilesFolder =
        "Please select a folder whose files you want to remove";
    static constexpr const char* kRemoveAllFiles = "Are you sure you want to delete all files";
    static constexpr const char* kMoveRoot = "Cannot move root folders";
    static constexpr const char* kSelectFolder = "Please select a folder";
    static constexpr const char* kMoveToItself = "Cannot move folder to itself";
    static constexpr const char* kRenameRoot = "Cannot rename root folder";
    static constexpr const char* kFontsRoot = "<Fonts Folder>";
    static constexpr const char* kNewFolderName = "folder";

    explicit WTargetTree(WProjectData& project);
    ~WTargetTree();
    WTargetTree(const WTargetTree&) = delete;
    WTargetTree& operator=(const WTargetTree&) = delete;

    // Builds the tree again from the project's elements and the project's
    // EmptyTargetFolders.
    void Rebuild();
    // The shown paths of the folders below the roots that hold nothing at
    // all, for the project's EmptyTargetFolders.
    std::vector<std::string> EmptyFolders() const;

    const std::vector<std::unique_ptr<WTargetNode>>& Roots() const { return roots_; }
    // The root of `macro` (long or short form, any case); null when none.
    WTargetNode* FindRoot(std::string_view macro) const;
    // The node at `path`: a root macro in long or short form, optionally
    // followed by "\" or "/" and names ("<D>\bin\app.exe"); null when none.
    WTargetNode* Find(std::string_view path) const;
    // The file node of `element`; null when it has none.
    WTargetNode* NodeOf(const WSetupElement* element) const;
    // The file and font elements of "Program_files" that have no place in
    // the tree (see the top of this file).
    const std::vector<WSetupElement*>& Unplaced() const { return unplaced_; }

    // The folder the page's source tree shows: when the project has no files
    // yet it becomes the project's source folder with the first file added.
    // Refused (with CheckSourceFolder's message) when the project has files
    // from another folder.
    WTargetTreeResult SetSourceFolder(std::string folder);

    // ">": adds source files and folders (engine paths of this host) to the
    // folder `target`; a folder becomes a new folder of its name with all
    // its files and subfolders. Refused as a whole when a name cannot be
    // used, a name is taken, a path of the set is supplied by someone else,
    // the files come from outside the project's source folder, a source's
    // path holds characters Windows-1252 cannot hold (SourcePathProblem), a
    // source is neither a regular file nor a folder, or a folder at or below
    // a source cannot be listed (that folder is named with the reason). A file
    // that is not a font, put into "<Fonts Folder>" itself, is asked about:
    // No leaves it out, Cancel adds nothing.
    WTargetTreeResult Add(WTargetNode* target, const std::vector<std::string>& sources,
                          WTargetTreeQuestions& questions);
    // ">>": the files directly in `sourceFolder`, without its subfolders.
    // Names present in `target` already are skipped with one note at the end.
    WTargetTreeResult AddFilesOf(WTargetNode* target, const std::string& sourceFolder,
                                 WTargetTreeQuestions& questions);

    // Add Folder: a new folder "folder", "folder1", "folder2", ... below
    // `parent`.
    WTargetTreeResult NewFolder(WTargetNode* parent);
    // A folder of the given name below `parent`; an existing folder of that
    // name is the result as it is.
    WTargetTreeResult MakeFolder(WTargetNode* parent, std::string_view name);

    // Remove (a folder, after a question) with everything below it.
    WTargetTreeResult RemoveFolder(WTargetNode* folder, WTargetTreeQuestions& questions);
    // Remove File, after a question.
    WTargetTreeResult RemoveFile(WTargetNode* file, WTargetTreeQuestions& questions);
    // Remove All Files: the files directly in `folder`, after a question.
    WTargetTreeResult RemoveAllFiles(WTargetNode* folder, WTargetTreeQuestions& questions);

    // Drag and drop inside the tree: `node` (a folder with everything below
    // it, or a file) into the folder `target`. A file put into
    // "<Fonts Folder>" itself that is not a font is asked about.
    WTargetTreeResult Move(WTargetNode* node, WTargetNode* target, WTargetTreeQuestions& questions);
    // Gives a folder or file a new name; everything below a folder follows.
    WTargetTreeResult Rename(WTargetNode* node, std::string_view newName);

    // The file properties' change of destination: the file `file` of
    // "Program_files" taken out and added again at `targetDirMacro` (a root,
    // long or short form) and `targetName` ("sub\dir\name"), as a new
    // element with the old one's settings; missing folders are made.
    WTargetTreeResult Relocate(const WSetupElement& file, std::string_view targetDirMacro,
                               std::string_view targetName);
    // Relocate for the file properties (WRelocateFile): the element now
    // standing for the file, or null with the refusal in `error`. The tree
    // must outlive the callback.
    WRelocateFile Relocator();
    // After `previous` was replaced in its component by `replacement` (a file
    // that became a font element), the node follows.
    void ReplaceElement(const WSetupElement* previous, WSetupElement* replacement);

  private:
    struct Planned;

    WSetupComponent* Files() const;
    WTargetNode* Place(std::string_view targetDir, std::string_view targetName);
    WTargetNode* AddChild(WTargetNode* parent, std::string name, bool folder,
                          WSetupElement* element);
    std::unique_ptr<WTargetNode> Detach(WTargetNode* node);
    void RemoveSubtree(WTargetNode* node);
    WTargetTreeResult AddPlanned(WTargetNode* target, std::vector<Planned>& plan,
                                 const std::vector<std::string>& sources,
                                 WTargetTreeQuestions& questions, bool skipExisting);
    // The steps of AddPlanned: the names checked and those already in the
    // target folder skipped or refused; each file's element described and
    // checked; the question about files that are not fonts.
    WTargetTreeResult KeepNew(WTargetNode* target, std::vector<Planned>& plan, bool skipExisting,
                              std::vector<Planned>& kept, bool& skipped);
    WTargetTreeResult DescribeFiles(WTargetNode* target, const std::string& root,
                                    std::vector<Planned>& kept) const;
    WTargetTreeResult AskAboutNonFonts(WTargetNode* target, std::vector<Planned>& kept,
                                       WTargetTreeQuestions& questions) const;
    // Sets the destination of every file at or below `node` from its place
    // in the tree; the records that depend on each file follow it.
    void RewriteTargets(WTargetNode* node);
    void RecordsChanged();
    WSetupElement* Reissue(WTargetNode* fileNode, WTargetNode* newParent);

    WProjectData& project_;
    std::string sourceFolder_;
    std::vector<std::unique_ptr<WTargetNode>> roots_;
    std::vector<WSetupElement*> unplaced_;
};

}  // namespace vantrel
