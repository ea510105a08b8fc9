#include "support/Process.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testkit/TempFolder.h"

namespace {

struct StubOpener : DocumentOpener {
    bool OpenUrl(const std::string& url, LateFailure) override { return urls.push_back(url), accept; }
    bool OpenLocalFile(const std::string& path, LateFailure) override { return files.push_back(path), accept; }
    bool accept = true;
    std::vector<std::string> urls, files;
};

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

TEST(Process, LocalFilesMustExistAndAreHandedOverUnquotedAsData) {
    TempFolder dir;
    const std::string existing = dir.Write("a; $(touch X) 'q' %b% & Z.GTP", "run");
    StubOpener opener;
    EXPECT_EQ(Process::OpenDocument(Quoted(existing), opener), Process::Opened);
    EXPECT_EQ(Process::OpenDocument(existing, opener), Process::Opened);
    EXPECT_EQ(opener.files, (std::vector<std::string>{existing, existing}));
    opener.accept = false;
    EXPECT_EQ(Process::OpenDocument(Quoted(existing), opener), 0);
    EXPECT_FALSE(dir.Has("X"));

    // Only one pair of quotes comes off, and a quoted target is never an address.
    opener.files.clear();
    const std::string missing = dir.Path("gone.GTP");
    for (const std::string& target : {missing, Quoted(missing), std::string(), std::string("\"\""),
                                      std::string("C:\\PASS\\run.GTP"), Quoted(Quoted(existing)),
                                      Quoted("https://example.org")}) {
        EXPECT_EQ(Process::OpenDocument(target, opener), 0) << target;
    }
    EXPECT_TRUE(opener.files.empty() && opener.urls.empty());
}

TEST(Process, WebAddressesGoToTheDesktopUnchanged) {
    const std::vector<std::string> urls{"https://example.org/tachlet?page=1&x=%20", "http://example.org",
                                        "mailto:someone@example.org", "file:///nowhere/x.html"};
    StubOpener opener;
    for (const std::string& url : urls) EXPECT_EQ(Process::OpenDocument(url, opener), Process::Opened) << url;
    opener.accept = false;
    EXPECT_EQ(Process::OpenDocument(urls[0], opener), 0);
    EXPECT_EQ(opener.urls, (std::vector<std::string>{urls[0], urls[1], urls[2], urls[3], urls[0]}));
    EXPECT_TRUE(opener.files.empty());
    EXPECT_GT(Process::Opened, 32);
}
