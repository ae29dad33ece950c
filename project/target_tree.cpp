#include "project/target_tree.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>
#include <unordered_map>

#include "archive/zip_archive.h"
#include "elements/setup_element.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "project/file_elements.h"
#include "project/file_name_rules.h"
#include "project/project_data.h"
#include "project/shipped_paths.h"
#include "script/folder_macros.h"
#include "script/setup_component.h"

namespace vantrel {

// One file or folder that an add puts below its target folder.
struct WTargetTree::Planned {
    Planned(std::string source, std::vector<std::string> parts, bool folder)
        : source(std::move(source)), parts(std::move(parts)), folder(folder) {}

    std::string source;              // the source file or folder on this machine
    std::vector<std::string> parts;  // its path below the target folder
    bool folder = false;
    // A file's element: its source name below the source folder and its
    // destination below the target's root (see DescribeFiles).
    std::string sourceName;
    std::string targetName;
    // A file the user chose not to put into the fonts folder.
    bool leftOut = false;
};

namespace {

using Result = WTargetTreeResult;

Result Refused(std::string message) {
    Result r;
    r.status = Result::kRefused;
    r.message = std::move(message);
    return r;
}

Result RefusedAbout(std::string message, std::string subject) {
    Result r = Refused(std::move(message));
    r.subject = std::move(subject);
    return r;
}

std::string ShownChild(const WTargetNode* folder, std::string_view name) {
    return folder->ShownPath() + "\\" + std::string(name);
}

Result Declined() {
    Result r;
    r.status = Result::kDeclined;
    return r;
}

Result Done(WTargetNode* node = nullptr) {
    Result r;
    r.node = node;
    return r;
}

std::vector<std::string> PathParts(std::string_view path) {
    return Split(ReplaceAll(std::string(path), "/", "\\"), '\\');
}

// The parts of a TargetName that can be a path below a root; false for an
// empty name, an empty, "." or ".." part, or a drive.
bool TargetParts(std::string_view name, std::vector<std::string>& parts) {
    parts = PathParts(name);
    if (name.empty())
        return false;
    for (const auto& p : parts) {
        if (p.empty() || p == "." || p == ".." || p.find(':') != std::string::npos)
            return false;
    }
    return true;
}

std::string NameRefusal(std::string_view name, const std::string& reason) {
    return "The name \"" + std::string(name) + "\" cannot be used: it " + reason;
}

std::string NameProblem(std::string_view name) {
    std::string why = WindowsNameProblem(name);
    return why.empty() ? ScriptTextProblem(name) : why;
}

// The files (and, with `recursive`, the folders and files below every
// subfolder) of `folder`, parents before what they hold. Names this host
// cannot give as Windows-1252 text go to `unreadable`. A folder that cannot
// be listed, the given one or one below it, is named in `why`.
bool ListSource(const std::string& folder, bool recursive,
                std::vector<std::pair<std::string, bool>>& entries,
                std::vector<RefusedName>& unreadable, std::string& why) {
    namespace fs = std::filesystem;
    std::vector<std::pair<std::string, bool>> found;
    std::vector<fs::path> pending{ToNative(folder)};
    while (!pending.empty()) {
        const fs::path current = std::move(pending.back());
        pending.pop_back();
        std::error_code ec;
        fs::directory_iterator it(current, ec);
        for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
            std::error_code ec2;
            const bool dir = it->is_directory(ec2);
            if ((!dir && !it->is_regular_file(ec2)) || (dir && !recursive))
                continue;
            std::string path;
            if (!FromNative(it->path(), path)) {
                unreadable.push_back(
                    {it->path().string(), "holds a character that Windows-1252 text cannot hold"});
                continue;
            }
            found.emplace_back(path, dir);
            // A link to a folder is taken as a folder of its own, not followed.
            if (dir && !it->is_symlink(ec2))
                pending.push_back(it->path());
        }
        if (ec) {
            std::string shown;
            why = (FromNative(current, shown) ? DisplayPath(shown) : current.string()) + ": " +
                  ec.message();
            if (current != ToNative(folder))
                why += " (a folder inside " + DisplayPath(folder) + ")";
            return false;
        }
    }
    std::sort(found.begin(), found.end());
    entries.insert(entries.end(), found.begin(), found.end());
    return true;
}

}  // namespace

