// Files an input method must not choke on: each is refused at once with one line, and nothing
// of it is read.
#include "dictionary/dictionary.h"

#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "dictionary/test_dictionary.h"

namespace revaze {
namespace {

std::string refusal(const std::filesystem::path& path) {
    std::ostringstream diagnostics;
    EXPECT_EQ(openDictionary(path, diagnostics), nullptr) << path;
    return diagnostics.str();
}

TEST(HostileFiles, AMissingFileGivesTheLoadersMessage) {
    EXPECT_EQ(refusal("/nonexistent/ZovovUvoz2.dat"),
              "open file /nonexistent/ZovovUvoz2.datfailed. error code: 2\n");
}

TEST(HostileFiles, AFileOverTheCapIsRefusedUnread) {
    test::TempDir dir;
    const auto path = dir / "huge.dat";
    test::writeFile(path, "\xFF\xFE");
    // Sparse: the test takes no disk space, and a dictionary that read it would take seconds.
    std::filesystem::resize_file(path, kMaxDictionaryBytes + 2);
    const std::string message = refusal(path);
    EXPECT_NE(message.find(std::to_string(kMaxDictionaryBytes + 2) + " bytes"), std::string::npos)
        << message;
    EXPECT_NE(message.find("more than the 256 MiB"), std::string::npos) << message;
}

TEST(HostileFiles, PathsThatAreNoRegularFileAreRefused) {
    test::TempDir dir;
    const auto fifo = dir / "fifo.dat";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // A FIFO with no writer would block a plain open for ever.
    for (const std::filesystem::path& path :
         {dir.path(), fifo, std::filesystem::path("/dev/null")}) {
        const std::string message = refusal(path);
        EXPECT_EQ(message, "the file " + path.string() +
                               " is not a regular file (a directory, pipe or device): it is not "
                               "read\n");
    }
}

TEST(HostileFiles, AnUnreadableFileGivesTheLoadersMessage) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads a file of mode 000: nothing to refuse";
    }
    test::TempDir dir;
    const auto path = dir / "locked.dat";
    test::writeFile(path, test::dictionaryBytesOfWords({L"\u0F40"}));
    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    EXPECT_EQ(refusal(path), "open file " + path.string() + "failed. error code: 13\n");
}

TEST(HostileFiles, AnEmptyFileIsAnEmptyDictionary) {
    test::TempDir dir;
    for (const std::string bytes : {"", "\xFF", "\xFF\xFE"}) {
        const auto path = dir / "empty.dat";
        test::writeFile(path, bytes);
        std::ostringstream diagnostics;
        auto d = openDictionary(path, diagnostics);
        ASSERT_NE(d, nullptr);
        EXPECT_TRUE(d->empty());
        EXPECT_TRUE(d->find(L"\u0F40").empty());
        EXPECT_EQ(diagnostics.str(), "");
    }
}

} // namespace
} // namespace revaze
