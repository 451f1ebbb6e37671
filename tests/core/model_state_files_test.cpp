#include <gtest/gtest.h>

#include <fstream>

#include "app/scheduler.h"
#include "model/state_files.h"
#include "support/test_app.h"
#include "util/file_io.h"

namespace vildo {
namespace {

class Snapshots : public ::testing::Test {
protected:
    void SetUp() override {
        t.startAndSettle();
        file = (t.dir.path / "Annualstat.vrd").string();
    }
    test::TestApp t;
    std::string file;
};

TEST_F(Snapshots, ASlotReadBackRestoresEveryBlockByteForByte) {
    setShort(t->Grid2Cells.Cells[2][5], "Kalvarna12345");
    t->Pop.Padding[1] = 7;  // padding and reserved bytes travel too
    t->Land.Reserved[3] = 9;
    ASSERT_TRUE(WriteSnapshot(*t, file, 3 * kSnapshotSlot));
    const std::string saved = snapshotBytes(*t);
    EXPECT_EQ(readBytesAt(file, 3 * kSnapshotSlot, kSnapshotSize), saved);

    setPosition(*t, C::Trk_density, 150);
    t.settle();
    t->HuntTry = 77;
    ASSERT_TRUE(ReadSnapshot(*t, file, 3 * kSnapshotSlot));
    EXPECT_EQ(snapshotBytes(*t), saved);
    EXPECT_EQ(t->pos(C::Trk_density), 150);  // the controls keep their positions
}

TEST_F(Snapshots, AShortFileFailsWithItsMessageAndChangesNothing) {
    ASSERT_TRUE(WriteSnapshot(*t, file, 0));
    std::filesystem::resize_file(file, kSnapshotSize - 1);
    t->HuntTry = 5;
    const std::string before = snapshotBytes(*t);
    EXPECT_FALSE(ReadSnapshot(*t, file, 0));
    EXPECT_FALSE(ReadSnapshot(*t, file, kSnapshotSlot));
    EXPECT_EQ(snapshotBytes(*t), before);
    ASSERT_EQ(t.prompts.messages.size(), 2u);
    EXPECT_EQ(t.prompts.messages[0], "Kan inte öppna fil på disk som används för att ladda in årsdata!");
}

TEST_F(Snapshots, AMissingFileIsFalseWithoutAMessage) {
    EXPECT_FALSE(ReadSnapshot(*t, file, 0));
    EXPECT_TRUE(t.prompts.messages.empty());
}

TEST_F(Snapshots, WritingOverALongerFileKeepsItsTail) {
    std::ofstream(file, std::ios::binary) << std::string(8000, 'x');
    ASSERT_TRUE(WriteSnapshot(*t, file, 0));
    auto bytes = readWholeFile(file);
    ASSERT_EQ(bytes->size(), 8000u);
    EXPECT_EQ(bytes->substr(0, kSnapshotSize), snapshotBytes(*t));
    EXPECT_EQ(bytes->substr(kSnapshotSize), std::string(8000 - kSnapshotSize, 'x'));
}

TEST_F(Snapshots, AnUnwritableFileIsReported) {
    EXPECT_FALSE(WriteSnapshot(*t, (t.dir.path / "no" / "such" / "dir.vrd").string(), 0));
    ASSERT_EQ(t.prompts.messages.size(), 1u);
    EXPECT_EQ(t.prompts.messages[0], "Kan inte skriva till fil på disk som används för att spara in årsdata!");
}

TEST_F(Snapshots, WritingStoresTheCurrentControlPositions) {
    setPosition(*t, C::Trk_tjurandel, 55);
    ASSERT_TRUE(WriteSnapshot(*t, file, 0));
    EXPECT_EQ(t->Sliders.Slots[SlotTjurandel], 55);
    EXPECT_FALSE(t->AreaLoading);
}

}  // namespace
}  // namespace vildo
