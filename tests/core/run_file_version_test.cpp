#include <gtest/gtest.h>

#include "testkit/RunFileBuilder.h"
#include "run_file/FieldCodec.h"
#include "run_file/VersionField.h"
#include "support/RuntimeError.h"

using namespace Stuff;

namespace {

VersionField VersionOf(const std::string& raw) {
    const std::vector<uint8_t> file = RunFileBuilder().VersionField(raw).Build();
    MemoryByteSource source(file);
    return DecodeVersionField(ReadField(source, Spec(Field::Version)));
}

}  // namespace

TEST(Version, TagTextAndRunDataStart) {
    struct Case { std::string raw; bool tag; std::string text; uint64_t start; std::string caption; };
    const std::vector<Case> cases{
        {"PASSVERSION1.1.1", true, "1.1.1", 311, "PASS Version 1.1.1"},
        {"passversion2.0", true, "2.0", 312, "PASS Version 2.0"},
        {"PassVersion1.1.1", true, "1.1.1", 311, "PASS Version 1.1.1"},
        {"  PASSVERSION2.1", true, "2.1", 312, "PASS Version 2.1"},
        {std::string("\0PASSVERSION 2.0", 16), true, " 2.0", 312, "PASS Version  2.0"},
        {"PASSVERSION", true, "", 312, "PASS Version "},
        {"PASSVERSION1.1.10", true, "1.1.10", 312, "PASS Version 1.1.10"},
        {"GTECHVERSN 1.1.1", false, "1.1.1", 312, "Unknown PASS Version"},
        {"XXXXXXXXXXX1.1.1", false, "1.1.1", 312, "Unknown PASS Version"},
        {"", false, "", 312, "Unknown PASS Version"},
    };
    for (const Case& c : cases) {
        const VersionField field = VersionOf(c.raw);
        EXPECT_EQ(field.tagMatched, c.tag) << c.raw;
        EXPECT_EQ(field.versionText, c.text) << c.raw;
        EXPECT_EQ(field.runDataStart, c.start) << c.raw;
        EXPECT_EQ(field.Caption(), c.caption) << c.raw;
    }
}

TEST(Version, NumberAndPitchFactor) {
    struct Case { std::string text; float number; bool pitch; };
    const std::vector<Case> cases{
        {"1.1.1", 1.11f, false}, {"2.0", 2.0f, true}, {"2.0 beta", 2.0f, true}, {"2", 2.0f, true},
        {"1.99", 1.99f, false}, {"2.0.1", 2.01f, true}, {" 2.0", 2.0f, true}, {"10.5", 10.5f, true}};
    for (const Case& c : cases) {
        const float number = PassVersionNumber(c.text);
        EXPECT_EQ(number, c.number) << c.text;
        EXPECT_EQ(HasPitchFactor(number), c.pitch) << c.text;
    }
    for (const std::string text : {"1.2.3.4", "", "beta", " 2.0 beta", "2.0beta", "v2"}) {
        try {
            PassVersionNumber(text);
            ADD_FAILURE() << "read as a number: " << text;
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.Number(), 13) << text;
            EXPECT_EQ(error.Description(), "Type mismatch");
        }
    }
}
