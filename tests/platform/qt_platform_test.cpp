#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
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

std::string PathOf(const QTemporaryDir& dir, const char* name) {
    return QFile::encodeName(dir.path()).toStdString() + "/" + name;
}

// Takes the URLs QDesktopServices would hand to the desktop for its schemes.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    explicit UrlCatcher(std::vector<const char*> schemes) : schemes_(std::move(schemes)) {
        for (const char* scheme : schemes_) {
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "catchUrl");
        }
    }
    ~UrlCatcher() override {
        for (const char* scheme : schemes_) {
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        }
    }
    std::vector<QUrl> urls;

public slots:
    void catchUrl(const QUrl& url) { urls.push_back(url); }

private:
    std::vector<const char*> schemes_;
};

// Runs `act` on the modal box once the event loop shows it.
void WhenModalShows(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            ADD_FAILURE() << "no modal box shown";
            return;
        }
        act(modal);
    });
}

}  // namespace

TEST(QtSettingsStore, ValuesComeBackAsTheExactTextWritten) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string ini = PathOf(dir, "settings.ini");
    const std::vector<std::pair<std::string, std::string>> values = {
        {"PINFileBrowser", "-1"},
        {"Zero", "0"},
        {"Spaced", "C:/x y"},
        {"Backslashes", "C:\\PASS\\Runs\\"},
        {"NonAscii", "M\xc3\xbcller \xe2\x82\xac"},
        {"Separators", "a, b; c=d"},
        {"Blanks", "  lead and trail  "},
        {"AtSign", "@Variant(x)"},
        {"Quotes", "\"quoted\""},
        {"Empty", ""},
    };
    {
        QtSettingsStore store(ini);
        EXPECT_EQ(store.GetSetting("Options", "LastDirectory"), "");
        for (const auto& [key, value] : values) {
            EXPECT_TRUE(store.SaveSetting("Options", key, value)) << key;
        }
        EXPECT_TRUE(store.SaveSetting("MainOptions", "Zero", "other section"));
        // Written through at once: a second reader sees it while the first lives.
        QtSettingsStore reader(ini);
        EXPECT_EQ(reader.GetSetting("Options", "PINFileBrowser"), "-1");
    }
    QtSettingsStore store(ini);
    for (const auto& [key, value] : values) {
        EXPECT_EQ(store.GetSetting("Options", key), value) << key;
    }
    EXPECT_EQ(store.GetSetting("MainOptions", "Zero"), "other section");
    EXPECT_EQ(store.GetSetting("Options", "Absent"), "");
    EXPECT_EQ(store.GetSetting("Absent", "Zero"), "");
    EXPECT_EQ(store.FileName(), ini);

    // Sections and keys are the INI file's own, readable by a person.
    QFile file(QString::fromStdString(ini));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("[Options]\n")) << text.constData();
    EXPECT_TRUE(text.contains("\nPINFileBrowser=-1\n")) << text.constData();
}

TEST(QtSettingsStore, HandEditedValuesAreReadAsText) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string ini = PathOf(dir, "settings.ini");
    std::ofstream(ini) << "[Options]\nLastDirectory=/home/user/runs, old\n"
                          "[WindowPosition]\nfrmMain_Left=1440abc\nfrmMain_Top=  720\n";
    const QtSettingsStore store(ini);
    EXPECT_EQ(store.GetSetting("Options", "LastDirectory"), "/home/user/runs, old");
    EXPECT_EQ(store.GetSetting("WindowPosition", "frmMain_Left"), "1440abc");
    EXPECT_EQ(store.GetSetting("WindowPosition", "frmMain_Top"), "720");
}

TEST(QtSettingsStore, AWriteThatCannotBeStoredIsReported) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string blocker = PathOf(dir, "not-a-folder");
    std::ofstream(blocker) << "x";
    QtSettingsStore store(blocker + "/settings.ini");
    EXPECT_FALSE(store.SaveSetting("Options", "LastDirectory", "/tmp"));
}

TEST(QtSettingsStore, DefaultStoreIsThePerUserIniFileOfTachlet) {
    const QString file = QFile::decodeName(QByteArray::fromStdString(QtSettingsStore().FileName()));
    EXPECT_TRUE(file.endsWith(QStringLiteral("/Tachlet/Tachlet.ini"))) << file.toStdString();
}

