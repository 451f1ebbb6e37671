#include <gtest/gtest.h>

#include <fstream>

#include "support/test_app.h"
#include "ui/folders.h"

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

// With a read-only program folder the work files go to the documents folder, which must exist for the
// exports and the file dialogs: it is made when missing, and the home folder serves when it cannot be.
TEST(Folders, TheWorkFolderAlwaysExists) {
    enum class Docs { Present, Missing, Blocked, Unnamed };
    struct Case {
        const char* name;
        Docs docs;
        bool workInHome;
    };
    const Case cases[] = {
        {"present", Docs::Present, false},
        {"missing", Docs::Missing, false},
        {"blocked by a file", Docs::Blocked, true},
        {"not named", Docs::Unnamed, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TestApp t;
        std::ofstream(t.dir.path / "blocker") << "x";
        t->platform.exeDir = t.dir.path / "blocker" / "program";
        t->platform.homeDir = t.dir.path / "home";
        fs::create_directories(t->platform.homeDir);
        const fs::path docs =
            c.docs == Docs::Blocked ? t.dir.path / "blocker" / "Documents" : t.dir.path / "home" / "Documents";
        if (c.docs == Docs::Present) fs::create_directories(docs);
        t->platform.documentsDir = c.docs == Docs::Unnamed ? fs::path() : docs;
        DetermineFolders(*t);
        const std::string work = c.workInHome ? t->platform.homeDir.string() : docs.string();
        EXPECT_EQ(t->Paths.MyDocs, work);
        EXPECT_EQ(t->Paths.Currentomr, work);
        EXPECT_EQ(t->Paths.Currentscn, work);
        EXPECT_TRUE(fs::is_directory(t->Paths.MyDocs));
        // Only the unnamed folder is reported.
        EXPECT_EQ(t.prompts.messages.size(), c.docs == Docs::Unnamed ? 1u : 0u);
    }
}

TEST(Folders, APortableProgramMakesNoDocumentsFolder) {
    test::TestApp t;
    t->platform.documentsDir = t.dir.path / "home" / "Documents";
    DetermineFolders(*t);
    EXPECT_TRUE(t->Paths.Writegrants);
    EXPECT_FALSE(fs::exists(t->platform.documentsDir));
}

// Root may write under /usr: an installed program keeps its files in the user's folders all the same.
TEST(Folders, AnInstalledProgramIsNeverPortable) {
    test::TestApp t;
    t->platform.installed = true;
    DetermineFolders(*t);
    EXPECT_FALSE(t->Paths.Writegrants);
    EXPECT_EQ(t->Paths.Appdata, (t.dir.path / "appdata" / "Vildo").string() + "/");
    EXPECT_EQ(t->Paths.MyDocs, (t.dir.path / "documents").string());
    EXPECT_FALSE(fs::exists(t.dir.path / "program" / "tmp.vrd"));
    EXPECT_TRUE(t.prompts.messages.empty());
}

// Another program of the package finds the folder of the program's own files as the window chooses it.
TEST(Folders, TheApplicationFolderIsTheOneTheWindowChooses) {
    const struct {
        const char* what;
        bool blocked, installed, appData;
    } cases[] = {{"portable", false, false, true},
                 {"program folder not writable", true, false, true},
                 {"installed", false, true, true},
                 {"installed, no data folder", false, true, false}};
    for (const auto& c : cases) {
        test::TestApp t;
        std::ofstream(t.dir.path / "blocker") << "x";
        if (c.blocked) t->platform.exeDir = t.dir.path / "blocker" / "program";
        t->platform.installed = c.installed;
        if (!c.appData) t->platform.appDataDir.clear();
        const fs::path folder = applicationFolder(t->platform);
        EXPECT_FALSE(fs::exists(t->platform.exeDir / "tmp.vrd")) << c.what;
        DetermineFolders(*t);
        if (c.appData)
            EXPECT_EQ((folder / "").string(), t->Paths.Appdata) << c.what;
        else
            EXPECT_TRUE(folder.empty()) << c.what;
    }
}

// The program knows an install prefix by the seed data installed beside its own folder; a build tree has none.
TEST(Folders, AnInstallPrefixIsKnownByItsSeedData) {
    test::TestApp t;
    const fs::path bin = t.dir.path / "prefix" / "bin";
    fs::create_directories(bin);
    EXPECT_TRUE(installedShareDir(bin).empty());
    EXPECT_FALSE(Platform::system(bin).installed);
    const fs::path share = t.dir.path / "prefix" / "share" / "vildo";
    EXPECT_EQ((bin / kShareFromProgramDir).lexically_normal(), share);
    fs::create_directories(share / "data");
    EXPECT_EQ(installedShareDir(bin), share);
    EXPECT_TRUE(Platform::system(bin).installed);
    EXPECT_TRUE(installedShareDir({}).empty());
}

}  // namespace
}  // namespace vildo
