// Files and paths that people hand the program by mistake. Whatever comes
// in, the run ends with the report or exactly one message.

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "program.h"
#include "texts.h"

namespace qel_morvak_e2e {
namespace {

#define SKIP_FOR_WINDOWS_PROGRAM()                                  \
    if (windows_program()) {                                       \
        GTEST_SKIP() << "POSIX paths, devices and byte arguments"; \
    }

void expect_run(const std::vector<std::string>& arguments, const std::string& out, int status)
{
    expect_output(run_program(arguments), out, status);
}

std::string utf16(const std::string& ascii, bool big_endian)
{
    std::string wide = big_endian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : ascii) {
        if (big_endian) {
            wide += '\0';
            wide += c;
        } else {
            wide += c;
            wide += '\0';
        }
    }
    return wide;
}

// Every byte value, many times over, NULs and 0x1A included.
std::string all_byte_values(std::size_t rounds)
{
    std::string bytes;
    for (std::size_t round = 0; round < rounds; ++round) {
        for (int value = 0; value < 256; ++value) {
            bytes += static_cast<char>((value * 167 + round) % 256);
        }
    }
    return bytes;
}

std::string this_executable()
{
    std::ifstream in("/proc/self/exe", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string empty()
{
    return "";
}

std::string utf16_little_endian()
{
    return utf16(TEMPLATE_SCRIPT, false);
}

std::string utf16_big_endian()
{
    return utf16(TEMPLATE_SCRIPT, true);
}

// Without its byte-order mark the first byte is "#", the second a NUL.
std::string utf16_without_mark()
{
    return utf16(TEMPLATE_SCRIPT, false).substr(2);
}

std::string nuls_after_the_first_item()
{
    return "#QELMORVAK" + std::string(4096, '\0');
}

std::string every_byte_value()
{
    return all_byte_values(64);
}

// Nothing after the second number is read, whatever it is.
std::string binary_after_the_second_number()
{
    return "#QELMORVAK SETUP INPUT = X1 X2 OUTPUT = F1 F2 BEGIN SET X1 = 0.5 SET X2 = 0.5" + all_byte_values(256);
}

struct FileCase {
    const char* name;
    std::string (*bytes)();  // made when the case runs, not when it is listed
    std::string out;
    int status;
};

void PrintTo(const FileCase& c, std::ostream* os)
{
    *os << c.name;
}

class MistakenFiles : public testing::TestWithParam<FileCase> {};

TEST_P(MistakenFiles, EndWithTheirMessage)
{
    const FileCase& c = GetParam();
    const ScratchDir dir;
    expect_run({dir.write("input", c.bytes())}, c.out, c.status);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MistakenFiles,
    testing::Values(FileCase{"Empty", empty, FORMAT_MESSAGE, 1},
                    FileCase{"AnExecutable", this_executable, FORMAT_MESSAGE, 1},
                    FileCase{"EveryByteValue", every_byte_value, FORMAT_MESSAGE, 1},
                    FileCase{"Utf16LittleEndian", utf16_little_endian, FORMAT_MESSAGE, 1},
                    FileCase{"Utf16BigEndian", utf16_big_endian, FORMAT_MESSAGE, 1},
                    FileCase{"Utf16LittleEndianWithoutMark", utf16_without_mark, FORMAT_MESSAGE, 1},
                    FileCase{"NulsAfterTheFirstItem", nuls_after_the_first_item, FORMAT_MESSAGE, 1},
                    FileCase{"BinaryAfterTheSecondNumber", binary_after_the_second_number, TEMPLATE_REPORT, 0}),
    [](const testing::TestParamInfo<FileCase>& info) { return std::string(info.param.name); });

struct DeviceCase {
    const char* name;
    const char* path;
};

class Devices : public testing::TestWithParam<DeviceCase> {};

// /dev/zero never ends, but its first byte is not "#": reading stops there.
TEST_P(Devices, EndWithTheFormatMessage)
{
    SKIP_FOR_WINDOWS_PROGRAM();
    expect_run({GetParam().path}, FORMAT_MESSAGE, 1);
    expect_run({"-n", GetParam().path}, FORMAT_MESSAGE, 1);
}

INSTANTIATE_TEST_SUITE_P(Table, Devices,
                         testing::Values(DeviceCase{"Null", "/dev/null"}, DeviceCase{"Zero", "/dev/zero"}),
                         [](const testing::TestParamInfo<DeviceCase>& info) { return std::string(info.param.name); });

// Opens the FIFO for writing once the program has opened it for reading,
// then writes the chunks with a pause between them, so that the program
// meets short reads. Polling a non-blocking open, instead of blocking in it,
// lets the writer give up when the program never opens the FIFO.
bool feed_fifo(const std::string& path, const std::vector<std::string>& chunks)
{
    // The program may stop reading and close its end early: the writer then
    // gets EPIPE, not a signal that would end the whole test process.
    sigset_t pipe_signal;
    sigemptyset(&pipe_signal);
    sigaddset(&pipe_signal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe_signal, nullptr);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    int fd = -1;
    while ((fd = open(path.c_str(), O_WRONLY | O_NONBLOCK)) < 0) {
        if (errno != ENXIO || std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    fcntl(fd, F_SETFL, 0);
    for (const std::string& chunk : chunks) {
        std::size_t written = 0;
        while (written < chunk.size()) {
            const ssize_t count = write(fd, chunk.data() + written, chunk.size() - written);
            if (count < 0) {
                close(fd);
                return errno == EPIPE;
            }
            written += static_cast<std::size_t>(count);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    close(fd);
    return true;
}

struct FifoCase {
    const char* name;
    std::vector<std::string> chunks;
    std::string out;
    int status;
};

void PrintTo(const FifoCase& c, std::ostream* os)
{
    *os << c.name;
}

class Fifos : public testing::TestWithParam<FifoCase> {};

// A FIFO with a writer reads like a file. One with no writer at all waits
// for one, as every reader of a named pipe does; that is not tested here.
TEST_P(Fifos, ReadLikeAFile)
{
    SKIP_FOR_WINDOWS_PROGRAM();
    const FifoCase& c = GetParam();
    const ScratchDir dir;
    const std::string path = dir.path() + "/pipe";
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);

    bool fed = false;
    std::thread writer([&] { fed = feed_fifo(path, c.chunks); });
    expect_run({path}, c.out, c.status);
    writer.join();
    EXPECT_TRUE(fed);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Fifos,
    testing::Values(FifoCase{"WholeScript", {TEMPLATE_SCRIPT}, TEMPLATE_REPORT, 0},
                    FifoCase{"ScriptInPieces",
                             {"#QELMOR", "VAK\nSETUP\n  INPUT = X1 X2\n  OUTPUT = F1 F2\nBEGIN\n  SET X1 = 0.",
                              "5\n  SET X2 = 0", ".5\n  SOLVE F1 F2\nRETURN\n"},
                             TEMPLATE_REPORT, 0},
                    FifoCase{"NothingWritten", {}, FORMAT_MESSAGE, 1},
                    FifoCase{"Utf16", {utf16(TEMPLATE_SCRIPT, false)}, FORMAT_MESSAGE, 1}),
    [](const testing::TestParamInfo<FifoCase>& info) { return std::string(info.param.name); });

// Longer than PATH_MAX (4096 on Linux) in all.
std::string long_path(const std::string& base)
{
    std::string path = base;
    while (path.size() <= 8192) {
        path += '/' + std::string(200, 'd');
    }
    return path + "/point.txt";
}

TEST(LongPaths, MissingFileIsNotFound)
{
    SKIP_FOR_WINDOWS_PROGRAM();
    const ScratchDir dir;
    const std::string path = long_path(dir.path());
    expect_run({path}, not_found_message(path), 1);
}

// A name longer than NAME_MAX (255 bytes) in one component.
TEST(LongPaths, OverlongNameIsNotFound)
{
    SKIP_FOR_WINDOWS_PROGRAM();
    const ScratchDir dir;
    const std::string path = dir.path() + "/" + std::string(4000, 'n') + ".txt";
    expect_run({path}, not_found_message(path), 1);
}

// A file below a chain of folders whose path is longer than PATH_MAX. Built
// and removed relative to open folders, since the whole path is refused.
class DeepFile {
public:
    DeepFile(const std::string& base, const std::string& bytes)
        : path_(base)
    {
        folders_.push_back(open(base.c_str(), O_RDONLY | O_DIRECTORY));
        while (path_.size() <= 8192 && folders_.back() >= 0) {
            mkdirat(folders_.back(), COMPONENT.c_str(), 0700);
            folders_.push_back(openat(folders_.back(), COMPONENT.c_str(), O_RDONLY | O_DIRECTORY));
            path_ += '/' + COMPONENT;
        }
        path_ += "/point.txt";
        const int file = openat(folders_.back(), "point.txt", O_WRONLY | O_CREAT | O_TRUNC, 0600);
        created_ = file >= 0 && write(file, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
        if (file >= 0) {
            close(file);
        }
    }

    ~DeepFile()
    {
        unlinkat(folders_.back(), "point.txt", 0);
        for (std::size_t i = folders_.size() - 1; i > 0; --i) {
            close(folders_[i]);
            unlinkat(folders_[i - 1], COMPONENT.c_str(), AT_REMOVEDIR);
        }
        close(folders_.front());
    }

    DeepFile(const DeepFile&) = delete;
    DeepFile& operator=(const DeepFile&) = delete;

    bool created() const { return created_; }
    const std::string& path() const { return path_; }

private:
    inline static const std::string COMPONENT = std::string(200, 'd');
    std::vector<int> folders_;
    std::string path_;
    bool created_ = false;
};

// The file exists, but its path cannot be given to the system in one piece.
TEST(LongPaths, ExistingFileBeyondPathMaxIsNotFound)
{
    SKIP_FOR_WINDOWS_PROGRAM();
    const ScratchDir dir;
    const DeepFile file(dir.path(), TEMPLATE_SCRIPT);
    ASSERT_TRUE(file.created());
    expect_run({file.path()}, not_found_message(file.path()), 1);
}

// Paths are bytes: they are opened and echoed as given, never decoded.
TEST(InvalidUtf8Paths, MissingFileIsNamedByItsBytes)
{
    SKIP_FOR_WINDOWS_PROGRAM();
    const ScratchDir dir;
    const std::string path = dir.path() + "/\xFF\xFE\xC0\x80\xED\xA0\x80.txt";
    expect_run({path}, not_found_message(path), 1);
}

TEST(InvalidUtf8Paths, ExistingFileIsRead)
{
    SKIP_FOR_WINDOWS_PROGRAM();
    const ScratchDir dir;
    expect_run({dir.write("\xFF\xFE\xC0\x80\xED\xA0\x80.txt", TEMPLATE_SCRIPT)}, TEMPLATE_REPORT, 0);
    expect_run({"-n", dir.write("\xC3\x28.txt", TEMPLATE_SCRIPT)}, TEMPLATE_REPORT, 0);
}

TEST(HostileArguments, UnknownOptionIsEchoedByteForByte)
{
    SKIP_FOR_WINDOWS_PROGRAM();
    const std::string invalid = "\xFF\xC3\x28\x1A\x7F";
    expect_run({invalid, "point.txt"}, "\nError: unknown option \"" + invalid + "\".\n\n", 1);
    const std::string huge(100000, 'x');
    expect_run({huge, "point.txt"}, "\nError: unknown option \"" + huge + "\".\n\n", 1);
}

}  // namespace
}  // namespace qel_morvak_e2e