// --- WTargetNode

bool WTargetNode::HasSubfolders() const {
    return std::any_of(children_.begin(), children_.end(),
                       [](const auto& c) { return c->folder_; });
}

std::string WTargetNode::RelativePath() const {
    if (IsRoot())
        return {};
    std::string above = parent_->RelativePath();
    return above.empty() ? name_ : above + "\\" + name_;
}

const WTargetNode* WTargetNode::Root() const {
    const WTargetNode* n = this;
    while (n->parent_)
        n = n->parent_;
    return n;
}

std::string WTargetNode::RootMacro() const {
    return CompressFolderMacros(Root()->name_);
}

std::string WTargetNode::ShownPath() const {
    return IsRoot() ? name_ : Root()->name_ + "\\" + RelativePath();
}

WTargetNode* WTargetNode::Child(std::string_view name) const {
    for (const auto& c : children_) {
        if (EqualsNoCase(c->name_, name))
            return c.get();
    }
    return nullptr;
}

// --- WTargetTree: building

WTargetTree::WTargetTree(WProjectData& project) : project_(project) {
    Rebuild();
}

WTargetTree::~WTargetTree() = default;

WSetupComponent* WTargetTree::Files() const {
    return project_.ProgramFilesComponent();
}

void WTargetTree::Rebuild() {
    roots_.clear();
    unplaced_.clear();
    for (const auto& [macro, folder] : project_.FolderMacroTable()) {
        auto root = std::make_unique<WTargetNode>();
        root->name_ = macro;
        roots_.push_back(std::move(root));
    }
    WSetupComponent* files = Files();
    if (!files)
        return;
    // The files of one folder share its node: it is looked up once per
    // target folder and path, not once per file. The tree only grows during
    // this pass and a lookup takes the first child of a name, so an answer
    // stays right for the rest of it.
    std::unordered_map<std::string, WTargetNode*> folderOf;
    std::vector<std::string> parts;
    for (int type : kFileElementTypes) {
        for (const auto& e : files->Elements(type)) {
            const std::string& name = e->GetTargetName();
            WTargetNode* folder = nullptr;
            if (TargetParts(name, parts)) {
                std::string key = e->GetTargetDir();
                key += '\n';
                const size_t cut = name.find_last_of("\\/");
                if (cut != std::string::npos)
                    key.append(name, 0, cut);
                auto found = folderOf.find(key);
                if (found == folderOf.end())
                    found = folderOf.emplace(std::move(key), Place(e->GetTargetDir(), name)).first;
                folder = found->second;
            }
            if (folder)
                AddChild(folder, parts.back(), false, e.get());
            else
                unplaced_.push_back(e.get());
        }
    }
    for (const std::string& path : project_.EmptyTargetFolders) {
        std::vector<std::string> parts;
        const size_t cut = path.find('\\');
        if (cut == std::string::npos || !TargetParts(path.substr(cut + 1), parts))
            continue;
        WTargetNode* node = FindRoot(path.substr(0, cut));
        for (const std::string& part : parts) {
            if (!node)
                break;
            const WTargetTreeResult made = MakeFolder(node, part);
            node = made.Ok() ? made.node : nullptr;
        }
    }
}

std::vector<std::string> WTargetTree::EmptyFolders() const {
    std::vector<std::string> paths;
    std::function<void(const WTargetNode&)> walk = [&](const WTargetNode& node) {
        if (!node.IsRoot() && node.IsFolder() && node.Children().empty())
            paths.push_back(node.ShownPath());
        for (const auto& child : node.Children())
            walk(*child);
    };
    for (const auto& root : roots_)
        walk(*root);
    return paths;
}

// The folder node for a file with these targets, made as needed; null when
// the file has no place in the tree.
WTargetNode* WTargetTree::Place(std::string_view targetDir, std::string_view targetName) {
    WTargetNode* node = FindRoot(targetDir);
    std::vector<std::string> parts;
    if (!node || !TargetParts(targetName, parts))
        return nullptr;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        WTargetNode* child = node->Child(parts[i]);
        if (child && !child->folder_)
            return nullptr;
        node = child ? child : AddChild(node, parts[i], true, nullptr);
    }
    return node;
}

