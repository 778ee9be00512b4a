// The log line format, and the log's life on a real file in the Documents folder.
#include "foundation/log.h"

#include "foundation/files.h"
#include "foundation/paths.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>

namespace {

std::string lineOf(const LocalClock& clock, const char* format, ...) {
    static char line[8192];
    va_list arguments;
    va_start(arguments, format);
    size_t length = formatLogLine(line, sizeof line, clock, format, arguments);
    va_end(arguments);
    return std::string(line, length);
}

TEST(LogLine, StampTextAndLineEnd) {
    struct Case {
        LocalClock clock;
        std::string line;
    } cases[] = {
        {{9, 5, 3, 7}, lineOf({9, 5, 3, 7}, "doExport\r\n")},
        {{23, 59, 59, 999}, lineOf({23, 59, 59, 999}, "exportPage: %d\r\n", 12)},
        {{0, 0, 0, 0}, lineOf({0, 0, 0, 0}, "\r\nKestrix: %s\r\n", "7.03")},
        {{14, 1, 2, 30}, lineOf({14, 1, 2, 30}, "moveFile: %s --> %s", "a", "b")},
    };
    const char* expected[] = {
        "09:05:03:007: doExport\r\n\r\n",
        "23:59:59:999: exportPage: 12\r\n\r\n",
        "00:00:00:000: \r\nKestrix: 7.03\r\n\r\n",
        "14:01:02:030: moveFile: a --> b\r\n",
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(showBytes(expected[i]), showBytes(cases[i].line)) << "case " << i;
}

TEST(LogLine, LongTextIsCutAtACharacterAndStillEnded) {
    const LocalClock clock{1, 2, 3, 4};
    const std::string ascii(9000, 'x');
    std::string line = lineOf(clock, "%s", ascii.c_str());
    EXPECT_EQ(14u + 7999u + 2u, line.size());
    EXPECT_EQ("x\r\n", line.substr(line.size() - 3));

    std::string twoByte;
    for (int i = 0; i < 5000; ++i)
        twoByte += "\xC3\xA9";
    line = lineOf(clock, "%s", twoByte.c_str());
    // 7999 bytes would split the last character; the cut falls before it.
    EXPECT_EQ(14u + 7998u + 2u, line.size());
    EXPECT_EQ("\xC3\xA9\r\n", line.substr(line.size() - 4));
}

class LogFile : public ::testing::Test {
  protected:
    void SetUp() override {
#ifndef _WIN32
        setenv("XDG_DOCUMENTS_DIR", documents.path().c_str(), 1);
#endif
        char folder[512];
        ASSERT_TRUE(documentsFolder(folder, sizeof folder));
        company = "KxLogTest-" + std::to_string(std::random_device()());
        companyFolder = std::string(folder) + (folder[0] == '/' ? "/" : "\\") + company;
        logFile = companyFolder + (folder[0] == '/' ? "/" : "\\") + "Trace.txt";
    }
    void TearDown() override {
        setLogLevel(-1);
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::u8path(companyFolder), ignored);
    }
    TempFolder documents{"kx-documents"};
    std::string company, companyFolder, logFile;
};

TEST_F(LogFile, StartDeletesTheOldLogAndLevelGatesWriting) {
    ASSERT_TRUE(createFolder(companyFolder.c_str()));
    writeBytes(logFile, "previous run\r\n");
    std::filesystem::permissions(std::filesystem::u8path(logFile),
                                 std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);

    startLog(0, company.c_str(), "Trace");
    EXPECT_EQ(logFile, logPath());
    EXPECT_FALSE(pathExists(logFile)) << "the read-only log of the previous run is gone";
    logLine("doExport\r\n");
    EXPECT_FALSE(pathExists(logFile)) << "level 0 writes nothing";

    setLogLevel(2);
    logLine("doExport\r\n");
    logLine("exportPage: %d\r\n", 3);
    setLogLevel(0);
    logLine("not written\r\n");
    const std::regex expected("\\d\\d:\\d\\d:\\d\\d:\\d\\d\\d: doExport\r\n\r\n"
                              "\\d\\d:\\d\\d:\\d\\d:\\d\\d\\d: exportPage: 3\r\n\r\n");
    std::string log = readBytes(logFile);
    EXPECT_TRUE(std::regex_match(log, expected)) << showBytes(log);
}

TEST_F(LogFile, DefaultNamesAndTheMoveLine) {
    startLog(1, company.c_str(), nullptr);
    EXPECT_TRUE(endsWith(logPath(), "Kestrix.txt")) << logPath();
    TempFolder from("kx-from"), to("kx-to");
    writeBytes(from.path("Kestrix.ini"), "[General]\r\n");
    char destination[512];
    strcpy(destination, to.path().c_str());
    ASSERT_TRUE(
        moveFile(from.path("Kestrix.ini").c_str(), destination, sizeof destination, nullptr));
    std::string log = readBytes(logPath());
    std::string tail =
        "moveFile: " + from.path("Kestrix.ini") + " --> " + to.path("Kestrix.ini") + "\r\n";
    ASSERT_GE(log.size(), tail.size()) << showBytes(log);
    EXPECT_EQ(tail, log.substr(log.size() - tail.size()));
}

} // namespace
