#include "platform/file_handle.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/files.h"
#include "platform/interrupt_guard.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/text_file.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

// Lowers the largest file this process may write to `bytes` for the life of
// the object: writes beyond it fail with EFBIG, the way a full disk fails
// them, on any file system and for any user.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = ::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit lower = previous_;
        lower.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        ::signal(SIGXFSZ, previousHandler_);
    }

  private:
    rlimit previous_{};
    sighandler_t previousHandler_ = SIG_DFL;
};

TEST(FileHandle, WritesReadsAndReportsTheSystemsReason) {
    test::ScratchFolder dir;
    FileHandle out;
    ASSERT_TRUE(out.Open(dir / "f.bin", FileHandle::Mode::kWrite, 0640));
    ASSERT_TRUE(out.WriteAll("hello world", 11));
    ASSERT_TRUE(out.WriteAllAt(6, "WORLD", 5));
    FileHandle moved = std::move(out);
    EXPECT_FALSE(out.IsOpen());
    ASSERT_TRUE(moved.Sync());
    ASSERT_TRUE(moved.Close());
    EXPECT_EQ(dir.Read("f.bin"), "hello WORLD");

    FileHandle in;
    ASSERT_TRUE(in.Open(dir / "f.bin", FileHandle::Mode::kReadFileOnly));
    FileInfo info;
    ASSERT_TRUE(in.Info(info));
    EXPECT_TRUE(info.isFile);
    EXPECT_EQ(info.size, 11);
    char buf[32];
    size_t got = 0;
    ASSERT_TRUE(in.ReadFullAt(6, buf, sizeof buf, got));
    EXPECT_EQ(std::string(buf, got), "WORLD");
    ASSERT_TRUE(in.ReadFull(buf, 5, got));
    EXPECT_EQ(std::string(buf, got), "hello");

    EXPECT_FALSE(FileHandle().Open(dir / "f.bin", FileHandle::Mode::kCreateNew));
    EXPECT_EQ(errno, EEXIST);
    EXPECT_FALSE(FileHandle().Open(dir / "none", FileHandle::Mode::kRead));
    EXPECT_EQ(errno, ENOENT);
    // A folder and a FIFO are refused at once, the FIFO without waiting for
    // a writer.
    EXPECT_FALSE(FileHandle().Open(dir.path(), FileHandle::Mode::kReadFileOnly));
    EXPECT_EQ(errno, EISDIR);
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    EXPECT_FALSE(FileHandle().Open(dir / "fifo", FileHandle::Mode::kReadFileOnly));
    EXPECT_EQ(errno, EINVAL);

    // The same open that says what the file is, in one look.
    FileInfo seen;
    ASSERT_TRUE(in.OpenFileOnly(dir / "f.bin", seen));
    EXPECT_TRUE(seen.isFile);
    EXPECT_EQ(seen.size, 11);
    EXPECT_EQ(seen.inode, info.inode);
    ASSERT_TRUE(in.ReadFullAt(0, buf, sizeof buf, got));
    EXPECT_EQ(std::string(buf, got), "hello WORLD");
    EXPECT_FALSE(FileHandle().OpenFileOnly(dir.path(), seen));
    EXPECT_EQ(errno, EISDIR);
    EXPECT_FALSE(FileHandle().OpenFileOnly(dir / "fifo", seen));
    EXPECT_EQ(errno, EINVAL);
}

