// Folder names that are no UTF-8, which only Linux has (Windows' names outside
// the ANSI code page are tested in window/windows).
#include "window/WindowFixture.h"

namespace {

using EncodingTest = WindowTest;

TEST_F(EncodingTest, FoldersNamedInAnotherEncodingAreEnteredAndSavedIntoByTheirOwnBytes) {
    // Latin-1 "caf\xe9" and a look-alike whose name is what decoding shows.
    const std::string latin = "caf\xe9", lookAlike = "caf\xef\xbf\xbd";
    folder.MakeFolder(latin);
    folder.MakeFolder(lookAlike);
    Write(latin + "/RUN.GTP", RunFileBuilder().RunName("Latin").Build());
    Write(lookAlike + "/RUN.GTP", RunFileBuilder().RunName("Look-alike").Build());
    Open();
    auto* dirs = Find<DirListBox>("dirGTP");
    const QList<QListWidgetItem*> rows = dirs->findItems(QString::fromUtf8(lookAlike), Qt::MatchExactly);
    ASSERT_EQ(rows.size(), 2);
    // Both rows read the same; the one to click leads to the Latin-1 bytes.
    QListWidgetItem* row = rows[0]->data(DirListBox::TargetRole).toByteArray().endsWith("\xe9") ? rows[0] : rows[1];
    QTest::mouseMove(window.get(), {376, 300});  // over the panel, which opens
    dirs->scrollToItem(row);
    QTest::mouseClick(dirs->viewport(), Qt::LeftButton, {}, dirs->visualItemRect(row).center());
    QTest::keyClick(dirs, Qt::Key_Return);
    EXPECT_EQ(dirs->PathBytes().toStdString(), folder.Path(latin));
    ClickFile("RUN.GTP", false);
    EXPECT_EQ(LabelText("lblRunName"), "Latin");
    ChangeWeight();
    Click("cmdSave");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Read(latin + "/RUN.GTP"), RunFileBuilder().RunName("Latin").Weight(2500).Build());
    EXPECT_EQ(Read(lookAlike + "/RUN.GTP"), RunFileBuilder().RunName("Look-alike").Build());
    window->close();
    EXPECT_EQ(settings.GetSetting("Options", "LastDirectory"), folder.Path(latin));
}

}  // namespace
