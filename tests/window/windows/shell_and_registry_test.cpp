// The window with the real Windows sides of its services: the shell's "open"
// (ShellExecuteW), with a recording program registered for run files and web
// addresses, and the settings in the user's registry.
#include <windows.h>

#include <fstream>
#include <iterator>

#include "base/WideText.h"
#include "qt_platform/QtDocumentOpener.h"
#include "qt_platform/QtSettingsStore.h"
#include "window/WindowFixture.h"

namespace {

std::wstring Wide(const std::string& text) {
    const auto units = WideText::FromUtf8(text);
    return units ? std::wstring(units->begin(), units->end()) : std::wstring();
}

// Wine's HKEY_CLASSES_ROOT reads only the machine's part of the registry.
const HKEY Classes = HKEY_LOCAL_MACHINE;
const std::wstring HttpsCommand = L"Software\\Classes\\https\\shell\\open\\command";

void SetText(const std::wstring& key, const std::wstring& value) {
    ASSERT_EQ(::RegSetKeyValueW(Classes, key.c_str(), nullptr, REG_SZ, value.c_str(),
                                static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

// A text value of the registry; "" where it has none.
std::wstring Text(HKEY root, const std::wstring& key, const wchar_t* name = nullptr) {
    wchar_t value[2048] = {};
    DWORD size = sizeof value;
    return ::RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) == ERROR_SUCCESS ? value
                                                                                                          : L"";
}

// shell_recorder (beside the test programs) registered for .gtp files and as
// the program of https: addresses, for the length of a test; it notes each
// target it is started with in TACHLET_SHELL_LOG.
class RecordingShell {
public:
    explicit RecordingShell(const TempFolder& folder)
        : log_(folder.Path("shell.log")), browser_(Text(Classes, HttpsCommand)) {
        _wputenv_s(L"TACHLET_SHELL_LOG", Wide(log_).c_str());
        const std::wstring command = L"\"" + Wide(ProgramFolder()) + L"\\shell_recorder.exe\" \"%1\"";
        SetText(L"Software\\Classes\\.gtp", L"TachletTest.Recorded");
        SetText(L"Software\\Classes\\TachletTest.Recorded\\shell\\open\\command", command);
        SetText(HttpsCommand, command);
    }
    ~RecordingShell() { Unregister(); }
    // Leaves https: with the program it had before.
    void Unregister() {
        ::RegDeleteTreeW(Classes, L"Software\\Classes\\.gtp");
        ::RegDeleteTreeW(Classes, L"Software\\Classes\\TachletTest.Recorded");
        if (browser_.empty())
            ::RegDeleteTreeW(Classes, L"Software\\Classes\\https");
        else
            SetText(HttpsCommand, browser_);
    }
    std::string Log() const {
        std::ifstream in(FsPath(log_), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::string log_;
    std::wstring browser_;
};

using WindowsServicesTest = WindowTest;

const wchar_t* const SettingsKey = L"Software\\Tachlet\\Tachlet";

TEST_F(WindowsServicesTest, TheShellOpensANameOutsideTheAnsiCodePageAndTheLinksAsTheyAre) {
    RecordingShell shell(folder);
    QtDocumentOpener desktop;
    Open({.documents = &desktop});
    // The name is saved into and renamed as it is, then handed to the shell.
    LoadFile(ForeignName + ".GTP", RunFileBuilder().Build());
    ChangeWeight();
    Click("cmdSave");
    EXPECT_EQ(Read(ForeignName + ".GTP"), RunFileBuilder().Weight(2500).Build());
    const std::string name = ForeignName + " & 1.GTP";
    dialogs.Type(name);
    Trigger("mnuFilePopupRename");
    EXPECT_EQ(Read(name), RunFileBuilder().Weight(2500).Build());
    ClickFile(name);
    Trigger("mnuFilePopupOpen");
    QTest::mouseClick(Label("lblAbout"), Qt::LeftButton, {}, QPoint(2, 2));
    // Each program started by the shell notes its target when it runs.
    const auto lines = [&shell] {
        const std::string log = shell.Log();
        return std::count(log.begin(), log.end(), '\n');
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return lines() == 2; }, 10000));
    const std::string log = shell.Log();
    EXPECT_NE(log.find(folder.Path(name) + "\n"), std::string::npos) << log;
    EXPECT_NE(log.find("https://tachlet.example.org/\n"), std::string::npos) << log;
    EXPECT_TRUE(Messages().empty());

    // Nothing registered: the shell refuses at once, and the window says so.
    shell.Unregister();
    Trigger("mnuFilePopupOpen");
    EXPECT_EQ(Messages(), std::vector<std::string>{ShellFailed(folder.Path(name))});
    EXPECT_EQ(Boxes().back().icon, MessageIcon::Critical);
}

TEST_F(WindowsServicesTest, SettingsLandInTheUsersRegistryAndBringTheNextStartBack) {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, SettingsKey);
    const std::string runs = folder.MakeFolder(ForeignName);
    Write(ForeignName + Files::PathSeparator + "RUN.GTP", RunFileBuilder().Build());
    {
        QtSettingsStore registry;
        Open({.settings = &registry});
        window->OpenFile(QByteArray::fromStdString(runs + Files::PathSeparator + "RUN.GTP"));
        ClickPin();
        window->move(200, 150);
        window->close();
        window.reset();
    }
    EXPECT_TRUE(Messages().empty());
    const std::wstring key = std::wstring(SettingsKey) + L"\\";
    EXPECT_EQ(Text(HKEY_CURRENT_USER, key + L"MainOptions", L"PINFileBrowser"), L"-1");
    EXPECT_EQ(Text(HKEY_CURRENT_USER, key + L"WindowPosition", L"frmMain_Left"), L"3000");
    EXPECT_EQ(Text(HKEY_CURRENT_USER, key + L"WindowPosition", L"frmMain_Top"), L"2250");
    EXPECT_EQ(Text(HKEY_CURRENT_USER, key + L"Options", L"LastDirectory"), Wide(runs));

    QtSettingsStore registry;
    Open({.settings = &registry});
    EXPECT_EQ(Find<DirListBox>("dirGTP")->PathBytes().toStdString(), runs);
    EXPECT_TRUE(Find<QCheckBox>("chkPin")->isChecked());
    EXPECT_EQ(window->pos(), QPoint(200, 150));
    window->close();
    window.reset();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, SettingsKey);
}

}  // namespace
