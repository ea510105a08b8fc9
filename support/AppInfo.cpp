#include "support/AppInfo.h"

#include <utility>

AppInfo AppInfo::ForProgramFolder(std::string programFolder) {
    AppInfo info;
    info.ProductName = "Tachlet";
    info.Major = TACHLET_VERSION_MAJOR;
    info.Minor = TACHLET_VERSION_MINOR;
    info.Revision = TACHLET_VERSION_PATCH;
    info.Comments = "by the Tachlet team";
    info.Title = "Tachlet";
    info.DataPath = programFolder;
    info.Path = std::move(programFolder);
    return info;
}
