#include "headless/resources.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using testing_support::TempDir;
using testing_support::writeFile;

class Resources : public testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(dir.file("description")); }
    bool load() { return set.load(dir.path(), error); }
    TempDir dir;
    headless::ResourceSet set;
    std::string error;
};

TEST_F(Resources, ReadsStringsAndDescriptionEntriesInOrder) {
    writeFile(dir.file("strings.xml"),
              "<strings><string id=\"10000\">Settings</string><string id=\"10001\"/></strings>");
    writeFile(dir.file("description/oThing.xml"),
              "<description name=\"oThing\">"
              "<cycle id=\"5\" name=\"KIND\" label=\"Kind\"><choice value=\"6\" name=\"A\"/>"
              "<choice value=\"7\" name=\"B\"/></cycle>"
              "<group id=\"10\" name=\"G\"><real id=\"11\" name=\"R\" min=\"0\" step=\"0.5\"/>"
              "<filename id=\"12\" name=\"F\" hidden=\"true\"/></group>"
              "<bool id=\"13\" name=\"B\"/></description>");
    ASSERT_TRUE(load()) << error;
    EXPECT_EQ(set.string(10000), "Settings");
    EXPECT_EQ(set.string(10001), "");
    EXPECT_EQ(set.string(4), "");
    const headless::DescriptionResource* d = set.description("oThing");
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->entries.size(), 5u);
    EXPECT_EQ(d->entries[0].kind, "cycle");
    ASSERT_EQ(d->entries[0].choices.size(), 2u);
    EXPECT_EQ(d->entries[0].choices[1].value, 7);
    EXPECT_EQ(d->entries[2].id, 11);
    EXPECT_EQ(d->entries[2].group, 10);
    EXPECT_EQ(d->entries[2].attributes.at("step"), "0.5");
    EXPECT_TRUE(d->find(12)->hidden);
    EXPECT_EQ(d->find(13)->group, 0);
    EXPECT_EQ(set.description("oOther"), nullptr);
}

TEST_F(Resources, RefusesFilesThatDoNotParseOrLackWhatTheyNeed) {
    const char* goodStrings = "<strings><string id=\"1\">a</string></strings>";
    struct Case {
        const char* strings;
        const char* description;
    };
    const Case cases[] = {
        {nullptr, nullptr},
        {"<strings><string id=\"1\">a</string>", nullptr},
        {"<strings><string>no id</string></strings>", nullptr},
        {"<other/>", nullptr},
        {goodStrings, "<description name=\"d\"><bool name=\"no id\"/></description>"},
        {goodStrings, "<description><bool id=\"1\"/></description>"},
        {goodStrings, "<description name=\"d\"><bool id=\"1\">"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.strings ? c.strings : "(none)") + " / " +
                     (c.description ? c.description : "(none)"));
        std::filesystem::remove(dir.file("strings.xml"));
        std::filesystem::remove(dir.file("description/d.xml"));
        if (c.strings) {
            writeFile(dir.file("strings.xml"), c.strings);
        }
        if (c.description) {
            writeFile(dir.file("description/d.xml"), c.description);
        }
        EXPECT_FALSE(load());
        EXPECT_FALSE(error.empty());
        EXPECT_FALSE(set.loaded());
        EXPECT_EQ(set.string(1), "");
    }
}

} // namespace
