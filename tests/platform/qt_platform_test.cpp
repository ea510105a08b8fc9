#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "qt_platform/QtAppInfo.h"
#include "qt_platform/QtDialogs.h"
#include "qt_platform/QtEvents.h"
#include "qt_platform/QtScreen.h"
#include "qt_platform/QtSettingsStore.h"
#include "testkit/SystemTestkit.h"

namespace {

std::string PathIn(const QTemporaryDir& dir, const char* name) { return dir.filePath(name).toStdString(); }

// Runs `act` on the modal box of type T as soon as the event loop shows it.
template <typename T>
void WhenModalShows(std::function<void(T*)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (T* box = qobject_cast<T*>(modal)) return act(box);
        ADD_FAILURE() << "no modal box of the expected kind";
        if (modal != nullptr) modal->close();
    });
}

}  // namespace

TEST(QtSettingsStore, TextComesBackExactlyAndFailedWritesAreReported) {
    QTemporaryDir dir;
    const std::string ini = PathIn(dir, "settings.ini");
    const std::vector<std::string> values = {"-1", "C:/x y", "C:\\PASS\\", "M\xc3\xbcller \xe2\x82\xac",
                                             "a, b; c=d", "  blanks  ", "@Variant(x)", "\"q\"", "",
                                             "/home/u/caf\xe9"};
    {
        QtSettingsStore store(ini);
        EXPECT_EQ(store.GetSetting("Options", "LastDirectory"), "");
        for (std::size_t i = 0; i < values.size(); ++i)
            EXPECT_TRUE(store.SaveSetting("Options", "K" + std::to_string(i), values[i]));
        EXPECT_EQ(QtSettingsStore(ini).GetSetting("Options", "K0"), "-1");  // written through at once
    }
    QtSettingsStore store(ini);
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(store.GetSetting("Options", "K" + std::to_string(i)), values[i]);
    EXPECT_EQ(store.GetSetting("MainOptions", "K0"), "");

    std::ofstream(PathIn(dir, "edited.ini")) << "[Options]\nLastDirectory=/home/u/runs, old\n";
    EXPECT_EQ(QtSettingsStore(PathIn(dir, "edited.ini")).GetSetting("Options", "LastDirectory"), "/home/u/runs, old");
    EXPECT_FALSE(QtSettingsStore(PathIn(dir, "edited.ini/x.ini")).SaveSetting("Options", "K", "v"));
}

TEST(QtPlatform, ScreenEventsAndAppInfoComeFromQtAndTheProgramAndDataFolders) {
    const QScreen* primary = QGuiApplication::primaryScreen();
    ASSERT_NE(primary, nullptr);
    const QtScreen screen;
    EXPECT_FLOAT_EQ(screen.TwipsPerPixelX(), 1440.0f / static_cast<float>(primary->logicalDotsPerInchX()));
    EXPECT_FLOAT_EQ(screen.TwipsPerPixelY(), 1440.0f / static_cast<float>(primary->logicalDotsPerInchY()));
    const QRect area = primary->availableGeometry();
    ASSERT_GT(area.width(), 0);
    EXPECT_EQ(screen.WorkAreaPixels(), (Rect{area.x(), area.y(), area.x() + area.width(), area.y() + area.height()}));

    bool ran = false;
    QMetaObject::invokeMethod(qApp, [&ran] { ran = true; }, Qt::QueuedConnection);
    QtEvents().DoEvents();
    EXPECT_TRUE(ran);

    const AppInfo info = QtAppInfo();
    EXPECT_EQ(info.Title, "Tachlet");
    EXPECT_EQ((std::vector<int32_t>{info.Major, info.Minor, info.Revision}), (std::vector<int32_t>{2, 0, 2}));
    EXPECT_EQ(info.Path, ProgramFolder());
    // The data folder lies where the install puts it, the build tree too.
    EXPECT_TRUE(std::filesystem::is_regular_file(info.DataPath + "/version_history.html")) << info.DataPath;
}

TEST(QtDialogs, BoxesShowPlainTextWithLineBreaksAndReturnTheChoice) {
    struct Case {
        MessageIcon icon; QMessageBox::Icon qtIcon; MessageButtons buttons; int press; MessageAnswer answer;
    };
    const Case cases[] = {
        {MessageIcon::Exclamation, QMessageBox::Warning, MessageButtons::YesNo, QMessageBox::Yes, MessageAnswer::Yes},
        {MessageIcon::Critical, QMessageBox::Critical, MessageButtons::YesNo, QMessageBox::No, MessageAnswer::No},
        {MessageIcon::Critical, QMessageBox::Critical, MessageButtons::YesNo, 0, MessageAnswer::No},  // Escape
        {MessageIcon::Critical, QMessageBox::Critical, MessageButtons::YesNoDefaultNo, -1, MessageAnswer::No},  // Enter
        {MessageIcon::Information, QMessageBox::Information, MessageButtons::OK, QMessageBox::Ok, MessageAnswer::OK},
        {MessageIcon::Exclamation, QMessageBox::Warning, MessageButtons::SaveDiscardCancel, -1, MessageAnswer::Save},
        {MessageIcon::Exclamation, QMessageBox::Warning, MessageButtons::SaveDiscardCancel, QMessageBox::Discard,
         MessageAnswer::Discard},
        {MessageIcon::Exclamation, QMessageBox::Warning, MessageButtons::SaveDiscardCancel, -2,
         MessageAnswer::Cancel},  // Escape
    };
    QWidget window;
    window.show();
    for (const Case& c : cases) {
        QApplication::setActiveWindow(&window);
        QString title, text;
        WhenModalShows<QMessageBox>([&](QMessageBox* box) {
            EXPECT_EQ(box->icon(), c.qtIcon);
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            EXPECT_EQ(box->parentWidget(), &window);
            title = box->windowTitle(), text = box->text();
            if (c.press < 0) return QTest::keyClick(box, c.press == -1 ? Qt::Key_Return : Qt::Key_Escape);
            c.press ? box->button(QMessageBox::StandardButton(c.press))->click() : box->reject();
        });
        EXPECT_EQ(QtDialogs().MessageBox("Error <1> &\r\nFile may be in use.", c.icon, c.buttons), c.answer);
        EXPECT_EQ(title, QStringLiteral("Tachlet"));
        EXPECT_EQ(text, QStringLiteral("Error <1> &\nFile may be in use."));
    }
    // The input box gives the typed text, or nothing on a cancel.
    for (const bool accept : {true, false}) {
        QString label, preset;
        WhenModalShows<QInputDialog>([&](QInputDialog* dialog) {
            label = dialog->labelText(), preset = dialog->textValue();
            dialog->setTextValue(QString::fromUtf8("New \xc3\xbc.GTP"));
            accept ? dialog->accept() : dialog->reject();
        });
        EXPECT_EQ(QtDialogs().InputBox("Rename:\r\n<old>", "Old.GTP"), accept ? "New \xc3\xbc.GTP" : "");
        EXPECT_EQ(label, QStringLiteral("Rename:\n<old>"));
        EXPECT_EQ(preset, QStringLiteral("Old.GTP"));
    }
}