TEST(FileHandle, AFullDeviceFailsTheWriteWithNoSpace) {
    if (!PathExists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    FileHandle full;
    ASSERT_TRUE(full.Open("/dev/full", FileHandle::Mode::kWrite));
    errno = 0;
    EXPECT_FALSE(full.WriteAll("x", 1));
    EXPECT_EQ(errno, ENOSPC);
    errno = 0;
    EXPECT_FALSE(full.WriteAllAt(0, "x", 1));
    EXPECT_EQ(errno, ENOSPC);
}

TEST(FileHandle, EntriesOfAnOpenFolderNeverFollowALinkAtTheirName) {
    test::ScratchFolder dir;
    dir.Write("outside/secret.txt", "secret");
    FileHandle folder;
    ASSERT_TRUE(folder.Open(dir.path(), FileHandle::Mode::kFolder));
    ASSERT_TRUE(folder.MakeFolderIn("sub"));
    EXPECT_FALSE(folder.MakeFolderIn("sub"));
    EXPECT_EQ(errno, EEXIST);
    ASSERT_EQ(::symlink((dir / "outside/secret.txt").c_str(), (dir / "link").c_str()), 0);

    FileHandle file;
    EXPECT_FALSE(file.OpenIn(folder, "link", FileHandle::Mode::kWrite));
    EXPECT_EQ(errno, ELOOP);
    EXPECT_EQ(dir.Read("outside/secret.txt"), "secret");
    FileInfo info;
    ASSERT_TRUE(folder.InfoIn("link", info));
    EXPECT_FALSE(info.isFile);

    ASSERT_TRUE(file.OpenIn(folder, "a.txt", FileHandle::Mode::kCreateNew));
    ASSERT_TRUE(file.WriteAll("a", 1));
    ASSERT_TRUE(file.Close());
    ASSERT_TRUE(folder.RenameIn("a.txt", "b.txt"));
    EXPECT_EQ(dir.Read("b.txt"), "a");
    ASSERT_TRUE(folder.RemoveIn("b.txt"));
    EXPECT_FALSE(PathExists(dir / "b.txt"));
}

TEST(Files, AFailedAtomicWriteLeavesTheOldFileAndNoTemporaryFile) {
    test::ScratchFolder dir;
    const std::string path = dir.Write("p.zlt", "old contents");
    const std::string big(64 * 1024, 'x');
    std::string error;
    {
        FileSizeLimit limit(4096);
        EXPECT_FALSE(WriteFileAtomic(path, big, &error));
    }
    EXPECT_EQ(error, DisplayPath(path) + ": File too large");
    EXPECT_EQ(dir.Read("p.zlt"), "old contents");
    EXPECT_EQ(ListFolder(dir.path(), true, true), std::vector<std::string>{"p.zlt"});

    // The registry store writes its hive files the same way.
    RegFileStore store(dir / "m.reg", dir / "u.reg");
    ASSERT_TRUE(store.SetString(Hive::CurrentUser, "Software\\Test", "Name", "first"));
    const std::string before = dir.Read("u.reg");
    {
        FileSizeLimit limit(before.size() + 16);
        EXPECT_FALSE(store.SetString(Hive::CurrentUser, "Software\\Test", "Name", big));
    }
    EXPECT_EQ(dir.Read("u.reg"), before);
    std::string value;
    ASSERT_TRUE(store.GetString(Hive::CurrentUser, "Software\\Test", "Name", value));
    EXPECT_EQ(value, "first");
    EXPECT_EQ(ListFolder(dir.path(), true, true), (std::vector<std::string>{"p.zlt", "u.reg"}));
}

TEST(Files, AnAtomicWriteKeepsThePermissionsOfTheFileItReplaces) {
    test::ScratchFolder dir;
    const std::string path = dir.Write("p.zlt", "old");
    ASSERT_TRUE(SetFilePermissions(path, 0640));
    ASSERT_TRUE(WriteFileAtomic(path, "new"));
    FileInfo info;
    ASSERT_TRUE(GetFileInfo(path, info));
    EXPECT_EQ(info.permissions, 0640u);
    EXPECT_EQ(dir.Read("p.zlt"), "new");
}

TEST(TextReader, CrLfOnlyKeepsACrThatEndsTheFile) {
    test::ScratchFolder dir;
    const std::string path = dir.Write("t.txt", "a\r\nb\rc\r");
    std::vector<std::string> lines;
    TextReader plain;
    ASSERT_TRUE(plain.Open(path));
    for (std::string line; plain.ReadLine(line);)
        lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b\rc"}));

    lines.clear();
    TextReader exact;
    exact.SetCrLfOnly(true);
    exact.SetFinalEmptyLine(true);
    ASSERT_TRUE(exact.Open(path));
    for (std::string line; exact.ReadLine(line);)
        lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b\rc\r"}));
}

TEST(InterruptGuard, TurnsCtrlCIntoAFlagAndRestoresTheHandlerBefore) {
    static volatile sig_atomic_t before = 0;
    auto* previous = ::signal(SIGINT, [](int) { before = 1; });
    {
        InterruptGuard guard;
        EXPECT_FALSE(InterruptGuard::Interrupted());
        ::raise(SIGINT);
        ::raise(SIGTERM);
        EXPECT_TRUE(InterruptGuard::Interrupted());
        EXPECT_EQ(before, 0);
    }
    ::raise(SIGINT);
    EXPECT_EQ(before, 1);
    ::signal(SIGINT, previous);
    InterruptGuard again;
    EXPECT_FALSE(InterruptGuard::Interrupted());
}

}  // namespace
}  // namespace vantrel