WTargetNode* WTargetTree::AddChild(WTargetNode* parent, std::string name, bool folder,
                                   WSetupElement* element) {
    auto node = std::make_unique<WTargetNode>();
    node->name_ = std::move(name);
    node->folder_ = folder;
    node->element_ = element;
    node->parent_ = parent;
    parent->children_.push_back(std::move(node));
    return parent->children_.back().get();
}

std::unique_ptr<WTargetNode> WTargetTree::Detach(WTargetNode* node) {
    auto& siblings = node->parent_->children_;
    auto it = std::find_if(siblings.begin(), siblings.end(),
                           [&](const auto& c) { return c.get() == node; });
    std::unique_ptr<WTargetNode> taken = std::move(*it);
    siblings.erase(it);
    taken->parent_ = nullptr;
    return taken;
}

WTargetNode* WTargetTree::FindRoot(std::string_view macro) const {
    const std::string text = Trim(macro);
    for (const auto& root : roots_) {
        if (EqualsNoCase(root->name_, text) || EqualsNoCase(root->RootMacro(), text) ||
            EqualsNoCase(root->name_, ExpandFolderMacros(text)))
            return root.get();
    }
    return nullptr;
}

WTargetNode* WTargetTree::Find(std::string_view path) const {
    const std::string text = Trim(path);
    const size_t close = text.find('>');
    if (close == std::string::npos)
        return nullptr;
    WTargetNode* node = FindRoot(text.substr(0, close + 1));
    for (const std::string& part : PathParts(text.substr(close + 1))) {
        if (!node)
            break;
        if (!part.empty())
            node = node->Child(part);
    }
    return node;
}

WTargetNode* WTargetTree::NodeOf(const WSetupElement* element) const {
    std::vector<WTargetNode*> stack;
    for (const auto& r : roots_)
        stack.push_back(r.get());
    while (!stack.empty()) {
        WTargetNode* n = stack.back();
        stack.pop_back();
        if (!n->folder_ && n->element_ == element)
            return n;
        for (const auto& c : n->children_)
            stack.push_back(c.get());
    }
    return nullptr;
}

// --- Adding

WTargetTreeResult WTargetTree::SetSourceFolder(std::string folder) {
    std::string why = CheckSourceFolder(project_, folder);
    if (!why.empty())
        return Refused(why);
    sourceFolder_ = StripTrailingSeparators(folder);
    return Done();
}

WTargetTreeResult WTargetTree::Add(WTargetNode* target, const std::vector<std::string>& sources,
                                   WTargetTreeQuestions& questions) {
    if (!target || !target->folder_)
        return Refused(kSelectTargetFolder);
    std::vector<Planned> plan;
    std::vector<RefusedName> unreadable;
    for (const std::string& given : sources) {
        if (std::string why = SourcePathProblem(given); !why.empty())
            return Refused(why);
    }
    for (const std::string& given : sources) {
        const std::string source = StripTrailingSeparators(given);
        const std::string name = FileNameOf(source);
        if (IsFolder(source)) {
            plan.push_back({source, {name}, true});
            std::vector<std::pair<std::string, bool>> entries;
            std::string why;
            if (!ListSource(source, true, entries, unreadable, why))
                return Refused(why);
            for (auto& [path, folder] : entries) {
                Planned p{path, {name}, folder};
                for (auto& part : PathParts(path.substr(source.size() + 1)))
                    p.parts.push_back(part);
                plan.push_back(std::move(p));
            }
        } else if (IsFile(source)) {
            plan.push_back({source, {name}, false});
        } else if (PathExists(source)) {
            return Refused(DisplayPath(source) + ": not a regular file or folder");
        } else {
            return Refused(DisplayPath(source) + ": no such file or folder");
        }
    }
    if (!unreadable.empty())
        return Refused(RefusedNamesMessage(unreadable));
    return AddPlanned(target, plan, sources, questions, false);
}

