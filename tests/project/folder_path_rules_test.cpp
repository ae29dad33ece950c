#include "project/folder_path_rules.h"

#include <unistd.h>

#include "platform/files.h"
#include "platform/volumes.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

// A folder's name refuses the separators and the colon; a path only lists what it refuses.
const std::string kCharacters =
    "A directory cannot contain any of the following characters:\n\t/ * ? \\ \" < > | : ,";
const std::string kPathCharacters =
    "A directory cannot contain any of the following characters:\n\t* ? \" < > | ,";
const std::string kReadOnly =
    "The directory exists, however you do not have write access to this location.";
const std::string kNoAccess = "You do not have access to this drive(directory).";
const std::string kDriveMissing =
    "The drive provided could not be accessed because it does not exist.";

// This host's volumes, with a CD mounted at /media/cdrom.
WFolderVolumes WithCdAtMediaCdrom() {
    WFolderVolumes v = WFolderVolumes::Host();
    v.isCdOrRemovable = [](std::string_view path) {
        static const char* info =
            "22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
            "41 22 11:0 / /media/cdrom ro master:2 - iso9660 /dev/sr0 ro\n";
        MountEntry e;
        return FindMountIn(info, path, e) && e.fsType == "iso9660";
    };
    return v;
}

struct Answering : WFolderQuestion {
    explicit Answering(bool yes) : yes(yes) {}
    bool CreateMissingFolder(const std::string& question) override {
        asked.push_back(question);
        return yes;
    }
    bool yes;
    std::vector<std::string> asked;
};

TEST(FolderPathRules, RefusalsComeInTheirOrderForEachOptionSet) {
    const WFolderVolumes volumes = WithCdAtMediaCdrom();
    auto message = [&](std::string_view path, int options) {
        return CheckFolderPath(path, {options, false}, volumes).message;
    };
    // The characters come first, whatever the options.
    EXPECT_EQ(message("\\\\server\\a*b", 1), kPathCharacters);
    EXPECT_EQ(message("/media/cdrom/a,b", 17), kPathCharacters);
    EXPECT_EQ(message("/tmp/a|b", 273), kPathCharacters);

    EXPECT_EQ(message("\\\\server\\share", 1),
              "You have chosen to use drives, you cannot enter UNC paths.");
    EXPECT_EQ(message("\\\\server\\share", 17),
              "The UNC path provided could not be opened because it does not exist.");
    const std::string uncOnly =
        "You have chosen to use UNC paths, you must identify your server "
        "with two slashes i.e. '\\\\server1\\share1'";
    EXPECT_EQ(message("C:\\Setup", 16), uncOnly);
    EXPECT_EQ(message("/tmp", 16), uncOnly);  // a path of this host is a drive path
    EXPECT_EQ(message("C:\\Setup", 17), kDriveMissing);
    EXPECT_EQ(message("relative/folder", 17), kDriveMissing);

    // A CD is refused before anything is looked up on it; 273 takes it.
    EXPECT_EQ(message("/media/cdrom/setup", 17), "You are not allowed to enter removable drives.");
    EXPECT_EQ(message("/media/cdrom/setup", 1), "You are not allowed to enter removable drives.");
    EXPECT_NE(message("/media/cdrom/setup", 273), "You are not allowed to enter removable drives.");

    // An empty path is refused without a message.
    WFolderCheck empty = CheckFolderPath("  ", {17, false}, volumes);
    EXPECT_EQ(empty.status, WFolderCheck::Status::Refused);
    EXPECT_EQ(empty.message, "");
}

TEST(FolderPathRules, NormalisingTrimsEachPieceAndTrailingSeparatorsNameTheSameFolder) {
    EXPECT_EQ(NormaliseFolderPath(" /home / ann/ my setup /"), "/home/ann/my setup/");
    EXPECT_EQ(NormaliseFolderPath("C:\\ Program Files \\x"), "C:\\Program Files\\x");
    EXPECT_EQ(NormaliseFolderPath("\\\\server\\share"), "\\\\server\\share");
    EXPECT_EQ(NormaliseFolderPath("/home\\ann"), "/home/ann");
    EXPECT_EQ(FolderPathKey("/tmp/x/"), FolderPathKey("/tmp/x"));
    EXPECT_EQ(FolderPathKey("/"), "/");

    test::ScratchFolder dir;
    const WFolderCheck plain = CheckFolderPath(dir.path(), {17, false});
    const WFolderCheck trailing = CheckFolderPath(dir.path() + "/ ", {17, false});
    EXPECT_TRUE(plain.Accepted()) << plain.message;
    EXPECT_TRUE(trailing.Accepted()) << trailing.message;
    EXPECT_EQ(plain.path, dir.path());
    EXPECT_EQ(trailing.path, dir.path());
}

