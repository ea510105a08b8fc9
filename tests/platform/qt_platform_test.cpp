#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "support/General.h"
#include "support/Process.h"
#include "support/QtAppInfo.h"
#include "support/QtDialogs.h"
#include "support/QtDocumentOpener.h"
#include "support/QtEvents.h"
#include "support/QtScreen.h"
#include "support/QtSettingsStore.h"
#include "support/WorkArea.h"

namespace {

std::string PathIn(const QTemporaryDir& dir, const char* name) {
    return QFile::encodeName(dir.path()).toStdString() + "/" + name;
}

// Takes the addresses QDesktopServices would hand to the desktop.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher() {
        for (const char* scheme : {"file", "https"}) QDesktopServices::setUrlHandler(scheme, this, "Catch");
    }
    ~UrlCatcher() override {
        for (const char* scheme : {"file", "https"}) QDesktopServices::unsetUrlHandler(scheme);
    }
    std::vector<QUrl> urls;
public slots:
    void Catch(const QUrl& url) { urls.push_back(url); }
};

// Runs `act` on the modal box as soon as the event loop shows it.
void WhenModalShows(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        modal != nullptr ? act(modal) : void(ADD_FAILURE() << "no modal box");
    });
}

}  // namespace

TEST(QtSettingsStore, TextComesBackExactlyAndFailedWritesAreReported) {
    QTemporaryDir dir;
    const std::string ini = PathIn(dir, "settings.ini");
    const std::vector<std::string> values = {"-1", "C:/x y", "C:\\PASS\\", "M\xc3\xbcller \xe2\x82\xac",
                                             "a, b; c=d", "  blanks  ", "@Variant(x)", "\"q\"", ""};
    {
        QtSettingsStore store(ini);
        EXPECT_EQ(store.GetSetting("Options", "LastDirectory"), "");
        for (std::size_t i = 0; i < values.size(); ++i) {
            EXPECT_TRUE(store.SaveSetting("Options", "K" + std::to_string(i), values[i]));
        }
        EXPECT_EQ(QtSettingsStore(ini).GetSetting("Options", "K0"), "-1");  // written through at once
    }
    QtSettingsStore store(ini);
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(store.GetSetting("Options", "K" + std::to_string(i)), values[i]);
    }
    EXPECT_EQ(store.GetSetting("MainOptions", "K0"), "");

    std::ofstream(PathIn(dir, "edited.ini")) << "[Options]\nLastDirectory=/home/u/runs, old\n";
    EXPECT_EQ(QtSettingsStore(PathIn(dir, "edited.ini")).GetSetting("Options", "LastDirectory"), "/home/u/runs, old");
    EXPECT_FALSE(QtSettingsStore(PathIn(dir, "edited.ini/x.ini")).SaveSetting("Options", "K", "v"));
    EXPECT_TRUE(QtSettingsStore().FileName().ends_with("/Tachlet/Tachlet.ini"));
}

TEST(QtScreen, WorkAreaAndTwipsComeFromThePrimaryScreen) {
    const QScreen* primary = QGuiApplication::primaryScreen();
    ASSERT_NE(primary, nullptr);
    const QtScreen screen;
    EXPECT_FLOAT_EQ(screen.TwipsPerPixelX(), 1440.0f / static_cast<float>(primary->logicalDotsPerInchX()));
    EXPECT_FLOAT_EQ(screen.TwipsPerPixelY(), 1440.0f / static_cast<float>(primary->logicalDotsPerInchY()));
    const QRect area = primary->availableGeometry();
    ASSERT_GT(area.width(), 0);
    EXPECT_EQ(screen.WorkAreaPixels(), (Rect{area.x(), area.y(), area.x() + area.width(), area.y() + area.height()}));
    const Rect twips = General::GetWorkArea(screen);
    EXPECT_EQ(twips.right, General::RoundToLong((area.x() + area.width()) * double(screen.TwipsPerPixelX())));
}

