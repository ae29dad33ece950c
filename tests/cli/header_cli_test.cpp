#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "platform/files.h"
#include "platform/paths.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using test::ReadBytes;
using test::ScratchFolder;
std::string Quote(const std::string& s) {
    return test::ShellQuote(s);
}

using Result = test::ShellResult;

// Runs vantrel-cli with `arguments` (already quoted as needed).
Result Cli(const ScratchFolder&, const std::string& arguments) {
    return test::RunShell(test::ShellQuote(VANTREL_CLI) + " " + arguments);
}

TEST(HeaderCommands, StampThenVerifyAndDetectEdits) {
    ScratchFolder dir;
    std::string file = dir.Write("project.kvz", "[Product]\r\nProductName=App\r\nVersion=1.0");
    std::string q = Quote(DisplayPath(file));

    Result stamp = Cli(dir, "stamp " + q);
    ASSERT_EQ(stamp.status, 0) << stamp.err;
    Result shown = Cli(dir, "header " + q + " --verify");
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out.substr(0, 33), "ModuleType=PRODUCT\nVersion=9.001\n");
    EXPECT_NE(shown.out.find("\nLastUser="), std::string::npos);
    EXPECT_NE(shown.out.find("\nChecksum=d0b:3:0\n"), std::string::npos) << shown.out;

    // A changed character changes only the sum; an added blank line changes
    // the line count; a blank instead of a letter changes sum and blanks.
    std::string bytes = ReadBytes(file);
    test::WriteBytes(file, bytes.substr(0, bytes.size() - 1) + "1");
    EXPECT_EQ(Cli(dir, "header " + q + " --verify --bits").status, 8);
    test::WriteBytes(file, bytes + "\r\n");
    Result more = Cli(dir, "header " + q + " --verify --bits");
    EXPECT_EQ(more.status, 16);
    EXPECT_NE(more.err.find("checksum differs: stored d0b:3:0, computed d0b:4:0"),
              std::string::npos)
        << more.err;
    test::WriteBytes(file, bytes.substr(0, bytes.size() - 1) + " ");
    EXPECT_EQ(Cli(dir, "header " + q + " --verify --bits").status, 8 | 32);
    // Without --verify the checksum is not recomputed.
    EXPECT_EQ(Cli(dir, "header " + q).status, 0);
}

TEST(HeaderCommands, StampKeepsOrSetsModuleTypeAndVersion) {
    ScratchFolder dir;
    std::string file = dir.Write("comp.kvz", "line");
    std::string q = Quote(DisplayPath(file));
    ASSERT_EQ(Cli(dir, "stamp " + q + " --module-type KVZ --version=2.5").status, 0);
    ASSERT_EQ(Cli(dir, "stamp " + q).status, 0);
    Result shown = Cli(dir, "header " + q);
    EXPECT_EQ(shown.out.substr(0, 27), "ModuleType=KVZ\nVersion=2.5\n");
    ASSERT_EQ(Cli(dir, "stamp " + q + " --module-type SPM").status, 0);
    EXPECT_EQ(Cli(dir, "header " + q).out.substr(0, 27), "ModuleType=SPM\nVersion=2.5\n");
    const std::string bytes = ReadBytes(file);
    EXPECT_EQ(bytes.substr(bytes.size() - 7), "]\r\nline");
}

