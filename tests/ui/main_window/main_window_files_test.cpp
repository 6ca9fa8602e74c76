// The main window among the files and folders it meets: read-only, planted, installed, renamed.
#include <sys/stat.h>

#include "ui/main_window/main_window_fixture.h"

namespace orbelquint {
namespace {

using namespace test_support;

void MakePipe(const std::filesystem::path& file) {
    ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
}

TEST_F(MainWindowTest, AReadOnlyProgramFolderStillShowsThePage) {
    const std::filesystem::path readOnly = UnwritableFolder(folder_.Path());
    if (readOnly.empty()) GTEST_SKIP() << "no folder here is closed to this process";
    const QString file = QString::fromStdString(SampleTimetable());
    Start(QDate(2026, 12, 8), readOnly);  // no settings file can be made: a first start
    EXPECT_EQ(agreementsShown_, 1);
    EXPECT_TRUE(main_->lbInfo->text().contains("prev.ini"));  // said in the window, not only on stderr
    dialogAnswers_.push_back(file);
    main_->btnBrowse->click();
    EXPECT_EQ(main_->lbInfo->text(), "Dit gegevens bestand gaat van week 36 tot week 52");
    EXPECT_TRUE(Shown().contains("Herhaling wiskunde"));
    {
        const ModalAnswerer warning(Close);
        QTest::mouseClick(main_->btnSave, Qt::LeftButton);
        EXPECT_EQ(warning.Count(), 1);
    }
    main_->close();
    // Nothing was written anywhere: the test folder holds the data file and its own files only.
    EXPECT_FALSE(std::filesystem::exists(readOnly / "temp.htm"));
    EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "temp.htm"));
    EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "prev.ini"));
}

TEST_F(MainWindowTest, AFolderInThePlaceOfTheWeekPageIsLeftAlone) {
    std::filesystem::create_directory(AppFile("temp.htm"));
    StartWith(SampleTimetable(), "0");
    EXPECT_TRUE(Shown().contains("Orbelquint week 50"));
    EXPECT_TRUE(std::filesystem::is_regular_file(AppFile("temp2.htm")));  // the folder's name is passed over
    main_->close();
    EXPECT_TRUE(std::filesystem::is_directory(AppFile("temp.htm")));
    EXPECT_FALSE(std::filesystem::exists(AppFile("temp2.htm")));
}

TEST_F(MainWindowTest, ClosingSavesTheSettingsAndRemovesTheWeekPage) {
    StartWith(SampleTimetable(), "3");
    ASSERT_TRUE(std::filesystem::exists(AppFile("temp.htm")));
    main_->close();
    EXPECT_FALSE(std::filesystem::exists(AppFile("temp.htm")));
    EXPECT_TRUE(ReadFile(AppFile("prev.ini")).ends_with("\r\n3\r\n"));
}

TEST_F(MainWindowTest, PipesAndDevicesAreUnreadableAndNeverFreezeTheWindow) {
    MakePipe(AppFile("prev.ini"));
    Start();
    EXPECT_TRUE(main_->lbInfo->text().contains("prev.ini")) << main_->lbInfo->text().toStdString();
    main_.reset();
    std::filesystem::remove(AppFile("prev.ini"));

    MakePipe(AppFile("rooster.htm"));
    for (const std::string& dataFile : {AppFile("rooster.htm").string(), std::string("/dev/zero")}) {
        StartWith(dataFile, "0");
        EXPECT_TRUE(main_->lbInfo->text().contains("kan niet worden geopend")) << dataFile;
        EXPECT_EQ(builds_, 0);
        main_.reset();
    }
}

TEST_F(MainWindowTest, WhatThePageNamesIsLoadedOnlyFromBoundedRegularFiles) {
    MakePipe(AppFile("pijp.png"));
    const std::string data = folder_
                                 .Write("rooster.htm",
                                        "<h1><i>4A</i><img src=\"pijp.png\"><img src=\"/dev/zero\">"
                                        "<img src=\"http://example.org/x.png\"></h1>\r\n")
                                 .string();
    StartWith(data, "0");
    EXPECT_EQ(builds_, 1);
    EXPECT_TRUE(main_->lbRichting->text().startsWith("<i>4A</i><img"));
    EXPECT_EQ(main_->lbRichting->textFormat(), Qt::PlainText);  // shown as it is, nothing loaded
    QTest::mouseClick(main_->btnShowData, Qt::LeftButton);
    EXPECT_TRUE(Shown().contains("4A"));
}

TEST_F(MainWindowTest, ALargeDataFileIsShownInPartAtOnce) {
    const std::string data =
        folder_.Write("groot.htm", "<h1>4A</h1>\r\n" + test_support::Filler(20'000'000, 'x') + "\r\n")
            .string();
    StartWith(data, "0");
    QTest::mouseClick(main_->btnShowData, Qt::LeftButton);
    EXPECT_TRUE(Shown().contains("te groot om helemaal te tonen")) << Shown().right(200).toStdString();
    EXPECT_LT(Shown().size(), 2 * static_cast<int>(PageView::kShownBytes));
}