TEST(QtScreen, WorkAreaAndTwipsComeFromThePrimaryScreen) {
    const QScreen* primary = QGuiApplication::primaryScreen();
    ASSERT_NE(primary, nullptr);
    const QtScreen screen;
    EXPECT_FLOAT_EQ(screen.TwipsPerPixelX(), static_cast<float>(1440.0 / primary->logicalDotsPerInchX()));
    EXPECT_FLOAT_EQ(screen.TwipsPerPixelY(), static_cast<float>(1440.0 / primary->logicalDotsPerInchY()));

    const QRect available = primary->availableGeometry();
    ASSERT_GT(available.width(), 0);
    const Rect pixels = screen.WorkAreaPixels();
    EXPECT_EQ(pixels, (Rect{available.left(), available.top(), available.left() + available.width(),
                            available.top() + available.height()}));

    const Rect twips = General::GetWorkArea(screen);
    EXPECT_EQ(twips.right - twips.left,
              General::RoundToLong(pixels.right * static_cast<double>(screen.TwipsPerPixelX())) -
                  General::RoundToLong(pixels.left * static_cast<double>(screen.TwipsPerPixelX())));
    EXPECT_EQ(twips.bottom, General::RoundToLong(pixels.bottom * static_cast<double>(screen.TwipsPerPixelY())));
}

TEST(QtDocumentOpener, HandsExistingFilesAndAddressesToTheDesktopAsData) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    UrlCatcher catcher({"file", "https", "mailto"});
    QtDocumentOpener opener;

    const std::string missing = PathOf(dir, "gone.GTP");
    EXPECT_FALSE(opener.OpenLocalFile(missing));
    EXPECT_FALSE(opener.OpenUrl("file://" + missing));
    EXPECT_EQ(Process::OpenDocument("\"" + missing + "\"", opener), 0);
    EXPECT_TRUE(catcher.urls.empty());

    const std::string hostile = PathOf(dir, "a; $(touch X) `touch Y` \"b\" #1 %20.GTP");
    const std::string raw = PathOf(dir, "run\xff\xfe.GTP");
    std::ofstream(hostile) << "run";
    std::ofstream(raw) << "run";
    EXPECT_EQ(Process::OpenDocument("\"" + hostile + "\"", opener), Process::Opened);
    EXPECT_EQ(Process::OpenDocument("\"" + raw + "\"", opener), Process::Opened);
    EXPECT_EQ(Process::OpenDocument("https://example.org/tachlet?a=1&b=2", opener), Process::Opened);
    EXPECT_EQ(Process::OpenDocument("mailto:someone@example.org", opener), Process::Opened);

    ASSERT_EQ(catcher.urls.size(), 4u);
    EXPECT_EQ(QFile::encodeName(catcher.urls[0].toLocalFile()).toStdString(), hostile);
    EXPECT_TRUE(catcher.urls[1].isLocalFile());
    EXPECT_TRUE(catcher.urls[1].toEncoded().endsWith("/run%FF%FE.GTP")) << catcher.urls[1].toEncoded().constData();
    EXPECT_EQ(catcher.urls[2].toString().toStdString(), "https://example.org/tachlet?a=1&b=2");
    EXPECT_EQ(catcher.urls[3].toString().toStdString(), "mailto:someone@example.org");
    EXPECT_FALSE(std::filesystem::exists(PathOf(dir, "X")));
    EXPECT_FALSE(std::filesystem::exists("X"));
}

TEST(QtDocumentOpener, LocalFileUrlKeepsEveryByteOfTheName) {
    const std::pair<std::string, QByteArray> cases[] = {
        {"/tmp/run 1.GTP", "file:///tmp/run%201.GTP"},
        {"/tmp/M\xc3\xbcller.GTP", "file:///tmp/M%C3%BCller.GTP"},
        {"/tmp/\xe9t\xe9.GTP", "file:///tmp/%E9t%E9.GTP"},
        {"/tmp/a#b?c.GTP", "file:///tmp/a%23b%3Fc.GTP"},
    };
    for (const auto& [path, encoded] : cases) {
        EXPECT_EQ(QtDocumentOpener::LocalFileUrl(path).toEncoded(), encoded) << path;
    }
}

