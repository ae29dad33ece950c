// What every command shares: help, "--", -q, the streams and exit codes,
// the JSON documents of show, build and verify, and what a run leaves of the
// user's settings and the environment.
#include <sys/stat.h>

#include <string>

#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using test::ScratchFolder;
using Result = test::ShellResult;

class CommandLine : public ::testing::Test {
  protected:
    void SetUp() override {
        test::WriteMinimalComps(dir, "install");
        const std::string engine =
            dir.Write("install/Distrib/setup32.exe", "#!/bin/sh\necho \"engine saw $*\"\n");
        ::chmod(engine.c_str(), 0755);
        dir.Write("install/Distrib/Setup/setup.exe", "floppy start");
        MakeFolders(dir / "install/MySetup");
        dir.Write("src/readme.txt", "read me");
        dir.Write("src/-odd.txt", "a name that looks like an option");
        ASSERT_EQ(Cli("new p.zlt --name Ledger --company Acme").status, 0);
    }

    Result Cli(const std::string& arguments, const std::string& env = "") {
        return test::RunCliIn(dir, arguments, env);
    }

    // The value of the Python expression `expr` over the JSON document `d`
    // in `json`; "parse error" when it is not JSON.
    std::string Json(const std::string& json, const std::string& expr) {
        const std::string file = dir.Write("doc.json", json);
        const std::string script = dir.Write(
            "q.py",
            "import json, sys\ntry:\n    d = json.load(open(sys.argv[1], encoding='utf-8'))\n"
            "except ValueError:\n    print('parse error'); sys.exit()\nprint(eval(sys.argv[2]))\n");
        Result r = test::RunShell("python3 " + test::ShellQuote(script) + " " +
                                  test::ShellQuote(file) + " " + test::ShellQuote(expr));
        return r.out.empty() ? r.err : r.out.substr(0, r.out.size() - 1);
    }

    static void ExpectHas(const std::string& text, const std::string& part) {
        EXPECT_NE(text.find(part), std::string::npos) << "missing: " << part << "\nin:\n" << text;
    }

    ScratchFolder dir;
};

TEST_F(CommandLine, EveryCommandHasHelpAndDoubleDashEndsOptions) {
    for (const char* command : {"add-files", "build", "file", "header", "ini", "macros", "move",
                                "new", "registry", "remove-files", "rename", "replace", "scripts",
                                "set", "shortcut", "show", "stamp", "test-run", "verify"}) {
        SCOPED_TRACE(command);
        for (const std::string& ask :
             {std::string(command) + " --help", std::string(command) + " p.zlt -h",
              "help " + std::string(command)}) {
            Result r = Cli(ask);
            EXPECT_EQ(r.status, 0) << ask;
            EXPECT_EQ(r.out.rfind("usage: vantrel-cli " + std::string(command), 0), 0u) << r.out;
            ExpectHas(r.out, "\ncommon options:\n");
            EXPECT_EQ(r.err, "");
        }
    }
    ExpectHas(Cli("build --help").out, "  --json ");
    // Help asked for is output; help instead of a command is a usage error.
    Result asked = Cli("--help");
    EXPECT_EQ(asked.status, 0);
    ExpectHas(asked.out, "\ncommands:\n");
    Result none = Cli("");
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.out, "");
    ExpectHas(none.err, "\ncommands:\n");

    // After "--" a name that starts with "-" is a file, and "--help" no help.
    Result odd = Cli("add-files p.zlt src/readme.txt --to '<D>' -- src/-odd.txt");
    ASSERT_EQ(odd.status, 0) << odd.err;
    ExpectHas(Cli("show p.zlt").out, "<Target Folder>\\-odd.txt  <-  ");
    EXPECT_EQ(Cli("add-files p.zlt -- --help").status, 1);
    Result unknown = Cli("add-files p.zlt --odd.txt");
    EXPECT_EQ(unknown.status, 2);
    ExpectHas(unknown.err, "vantrel-cli: unknown option --odd.txt\n");
    // A flag takes no value, a value option needs one; run options may be
    // grouped and stand anywhere before "--".
    Result flagValue = Cli("add-files p.zlt src/readme.txt --force=yes");
    EXPECT_EQ(flagValue.status, 2);
    ExpectHas(flagValue.err, "vantrel-cli: --force takes no value\n");
    Result noValue = Cli("add-files p.zlt src/readme.txt --to");
    EXPECT_EQ(noValue.status, 2);
    ExpectHas(noValue.err, "vantrel-cli: --to needs a value\n");
    EXPECT_EQ(Cli("show -qv p.zlt").status, 0);
    // Options after the operands, also where the C library would stop at
    // the first operand.
    EXPECT_EQ(Cli("new q.zlt --name Q --company C", "POSIXLY_CORRECT=1").status, 0);
    ExpectHas(Cli("show q.zlt").out, "  Name:                  Q\n");
    // A value that looks like a run option belongs to its option.
    ASSERT_EQ(Cli("macros expand -- -v").status, 0);
    EXPECT_EQ(Cli("macros expand -- -v").out, "-v\n");
}

