// Members deflated on worker threads: the archive's bytes do not depend on
// the number of threads, failures stop every thread and keep their texts,
// messages are pumped on the writer's thread only, data that does not shrink
// is stored, and member lists of large folders stay as they were.
#include "archive/al_pack_pool.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <thread>
#include <vector>

#include "archive/al_deflate_engine.h"
#include "archive/al_memory.h"
#include "archive/archive.h"
#include "archive/zip_archive.h"
#include "platform/files.h"
#include "platform/message_pump.h"
#include "platform/paths.h"
#include "support/test_support.h"
#include "support/zip_test_util.h"

namespace vantrel {
namespace {

using test::ScratchFolder;

// Threads of this process. (A thread is started and joined first: some
// runtimes, such as a sanitizer's, add a thread of their own at the first.)
int ThreadCount() {
    std::thread([] {}).join();
    return test::ThreadsOfThisProcess();
}

// Pump calls, and those made on another thread than the test's.
int g_pumps = 0;
int g_foreignPumps = 0;
std::thread::id g_writer;
void CountPump() {
    ++g_pumps;
    if (std::this_thread::get_id() != g_writer)
        ++g_foreignPumps;
}

bool Pack(WArchive& archive, int threads, const std::string& base, const std::string& out,
          const std::vector<WArchive::Member>& members, int level = 6) {
    archive.SetThreads(threads);
    return archive.CreateFrom(level, base, members, out, true);
}

TEST(PackPoolTest, ArchivesAreTheSameForAnyNumberOfThreads) {
    ScratchFolder dir;
    std::vector<WArchive::Member> members;
    auto add = [&](const std::string& name, const std::string& bytes) {
        members.push_back({name, dir.Write("src/" + name, bytes)});
    };
    for (int i = 0; i < 300; ++i)
        add("tiny/f" + std::to_string(i) + ".txt", test::TextBytes(10 + i * 7, i));
    // Larger than a member packed ahead may be: packed by the writer itself.
    const size_t big = static_cast<size_t>(ALPackPool::kMaxAheadMember) + 100000;
    add("big/text_then_random.bin", test::TextBytes(1000000, 1) + test::RandomBytes(big, 2));
    add("big/random.bin", test::RandomBytes(big, 3));
    add("random.bin", test::RandomBytes(700000, 4));
    add("empty.dat", "");
    add("text.txt", test::TextBytes(1000000, 5));

    g_writer = std::this_thread::get_id();
    SetPumpHook(CountPump);
    const int threadsBefore = ThreadCount();
    const std::pair<int, int> runs[] = {{1, 6}, {2, 6}, {8, 6}, {1, 1}, {8, 1}, {1, 9}, {2, 9}};
    for (auto [threads, level] : runs) {
        WArchive archive(".zip");
        std::string base = "t" + std::to_string(threads) + "l" + std::to_string(level);
        ASSERT_TRUE(Pack(archive, threads, base, dir / "out", members, level))
            << archive.GetStatusText();
        if (threads > 1) {
            EXPECT_EQ(test::ReadBytes(dir / ("out/t1l" + std::to_string(level) + ".zip")),
                      test::ReadBytes(archive.GetArchivePath()))
                << threads << " threads, level " << level;
        }
        EXPECT_EQ(threadsBefore, ThreadCount());
    }
    SetPumpHook(nullptr);
    EXPECT_GE(g_pumps, 7 * 305);
    EXPECT_EQ(0, g_foreignPumps);

    if (!test::HaveTool("unzip") || !test::HaveTool("python3"))
        GTEST_SKIP() << "unzip or python3 missing";
    for (const char* name : {"t8l1.zip", "t8l6.zip", "t2l9.zip"}) {
        std::string zip = test::Quote(ToNative(dir / (std::string("out/") + name)).string());
        auto t = test::Run("unzip -t " + zip);
        EXPECT_EQ(0, t.exitCode) << t.output;
        auto py = test::Run(
            "python3 -c 'import sys,zipfile,os\n"
            "z=zipfile.ZipFile(sys.argv[1])\n"
            "assert z.testzip() is None\n"
            "assert len(z.namelist())==305, len(z.namelist())\n"
            "for n in z.namelist():\n"
            "  assert z.getinfo(n).compress_type==8, n\n"
            "  assert z.read(n)==open(os.path.join(sys.argv[2],n),\"rb\").read(), n\n"
            "print(\"ok\")' " +
            zip + " " + test::Quote(ToNative(dir / "src").string()));
        EXPECT_EQ("ok\n", py.output) << name;
    }
}

// Sizes of the members of an archive by name: {expanded, compressed}.
std::map<std::string, std::pair<uint32_t, uint32_t>> SizesIn(const std::string& bytes) {
    std::map<std::string, std::pair<uint32_t, uint32_t>> sizes;
    size_t at = test::U32(bytes, bytes.size() - 22 + 16);
    for (uint16_t n = test::U16(bytes, bytes.size() - 22 + 10); n > 0; --n) {
        std::string name = bytes.substr(at + 46, test::U16(bytes, at + 28));
        sizes[name] = {test::U32(bytes, at + 24), test::U32(bytes, at + 20)};
        at += 46 + name.size() + test::U16(bytes, at + 30) + test::U16(bytes, at + 32);
    }
    return sizes;
}

TEST(PackPoolTest, DataThatDoesNotShrinkIsStored) {
    ScratchFolder dir;
    const size_t n = 2000000;
    const size_t big = static_cast<size_t>(ALPackPool::kMaxAheadMember) + 1000;
    std::vector<WArchive::Member> members = {
        {"random.bin", dir.Write("random.bin", test::RandomBytes(n, 7))},
        {"big.bin", dir.Write("big.bin", test::RandomBytes(big, 8))},
        {"text.txt", dir.Write("text.txt", test::TextBytes(n, 9))},
    };
    for (int level : {1, 6, 9}) {
        WArchive archive(".zip");
        ASSERT_TRUE(Pack(archive, 2, "s", dir.path(), members, level));
        auto sizes = SizesIn(test::ReadBytes(archive.GetArchivePath()));
        // Past the first probe, the data goes into stored blocks of 32 KB or
        // more, a few bytes of header each (deflated, it would grow by five
        // bytes every 16 KB).
        const uint64_t probe = ALDeflateCompressor::kProbeSize;
        for (auto [name, size] :
             {std::pair<std::string, size_t>{"random.bin", n}, {"big.bin", big}}) {
            EXPECT_EQ(size, sizes[name].first);
            EXPECT_GE(sizes[name].second, size) << name;
            EXPECT_LE(sizes[name].second, size + (size - probe) / 5000 + 200)
                << name << " at level " << level;
        }
        EXPECT_LT(sizes["text.txt"].second, n / 2);
    }
}

// Stored or deflated is decided for each piece of a large member: text after
// a random start is deflated, the same for any number of threads, and the
// member expands back to its bytes.
TEST(PackPoolTest, TextAfterARandomStartIsDeflatedNotStored) {
    ScratchFolder dir;
    const size_t half = static_cast<size_t>(ALPackPool::kMaxAheadMember) / 2 + 300000;
    const std::string bytes =
        test::RandomBytes(half, 10) + test::TextBytes(half, 11) + test::RandomBytes(half / 4, 12);
    const std::vector<WArchive::Member> members = {{"mixed.bin", dir.Write("mixed.bin", bytes)}};
    std::string first;
    for (int threads : {1, 2, 8}) {
        WArchive archive(".zip");
        ASSERT_TRUE(Pack(archive, threads, "m" + std::to_string(threads), dir / "out", members));
        const std::string zip = test::ReadBytes(archive.GetArchivePath());
        if (first.empty())
            first = zip;
        EXPECT_EQ(zip, first) << threads << " threads";
    }
    const auto sizes = SizesIn(first);
    // The random parts stay stored, a few bytes of framing over their size;
    // the text shrinks to well under half.
    EXPECT_LT(sizes.at("mixed.bin").second, half + half / 4 + half / 2);
    EXPECT_GT(sizes.at("mixed.bin").second, half + half / 4);
    WArchive reader(".zip");
    ASSERT_TRUE(reader.Extract("m1.zip", dir / "out", dir / "back")) << reader.GetStatusText();
    EXPECT_TRUE(test::ReadBytes(dir / "back/mixed.bin") == bytes);
}

TEST(PackPoolTest, EntryListsArePackedAheadAsWell) {
    // Entries on memory, with comments; what the archive records is handed
    // back to the entries.
    std::string bytes[2];
    for (int threads : {1, 2}) {
        ALEntryList list(ALEngineFactory::Deflate(6));
        for (int i = 0; i < 40; ++i) {
            auto src = std::make_unique<ALMemory>("m" + std::to_string(i) + ".txt");
            src->Create();
            std::string text = test::TextBytes(1000 + 997 * i, i);
            src->WriteBuffer(text.data(), text.size());
            src->Close();
            list.Add(std::move(src)).SetComment("c" + std::to_string(i));
        }
        list[3].ClearMark();
        auto target = std::make_unique<ALMemory>("out");
        ALMemory* out = target.get();
        ALZipArchive zip(std::move(target));
        zip.SetThreads(threads);
        ASSERT_EQ(0, zip.Create(list)) << zip.Status().GetStatusDetail();
        bytes[threads - 1] = out->Contents();
        const std::string& b = bytes[threads - 1];
        EXPECT_EQ(39, test::U16(b, b.size() - 22 + 10));
        int64_t last = -1;
        for (size_t i = 0; i < list.Size(); ++i) {
            if (i == 3)
                continue;
            EXPECT_GT(list[i].offset, last);
            last = list[i].offset;
            EXPECT_EQ(1000 + 997 * static_cast<int64_t>(i), list[i].expandedSize);
            EXPECT_EQ(test::U32(b, static_cast<size_t>(list[i].offset) + 14), list[i].crc32);
        }
    }
    EXPECT_EQ(bytes[0], bytes[1]);
}

TEST(PackPoolTest, FailuresKeepTheirTextsAndStopEveryThread) {
    ScratchFolder dir;
    std::vector<WArchive::Member> members;
    for (int i = 0; i < 400; ++i) {
        std::string name = "f" + std::to_string(i) + ".bin";
        members.push_back({name, dir.Write("src/" + name, test::RandomBytes(3000, i))});
    }
    const int threadsBefore = ThreadCount();

    // A source that cannot be read half-way through the list.
    auto broken = members;
    broken[250].path = dir / "src/gone.bin";
    for (int threads : {1, 2, 8}) {
        WArchive archive(".zip");
        EXPECT_FALSE(Pack(archive, threads, "unreadable", dir.path(), broken));
        EXPECT_EQ(al::kCantOpenFile, archive.GetStatusCode());
        EXPECT_EQ("f250.bin: File open failure.  Open of " + (dir / "src/gone.bin") +
                      " returned errno = 2",
                  archive.GetStatusText());
        EXPECT_EQ(threadsBefore, ThreadCount()) << threads;
    }

    // A disk that fills up after about 300 KB (where the system can limit
    // the size of a process's files).
    test::FileSizeLimit small(300 * 1024);
    if (!small.Active())
        return;
    for (int threads : {1, 2, 8}) {
        WArchive archive(".zip");
        EXPECT_FALSE(Pack(archive, threads, "full" + std::to_string(threads), dir.path(), members));
        EXPECT_EQ(al::kWriteError, archive.GetStatusCode());
        EXPECT_EQ("Write failure on " + archive.GetArchivePath() + ".  result = -1, errno = 27",
                  archive.GetStatusText());
        EXPECT_EQ(threadsBefore, ThreadCount()) << threads;
    }
}

TEST(PackPoolTest, LargeFolderGivesTheSameMemberList) {
    ScratchFolder dir;
    std::string src = dir / "src";
    dir.Write("src/readme", "no extension");
    const int count = 5000;
    std::string patterns;
    std::vector<std::string> expected;
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "File%04d.txt", i);
        // Written plainly: a safe write of each would cost more than the test.
        if (FILE* f = OpenCFile(JoinPath(src, name), "w"))
            std::fclose(f);
    }
    // Names in another case and order than on disk, each as its own pattern.
    for (int i = count - 1; i >= 0; --i) {
        char pattern[32], name[32];
        std::snprintf(pattern, sizeof pattern, "fILE%04d.TXT,", i);
        std::snprintf(name, sizeof name, "File%04d.txt", i);
        patterns += pattern;
        expected.push_back(name);
    }
    dir.Write("src/A.TXT", "upper");
    dir.Write("src/a.txt", "lower");
    dir.Write("src/Sub/x.ini", "in a folder");
    // "readme." names the file without a dot; "a.txt" names both spellings,
    // and the first by byte order is packed; a wildcard adds nothing twice.
    patterns += "readme.,a.txt,*.txt,sub\\X.INI,missing.txt";
    expected.insert(expected.end(), {"readme", "A.TXT", "sub\\x.ini"});

    WArchive archive(".cfi");
    ASSERT_TRUE(archive.Create(0, "list", false, patterns, dir.path(), src, true))
        << archive.GetStatusText();
    EXPECT_EQ(expected, archive.GetMembers());
}

}  // namespace
}  // namespace vantrel
