// The log line format, and the log's life on a real file in the Documents folder.
#include "foundation/log.h"

#include "foundation/files.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <regex>

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
    EXPECT_EQ("09:05:03:007: doExport\r\n\r\n", lineOf({9, 5, 3, 7}, "doExport\r\n"));
    EXPECT_EQ("23:59:59:999: exportPage: 12\r\n\r\n",
              lineOf({23, 59, 59, 999}, "exportPage: %d\r\n", 12));
    EXPECT_EQ("00:00:00:000: \r\nKestrix: 7.03\r\n\r\n",
              lineOf({0, 0, 0, 0}, "\r\nKestrix: %s\r\n", "7.03"));

    // Long texts are cut to 7999 bytes, or before a character that the cut would split.
    std::string line = lineOf({1, 2, 3, 4}, "%s", std::string(9000, 'x').c_str());
    EXPECT_EQ(14u + 7999u + 2u, line.size());
    EXPECT_EQ("x\r\n", line.substr(line.size() - 3));
    std::string twoByte;
    for (int i = 0; i < 5000; ++i)
        twoByte += "\xC3\xA9";
    line = lineOf({1, 2, 3, 4}, "%s", twoByte.c_str());
    EXPECT_EQ(14u + 7998u + 2u, line.size());
    EXPECT_EQ("\xC3\xA9\r\n", line.substr(line.size() - 4));
}

TEST(LogFile, StartDeletesTheOldLogAndTheLevelGatesWriting) {
    TempFolder documents("kx-documents"), from("kx-from");
#ifndef _WIN32
    setenv("XDG_DOCUMENTS_DIR", documents.path().c_str(), 1);
#endif
    // A company folder of its own inside the real Documents folder.
    char folder[512];
    ASSERT_TRUE(documentsFolder(folder, sizeof folder));
    const std::string company = "KxLogTest-" + std::to_string(std::random_device()());
    const std::string companyFolder = (fs::u8path(folder) / fs::u8path(company)).u8string();
    const std::string logFile = (fs::u8path(companyFolder) / "Kestrix.txt").u8string();
    ASSERT_TRUE(createFolder(companyFolder.c_str()));
    writeBytes(logFile, "previous run\r\n");
    fs::permissions(fs::u8path(logFile), fs::perms::owner_write, fs::perm_options::remove);

    startLog(0, company.c_str(), nullptr);
    EXPECT_EQ(logFile, logPath());
    EXPECT_FALSE(pathExists(logFile)) << "the read-only log of the previous run is gone";
    logLine("doExport\r\n");
    EXPECT_FALSE(pathExists(logFile)) << "level 0 writes nothing";

    setLogLevel(2);
    logLine("exportPage: %d\r\n", 3);
    writeBytes(from.path("Kestrix.ini"), "x");
    strcpy(folder, documents.path().c_str());
    ASSERT_TRUE(moveFile(from.path("Kestrix.ini").c_str(), folder, sizeof folder, nullptr));
    setLogLevel(0);
    logLine("not written\r\n");
    const std::string stamp = "\\d\\d:\\d\\d:\\d\\d:\\d\\d\\d: ";
    const std::string moved =
        "moveFile: " + from.path("Kestrix.ini") + " --> " + documents.path("Kestrix.ini");
    std::string log = readBytes(logFile);
    EXPECT_TRUE(std::regex_match(
        log, std::regex(stamp + "exportPage: 3\r\n\r\n" + stamp + "moveFile: .*\r\n")))
        << showBytes(log);
    EXPECT_NE(std::string::npos, log.find(moved + "\r\n"))
        << showBytes(log) << "\nexpected " << moved;
    setLogLevel(-1);
    fs::remove_all(fs::u8path(companyFolder));
}

} // namespace
