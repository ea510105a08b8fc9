#pragma once
// A main window in a temporary folder, with scripted message boxes, settings
// in memory, event processing a test can step into, and its controls by name.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "main_window/DirListBox.h"
#include "main_window/FileListBox.h"
#include "main_window/frmMain.h"
#include "qt_platform/QtEvents.h"
#include "testkit/FakeScreen.h"
#include "testkit/MemorySettings.h"
#include "testkit/RecordingOpener.h"
#include "testkit/RunFileBuilder.h"
#include "testkit/ScriptedDialogs.h"
#include "testkit/SystemTestkit.h"
#include "testkit/TempFolder.h"
#include "testkit/WindowAccess.h"

// Processes events as the program does, counting rounds; runs a step once inside the next.
class SteppedEvents : public Events {
public:
    int rounds = 0;
    std::function<void()> inNextRound;

    void DoEvents() override {
        ++rounds;
        QCoreApplication::processEvents();
        if (inNextRound) std::exchange(inNextRound, nullptr)();
    }
};

using Texts = std::vector<std::string>;

inline const std::string SaveFailed = "Error saving the PASS file!";

// The window's title with the file shown, "*" marking pending edits.
inline QString Title(const std::string& shown) {
    return QString::fromStdString(shown) + " \u2014 Tachlet v2.00 build 2";
}

// The message of "Open w/PASS" that the shell refused.
inline std::string ShellFailed(const std::string& path) {
    return "Shell [\"" + path + "\"] failed!\r\n\r\nAre you sure you've associated the .GTP file extension to PASS?";
}

// The message of a load or save that the system refused.
inline std::string Failure(const char* action, int number, const std::string& description, const std::string& name) {
    return "Error (" + std::to_string(number) + ") - " + description + " - " + action + " file [" + name +
           "]!\r\nFile may be in use by PASS, corrupt, or otherwise locked.";
}

// Services that replace a window test's own fakes.
struct Swaps {
    Dialogs* dialogs = nullptr;
    SettingsStore* settings = nullptr;
    const Screen* screen = nullptr;
    DocumentOpener* documents = nullptr;
    std::optional<AppInfo> appInfo = std::nullopt;
};

class WindowTest : public ::testing::Test {
public:
    struct ControlState {
        bool edit, undo, save, fields, notesWritable;
        bool operator==(const ControlState&) const = default;
    };

    using Bytes = std::vector<uint8_t>;

protected:
    void SetUp() override {
        previousFolder_ = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(folder.Path()));
        dialogs.AcceptOkBoxes();
        documents.accept = false;  // the desktop refuses every target unless a test lets it take them
    }

    void TearDown() override {
        window.reset();
        QDir::setCurrent(previousFolder_);
    }

