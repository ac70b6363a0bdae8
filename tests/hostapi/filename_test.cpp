#include "plugin/host/filename.h"

#include <gtest/gtest.h>

namespace {

TEST(HostFilename, SplitsWindowsPathText) {
    struct Case {
        const char* text;
        const char* directory;
        const char* file;
        const char* suffix;
        const char* stem;
    };
    const Case cases[] = {
        {"C:\\scenes\\room.zvs", "C:\\scenes", "room.zvs", "zvs", "room"},
        {"C:\\room.zvs", "C:\\", "room.zvs", "zvs", "room"},
        {"D:\\out\\test.xml", "D:\\out", "test.xml", "xml", "test"},
        {"D:\\out\\archive.tar.gz", "D:\\out", "archive.tar.gz", "gz", "archive.tar"},
        {"D:\\dir.d\\noext", "D:\\dir.d", "noext", "", "noext"},
        {"D:\\out\\.hidden", "D:\\out", ".hidden", "", ".hidden"},
        {"Z:/tmp/a.zvs", "Z:/tmp", "a.zvs", "zvs", "a"},
        {"bare.txt", "", "bare.txt", "txt", "bare"},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const HostFilename f(c.text);
        EXPECT_EQ(f.directory().text(), c.directory);
        EXPECT_EQ(f.file().text(), c.file);
        EXPECT_EQ(f.suffix(), c.suffix);
        EXPECT_EQ(f.fileStem(), c.stem);
    }
}

TEST(HostFilename, SuffixesCompareWithoutCaseAndReplaceWhole) {
    HostFilename f("C:\\x\\Scene.ZVS");
    EXPECT_TRUE(f.checkSuffix("zvs"));
    EXPECT_FALSE(f.checkSuffix("zv"));
    f.setSuffix("png");
    EXPECT_EQ(f.text(), "C:\\x\\Scene.png");
    HostFilename bare("C:\\x.y\\name");
    bare.setSuffix("zvs");
    EXPECT_EQ(bare.text(), "C:\\x.y\\name.zvs");
    bare.setSuffix("");
    EXPECT_EQ(bare.text(), "C:\\x.y\\name");
    HostFilename empty;
    empty.setSuffix("zvs");
    EXPECT_TRUE(empty.empty());
}

TEST(HostFilename, JoinsWithOneBackslash) {
    EXPECT_EQ((HostFilename("C:\\scenes") + "models.room").text(), "C:\\scenes\\models.room");
    EXPECT_EQ((HostFilename("C:\\") + "room.zvs").text(), "C:\\room.zvs");
    EXPECT_EQ((HostFilename("C:\\a\\") + "\\b").text(), "C:\\a\\b");
    EXPECT_EQ((HostFilename() + "b").text(), "b");
    EXPECT_EQ((HostFilename("C:\\a") + HostFilename()).text(), "C:\\a");
}

} // namespace