TEST_F(MainWindowTest, AProgramFolderWithALatin1NameIsUsedAsItIs) {
    const std::filesystem::path appDir = folder_.Path() / "caf\xE9";
    std::filesystem::create_directory(appDir);
    std::filesystem::copy_file(AppFile("def.dat"), appDir / "def.dat");
    std::filesystem::current_path(folder_.Path());
    Start(QDate(2026, 12, 8), appDir);
    dialogAnswers_.push_back(QString::fromStdString(SampleTimetable()));
    main_->btnBrowse->click();
    EXPECT_TRUE(std::filesystem::exists(appDir / "temp.htm"));
    EXPECT_TRUE(Shown().contains("Orbelquint week 50"));
    main_->close();
    EXPECT_TRUE(std::filesystem::exists(appDir / "prev.ini"));
    EXPECT_FALSE(std::filesystem::exists(AppFile("prev.ini")));
    EXPECT_FALSE(std::filesystem::exists(AppFile("temp.htm")));
}

TEST_F(MainWindowTest, ANameWithALineBreakIsUsedButNotRemembered) {
    const std::string remembered = SampleTimetable();
    const std::filesystem::path broken = folder_.Path() / "rooster\n2.htm";
    std::filesystem::copy_file(remembered, broken);
    StartWith(remembered, "0");
    dialogAnswers_.push_back(QString::fromStdString(broken.string()));
    main_->btnBrowse->click();
    EXPECT_TRUE(main_->lbInfo->text().contains("niet onthouden"));
    main_->close();
    EXPECT_EQ(ReadFile(AppFile("prev.ini")), remembered + "\r\n0\r\n");

    Start();
    QApplication::clipboard()->setText("a\nb.htm");
    main_->txtFileName->paste();
    EXPECT_FALSE(main_->txtFileName->text().contains('\n'));
}

TEST_F(MainWindowTest, AWeekPagePlantedAsALinkIsNeverWrittenThrough) {
    const std::filesystem::path own = folder_.Write("eigen.txt", "van de gebruiker");
    std::filesystem::create_symlink(own, AppFile("temp.htm"));
    StartWith(SampleTimetable(), "0");
    EXPECT_TRUE(Shown().contains("Orbelquint week 50"));  // from memory
    EXPECT_EQ(ReadFile(own), "van de gebruiker");
    main_->close();
    EXPECT_TRUE(std::filesystem::is_symlink(AppFile("temp.htm")));
    EXPECT_EQ(ReadFile(own), "van de gebruiker");
}

TEST_F(MainWindowTest, SettingsAreNeverKeptThroughALinkNorInAFolderOthersCanWrite) {
    // A link planted at the settings' name leads to somebody else's file, which stays as it was.
    const std::filesystem::path others = folder_.Write("others.txt", "KEEP\n");
    std::filesystem::create_symlink(others, AppFile("prev.ini"));
    Start();
    EXPECT_TRUE(main_->lbInfo->text().contains("is een koppeling"));
    main_->close();
    EXPECT_TRUE(std::filesystem::is_symlink(AppFile("prev.ini")));
    EXPECT_EQ(ReadFile(others), "KEEP\n");
    // A dangling one is not made into a file either.
    std::filesystem::remove(others);
    Start();
    main_->close();
    EXPECT_FALSE(std::filesystem::exists(others));
    std::filesystem::remove(AppFile("prev.ini"));

    std::filesystem::permissions(folder_.Path(), std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::add);
    environment_.fileToOpen.clear();
    Start();
    EXPECT_EQ(agreementsShown_, 1);
    EXPECT_TRUE(main_->lbInfo->text().contains("Ook anderen kunnen schrijven"));
    std::filesystem::remove(AppFile("prev.ini"));
    main_->close();
    EXPECT_FALSE(std::filesystem::exists(AppFile("prev.ini")));
}

TEST_F(MainWindowTest, TwoCopiesInOneFolderEachKeepTheirOwnPage) {
    StartWith(SampleTimetable(), "0");
    auto first = std::move(main_);
    Start();
    QTest::mouseClick(main_->btnUp, Qt::LeftButton);
    EXPECT_NE(ReadFile(AppFile("temp2.htm")).find("Orbelquint week 51<"), std::string::npos);
    main_->close();
    EXPECT_FALSE(std::filesystem::exists(AppFile("temp2.htm")));
    EXPECT_NE(WeekPage().find("Orbelquint week 50<"), std::string::npos);
    QTest::mouseClick(first->btnSave, Qt::LeftButton);
    EXPECT_EQ(ReadFile(AppFile("5 Wetenschappen-Wiskunde - week50.html")), WeekPage());
    first->close();
    EXPECT_FALSE(std::filesystem::exists(AppFile("temp.htm")));
}

