#include <gtest/gtest.h>

#include "support/test_app.h"
#include "ui/folders.h"

#include <fstream>

namespace vildo {
namespace {

namespace fs = std::filesystem;

TEST(Folders, AWritableProgramFolderMakesTheProgramPortable) {
    test::TestApp t;
    DetermineFolders(*t);
    std::string exe = (t.dir.path / "program").string() + "/";
    EXPECT_TRUE(t->Paths.Writegrants);
    EXPECT_EQ(t->Paths.Exefile, exe);
    EXPECT_EQ(t->Paths.Appdata, exe);
    EXPECT_EQ(t->Paths.MyDocs, exe);
    EXPECT_EQ(t->Paths.Currentomr, exe);
    EXPECT_EQ(t->Paths.Currentscn, exe);
    EXPECT_FALSE(fs::exists(t.dir.path / "program" / "tmp.vrd"));
    EXPECT_TRUE(t.prompts.messages.empty());
}

TEST(Folders, OtherwiseTheUsersFoldersAreUsedAndTheApplicationFolderCreated) {
    test::TestApp t;
    // A program folder below a plain file can never take a file, even for root.
    std::ofstream(t.dir.path / "blocker") << "x";
    t->platform.exeDir = t.dir.path / "blocker" / "program";
    DetermineFolders(*t);
    EXPECT_FALSE(t->Paths.Writegrants);
    EXPECT_EQ(t->Paths.Appdata, (t.dir.path / "appdata" / "Vildo").string() + "/");
    EXPECT_TRUE(fs::is_directory(t.dir.path / "appdata" / "Vildo"));
    EXPECT_EQ(t->Paths.MyDocs, (t.dir.path / "documents").string());
    EXPECT_EQ(t->Paths.Currentscn, t->Paths.MyDocs);
    EXPECT_TRUE(t.prompts.messages.empty());
}

TEST(Folders, MissingUserFoldersAreReportedAndTheStartCarriesOn) {
    test::TestApp t;
    std::ofstream(t.dir.path / "blocker") << "x";
    t->platform.exeDir = t.dir.path / "blocker" / "program";
    t->platform.documentsDir.clear();
    t->platform.appDataDir = t.dir.path / "blocker";  // a file where the folder should go
    DetermineFolders(*t);
    ASSERT_EQ(t.prompts.messages.size(), 2u);
    EXPECT_EQ(t.prompts.messages[0],
              "Vildo kan inte hitta användarmapp som behövs för att skriva datafiler till disk.");
    EXPECT_EQ(t.prompts.messages[1].rfind("Kunde inte skapa mappen Vildo under \"..\\Application data\": ", 0), 0u);
}

}  // namespace
}  // namespace vildo