TEST_F(CommandLine, JsonDocumentsParseAndHoldWhatTheTextSays) {
    ASSERT_EQ(Cli("add-files p.zlt src").status, 0);
    Result shown = Cli("show p.zlt --json");
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(Json(shown.out, "d['format'], d['version']"), "('vantrel-show', 1)");
    EXPECT_EQ(Json(shown.out, "d['application']['name'], d['application']['company']"),
              "('Ledger', 'Acme')");
    EXPECT_EQ(Json(shown.out, "sorted(f['target'] for f in d['files'])"),
              "['<Target Folder>\\\\src\\\\-odd.txt', '<Target Folder>\\\\src\\\\readme.txt']");
    EXPECT_EQ(Json(shown.out, "[f['size'] for f in d['files'] if f['target'].endswith('me.txt')]"),
              "[7]");
    // The background as the setup will use it, like the text's lines.
    EXPECT_EQ(Json(shown.out, "d['options']['gradientColour'], d['options']['dropShadow']"),
              "('BLUE', False)");

    Result built = Cli("build p.zlt --media out --size 640MB --json");
    ASSERT_EQ(built.status, 0) << built.err;
    Result text = Cli("build p.zlt --media out2 --size 640MB");
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(Json(built.out, "'Components: ' + ', '.join(d['plan']['components'])"),
              text.out.substr(text.out.find("Components: "),
                              text.out.find('\n', text.out.find("Components: ")) -
                                  text.out.find("Components: ")));
    EXPECT_EQ(
        Json(built.out, "d['result']['created'], d['result']['error'], d['plan']['floppySet']"),
        "(True, None, False)");
    EXPECT_EQ(Json(built.out, "d['result']['log']"), dir / "out/Setup/setup.log");
    EXPECT_EQ(Json(built.out, "len(d['result']['disks']), d['result']['disks'][0]['files'] > 3"),
              "(1, True)");

    Result verified = Cli("verify out --json");
    EXPECT_EQ(verified.status, 0) << verified.err;
    EXPECT_EQ(Json(verified.out, "d['sound'], d['kind'], d['problems']"), "(True, 'cd', [])");
    const std::string records = Json(verified.out, "d['fileRecords']");
    ExpectHas(Cli("verify out").out, records + " file records checked\n");

    // A damaged set: the problems are in the document and the status is 1.
    test::WriteBytes(dir / "out/src/readme.txt", "changed!");
    Result broken = Cli("verify out --json");
    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(Json(broken.out, "d['sound'], len(d['problems']) > 0"), "(False, True)");

    // A refused build still gives a document that says why.
    Result refused = Cli("build p.zlt --media out3 --size 5KB --json");
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(Json(refused.out, "d['plan']['medium'], d['result']['created']"), "('5 KB', False)");
    ExpectHas(Json(refused.out, "d['result']['error']"), "valid floppy size (5 KB)");
    Result unknown = Cli("build p.zlt --media out3 --size huge --json");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(Json(unknown.out, "d['plan'], d['result']['error']"),
              "(None, 'unknown size huge (720KB, 1.44MB, 2.88MB, 100MB, 250MB, 640MB, or a "
              "custom size NKB or NMB)')");
}