WTargetTreeResult WTargetTree::AddFilesOf(WTargetNode* target, const std::string& sourceFolder,
                                          WTargetTreeQuestions& questions) {
    if (std::string why = SourcePathProblem(sourceFolder); !why.empty())
        return Refused(why);
    if (!IsFolder(sourceFolder))
        return Refused(kSelectSourceFolder);
    // A folder that cannot be listed is no empty folder: it is named.
    std::vector<std::pair<std::string, bool>> entries;
    std::vector<RefusedName> unreadable;
    std::string why;
    const bool listed = ListSource(sourceFolder, false, entries, unreadable, why);
    if (listed && ListFolder(sourceFolder, true, true).empty())
        return Refused(kSelectSourceFolder);
    if (!target || !target->folder_)
        return Refused(kSelectTargetFolder);
    if (!listed)
        return Refused(why);
    if (!unreadable.empty())
        return Refused(RefusedNamesMessage(unreadable));
    std::vector<Planned> plan;
    std::vector<std::string> sources;
    for (auto& [path, folder] : entries) {
        plan.push_back({path, {FileNameOf(path)}, false});
        sources.push_back(path);
    }
    return AddPlanned(target, plan, sources, questions, true);
}

WTargetTreeResult WTargetTree::KeepNew(WTargetNode* target, std::vector<Planned>& plan,
                                       bool skipExisting, std::vector<Planned>& kept,
                                       bool& skipped) {
    // Names first: every one that cannot be used is named, and nothing is added.
    std::vector<RefusedName> refused;
    for (const Planned& p : plan) {
        std::string why = NameProblem(p.parts.back());
        if (!why.empty())
            refused.push_back({DisplayPath(p.source), why});
    }
    if (!refused.empty())
        return Refused(RefusedNamesMessage(refused));

    // Names taken in the target folder, or twice in this add.
    std::set<std::string, LessNoCase> seen;
    for (Planned& p : plan) {
        if (!seen.insert(Join(p.parts, "\\")).second)
            return RefusedAbout(p.folder ? kFolderExists : kFileExists,
                                ShownChild(target, Join(p.parts, "\\")));
        if (p.parts.size() == 1) {
            if (WTargetNode* present = target->Child(p.parts[0])) {
                if (skipExisting && !p.folder && !present->folder_) {
                    skipped = true;
                    continue;
                }
                return RefusedAbout(p.folder || present->folder_ ? kFolderExists : kFileExists,
                                    present->ShownPath());
            }
        }
        kept.push_back(std::move(p));
    }
    return Done();
}

WTargetTreeResult WTargetTree::DescribeFiles(WTargetNode* target, const std::string& root,
                                             std::vector<Planned>& kept) const {
    const std::string base = target->RelativePath();
    const WShippedPaths shipped(project_);
    std::vector<RefusedName> refused;
    std::vector<std::string> collisions;
    for (Planned& p : kept) {
        if (p.folder)
            continue;
        if (std::string big = zip::MemberSizeProblem(p.source); !big.empty())
            return Refused(big);
        p.sourceName = ReplaceAll(p.source.substr(root == "/" ? 1 : root.size() + 1), "/", "\\");
        p.targetName = (base.empty() ? "" : base + "\\") + Join(p.parts, "\\");
        for (const std::string& text : {FolderOf(p.source), p.sourceName, p.targetName}) {
            std::string problem = ScriptTextProblem(text);
            if (!problem.empty()) {
                refused.push_back({DisplayPath(p.source), problem});
                break;
            }
        }
        std::string supplier = shipped.Supplier(p.sourceName);
        if (!supplier.empty())
            collisions.push_back(WShippedPaths::CollisionMessage(
                "The file " + DisplayPath(p.source), p.sourceName, supplier));
    }
    if (!refused.empty())
        return Refused(RefusedNamesMessage(refused));
    if (!collisions.empty())
        return Refused(Join(collisions, "\n"));
    return Done();
}

WTargetTreeResult WTargetTree::AskAboutNonFonts(WTargetNode* target, std::vector<Planned>& kept,
                                                WTargetTreeQuestions& questions) const {
    if (target->parent_ || !EqualsNoCase(target->name_, kFontsRoot))
        return Done();
    size_t left = 0;
    for (Planned& p : kept) {
        if (p.folder || p.parts.size() != 1 || EndsWithNoCase(p.source, "ttf"))
            continue;
        WTargetTreeQuestion q{ReplaceAll(kNotAFont, "%1", DisplayPath(p.source)), "", true,
                              DisplayPath(p.source)};
        WTargetTreeQuestions::Answer a = questions.Ask(q);
        if (a == WTargetTreeQuestions::kCancel)
            return Declined();
        if (a == WTargetTreeQuestions::kNo) {
            p.leftOut = true;
            ++left;
        }
    }
    if (left != 0 && left == kept.size())
        return Declined();
    return Done();
}