TEST(FolderPathRules, WhatTheFileSystemSaysAboutExistingPaths) {
    test::ScratchFolder dir;
    const std::string file = dir.Write("file.txt", "x");
    EXPECT_EQ(CheckFolderPath(file, {273, true}).message, kNoAccess);

    const std::string readOnly = dir / "ro", closed = dir / "closed";
    const std::string seen = test::AsUnprivileged(dir.path(), [&] {
        if (!MakeFolder(readOnly) || !SetFilePermissions(readOnly, 0555) || !MakeFolder(closed) ||
            !SetFilePermissions(closed, 0))
            return std::string("cannot set up");
        const std::string out =
            CheckFolderPath(readOnly, {17, false}).message + "|" +
            (CheckFolderPath(readOnly, {273, true}).Accepted() ? "accepted" : "refused") + "|" +
            CheckFolderPath(closed, {273, true}).message + "|" +
            CheckFolderPath(closed + "/inside", {273, true}).message;
        SetFilePermissions(closed, 0755);
        SetFilePermissions(readOnly, 0755);
        return out;
    });
    EXPECT_EQ(seen, kReadOnly + "|accepted|" + kNoAccess + "|" + kNoAccess);
}

TEST(FolderPathRules, MissingFolderIsCreatedWithItsParentsOnlyWhenTheUserSaysYes) {
    test::ScratchFolder dir;
    const std::string missing = dir / "a/b/c";
    EXPECT_EQ(CheckFolderPath(missing, {17, false}).status, WFolderCheck::Status::Missing);

    Answering no(false);
    WFolderCheck refused = AcceptFolderPath(missing, {17, false}, no);
    EXPECT_EQ(refused.status, WFolderCheck::Status::Refused);
    EXPECT_EQ(refused.message, "");
    ASSERT_EQ(no.asked.size(), 1u);
    EXPECT_EQ(no.asked[0],
              "The chosen directory does not exist. Would you like the setup to create it?");
    EXPECT_FALSE(PathExists(dir / "a"));

    Answering yes(true);
    WFolderCheck made = AcceptFolderPath(missing + "/", {17, false}, yes);
    EXPECT_TRUE(made.Accepted()) << made.message;
    EXPECT_TRUE(IsFolder(missing));
    EXPECT_EQ(made.created, (std::vector<std::string>{dir / "a", dir / "a/b", dir / "a/b/c"}));

    // An existing folder is never asked about.
    Answering unused(true);
    EXPECT_TRUE(AcceptFolderPath(missing, {17, false}, unused).Accepted());
    EXPECT_TRUE(unused.asked.empty());

    const std::string locked = dir / "locked";
    const std::string seen = test::AsUnprivileged(dir.path(), [&] {
        if (!MakeFolder(locked) || !SetFilePermissions(locked, 0555))
            return std::string("cannot set up");
        Answering yes(true);
        const WFolderCheck failed = AcceptFolderPath(locked + "/x/y", {273, true}, yes);
        const std::string out =
            (failed.status == WFolderCheck::Status::Refused ? "refused: " : "not refused: ") +
            failed.message + (PathExists(locked + "/x") ? " (x made)" : "");
        SetFilePermissions(locked, 0755);
        return out;
    });
    EXPECT_EQ(seen, "refused: The directory could not be created. You may not have write access.");
}

TEST(FolderPathRules, NewFoldersTakeTheFirstFreeName) {
    test::ScratchFolder dir;
    WFolderCommand first = MakeNewFolder(dir.path());
    WFolderCommand second = MakeNewFolder(dir.path());
    WFolderCommand third = MakeNewFolder(dir.path());
    ASSERT_TRUE(first.Ok() && second.Ok() && third.Ok());
    EXPECT_EQ(first.path, dir / "New Folder");
    EXPECT_EQ(second.path, dir / "New Folder 0");
    EXPECT_EQ(third.path, dir / "New Folder 1");
    EXPECT_TRUE(IsFolder(first.path) && IsFolder(second.path) && IsFolder(third.path));
    // A gap is filled first.
    ASSERT_TRUE(RemoveEmptyFolder(second.path));
    EXPECT_EQ(NewFolderName(dir.path()), "New Folder 0");

    const std::string seen = test::AsUnprivileged(dir.path(), [&] {
        if (!SetFilePermissions(dir.path(), 0555))
            return std::string("cannot set up");
        const WFolderCommand failed = MakeNewFolder(dir.path());
        SetFilePermissions(dir.path(), 0755);
        return failed.message + "|" + failed.caption;
    });
    EXPECT_EQ(seen,
              "The directory could not be created. You may not have write access.|Create Error");
}