TEST_F(MainWindowTest, AnInstalledProgramWritesOnlyInTheUsersFolders) {
    const std::filesystem::path prefix = folder_.Path() / "prefix";
    std::filesystem::create_directories(prefix / "share/orbelquint");
    std::filesystem::create_directories(prefix / "bin");
    std::filesystem::copy_file(AppFile("def.dat"), prefix / "share/orbelquint/def.dat");
    const std::filesystem::path home = folder_.Path() / "thuis";
    std::filesystem::create_directories(home / "Documenten");
    environment_.paths = {false, prefix / "share/orbelquint", home / ".config/orbelquint/prev.ini",
                          home / "run/orbelquint", home / "Documenten"};
    QStringList proposals;
    environment_.saveDialog = [&proposals](QWidget*, const QString& proposed, const QString&) {
        proposals << proposed;
        return proposed;
    };
    environment_.fileToOpen = SampleTimetable();
    Start();
    EXPECT_EQ(agreementsShown_, 1);
    EXPECT_TRUE(Shown().contains("Orbelquint week 50"));
    EXPECT_TRUE(std::filesystem::exists(home / "run/orbelquint/temp.htm"));
    QTest::mouseClick(main_->btnSave, Qt::LeftButton);
    const std::filesystem::path copy = home / "Documenten/5 Wetenschappen-Wiskunde - week50.html";
    EXPECT_EQ(proposals, QStringList{QString::fromStdString(copy.string())});
    EXPECT_EQ(ReadFile(copy), ReadFile(home / "run/orbelquint/temp.htm"));
    main_->close();
    EXPECT_FALSE(std::filesystem::exists(home / "run/orbelquint/temp.htm"));
    EXPECT_EQ(ReadFile(home / ".config/orbelquint/prev.ini"), environment_.fileToOpen.string() + "\r\n0\r\n");

    environment_.fileToOpen.clear();
    Start();
    EXPECT_EQ(agreementsShown_, 0);
    EXPECT_EQ(builds_, 1);
    EXPECT_EQ(std::filesystem::current_path(), folder_.Path());  // the open-file dialog starts by the file
    main_->close();
    std::size_t underPrefix = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(prefix))
        underPrefix += entry.is_regular_file();
    EXPECT_EQ(underPrefix, 1u);  // def.dat only
}

TEST_F(MainWindowTest, TheDataFileIsFollowedThroughRenamesAndRemoval) {
    const std::string data = SampleTimetable();
    StartWith(data, "0");
    const auto replaceWith = [&](const std::string& heading) {
        const std::filesystem::path fresh = folder_.Write("nieuw.htm", "<h1>" + heading + "</h1>\r\n");
        std::filesystem::rename(fresh, data);
    };
    for (const char* heading : {"4A", "4B"}) {
        replaceWith(heading);
        EXPECT_TRUE(QTest::qWaitFor([&] { return main_->lbRichting->text() == heading; }, 3000)) << heading;
    }
    // An edit in place of the file that a rename brought is noticed too, once the folder's echo of
    // the page just written has settled.
    QTest::qWait(600);
    std::ofstream(data, std::ios::binary | std::ios::trunc) << "<h1>4D</h1>\r\n";
    EXPECT_TRUE(QTest::qWaitFor([&] { return main_->lbRichting->text() == "4D"; }, 3000));
    std::filesystem::remove(data);
    EXPECT_TRUE(QTest::qWaitFor([&] { return main_->lbInfo->text().contains("verdwenen"); }, 3000));
    EXPECT_TRUE(Shown().contains("4D"));
    replaceWith("4C");
    EXPECT_TRUE(QTest::qWaitFor([&] { return main_->lbRichting->text() == "4C"; }, 3000));
}

TEST_F(MainWindowTest, DataFileNamesThatAreNotUtf8AreKeptAsTheirBytes) {
    const std::string timetable = ReadFile(test_support::SampleDataFile());
    const std::filesystem::path latin1 = folder_.Write("rooster \xE9.htm", timetable);
    const std::filesystem::path raw = folder_.Write("\xFF\xFE.htm", timetable);
    const auto remembered = [this] { return ReadFile(AppFile("prev.ini")); };

    StartWith(latin1.string(), "0");
    EXPECT_EQ(main_->lbRichting->text(), "5 Wetenschappen-Wiskunde");
    EXPECT_TRUE(main_->txtFileName->text().endsWith("rooster \u00E9.htm"));  // readable
    main_->close();
    EXPECT_EQ(remembered(), latin1.string() + "\r\n0\r\n");

    environment_.fileToOpen = raw;
    Start();
    EXPECT_EQ(main_->lbRichting->text(), "5 Wetenschappen-Wiskunde");
    main_->close();
    EXPECT_EQ(remembered(), raw.string() + "\r\n0\r\n");

    // The dialog gives the name with replacement characters.
    environment_.fileToOpen.clear();
    folder_.Write("prev.ini", "ander.htm\r\n0\r\n");
    Start();
    dialogAnswers_ = {PathText(latin1)};
    QTest::mouseClick(main_->btnBrowse, Qt::LeftButton);
    EXPECT_EQ(main_->lbRichting->text(), "5 Wetenschappen-Wiskunde");
    main_->close();
    EXPECT_EQ(remembered(), latin1.string() + "\r\n0\r\n");
}

}  // namespace
}  // namespace orbelquint