WTargetTreeResult WTargetTree::AddPlanned(WTargetNode* target, std::vector<Planned>& plan,
                                          const std::vector<std::string>& sources,
                                          WTargetTreeQuestions& questions, bool skipExisting) {
    std::vector<Planned> kept;
    bool skipped = false;
    if (Result r = KeepNew(target, plan, skipExisting, kept, skipped); !r.Ok())
        return r;
    std::string root;
    std::string why = SettleSourceFolder(project_, sources, sourceFolder_, root);
    if (!why.empty())
        return Refused(why);
    // What each file's element will hold, checked before anything changes.
    if (Result r = DescribeFiles(target, root, kept); !r.Ok())
        return r;
    // A file that is not a font, put into the fonts folder itself.
    if (Result r = AskAboutNonFonts(target, kept, questions); !r.Ok())
        return r;

    Result result = Done();
    if (skipped)
        result.message = kFilesSkipped;
    if (!kept.empty())
        project_.DefaultFolder = root;
    WSetupComponent* files = Files();
    const std::string macro = target->RootMacro();
    for (const Planned& p : kept) {
        if (p.leftOut)
            continue;
        WTargetNode* parent = target;
        for (size_t i = 0; i + 1 < p.parts.size(); ++i)
            parent = parent->Child(p.parts[i]);
        WTargetNode* node = nullptr;
        if (p.folder) {
            node = AddChild(parent, p.parts.back(), true, nullptr);
        } else {
            WSetupElement* e =
                files->AddElement(NewFileElement(p.source, p.sourceName, macro, p.targetName));
            node = AddChild(parent, p.parts.back(), false, e);
            ++result.added;
        }
        if (!result.node && parent == target)
            result.node = node;
    }
    return result;
}

// --- Folders

WTargetTreeResult WTargetTree::NewFolder(WTargetNode* parent) {
    if (!parent || !parent->folder_)
        return Refused(kSelectTargetFolder);
    // "folder", and the next number each time a child in order has the name;
    // the walk goes round again until no child has it.
    std::string name = kNewFolderName;
    int number = 0;
    for (bool again = true; again;) {
        again = false;
        for (const auto& c : parent->children_) {
            if (EqualsNoCase(c->name_, name)) {
                name = kNewFolderName + std::to_string(++number);
                again = true;
            }
        }
    }
    return Done(AddChild(parent, name, true, nullptr));
}

WTargetTreeResult WTargetTree::MakeFolder(WTargetNode* parent, std::string_view name) {
    if (!parent || !parent->folder_)
        return Refused(kSelectTargetFolder);
    std::string why = NameProblem(name);
    if (!why.empty())
        return Refused(NameRefusal(name, why));
    if (WTargetNode* present = parent->Child(name)) {
        if (!present->folder_)
            return Refused(kFileExists);
        return Done(present);
    }
    return Done(AddChild(parent, std::string(name), true, nullptr));
}

// --- Removing

void WTargetTree::RemoveSubtree(WTargetNode* node) {
    for (const auto& c : node->children_)
        RemoveSubtree(c.get());
    if (!node->folder_ && node->element_) {
        if (WSetupComponent* files = Files()) {
            // Its shortcuts, registrations, INI entries and text replacements
            // would act on a file that the set no longer installs.
            RemoveDependentRecords(*files, *node->element_);
            files->TakeElement(node->element_);
            RecordsChanged();
        }
        node->element_ = nullptr;
    }
}

WTargetTreeResult WTargetTree::RemoveFolder(WTargetNode* folder, WTargetTreeQuestions& questions) {
    if (!folder || !folder->folder_)
        return Refused(kSelectFolder);
    if (folder->IsRoot())
        return Refused(kDeleteRoot);
    WTargetTreeQuestion q{folder->HasSubfolders() ? kDeleteWithSubfolders : kDeleteFolder,
                          kDeleteCaption, false, folder->ShownPath()};
    if (questions.Ask(q) != WTargetTreeQuestions::kYes)
        return Declined();
    RemoveSubtree(folder);
    Detach(folder);
    return Done();
}

