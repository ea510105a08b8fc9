#include "support/Process.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct StubOpener : DocumentOpener {
    bool OpenUrl(const std::string& url) override { return urls.push_back(url), accept; }
    bool OpenLocalFile(const std::string& path) override { return files.push_back(path), accept; }
    bool accept = true;
    std::vector<std::string> urls, files;
};

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

TEST(Process, LocalFilesMustExistAndAreHandedOverUnquotedAsData) {
    std::string pattern = (fs::temp_directory_path() / "tachlet-process-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path dir = pattern;
    std::vector<std::string> existing;
    for (const char* name : {"run 1.GTP", "\"odd\" name.GTP", "a; $(touch X) `touch Y` 'q' \"b\" & Z.GTP",
                             "run\xff\xfe.GTP"}) {
        existing.push_back((dir / name).string());
        std::ofstream(existing.back()) << "run";
    }
    for (const std::string& path : existing) {
        StubOpener opener;
        EXPECT_EQ(Process::OpenDocument(Quoted(path), opener), Process::Opened) << path;
        EXPECT_EQ(Process::OpenDocument(path, opener), Process::Opened) << path;
        EXPECT_EQ(opener.files, (std::vector<std::string>{path, path}));
        EXPECT_TRUE(opener.urls.empty());
        opener.accept = false;
        EXPECT_EQ(Process::OpenDocument(Quoted(path), opener), 0);
    }
    EXPECT_FALSE(fs::exists(dir / "X"));
    EXPECT_FALSE(fs::exists("X"));

    // Only one pair of quotes comes off, and a quoted target is never an address.
    const std::string missing = (dir / "gone.GTP").string();
    StubOpener opener;
    for (const std::string& target : {missing, Quoted(missing), std::string(), std::string("\"\""),
                                      std::string("C:\\PASS\\run.GTP"), Quoted(Quoted(existing[0])),
                                      Quoted("https://example.org")}) {
        EXPECT_EQ(Process::OpenDocument(target, opener), 0) << target;
    }
    EXPECT_TRUE(opener.files.empty() && opener.urls.empty());
    fs::remove_all(dir);
}

TEST(Process, WebAddressesGoToTheDesktopUnchanged) {
    for (const std::string url : {"https://example.org/tachlet?page=1&x=%20", "http://example.org",
                                  "mailto:someone@example.org", "file:///nowhere/x.html"}) {
        StubOpener opener;
        EXPECT_EQ(Process::OpenDocument(url, opener), Process::Opened) << url;
        EXPECT_EQ(opener.urls, std::vector<std::string>{url});
        opener.accept = false;
        EXPECT_EQ(Process::OpenDocument(url, opener), 0) << url;
        EXPECT_TRUE(opener.files.empty());
    }
    EXPECT_GT(Process::Opened, 32);
}
