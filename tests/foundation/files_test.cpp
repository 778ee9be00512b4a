// File and folder operations on real files, in both builds.
#include "foundation/files.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(Files, FoldersAndDeletion) {
    TempFolder temp("kx-files");
    const std::string folder = temp.path("Quendrel"), file = temp.path("file"),
                      locked = temp.path("locked");
    EXPECT_TRUE(createFolder(folder.c_str()));
    EXPECT_FALSE(createFolder(folder.c_str())) << "already there";
    EXPECT_FALSE(createFolder(temp.path("missing/child").c_str())) << "parents are not made";
    writeBytes(file, "x");
    writeBytes(locked, "x");
    fs::permissions(fs::u8path(locked), fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_FALSE(createFolder(file.c_str())) << "a file is there";
    EXPECT_FALSE(isVisibleFile(folder.c_str()));
    EXPECT_TRUE(isVisibleFile(file.c_str()));
    EXPECT_TRUE(isReadOnlyFile(locked.c_str()));
    EXPECT_FALSE(fileExists(""));
    for (const std::string& path : {file, locked, temp.path("missing")}) {
        EXPECT_TRUE(deleteFile(path.c_str())) << path;
        EXPECT_FALSE(pathExists(path)) << path;
    }
}

TEST(Files, MoveReplacesAndRefusesADestinationThatDoesNotFit) {
    TempFolder from("kx-from"), to("kx-to");
    writeBytes(from.path("a.ini"), "new");
    writeBytes(to.path("a.ini"), "old");
    char destination[512];
    strcpy(destination, to.path().c_str());
    ASSERT_TRUE(moveFile(from.path("a.ini").c_str(), destination, sizeof destination, nullptr));
    EXPECT_EQ(to.path("a.ini"), destination);
    EXPECT_EQ("new", readBytes(to.path("a.ini")));
    EXPECT_FALSE(pathExists(from.path("a.ini")));

    writeBytes(from.path("b.ini"), "x");
    strcpy(destination, to.path().c_str());
    EXPECT_FALSE(
        moveFile(from.path("b.ini").c_str(), destination, strlen(destination) + 4, nullptr));
    EXPECT_EQ(to.path(), destination);
    EXPECT_TRUE(pathExists(from.path("b.ini")));
}

TEST(Files, StreamsAreBinaryAndTimed) {
    TempFolder temp("kx-files");
    const std::string path = temp.path("stream.bin");
    EXPECT_EQ(nullptr, openStream(path.c_str(), "rb"));
    EXPECT_EQ(0u, modificationTime(path.c_str()));
    FILE* out = openStream(path.c_str(), "wb");
    ASSERT_NE(nullptr, out);
    fwrite("a\r\nb\n", 1, 5, out);
    EXPECT_TRUE(flushStreamToDisk(out));
    fclose(out);
    EXPECT_EQ("a\r\nb\n", readBytes(path)) << "no line-end translation";
    EXPECT_NE(0u, modificationTime(path.c_str()));
}

} // namespace
