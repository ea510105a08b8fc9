// The Linux sides of the Qt layer: the desktop's launcher (xdg-open) and the
// settings file in the user's configuration folder.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "qt_platform/QtDocumentOpener.h"
#include "qt_platform/QtSettingsStore.h"
#include "support/Process.h"
#include "testkit/FakeLauncher.h"

namespace {

std::string PathIn(const QTemporaryDir& dir, const char* name) {
    return QFile::encodeName(dir.path()).toStdString() + "/" + name;
}

}  // namespace

TEST(QtSettingsStore, TheUserSettingsAreAnIniFileUnderTheApplicationsName) {
    EXPECT_TRUE(QtSettingsStore().FileName().ends_with("/Tachlet/Tachlet.ini"));
}

// A launcher's failure after it started is reported later: LauncherTest.
TEST(QtDocumentOpener, HandsExistingFilesAndAddressesToTheLauncherAsData) {
    QTemporaryDir dir;
    FakeLauncher launcher;
    QtDocumentOpener opener;
    int failures = 0;
    const auto failed = [&failures] { ++failures; };
    const std::string missing = PathIn(dir, "gone.GTP");
    EXPECT_FALSE(opener.OpenLocalFile(missing, failed));
    EXPECT_FALSE(opener.OpenUrl("file://" + missing, failed));

    const std::string hostile = PathIn(dir, "a; $(touch X) \"b\" #1 %20.GTP");
    const std::string raw = PathIn(dir, "run\xff\xfe.GTP");
    std::ofstream(hostile) << "run";
    std::ofstream(raw) << "run";
    const std::string url = "https://example.org/t?a=1&b=2";
    for (const std::string& target : {"\"" + hostile + "\"", "\"" + raw + "\"", url}) {
        EXPECT_EQ(Process::OpenDocument(target, opener, failed), Process::Opened) << target;
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return launcher.Launches() == 3; }));
    std::vector<std::string> lines;
    std::istringstream log(launcher.Log());
    for (std::string line; std::getline(log, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 3u);
    std::sort(lines.begin(), lines.end());
    const std::string folderUrl = QUrl::fromLocalFile(dir.path()).toEncoded().toStdString();
    EXPECT_EQ(lines, (std::vector<std::string>{folderUrl + "/a;%20$(touch%20X)%20%22b%22%20%231%20%2520.GTP",
                                               folderUrl + "/run%FF%FE.GTP", url}));
    QTest::qWait(100);
    EXPECT_EQ(failures, 0);
    EXPECT_FALSE(std::filesystem::exists(PathIn(dir, "X")) || std::filesystem::exists("X"));
    std::filesystem::remove(raw);  // a name Qt itself cannot spell
}
