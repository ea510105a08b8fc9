#pragma once
// The desktop's launcher, faked first on the PATH while it lives: it notes
// each argument it is given on a line and ends with the exit code set.
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class FakeLauncher {
public:
    FakeLauncher() : path_(qgetenv("PATH")) {
        std::ofstream(Path("xdg-open")) << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"$0.log\"\nexit $(cat \"$0.code\")\n";
        std::filesystem::permissions(Path("xdg-open"), std::filesystem::perms::owner_all);
        ExitWith(0);
        qputenv("PATH", QFile::encodeName(dir_.path()) + ":" + path_);
    }
    ~FakeLauncher() { qputenv("PATH", path_); }
    FakeLauncher(const FakeLauncher&) = delete;
    FakeLauncher& operator=(const FakeLauncher&) = delete;

    void ExitWith(int code) { std::ofstream(Path("xdg-open.code")) << code; }
    std::string Log() const {
        std::ifstream in(Path("xdg-open.log"));
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // How often it was started so far.
    long Launches() const {
        const std::string log = Log();
        return std::count(log.begin(), log.end(), '\n');
    }

private:
    std::string Path(const char* name) const { return QFile::encodeName(dir_.path()).toStdString() + "/" + name; }
    QTemporaryDir dir_;
    QByteArray path_;
};
