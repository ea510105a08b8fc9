#include "support/Process.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class StubOpener : public DocumentOpener {
public:
    bool OpenUrl(const std::string& url) override {
        urls.push_back(url);
        return accept;
    }
    bool OpenLocalFile(const std::string& path) override {
        files.push_back(path);
        return accept;
    }

    bool accept = true;
    std::vector<std::string> urls;
    std::vector<std::string> files;
};

class ProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tachlet-process-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    std::string MakeFile(const std::string& name) {
        const fs::path path = dir_ / name;
        std::ofstream(path) << "run";
        return path.string();
    }

    static std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

    fs::path dir_;
};

}  // namespace

TEST(ProcessScheme, OnlyASchemeOfTwoOrMoreCharactersMakesAWebAddress) {
    const std::pair<const char*, bool> cases[] = {
        {"http://example.org", true},
        {"https://example.org/a?b=c", true},
        {"mailto:someone@example.org", true},
        {"file:///tmp/x.GTP", true},
        {"svn+ssh://host/x", true},
        {"C:\\PASS\\run.GTP", false},
        {"c:", false},
        {"/home/user/a:b.GTP", false},
        {"run:1.GTP", true},
        {"1abc:x", false},
        {"ab c:x", false},
        {":x", false},
        {"", false},
        {"plain.GTP", false},
    };
    for (const auto& [text, scheme] : cases) {
        EXPECT_EQ(Process::HasUrlScheme(text), scheme) << text;
    }
}

TEST_F(ProcessTest, MissingLocalFilesAreRefusedWithoutAskingTheDesktop) {
    StubOpener opener;
    const std::string missing = (dir_ / "gone.GTP").string();
    for (const std::string& target :
         {missing, Quoted(missing), std::string(), std::string("\"\""), std::string("\""), std::string("C:\\x.GTP"),
          Quoted("https://example.org"), Quoted(Quoted(MakeFile("plain.GTP")))}) {
        EXPECT_EQ(Process::OpenDocument(target, opener), 0) << target;
    }
    EXPECT_TRUE(opener.urls.empty());
    EXPECT_TRUE(opener.files.empty());
}

TEST_F(ProcessTest, LocalFilesAreHandedOverUnquotedAndExactly) {
    const std::string plain = MakeFile("run 1.GTP");
    const std::string withQuotes = MakeFile("\"odd\" name.GTP");
    const std::string hostile = MakeFile("a; $(touch X) `touch Y` 'q' \"b\" & rm -rf Z.GTP");
    const std::string rawBytes = MakeFile("run\xff\xfe.GTP");
    const std::pair<std::string, std::string> cases[] = {
        {Quoted(plain), plain},
        {plain, plain},
        {Quoted(withQuotes), withQuotes},
        {Quoted(hostile), hostile},
        {Quoted(rawBytes), rawBytes},
        {Quoted(dir_.string()), dir_.string()},
    };
    for (const auto& [target, expected] : cases) {
        StubOpener opener;
        EXPECT_EQ(Process::OpenDocument(target, opener), Process::Opened) << target;
        EXPECT_EQ(opener.files, std::vector<std::string>{expected});
        EXPECT_TRUE(opener.urls.empty());
    }
    EXPECT_FALSE(fs::exists(dir_ / "X"));
    EXPECT_FALSE(fs::exists("X"));
    EXPECT_GT(Process::Opened, 32);

    StubOpener refusing;
    refusing.accept = false;
    EXPECT_EQ(Process::OpenDocument(Quoted(plain), refusing), 0);
    EXPECT_EQ(refusing.files.size(), 1u);
}

TEST_F(ProcessTest, WebAddressesGoToTheDesktopUnchanged) {
    for (const std::string url : {"https://example.org/tachlet?page=1&x=%20", "http://example.org",
                                  "mailto:someone@example.org", "file:///nowhere/x.html"}) {
        StubOpener opener;
        EXPECT_EQ(Process::OpenDocument(url, opener), Process::Opened) << url;
        EXPECT_EQ(opener.urls, std::vector<std::string>{url});
        EXPECT_TRUE(opener.files.empty());

        StubOpener refusing;
        refusing.accept = false;
        EXPECT_EQ(Process::OpenDocument(url, refusing), 0) << url;
    }
}
