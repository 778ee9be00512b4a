// File and folder operations on real files, in both builds.
#include "foundation/files.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

TEST(Files, CreateFolderOnlyWhereNothingIs) {
    TempFolder temp("kx-files");
    const std::string folder = temp.path("Quendrel");
    EXPECT_TRUE(createFolder(folder.c_str()));
    EXPECT_FALSE(createFolder(folder.c_str())) << "already there";
    EXPECT_FALSE(createFolder(temp.path("missing/child").c_str())) << "parents are not made";
    writeBytes(temp.path("file"), "x");
    EXPECT_FALSE(createFolder(temp.path("file").c_str())) << "a file is there";
    EXPECT_TRUE(fileExists(folder.c_str()));
    EXPECT_FALSE(fileExists(""));
    EXPECT_FALSE(isVisibleFile(folder.c_str())) << "a folder";
    EXPECT_TRUE(isVisibleFile(temp.path("file").c_str()));
}

TEST(Files, DeleteReportsWhetherNothingIsLeft) {
    TempFolder temp("kx-files");
    const std::string plain = temp.path("plain.txt"), locked = temp.path("locked.txt");
    writeBytes(plain, "x");
    writeBytes(locked, "x");
    std::filesystem::permissions(std::filesystem::u8path(locked),
                                 std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    struct Case {
        std::string path;
        bool expected;
    } cases[] = {{plain, true}, {locked, true}, {temp.path("missing.txt"), true}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, deleteFile(c.path.c_str())) << c.path;
        EXPECT_FALSE(pathExists(c.path)) << c.path;
    }
}

TEST(Files, MoveReplacesAndLeavesTheFullDestination) {
    TempFolder from("kx-from"), to("kx-to");
    writeBytes(from.path("a.ini"), "new");
    writeBytes(from.path("b.ini"), "renamed");
    writeBytes(to.path("a.ini"), "old");

    char destination[512];
    strcpy(destination, to.path().c_str());
    ASSERT_TRUE(moveFile(from.path("a.ini").c_str(), destination, sizeof destination, nullptr));
    EXPECT_EQ(to.path("a.ini"), destination);
    EXPECT_EQ("new", readBytes(to.path("a.ini")));
    EXPECT_FALSE(pathExists(from.path("a.ini")));

    strcpy(destination, to.path().c_str());
    ASSERT_TRUE(moveFile(from.path("b.ini").c_str(), destination, sizeof destination, "c.ini"));
    EXPECT_EQ("renamed", readBytes(to.path("c.ini")));

    // A destination buffer too small for the full path: refused, buffer and source untouched.
    writeBytes(from.path("long-name.ini"), "x");
    std::string folder = to.path();
    std::vector<char> small(folder.begin(), folder.end());
    small.push_back(0);
    EXPECT_FALSE(
        moveFile(from.path("long-name.ini").c_str(), small.data(), small.size() + 4, nullptr));
    EXPECT_EQ(folder, small.data());
    EXPECT_TRUE(pathExists(from.path("long-name.ini")));
}

TEST(Files, StreamsAndModificationTime) {
    TempFolder temp("kx-files");
    const std::string path = temp.path("stream.bin");
    EXPECT_EQ(nullptr, openStream(path.c_str(), "rb"));
    EXPECT_EQ(0u, modificationTime(path.c_str()));
    FILE* out = openStream(path.c_str(), "wb");
    ASSERT_NE(nullptr, out);
    fwrite("a\r\nb", 1, 4, out);
    EXPECT_TRUE(flushStreamToDisk(out));
    fclose(out);
    EXPECT_EQ("a\r\nb", readBytes(path)) << "byte mode: no line-end translation";
    EXPECT_NE(0u, modificationTime(path.c_str()));
}

} // namespace
