// Exports that cannot be written: a full disk, a read-only disk, a missing folder. The message names the file
// and why, and the file that was there stays whole.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

#include "hunt/exports.h"
#include "support/test_app.h"
#include "util/file_io.h"

namespace vildo {
namespace {

namespace fs = std::filesystem;

// A small tmpfs of the test's own, where this process may mount one (root in most containers).
class SmallDisk {
public:
    explicit SmallDisk(fs::path dir) : dir_(std::move(dir)) {
        fs::create_directories(dir_);
        mounted_ = ::mount("tmpfs", dir_.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(dir_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    const fs::path& dir() const { return dir_; }
    void fill() {
        std::ofstream filler(dir_ / "filler", std::ios::binary);
        const std::string block(4096, '\0');
        while (filler.write(block.data(), block.size()) && filler.flush()) {
        }
    }
    bool makeReadOnly() { return ::mount("tmpfs", dir_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k") == 0; }

private:
    fs::path dir_;
    bool mounted_ = false;
};

std::string fileText(const fs::path& file) { return readWholeFile(file).value_or("<none>"); }

class ExportFailures : public ::testing::Test {
protected:
    void SetUp() override { t.startAndSettle(); }
    test::TestApp t;
};

TEST_F(ExportFailures, ADemographyFileThatCannotBeWrittenIsNamedWithTheReason) {
    const fs::path dir = t.dir.path;
    fs::create_symlink("/dev/full", dir / "full.csv");  // every write there fails as on a full disk
    fs::create_directory(dir / "folder.csv");
    struct Case {
        fs::path file;
        const char* reason;
    };
    std::vector<Case> cases = {{dir / "full.csv", "disken är full"},
                               {dir / "no" / "folder" / "x.csv", "mappen finns inte"},
                               {dir / "folder.csv", "det är en mapp"}};
    // No file can be created in sysfs, not even by root.
    if (fs::is_directory("/sys/kernel")) cases.push_back({"/sys/kernel/vildo-demografi.csv", "skrivskyddad"});
    for (const Case& c : cases) {
        t.prompts.messages.clear();
        EXPECT_FALSE(savetofile(*t, c.file.string())) << c.file;
        EXPECT_EQ(t.prompts.messages,
                  std::vector<std::string>{"Kan inte skriva till filen " + c.file.string() + ": " + c.reason + "."});
    }
    EXPECT_TRUE(fs::is_directory(dir / "folder.csv"));
    EXPECT_TRUE(fs::is_character_file("/dev/full"));  // written through the link, never replaced
}

// Jaktstat.csv in a folder no file can be created in: not blamed on another program.
TEST_F(ExportFailures, AJaktstatThatCannotBeCreatedIsNamedWithTheReason) {
    if (!fs::is_directory("/sys/kernel")) GTEST_SKIP() << "no sysfs";
    t->Paths.MyDocs = "/sys/kernel";
    t->YearNo = 1;
    savetofile2(*t, "Forward");
    EXPECT_EQ(t.prompts.messages,
              std::vector<std::string>{"Kan inte skriva till filen /sys/kernel/Jaktstat.csv: skrivskyddad."});
}

// The real thing on a disk of its own: full, then read-only. Every export keeps its old file whole.
TEST_F(ExportFailures, AFullOrReadOnlyDiskKeepsEveryOldFileWhole) {
    SmallDisk disk(t.dir.path / "disk");
    if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";
    t->Paths.MyDocs = disk.dir().string();
    const fs::path demography = disk.dir() / "demografi.csv";
    ASSERT_TRUE(savetofile(*t, demography.string()));
    t->YearNo = 1;
    savetofile2(*t, "Forward");
    ASSERT_TRUE(t.prompts.messages.empty());
    const std::string oldDemography = fileText(demography), oldStats = fileText(disk.dir() / "Jaktstat.csv");

    struct Case {
        const char* name;
        const char* reason;
    };
    for (Case c : {Case{"full", "disken är full"}, Case{"read-only", "skrivskyddad"}}) {
        if (std::string(c.name) == "full")
            disk.fill();
        else
            ASSERT_TRUE(disk.makeReadOnly());
        t.prompts.messages.clear();
        EXPECT_FALSE(savetofile(*t, demography.string())) << c.name;
        t->YearNo = 2;
        savetofile2(*t, "Forward");
        EXPECT_EQ(t.prompts.messages,
                  (std::vector<std::string>{
                      "Kan inte skriva till filen " + demography.string() + ": " + c.reason + ".",
                      "Kan inte skriva till filen " + (disk.dir() / "Jaktstat.csv").string() + ": " + c.reason + "."}))
            << c.name;
        EXPECT_EQ(fileText(demography), oldDemography) << c.name;
        EXPECT_EQ(fileText(disk.dir() / "Jaktstat.csv"), oldStats) << c.name;
        for (const auto& e : fs::directory_iterator(disk.dir()))
            EXPECT_NE(e.path().extension(), ".tmp") << c.name << ": " << e.path();
    }
}

// The same without a disk of its own, so that it runs wherever the tests run: a device that is always full,
// and a folder without write permission (which does not stop root, who can mount the disk above instead).
TEST_F(ExportFailures, AFullDeviceOrAReadOnlyFolderKeepsEveryOldFileWhole) {
    const fs::path dir = t.dir.path / "plain";
    fs::create_directory(dir);
    t->Paths.MyDocs = dir.string();
    const fs::path demography = dir / "demografi.csv";
    ASSERT_TRUE(savetofile(*t, demography.string()));
    t->YearNo = 1;
    savetofile2(*t, "Forward");
    ASSERT_TRUE(t.prompts.messages.empty());
    const std::string oldDemography = fileText(demography), oldStats = fileText(dir / "Jaktstat.csv");

    const fs::path full = dir / "full.csv";
    fs::create_symlink("/dev/full", full);
    EXPECT_FALSE(savetofile(*t, full.string()));
    EXPECT_EQ(t.prompts.messages,
              std::vector<std::string>{"Kan inte skriva till filen " + full.string() + ": disken är full."});
    fs::remove(full);

    if (::geteuid() == 0) return;  // permissions do not stop root
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    t.prompts.messages.clear();
    EXPECT_FALSE(savetofile(*t, demography.string()));
    t->YearNo = 2;
    savetofile2(*t, "Forward");
    fs::permissions(dir, fs::perms::owner_all);
    EXPECT_EQ(t.prompts.messages,
              (std::vector<std::string>{
                  "Kan inte skriva till filen " + demography.string() + ": skrivskyddad.",
                  "Kan inte skriva till filen " + (dir / "Jaktstat.csv").string() + ": skrivskyddad."}));
    EXPECT_EQ(fileText(demography), oldDemography);
    EXPECT_EQ(fileText(dir / "Jaktstat.csv"), oldStats);
}

TEST(WriteFailureReason, EachCauseHasItsWords) {
    struct Case {
        int err;
        const char* reason;
    };
    for (Case c : {Case{ENOSPC, "disken är full"}, Case{EDQUOT, "disken är full"}, Case{EROFS, "skrivskyddad"},
                   Case{EACCES, "skrivskyddad"}, Case{EPERM, "skrivskyddad"}, Case{ENOENT, "mappen finns inte"},
                   Case{EBUSY, "filen används av ett annat program"}})
        EXPECT_EQ(writeFailureReason(std::error_code(c.err, std::generic_category())), c.reason) << c.err;
}

}  // namespace
}  // namespace vildo