TEST(HeaderCommands, AFailedRewriteOrAnOddFileNamesTheRealReason) {
    ScratchFolder dir;
    std::string text = "[Product]\r\n";
    for (int i = 0; i < 40; ++i)
        text += "Key" + std::to_string(i) + "=a value of the product\r\n";
    std::string file = dir.Write("project.kvz", text);
    // Files may not grow past 512 bytes, as on a disk that is full; the
    // signal is ignored so that the write fails instead.
    Result r = test::RunShell("trap '' XFSZ; ulimit -f 1; " + test::ShellQuote(VANTREL_CLI) +
                              " stamp " + Quote(file));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(": cannot be rewritten (" + file + ": File too large)"), std::string::npos)
        << r.err;
    EXPECT_EQ(ReadBytes(file), text);
    EXPECT_EQ(ListFolder(dir.path(), true, true), std::vector<std::string>{"project.kvz"});

    // A script made read-only is refused, not replaced.
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    r = Cli(dir, "stamp " + Quote(file));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(file + ": the file is read-only"), std::string::npos) << r.err;
    EXPECT_EQ(ReadBytes(file), text);
    ASSERT_EQ(::chmod(file.c_str(), 0644), 0);

    const std::string fifo = dir / "pipe.zlt";
    ASSERT_EQ(test::RunShell("mkfifo " + Quote(fifo)).status, 0);
    for (const char* command : {"header ", "stamp ", "show "}) {
        r = Cli(dir, command + Quote(fifo));
        EXPECT_NE(r.status, 0) << command;
        EXPECT_NE(r.err.find(fifo + ": is a FIFO (named pipe), not a file"), std::string::npos)
            << command << r.err;
    }
}

TEST(HeaderCommands, ErrorsAndOddFiles) {
    ScratchFolder dir;
    std::string missing = Quote(DisplayPath(dir / "missing.kvz"));
    Result r = Cli(dir, "stamp " + missing);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("vantrel-cli: "), std::string::npos);
    EXPECT_NE(r.err.find("missing.kvz: no such file"), std::string::npos) << r.err;
    EXPECT_FALSE(PathExists(dir / "missing.kvz"));
    EXPECT_EQ(Cli(dir, "stamp " + Quote(DisplayPath(dir.path()))).status, 1);
    EXPECT_EQ(Cli(dir, "header " + missing).status, 1);
    EXPECT_EQ(Cli(dir, "header " + Quote(DisplayPath(dir.path())) + " --verify").status, 1);

    std::string some = Quote(DisplayPath(dir.Write("x.kvz", "x")));
    EXPECT_EQ(Cli(dir, "stamp").status, 2);
    EXPECT_EQ(Cli(dir, "stamp " + some + " " + some).status, 2);
    EXPECT_EQ(Cli(dir, "stamp " + some + " --module-type").status, 2);
    EXPECT_EQ(Cli(dir, "stamp " + some + " --bogus").status, 2);
    EXPECT_EQ(Cli(dir, "header").status, 2);

    // No header: only a verifying read reports it.
    EXPECT_EQ(Cli(dir, "header " + some).status, 0);
    r = Cli(dir, "header " + some + " --verify --bits");
    EXPECT_EQ(r.status, 4);
    EXPECT_NE(r.err.find("no header block"), std::string::npos);

    std::string block = "[Oxbel Setup Header]\r\nModuleType=KVZ\r\n[Oxbel Setup Header End]\r\n";
    r = Cli(dir,
            "header " + Quote(DisplayPath(dir.Write("two.kvz", block + block + "x"))) + " --bits");
    EXPECT_EQ(r.status, 64);
    EXPECT_NE(r.err.find("second header"), std::string::npos);
    r = Cli(dir,
            "header " + Quote(DisplayPath(dir.Write("open.kvz", "[Oxbel Setup Header]\r\nx"))));
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("no end line"), std::string::npos);

    // Binary bytes, NULs and a very long line: reported, never a crash.
    std::string binary;
    for (int i = 0; i < 6000; ++i)
        binary += static_cast<char>((i * 37) % 251 + (i % 7 == 0 ? 0 : 1));
    std::string bin = Quote(DisplayPath(dir.Write("bin.dat", binary)));
    r = Cli(dir, "header " + bin + " --verify --bits");
    EXPECT_EQ(r.status & 1, 0);
    EXPECT_EQ(r.status & 4, 4);
    ASSERT_EQ(Cli(dir, "stamp " + bin).status, 0);
    EXPECT_EQ(Cli(dir, "header " + bin + " --verify --bits").status & ~2, 0);
}

}  // namespace
}  // namespace vantrel