TEST_F(CommandLine, StreamsExitCodesAndEnvironment) {
    ASSERT_EQ(Cli("add-files p.zlt src/readme.txt").status, 0);
    // Progress is on stderr, stdout keeps the results; -q silences it.
    Result loud = Cli("build p.zlt --media out --size 640MB");
    ASSERT_EQ(loud.status, 0) << loud.err;
    ExpectHas(loud.err, "100%  ");
    EXPECT_EQ(loud.out.find("%  "), std::string::npos) << loud.out;
    Result quiet = Cli("-q build p.zlt --media out --size 640MB --clean");
    ASSERT_EQ(quiet.status, 0) << quiet.err;
    EXPECT_EQ(quiet.err, "");
    ExpectHas(quiet.out, "Media created in ");

    // Output that cannot be written is a failure.
    Result full = Cli("show p.zlt >/dev/full");
    EXPECT_EQ(full.status, 1);
    ExpectHas(full.err, "vantrel-cli: cannot write the output: ");

    // A malformed SOURCE_DATE_EPOCH stops the run before anything is written.
    for (const char* bad : {"yesterday", "-5", "1e9", "99999999999999"}) {
        Result r = Cli("build p.zlt --media bad --size 640MB",
                       "SOURCE_DATE_EPOCH=" + test::ShellQuote(bad));
        EXPECT_EQ(r.status, 1) << bad;
        ExpectHas(r.err, "is not a number of seconds since 1970");
        EXPECT_FALSE(PathExists(dir / "bad")) << bad;
    }
    EXPECT_EQ(Cli("show p.zlt", "SOURCE_DATE_EPOCH=").status, 0);
    EXPECT_EQ(Cli("show p.zlt", "SOURCE_DATE_EPOCH=1700000000").status, 0);

    // A script's saves leave the wizard's recent list alone unless asked.
    ASSERT_EQ(Cli("set p.zlt Version=2.0").status, 0);
    EXPECT_FALSE(PathExists(dir / "user.reg"));
    ASSERT_EQ(Cli("set p.zlt Version=2.1 --remember").status, 0);
    ExpectHas(dir.Read("user.reg"), "\"File0\"=\"" + (dir / "p.zlt") + "\"");

    // header --verify: 0 or 1 with the bits printed; --bits exits with them.
    const std::string script = dir.Write("s.kvz", "[Product]\r\nName=A");
    ASSERT_EQ(Cli("stamp s.kvz").status, 0);
    Result sound = Cli("header s.kvz --verify");
    EXPECT_EQ(sound.status, 0);
    ExpectHas(sound.out, "\nVerify=0\n");
    test::WriteBytes(script, test::ReadBytes(script) + "B");
    Result edited = Cli("header s.kvz --verify");
    EXPECT_EQ(edited.status, 1);
    ExpectHas(edited.out, "\nVerify=8\n");
    EXPECT_EQ(Cli("header s.kvz --verify --bits").status, 8);
    EXPECT_EQ(Cli("header " + test::ShellQuote(dir.Write("plain.kvz", "x")) + " --verify").status,
              1);
}

TEST_F(CommandLine, ProgressBarFitsTheTerminalAndCutsByCharacters) {
    if (test::RunShell("command -v script").status != 0)
        GTEST_SKIP() << "no script(1) to give the program a terminal";
    // A long name outside ASCII, so that the operation's text must be cut.
    const std::string ue = "\xc3\xbc", ae = "\xc3\xa4", oe = "\xc3\xb6", ss = "\xc3\x9f";
    const std::string name = "Ue" + ue + "bersicht der Gr" + oe + ss + "en f" + ue + "r " + ae +
                             "lle L" + ae + "nder und " + ae + "mter.txt";
    ASSERT_EQ(test::RunShell("echo x > " + test::ShellQuote(dir / ("src/" + name))).status, 0);
    Result added = Cli("add-files p.zlt " + test::ShellQuote("src/" + name));
    ASSERT_EQ(added.status, 0) << added.err;
    for (int columns : {40, 72}) {
        SCOPED_TRACE(columns);
        const std::string inner = "stty cols " + std::to_string(columns) + " rows 20; cd " +
                                  test::ShellQuote(dir.path()) +
                                  " && VANTREL_MACHINE_REG=machine.reg " +
                                  "VANTREL_USER_REG=user.reg " + test::ShellQuote(VANTREL_CLI) +
                                  " --install-location install build p.zlt --media out" +
                                  std::to_string(columns) + " --size 640MB >/dev/null";
        Result r = test::RunShell("script -qec " + test::ShellQuote(inner) + " /dev/null");
        ASSERT_EQ(r.status, 0) << r.out << r.err;
        size_t bars = 0;
        size_t start = 0;
        // Each redrawn line, between carriage returns and line breaks.
        for (size_t i = 0; i <= r.out.size(); ++i) {
            if (i < r.out.size() && r.out[i] != '\r' && r.out[i] != '\n')
                continue;
            const std::string line = r.out.substr(start, i - start);
            start = i + 1;
            if (line.rfind("[", 0) != 0)
                continue;
            ++bars;
            EXPECT_TRUE(IsUtf8(line)) << line;
            size_t characters = 0;
            for (unsigned char c : line)
                characters += (c & 0xC0) != 0x80;
            EXPECT_LT(characters, static_cast<size_t>(columns)) << line;
        }
        EXPECT_GT(bars, 0u) << r.out;
        ExpectHas(r.out, "100%");
    }
}

}  // namespace
}  // namespace vantrel