TEST(FolderPathRules, RenameRefusesBadAndTakenNamesAndNeverReplacesAFolder) {
    test::ScratchFolder dir;
    const std::string folder = dir / "old";
    dir.Write("old/keep.txt", "k");
    ASSERT_TRUE(MakeFolder(dir / "empty"));

    for (const char* bad : {"a*b", "a/b", "a\\b", "a:b", "a,b", "a\"b"}) {
        WFolderCommand r = RenameFolder(folder, bad);
        EXPECT_EQ(r.message, kCharacters) << bad;
        EXPECT_EQ(r.caption, "Rename Error");
    }
    // An existing name, even an empty folder that rename(2) would replace.
    WFolderCommand taken = RenameFolder(folder, "empty");
    EXPECT_EQ(taken.message, "The name you entered already exists.Folder cannot be renamed.");
    EXPECT_TRUE(IsFolder(dir / "empty"));
    EXPECT_TRUE(IsFile(folder + "/keep.txt"));

    WFolderCommand gone = RenameFolder(dir / "nothing", "x");
    EXPECT_EQ(gone.message, "Error: (" + (dir / "nothing") + ") could not be renamed.");
    EXPECT_EQ(RenameFolder(folder, "").message, "Error: (" + folder + ") could not be renamed.");

    WFolderCommand renamed = RenameFolder(folder + "/", "new name");
    ASSERT_TRUE(renamed.Ok()) << renamed.message;
    EXPECT_EQ(renamed.path, dir / "new name");
    EXPECT_EQ(test::ReadBytes(dir / "new name/keep.txt"), "k");
    EXPECT_FALSE(PathExists(folder));
}

TEST(FolderPathRules, DeleteGoesDepthFirstAndStopsAtTheFirstFailure) {
    test::ScratchFolder dir;
    EXPECT_EQ(DeleteFolderQuestion("/tmp/x"),
              "Are you sure you want to delete the directory (/tmp/x) and all its contents "
              "permanently?");

    // A link to a folder goes as a link; the folder it names stays whole.
    const std::string outside = dir / "outside";
    dir.Write("outside/precious.txt", "p");
    const std::string top = dir / "top";
    dir.Write("top/sub/deeper/f.txt", "f");
    dir.Write("top/a.txt", "a");
    ASSERT_EQ(::symlink(outside.c_str(), (top + "/link").c_str()), 0);
    WFolderCommand all = DeleteFolderTree(top);
    EXPECT_TRUE(all.Ok()) << all.message;
    EXPECT_FALSE(PathExists(top));
    EXPECT_EQ(test::ReadBytes(outside + "/precious.txt"), "p");

    dir.Write("top/a_sub/x.txt", "x");
    dir.Write("top/b_locked/f.txt", "f");
    dir.Write("top/c_sub/y.txt", "y");
    dir.Write("top/1.txt", "1");
    dir.Write("top/2.txt", "2");
    auto there = [](const std::string& path) { return PathExists(path) ? " +" : " -"; };
    const std::string seen = test::AsUnprivileged(dir.path(), [&] {
        if (!SetFilePermissions(top + "/b_locked", 0555))
            return std::string("cannot set up");
        const WFolderCommand stopped = DeleteFolderTree(top);
        SetFilePermissions(top + "/b_locked", 0755);
        // What was reached before the failure went; the rest stays.
        std::string out = stopped.message + "|" + stopped.caption + "|";
        for (const char* name : {"/a_sub", "/b_locked/f.txt", "/c_sub/y.txt", "/1.txt", "/2.txt"})
            out += there(top + name);
        // A folder that cannot be removed from its parent: its files go, it stays.
        if (!SetFilePermissions(top, 0555))
            return out + "|cannot lock";
        const WFolderCommand locked = DeleteFolderTree(top + "/c_sub");
        SetFilePermissions(top, 0755);
        return out + "|" + locked.message + "|" + there(top + "/c_sub/y.txt") +
               there(top + "/c_sub");
    });
    EXPECT_EQ(seen, "Error: Access denied to file:(" + top +
                        "/b_locked/f.txt)|Delete Error| - + + + +" +
                        "|Error: Access denied to the path:(" + top + "/c_sub)| - +");
}

}  // namespace
}  // namespace vantrel
