// Whole-file writes against what another process or user may have put in the folder: pipes and links under
// the temporary's old fixed name, links to the file itself, and a second writer of the same file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <future>

#include "support/test_app.h"
#include "util/file_io.h"

namespace vildo {
namespace {

namespace fs = std::filesystem;

std::string textOf(const fs::path& f) { return readWholeFile(f).value_or("<none>"); }

void writeText(const fs::path& f, const std::string& text) { std::ofstream(f, std::ios::binary) << text; }

// What the folder holds besides the files named.
std::vector<std::string> othersIn(const fs::path& dir, std::initializer_list<std::string> known) {
    std::vector<std::string> found;
    for (const auto& e : fs::directory_iterator(dir)) {
        const std::string name = e.path().filename().string();
        if (std::find(known.begin(), known.end(), name) == known.end()) found.push_back(name);
    }
    return found;
}

TEST(WholeFileWrite, APipeUnderTheTemporarysNameNeitherBlocksNorIsWritten) {
    test::TempDir dir;
    const fs::path file = dir.path / "Jaktstat.csv";
    const fs::path fifo = dir.path / "Jaktstat.csv.tmp";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto write = std::async(std::launch::async, [&] { return writeFileAtomic(file, "ny\r\n"); });
    if (write.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ADD_FAILURE() << "the writer hangs on the pipe";
        const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);  // lets it go
        write.wait();
        if (reader >= 0) ::close(reader);
    }
    EXPECT_TRUE(write.get());
    EXPECT_EQ(textOf(file), "ny\r\n");
    EXPECT_TRUE(fs::is_fifo(dir.path / "Jaktstat.csv.tmp"));
}

TEST(WholeFileWrite, ALinkUnderTheTemporarysNameLeavesItsTargetAlone) {
    test::TempDir dir;
    const fs::path file = dir.path / "Data.vrd", victim = dir.path / "victim";
    writeText(victim, "orört");
    fs::create_symlink(victim, dir.path / "Data.vrd.tmp");
    ASSERT_TRUE(writeFileAtomic(file, "inställningar"));
    EXPECT_EQ(textOf(file), "inställningar");
    EXPECT_EQ(textOf(victim), "orört");
    EXPECT_TRUE(fs::is_symlink(dir.path / "Data.vrd.tmp"));
}

TEST(WholeFileWrite, ThroughALinkTheLinkStaysAndItsTargetHoldsTheNewBytes) {
    test::TempDir dir;
    fs::create_directory(dir.path / "real");
    const fs::path target = dir.path / "real" / "area.omr", link = dir.path / "area.omr";
    writeText(target, "gammalt");
    fs::create_symlink(target, link);
    ASSERT_TRUE(writeFileAtomic(link, "nytt"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(textOf(target), "nytt");
    EXPECT_EQ(othersIn(dir.path / "real", {"area.omr"}), std::vector<std::string>{});
}

TEST(WholeFileWrite, TheFileKeepsItsModeAndAFailedWriteLeavesNoTemporary) {
    test::TempDir dir;
    const fs::path file = dir.path / "Biodata.csv";
    writeText(file, "gammalt");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(writeFileAtomic(file, "nytt"));
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // Renaming over a folder fails after the temporary was written.
    fs::create_directory(dir.path / "folder");
    writeText(dir.path / "folder" / "inside", "x");
    std::error_code ec;
    EXPECT_FALSE(writeFileAtomic(dir.path / "folder", "y", ec));
    EXPECT_EQ(othersIn(dir.path, {"Biodata.csv", "folder"}), std::vector<std::string>{});
}

// Two processes each add their lines to one file, read-change-write under the update lock, as the season
// export adds its line: every line of both must be in the file, whole.
TEST(WholeFileWrite, TwoProcessesAddingLinesUnderTheUpdateLockLoseNone) {
    test::TempDir dir;
    const fs::path file = dir.path / "Jaktstat.csv";
    constexpr int kLines = 60;
    auto writer = [&](char who) {
        for (int i = 0; i < kLines; ++i) {
            const UpdateLock lock(file);
            std::string text = readWholeFile(file).value_or("");
            text += std::string(1, who) + std::to_string(i) + ";" + std::string(200, who) + "\r\n";
            if (!writeFileAtomic(file, text)) _exit(2);
        }
    };
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = ::fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            writer(c == 0 ? 'a' : 'b');
            _exit(0);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const std::string text = textOf(file);
    for (char who : {'a', 'b'})
        for (int i = 0; i < kLines; ++i) {
            const std::string line = std::string(1, who) + std::to_string(i) + ";" + std::string(200, who) + "\r\n";
            EXPECT_NE(text.find(line), std::string::npos) << "lost: " << who << i;
        }
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 * kLines);  // and no torn line
    EXPECT_EQ(othersIn(dir.path, {"Jaktstat.csv"}), std::vector<std::string>{});
}

}  // namespace
}  // namespace vildo
