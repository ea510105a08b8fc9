// The window with the real Windows sides of its services: the shell's "open"
// (ShellExecuteW), with a recording program registered for run files and web
// addresses, and the settings in the registry, read back with reg.exe.
#include <windows.h>

#include <QCheckBox>

#include <fstream>
#include <iterator>

#include "main_window/DirListBox.h"
#include "qt_platform/QtDocumentOpener.h"
#include "qt_platform/QtSettingsStore.h"
#include "base/WideText.h"
#include "testkit/SystemTestkit.h"
#include "window/WindowFixture.h"

namespace {

std::wstring Wide(const std::string& text) {
    const auto units = WideText::FromUtf8(text);
    return units ? std::wstring(units->begin(), units->end()) : std::wstring();
}

// Wine's HKEY_CLASSES_ROOT reads only the machine's part of the registry.
const HKEY Classes = HKEY_LOCAL_MACHINE;

void SetText(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    ASSERT_EQ(::RegSetKeyValueW(Classes, key.c_str(), name, REG_SZ, value.c_str(),
                                static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

std::wstring Text(const std::wstring& key) {
    wchar_t value[2048] = {};
    DWORD size = sizeof value;
    return ::RegGetValueW(Classes, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) == ERROR_SUCCESS
               ? value
               : L"";
}

const std::wstring HttpsCommand = L"Software\\Classes\\https\\shell\\open\\command";

// shell_recorder (beside the test programs) registered for .gtp files and as
// the program of https: addresses, for the length of a test; it notes each
// target it is started with in TACHLET_SHELL_LOG.
class RecordingShell {
public:
    explicit RecordingShell(const TempFolder& folder)
        : log_(folder.Path("shell.log")), browser_(Text(HttpsCommand)) {
        _wputenv_s(L"TACHLET_SHELL_LOG", Wide(log_).c_str());
        const std::wstring command = L"\"" + Wide(ProgramFolder()) + L"\\shell_recorder.exe\" \"%1\"";
        SetText(L"Software\\Classes\\.gtp", nullptr, L"TachletTest.Recorded");
        SetText(L"Software\\Classes\\TachletTest.Recorded\\shell\\open\\command", nullptr, command);
        SetText(HttpsCommand, nullptr, command);
    }
    ~RecordingShell() { Unregister(); }
    // Leaves https: with the program it had before.
    void Unregister() {
        ::RegDeleteTreeW(Classes, L"Software\\Classes\\.gtp");
        ::RegDeleteTreeW(Classes, L"Software\\Classes\\TachletTest.Recorded");
        if (browser_.empty())
            ::RegDeleteTreeW(Classes, L"Software\\Classes\\https");
        else
            SetText(HttpsCommand, nullptr, browser_);
    }
    std::string Log() const {
        std::ifstream in(FsPath(log_), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::string log_;
    std::wstring browser_;
};

// reg.exe's answer to "reg query KEY /s", as it prints it.
std::string RegQuery(const std::wstring& key) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read, write;
    if (!::CreatePipe(&read, &write, &inherit, 0)) return {};
    ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    startup.hStdError = write;
    std::wstring command = L"reg.exe query \"" + key + L"\" /s";
    PROCESS_INFORMATION started{};
    const BOOL ok = ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                     nullptr, &startup, &started);
    ::CloseHandle(write);
    std::string output;
    char buffer[4096];
    DWORD count = 0;
    while (ok && ::ReadFile(read, buffer, sizeof buffer, &count, nullptr) && count > 0) output.append(buffer, count);
    ::CloseHandle(read);
    if (ok) {
        ::WaitForSingleObject(started.hProcess, INFINITE);
        ::CloseHandle(started.hProcess);
        ::CloseHandle(started.hThread);
    }
    return output;
}

std::wstring RegistryText(const wchar_t* key, const wchar_t* name) {
    wchar_t value[2048] = {};
    DWORD size = sizeof value;
    if (::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) return {};
    return value;
}

using WindowsServicesTest = WindowTest;

const wchar_t* const SettingsKey = L"Software\\Tachlet\\Tachlet";

TEST_F(WindowsServicesTest, TheShellOpensANameOutsideTheAnsiCodePageAndTheLinksAsTheyAre) {
    RecordingShell shell(folder);
    QtDocumentOpener desktop;
    window = std::make_unique<frmMain>(
        WindowServices{dialogs, settings, screen, desktop, events, AppInfo::ForProgramFolder(folder.Path())});
    window->show();
    // The name is saved into and renamed as it is, then handed to the shell.
    LoadFile(ForeignName + ".GTP", RunFileBuilder().Build());
    EnterEditMode();
    SetField("VehicleWeight", "2500");
    Click("cmdSave");
    EXPECT_EQ(Read(ForeignName + ".GTP"), RunFileBuilder().Weight(2500).Build());
    const std::string name = ForeignName + " & 1.GTP";
    dialogs.Type(name);
    Find<QAction>("mnuFilePopupRename")->trigger();
    EXPECT_EQ(Read(name), RunFileBuilder().Weight(2500).Build());
    ClickFile(name);
    Find<QAction>("mnuFilePopupOpen")->trigger();
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
    Find<QAction>("mnuFilePopupOpen")->trigger();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Shell [\"" + folder.Path(name) + "\"] failed!\r\n\r\n"
                                                   "Are you sure you've associated the .GTP file extension to PASS?"});
}

TEST_F(WindowsServicesTest, SettingsLandInTheUsersRegistryAndBringTheNextStartBack) {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, SettingsKey);
    const std::string runs = folder.MakeFolder(ForeignName);
    Write(ForeignName + Files::PathSeparator + "RUN.GTP", RunFileBuilder().Build());
    {
        QtSettingsStore registry;
        window = std::make_unique<frmMain>(
            WindowServices{dialogs, registry, screen, documents, events, AppInfo::ForProgramFolder(folder.Path())});
        window->show();
        window->OpenFile(QByteArray::fromStdString(runs + Files::PathSeparator + "RUN.GTP"));
        auto* pin = Find<QCheckBox>("chkPin");
        QTest::mouseClick(pin, Qt::LeftButton, {}, QPoint(5, pin->height() / 2));
        window->move(200, 150);
        window->close();
        window.reset();
    }
    EXPECT_TRUE(Messages().empty());
    const std::string listed = RegQuery(L"HKCU\\Software\\Tachlet\\Tachlet");
    for (const char* line : {"HKEY_CURRENT_USER\\Software\\Tachlet\\Tachlet\\MainOptions",
                             "PINFileBrowser    REG_SZ    -1", "frmMain_Left    REG_SZ    3000",
                             "frmMain_Top    REG_SZ    2250", "LastDirectory    REG_SZ    "})
        EXPECT_NE(listed.find(line), std::string::npos) << line << " in\n" << listed;
    EXPECT_EQ(RegistryText(L"Software\\Tachlet\\Tachlet\\Options", L"LastDirectory"), Wide(runs));

    QtSettingsStore registry;
    frmMain next(WindowServices{dialogs, registry, screen, documents, events, AppInfo::ForProgramFolder(folder.Path())});
    next.show();
    EXPECT_EQ(next.findChild<DirListBox*>("dirGTP")->PathBytes().toStdString(), runs);
    EXPECT_TRUE(next.findChild<QCheckBox*>("chkPin")->isChecked());
    EXPECT_EQ(next.pos(), QPoint(200, 150));
    next.close();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, SettingsKey);
}

}  // namespace