TEST(QtDialogs, MessageBoxShowsTheTextAndReturnsTheChosenButton) {
    struct Case {
        MessageButtons buttons;
        QMessageBox::StandardButton press;  // NoButton: Escape
        MessageAnswer expected;
    };
    const Case cases[] = {
        {MessageButtons::YesNo, QMessageBox::Yes, MessageAnswer::Yes},
        {MessageButtons::YesNo, QMessageBox::No, MessageAnswer::No},
        {MessageButtons::YesNo, QMessageBox::NoButton, MessageAnswer::No},
        {MessageButtons::OK, QMessageBox::Ok, MessageAnswer::OK},
        {MessageButtons::OK, QMessageBox::NoButton, MessageAnswer::OK},
    };
    for (const Case& c : cases) {
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons shown;
        Qt::TextFormat format = Qt::AutoText;
        WhenModalShows([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (box == nullptr) {
                ADD_FAILURE() << "not a message box";
                modal->close();
                return;
            }
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            shown = box->standardButtons();
            format = box->textFormat();
            if (c.press == QMessageBox::NoButton) {
                box->reject();
            } else {
                box->button(c.press)->click();
            }
        });
        QtDialogs dialogs;
        EXPECT_EQ(dialogs.MessageBox("Error <1> & more\r\nFile may be in use.", MessageIcon::Exclamation, c.buttons),
                  c.expected);
        EXPECT_EQ(title, QStringLiteral("Tachlet"));
        EXPECT_EQ(text, QStringLiteral("Error <1> & more\nFile may be in use."));
        EXPECT_EQ(icon, QMessageBox::Warning);
        EXPECT_EQ(format, Qt::PlainText);
        EXPECT_EQ(shown, c.buttons == MessageButtons::OK ? QMessageBox::StandardButtons(QMessageBox::Ok)
                                                         : (QMessageBox::Yes | QMessageBox::No));
    }
}

TEST(QtDialogs, MessageIconsAndParent) {
    QWidget window;
    window.show();
    const std::pair<MessageIcon, QMessageBox::Icon> icons[] = {{MessageIcon::Critical, QMessageBox::Critical},
                                                                {MessageIcon::Exclamation, QMessageBox::Warning},
                                                                {MessageIcon::Information, QMessageBox::Information}};
    for (const auto& [ours, qt] : icons) {
        QMessageBox::Icon shown = QMessageBox::NoIcon;
        QWidget* parent = nullptr;
        QApplication::setActiveWindow(&window);
        WhenModalShows([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            shown = box != nullptr ? box->icon() : QMessageBox::NoIcon;
            parent = modal->parentWidget();
            modal->close();
        });
        QtDialogs().MessageBox("x", ours, MessageButtons::OK);
        EXPECT_EQ(shown, qt);
        EXPECT_EQ(parent, &window);
    }
}

TEST(QtDialogs, InputBoxGivesTheTypedTextOrEmptyOnCancel) {
    for (const bool accept : {true, false}) {
        QString title, label, preset;
        WhenModalShows([&](QWidget* modal) {
            auto* dialog = qobject_cast<QInputDialog*>(modal);
            if (dialog == nullptr) {
                ADD_FAILURE() << "not an input box";
                modal->close();
                return;
            }
            title = dialog->windowTitle();
            label = dialog->labelText();
            preset = dialog->textValue();
            dialog->setTextValue(QString::fromUtf8("New name \xc3\xbc.GTP"));
            accept ? dialog->accept() : dialog->reject();
        });
        const std::string typed = QtDialogs().InputBox("Rename file:\r\n<old>", "Old name.GTP");
        EXPECT_EQ(title, QStringLiteral("Tachlet"));
        EXPECT_EQ(label, QStringLiteral("Rename file:\n<old>"));
        EXPECT_EQ(preset, QStringLiteral("Old name.GTP"));
        EXPECT_EQ(typed, accept ? "New name \xc3\xbc.GTP" : "");
    }
}

TEST(QtEvents, DoEventsRunsWhatIsWaiting) {
    bool ran = false;
    QMetaObject::invokeMethod(qApp, [&ran] { ran = true; }, Qt::QueuedConnection);
    EXPECT_FALSE(ran);
    QtEvents().DoEvents();
    EXPECT_TRUE(ran);
}

TEST(QtAppInfo, VersionAndTheFolderOfTheRunningProgram) {
    const AppInfo info = QtAppInfo();
    EXPECT_EQ(info.ProductName, "Tachlet");
    EXPECT_EQ(info.Title, "Tachlet");
    EXPECT_EQ((std::vector<int32_t>{info.Major, info.Minor, info.Revision}), (std::vector<int32_t>{2, 0, 2}));
    EXPECT_FALSE(info.Comments.empty());
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(info.Path, self.parent_path().string());
}

#include "qt_platform_test.moc"