TEST(QtDocumentOpener, HandsExistingFilesAndAddressesToTheDesktopAsData) {
    QTemporaryDir dir;
    UrlCatcher catcher;
    QtDocumentOpener opener;
    const std::string missing = PathIn(dir, "gone.GTP");
    EXPECT_FALSE(opener.OpenLocalFile(missing));
    EXPECT_FALSE(opener.OpenUrl("file://" + missing));

    const std::string hostile = PathIn(dir, "a; $(touch X) \"b\" #1 %20.GTP");
    const std::string raw = PathIn(dir, "run\xff\xfe.GTP");
    std::ofstream(hostile) << "run";
    std::ofstream(raw) << "run";
    EXPECT_EQ(Process::OpenDocument("\"" + hostile + "\"", opener), Process::Opened);
    EXPECT_EQ(Process::OpenDocument("\"" + raw + "\"", opener), Process::Opened);
    EXPECT_EQ(Process::OpenDocument("https://example.org/t?a=1&b=2", opener), Process::Opened);
    ASSERT_EQ(catcher.urls.size(), 3u);
    EXPECT_EQ(QFile::encodeName(catcher.urls[0].toLocalFile()).toStdString(), hostile);
    EXPECT_TRUE(catcher.urls[1].toEncoded().endsWith("/run%FF%FE.GTP")) << catcher.urls[1].toEncoded().data();
    EXPECT_EQ(catcher.urls[2].toString(), QStringLiteral("https://example.org/t?a=1&b=2"));
    EXPECT_FALSE(std::filesystem::exists(PathIn(dir, "X")) || std::filesystem::exists("X"));
    std::filesystem::remove(raw);  // a name Qt itself cannot spell
}

TEST(QtDialogs, MessageBoxShowsPlainTextWithLineBreaksAndReturnsTheChoice) {
    struct Case { MessageIcon icon; QMessageBox::Icon qtIcon; MessageButtons buttons; int press; MessageAnswer answer; };
    const Case cases[] = {
        {MessageIcon::Exclamation, QMessageBox::Warning, MessageButtons::YesNo, QMessageBox::Yes, MessageAnswer::Yes},
        {MessageIcon::Critical, QMessageBox::Critical, MessageButtons::YesNo, QMessageBox::No, MessageAnswer::No},
        {MessageIcon::Critical, QMessageBox::Critical, MessageButtons::YesNo, 0, MessageAnswer::No},  // Escape
        {MessageIcon::Information, QMessageBox::Information, MessageButtons::OK, QMessageBox::Ok, MessageAnswer::OK},
    };
    QWidget window;
    window.show();
    for (const Case& c : cases) {
        QApplication::setActiveWindow(&window);
        QMessageBox* seen = nullptr;
        QString title, text;
        WhenModalShows([&](QWidget* modal) {
            seen = qobject_cast<QMessageBox*>(modal);
            if (seen == nullptr) return modal->close(), void();
            EXPECT_EQ(seen->icon(), c.qtIcon);
            EXPECT_EQ(seen->textFormat(), Qt::PlainText);
            EXPECT_EQ(seen->parentWidget(), &window);
            title = seen->windowTitle(), text = seen->text();
            c.press ? seen->button(QMessageBox::StandardButton(c.press))->click() : seen->reject();
        });
        EXPECT_EQ(QtDialogs().MessageBox("Error <1> &\r\nFile may be in use.", c.icon, c.buttons), c.answer);
        ASSERT_NE(seen, nullptr);
        EXPECT_EQ(title, QStringLiteral("Tachlet"));
        EXPECT_EQ(text, QStringLiteral("Error <1> &\nFile may be in use."));
    }
}

TEST(QtDialogs, InputBoxGivesTheTypedTextOrEmptyOnCancel) {
    for (const bool accept : {true, false}) {
        QString label, preset;
        WhenModalShows([&](QWidget* modal) {
            auto* dialog = qobject_cast<QInputDialog*>(modal);
            if (dialog == nullptr) return modal->close(), void();
            label = dialog->labelText(), preset = dialog->textValue();
            dialog->setTextValue(QString::fromUtf8("New \xc3\xbc.GTP"));
            accept ? dialog->accept() : dialog->reject();
        });
        EXPECT_EQ(QtDialogs().InputBox("Rename:\r\n<old>", "Old.GTP"), accept ? "New \xc3\xbc.GTP" : "");
        EXPECT_EQ(label, QStringLiteral("Rename:\n<old>"));
        EXPECT_EQ(preset, QStringLiteral("Old.GTP"));
    }
}

TEST(QtPlatform, DoEventsRunsWaitingEventsAndAppInfoNamesTheProgramFolder) {
    bool ran = false;
    QMetaObject::invokeMethod(qApp, [&ran] { ran = true; }, Qt::QueuedConnection);
    QtEvents().DoEvents();
    EXPECT_TRUE(ran);

    const AppInfo info = QtAppInfo();
    EXPECT_EQ(info.Title, "Tachlet");
    EXPECT_EQ((std::vector<int32_t>{info.Major, info.Minor, info.Revision}), (std::vector<int32_t>{2, 0, 2}));
    EXPECT_EQ(info.Path, std::filesystem::read_symlink("/proc/self/exe").parent_path().string());
}

#include "qt_platform_test.moc"
