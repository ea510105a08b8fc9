#include "support/Process.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testkit/RecordingOpener.h"
#include "testkit/TempFolder.h"

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

TEST(Process, LocalFilesMustExistAndAreHandedOverUnquotedAsData) {
    TempFolder dir;
    const std::string existing = dir.Write("a; $(touch X) 'q' %b% & Z.GTP", "run");
    RecordingOpener opener;
    EXPECT_EQ(Process::OpenDocument(Quoted(existing), opener), Process::Opened);
    EXPECT_EQ(Process::OpenDocument(existing, opener), Process::Opened);
    EXPECT_EQ(opener.opened, (std::vector<std::string>{"file " + existing, "file " + existing}));
    opener.accept = false;
    EXPECT_EQ(Process::OpenDocument(Quoted(existing), opener), 0);
    EXPECT_FALSE(dir.Has("X"));

    // Only one pair of quotes comes off, and a quoted target is never an address.
    opener.opened.clear();
    const std::string missing = dir.Path("gone.GTP");
    for (const std::string& target : {missing, Quoted(missing), std::string(), std::string("\"\""),
                                      std::string("C:\\PASS\\run.GTP"), Quoted(Quoted(existing)),
                                      Quoted("https://example.org")}) {
        EXPECT_EQ(Process::OpenDocument(target, opener), 0) << target;
    }
    EXPECT_TRUE(opener.opened.empty());
}

TEST(Process, WebAddressesGoToTheDesktopUnchanged) {
    const std::vector<std::string> urls{"https://example.org/tachlet?page=1&x=%20", "http://example.org",
                                        "mailto:someone@example.org", "file:///nowhere/x.html"};
    RecordingOpener opener;
    for (const std::string& url : urls) EXPECT_EQ(Process::OpenDocument(url, opener), Process::Opened) << url;
    opener.accept = false;
    EXPECT_EQ(Process::OpenDocument(urls[0], opener), 0);
    EXPECT_EQ(opener.opened, (std::vector<std::string>{urls[0], urls[1], urls[2], urls[3], urls[0]}));
}