WTargetTreeResult WTargetTree::RemoveFile(WTargetNode* file, WTargetTreeQuestions& questions) {
    if (!file || file->folder_)
        return Refused(kSelectFile);
    if (questions.Ask({kRemoveFile, "", false, file->ShownPath()}) != WTargetTreeQuestions::kYes)
        return Declined();
    RemoveSubtree(file);
    Detach(file);
    return Done();
}

WTargetTreeResult WTargetTree::RemoveAllFiles(WTargetNode* folder,
                                              WTargetTreeQuestions& questions) {
    if (!folder || !folder->folder_)
        return Refused(kSelectFilesFolder);
    if (questions.Ask({kRemoveAllFiles, "", false, folder->ShownPath()}) !=
        WTargetTreeQuestions::kYes)
        return Declined();
    std::vector<WTargetNode*> files;
    for (const auto& c : folder->children_) {
        if (!c->folder_)
            files.push_back(c.get());
    }
    for (WTargetNode* f : files) {
        RemoveSubtree(f);
        Detach(f);
    }
    return Done(folder);
}

// --- Moving and renaming

void WTargetTree::RecordsChanged() {
    // The map of records seen keys each record by what it held before.
    if (WCreatorManager* manager = project_.Components())
        manager->ElementsRemoved();
}

void WTargetTree::RewriteTargets(WTargetNode* node) {
    // Every file's records are found before any destination changes, so a
    // record never follows a file that only took over its old place.
    std::vector<std::pair<WTargetNode*, std::vector<WSetupElement*>>> moved;
    std::vector<WTargetNode*> stack{node};
    WSetupComponent* files = Files();
    while (!stack.empty()) {
        WTargetNode* n = stack.back();
        stack.pop_back();
        if (!n->folder_ && n->element_)
            moved.emplace_back(
                n, files ? DependentRecords(*files, *n->element_) : std::vector<WSetupElement*>{});
        for (const auto& c : n->children_)
            stack.push_back(c.get());
    }
    for (auto& [file, records] : moved) {
        file->element_->SetTargetDir(file->RootMacro());
        file->element_->SetTargetName(file->RelativePath());
    }
    for (auto& [file, records] : moved)
        RetargetRecords(records, *file->element_);
    RecordsChanged();
}

// The file of `fileNode` moved below `newParent` as a new element that
// carries every setting of the one it replaces; the node follows.
WSetupElement* WTargetTree::Reissue(WTargetNode* fileNode, WTargetNode* newParent) {
    std::unique_ptr<WTargetNode> node = Detach(fileNode);
    node->parent_ = newParent;
    newParent->children_.push_back(std::move(node));
    std::unique_ptr<WSetupElement> copy = fileNode->element_->Clone();
    copy->SetTargetDir(fileNode->RootMacro());
    copy->SetTargetName(fileNode->RelativePath());
    WSetupComponent* files = Files();
    const std::vector<WSetupElement*> records = DependentRecords(*files, *fileNode->element_);
    WSetupElement* added = files->AddElement(std::move(copy));
    files->TakeElement(fileNode->element_);
    fileNode->element_ = added;
    RetargetRecords(records, *added);
    RecordsChanged();
    return added;
}

WTargetTreeResult WTargetTree::Move(WTargetNode* node, WTargetNode* target,
                                    WTargetTreeQuestions& questions) {
    if (!node)
        return Refused(kSelectFolder);
    if (node->IsRoot())
        return Refused(kMoveRoot);
    if (!target || !target->folder_)
        return Refused(kSelectFolder);
    if (node->folder_) {
        for (const WTargetNode* n = target; n; n = n->parent_) {
            if (n == node)
                return Refused(kMoveToItself);
        }
    }
    if (target == node->parent_)
        return Done(node);
    if (WTargetNode* present = target->Child(node->name_))
        return RefusedAbout(node->folder_ || present->folder_ ? kFolderExists : kFileExists,
                            present->ShownPath());
    if (!node->folder_ && !target->parent_ && EqualsNoCase(target->name_, kFontsRoot) &&
        !EndsWithNoCase(node->name_, "ttf")) {
        const std::string shown = node->ShownPath();
        if (questions.Ask({ReplaceAll(kNotAFont, "%1", shown), "", true, shown}) !=
            WTargetTreeQuestions::kYes)
            return Declined();
    }
    if (!node->folder_) {
        Reissue(node, target);
        return Done(node);
    }
    std::unique_ptr<WTargetNode> taken = Detach(node);
    taken->parent_ = target;
    target->children_.push_back(std::move(taken));
    RewriteTargets(node);
    return Done(node);
}