public:
    // The services of the window; those named in `real` replace the fakes.
    WindowServices Services(const Swaps& real = {}) {
        return {real.dialogs ? *real.dialogs : dialogs,       real.settings ? *real.settings : settings,
                real.screen ? *real.screen : screen,          real.documents ? *real.documents : documents,
                events, real.appInfo.value_or(AppInfo::ForProgramFolder(folder.Path()))};
    }
    // The window, started in the temporary folder, shown and active.
    frmMain& Open(const Swaps& real = {}) {
        window = std::make_unique<frmMain>(Services(real));
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return *window;
    }

    // A fresh window with a fresh script of message boxes, for one case per window.
    frmMain& Reopen() {
        dialogs = ScriptedDialogs();
        dialogs.AcceptOkBoxes();
        return Open();
    }

    template <typename T>
    T* Find(const std::string& name) const {
        T* found = window->findChild<T*>(QString::fromStdString(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLabel* Label(const std::string& name) const { return Find<QLabel>(name); }
    QLineEdit* Box(const std::string& name) const { return Find<QLineEdit>(name); }
    QPushButton* Button(const std::string& name) const { return Find<QPushButton>(name); }
    void Click(const std::string& button) { QTest::mouseClick(Button(button), Qt::LeftButton); }
    QPlainTextEdit* Notes() const { return Find<QPlainTextEdit>("txtVehicleNotes"); }
    FileListBox* Files() const { return Find<FileListBox>("fileGTP"); }
    QStringList FileRows() const {
        QStringList rows;
        for (int row = 0; row < Files()->count(); ++row) rows << Files()->item(row)->text();
        return rows;
    }
    // Open, the panel shows the whole file list, at any growth of the window.
    bool PanelOpen() const {
        return Find<QWidget>("framePASSFile")->height() > Find<QWidget>("fileGTP")->geometry().bottom();
    }
    // Edit, Delete, Rename and Open w/PASS are switched on and off together.
    bool CommandsEnabled() const {
        const bool edit = Find<QAction>("mnuFilePopupEdit")->isEnabled();
        for (const char* name : {"mnuFilePopupDelete", "mnuFilePopupRename", "mnuFilePopupOpen"})
            EXPECT_EQ(Find<QAction>(name)->isEnabled(), edit) << name;
        return edit;
    }
    QString LabelText(const std::string& name) const { return Label(name)->text(); }
    QString WindowTitle() const { return window->windowHandle()->title(); }

    std::string Write(const std::string& name, const Bytes& bytes) const {
        return folder.Write(name, std::string(bytes.begin(), bytes.end()));
    }
    // The bytes of `file` once a save wrote into it: a NUL follows the notes.
    static Bytes Saved(const RunFileBuilder& file) {
        Bytes bytes = file.Build();
        bytes.push_back(0x00);
        return bytes;
    }
    Bytes Read(const std::string& name) const {
        const std::string text = folder.Read(name);
        return Bytes(text.begin(), text.end());
    }

    // Clicks the file's row as a user would, after reading the folder again unless told not to.
    void ClickFile(const std::string& name, bool refresh = true) {
        FileListBox* list = Files();
        if (refresh) list->Refresh();
        const QList<QListWidgetItem*> rows = list->findItems(QString::fromStdString(name), Qt::MatchExactly);
        ASSERT_EQ(rows.size(), 1) << name;
        list->scrollToItem(rows.front());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(rows.front()).center());
    }
    // A double-click as the system delivers it: a click, a double-click press, a release.
    static void DoubleClick(QWidget* widget, QPoint at) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
    }
    void LoadFile(const std::string& name, const Bytes& bytes) {
        Write(name, bytes);
        ClickFile(name);
    }

    // The texts of all message boxes shown so far, in order.
    Texts Messages() const { return dialogs.MessageTexts(); }
    std::vector<DialogRecord> Boxes() const { return dialogs.Records(); }

    // Replaces the text of a field's box as typed.
    void Type(const std::string& boxName, const QString& text) {
        QLineEdit* box = Box(boxName);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }
    // Clicks a value label, which opens its field in edit mode.
    void OpenField(const std::string& labelName) {
        QLabel* label = Label(labelName);
        QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
    }
    void EnterEditMode() { Click("cmdEdit"); }
    // Enters edit mode and changes the weight, leaving its field.
    void ChangeWeight(const QString& to = "2500") {
        EnterEditMode();
        SetField("VehicleWeight", to);
    }
    void Trigger(const char* action) { Find<QAction>(action)->trigger(); }
    void ClickPin() {
        auto* pin = Find<QCheckBox>("chkPin");
        QTest::mouseClick(pin, Qt::LeftButton, {}, QPoint(5, pin->height() / 2));
    }
    void ClickNotes() { QTest::mouseClick(Notes()->viewport(), Qt::LeftButton, {}, QPoint(5, 5)); }
    // Presses Tab `count` times from the focused control; the names of the controls reached.
    static QStringList Tabs(int count, Qt::KeyboardModifiers modifiers = {}) {
        QStringList reached;
        for (int tab = 0; tab < count && QApplication::focusWidget() != nullptr; ++tab) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
            reached << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "<none>");
        }
        return reached;
    }

    // The load and the save as no click can start them (nothing selected, Save off, busy).
    bool LoadRunFile() { return WindowAccess::LoadRunFile(*window); }
    bool SaveRunFile() { return WindowAccess::SaveRunFile(*window); }

    // The vehicle-data fields, top to bottom: value label "lbl" + name, box "txt" + name.
    static constexpr const char* Fields[] = {"RunName",           "VehicleName",          "VehicleWeight",
                                             "VehicleRedline",    "VehicleShiftPoint",    "VehicleRolloutLength",
                                             "PitchFactor"};
    // Opens the field by its label, types the entry and leaves it unless told not to; true when it closed.
    bool SetField(const std::string& name, const QString& text, bool leave = true) {
        OpenField("lbl" + name);
        Type("txt" + name, text);
        if (leave) Leave(name);
        return Box("txt" + name)->isHidden();
    }
    // Leaves the field with Enter, which checks it as a click elsewhere does.
    void Leave(const std::string& name) { QTest::keyClick(Box("txt" + name), Qt::Key_Return); }

    // The seven field boxes are switched together.
    ControlState State() const {
        const bool fields = Box("txtRunName")->isEnabled();
        for (const std::string name : Fields) EXPECT_EQ(Box("txt" + name)->isEnabled(), fields) << name;
        return {Button("cmdEdit")->isEnabled(), Button("cmdUndo")->isEnabled(), Button("cmdSave")->isEnabled(), fields,
                !Notes()->isReadOnly()};
    }
    static constexpr ControlState ViewState{true, false, false, false, false};
    static constexpr ControlState NothingLoaded{false, false, false, false, false};
    static constexpr ControlState Editing{false, true, false, true, true};  // no change yet
    static constexpr ControlState Pending{false, true, true, true, true};   // changes not saved

    TempFolder folder;
    ScriptedDialogs dialogs;
    MemorySettings settings;
    FakeScreen screen;
    RecordingOpener documents;
    SteppedEvents events;
    std::unique_ptr<frmMain> window;

private:
    QString previousFolder_;
};

inline std::ostream& operator<<(std::ostream& out, const WindowTest::ControlState& s) {
    return out << "{edit " << s.edit << ", undo " << s.undo << ", save " << s.save << ", fields " << s.fields
               << ", notes writable " << s.notesWritable << "}";
}