WTargetTreeResult WTargetTree::Rename(WTargetNode* node, std::string_view newName) {
    if (!node)
        return Refused(kSelectFolder);
    if (node->IsRoot())
        return Refused(kRenameRoot);
    std::string why = NameProblem(newName);
    if (!why.empty())
        return Refused(NameRefusal(newName, why));
    WTargetNode* present = node->parent_->Child(newName);
    if (present && present != node)
        return RefusedAbout(node->folder_ || present->folder_ ? kFolderExists : kFileExists,
                            present->ShownPath());
    node->name_ = std::string(newName);
    RewriteTargets(node);
    return Done(node);
}

// --- The file properties' destination

WRelocateFile WTargetTree::Relocator() {
    return [this](WSetupFile* file, const std::string& targetDir, const std::string& targetName,
                  std::string& error) -> WSetupFile* {
        WTargetTreeResult moved =
            file ? Relocate(*file, targetDir, targetName) : WTargetTreeResult{};
        if (!file || !moved.Ok() || !moved.node) {
            error = file ? moved.message : "The file is not one of the application's files";
            return nullptr;
        }
        return static_cast<WSetupFile*>(moved.node->Element());
    };
}

WTargetTreeResult WTargetTree::Relocate(const WSetupElement& file, std::string_view targetDirMacro,
                                        std::string_view targetName) {
    WSetupComponent* files = Files();
    WSetupElement* element = nullptr;
    if (files) {
        for (const auto& e : files->Elements(file.GetTypeCode())) {
            if (e.get() == &file)
                element = e.get();
        }
    }
    if (!element)
        return Refused("The file is not one of the application's files");
    WTargetNode* folder = FindRoot(targetDirMacro);
    if (!folder)
        return Refused("Unknown target folder " + std::string(targetDirMacro));
    std::vector<std::string> parts;
    for (std::string& p : PathParts(targetName)) {
        if (!p.empty())
            parts.push_back(std::move(p));
    }
    if (parts.empty())
        return Refused(NameRefusal(targetName, "is empty"));
    for (const std::string& p : parts) {
        std::string why = NameProblem(p);
        if (!why.empty())
            return Refused(NameRefusal(p, why));
    }

    // The folders on the way, as far as they exist.
    WTargetNode* node = NodeOf(element);
    WTargetNode* parent = folder;
    size_t i = 0;
    for (; i + 1 < parts.size(); ++i) {
        WTargetNode* child = parent->Child(parts[i]);
        if (!child)
            break;
        if (!child->folder_)
            return Refused(kFileExists);
        parent = child;
    }
    if (i + 1 == parts.size()) {
        if (WTargetNode* present = parent->Child(parts.back())) {
            if (present == node)
                return Done(node);
            return RefusedAbout(present->folder_ ? kFolderExists : kFileExists,
                                present->ShownPath());
        }
    }
    for (; i + 1 < parts.size(); ++i)
        parent = AddChild(parent, parts[i], true, nullptr);

    std::unique_ptr<WSetupElement> copy = element->Clone();
    copy->SetTargetDir(folder->RootMacro());
    copy->SetTargetName(Join(parts, "\\"));
    const std::vector<WSetupElement*> records = DependentRecords(*files, *element);
    WSetupElement* added = files->AddElement(std::move(copy));
    RetargetRecords(records, *added);
    RecordsChanged();
    if (node)
        Detach(node);
    unplaced_.erase(std::remove(unplaced_.begin(), unplaced_.end(), element), unplaced_.end());
    files->TakeElement(element);
    return Done(AddChild(parent, parts.back(), false, added));
}

void WTargetTree::ReplaceElement(const WSetupElement* previous, WSetupElement* replacement) {
    if (WTargetNode* node = NodeOf(previous)) {
        node->element_ = replacement;
        return;
    }
    std::replace(unplaced_.begin(), unplaced_.end(), const_cast<WSetupElement*>(previous),
                 replacement);
}

}  // namespace vantrel
