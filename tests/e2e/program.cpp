#include "program.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <utility>

#include <gtest/gtest.h>

extern char** environ;

namespace qel_morvak_e2e {

namespace {

std::vector<std::string> program_command;
bool expect_crlf = false;

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs launcher, then the program's command, then the arguments.
ProgramRun run_and_reap(const std::vector<std::string>& launcher, const std::vector<std::string>& arguments,
                        const std::string& stdout_path)
{
    const ScratchDir capture;
    const std::string out_path = stdout_path.empty() ? capture.path() + "/stdout" : stdout_path;
    const std::string err_path = capture.path() + "/stderr";

    std::vector<std::string> words = launcher;
    words.insert(words.end(), program_command.begin(), program_command.end());
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << argv[0] << ": " << std::strerror(spawned);
        return {"", "", -1};
    }
    int wait_status = 0;
    while (waitpid(pid, &wait_status, 0) < 0) {
    }
    ProgramRun run;
    run.out = stdout_path.empty() ? read_file(out_path) : std::string();
    run.err = read_file(err_path);
    run.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
    return run;
}

}  // namespace

ProgramRun run_program(const std::vector<std::string>& arguments, const std::string& stdout_path)
{
    return run_and_reap({}, arguments, stdout_path);
}

namespace {

// Starting the program under test straight from this process would charge
// it with this process's memory: a spawned child inherits the peak resident
// size of the image it replaces. So this same executable starts afresh, small,
// in this mode, forks the program from there and reports its peak.
const char* const REPORT_PEAK_RSS = "--report-peak-rss";

int report_peak_rss(const char* report_path, char** command)
{
    const pid_t pid = fork();
    if (pid < 0) {
        return 126;
    }
    if (pid == 0) {
        execvp(command[0], command);
        _exit(127);
    }
    int wait_status = 0;
    struct rusage usage {};
    while (wait4(pid, &wait_status, 0, &usage) < 0) {
    }
    if (std::FILE* report = std::fopen(report_path, "w")) {
        std::fprintf(report, "%ld\n", usage.ru_maxrss);
        std::fclose(report);
    }
    if (WIFSIGNALED(wait_status)) {
        std::signal(WTERMSIG(wait_status), SIG_DFL);
        std::raise(WTERMSIG(wait_status));
    }
    return WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 126;
}

}  // namespace

MeasuredRun run_program_measured(const std::vector<std::string>& arguments)
{
    const ScratchDir report;
    const std::string report_path = report.path() + "/peak_rss";
    const std::vector<std::string> launcher{std::filesystem::read_symlink("/proc/self/exe").string(),
                                            REPORT_PEAK_RSS, report_path};
    ProgramRun run = run_and_reap(launcher, arguments, "");

    long peak_rss_kib = -1;
    std::istringstream(read_file(report_path)) >> peak_rss_kib;
    return {std::move(run), peak_rss_kib};
}

void expect_output(const ProgramRun& run, const std::string& out, int status)
{
    EXPECT_EQ(run.out, platform_text(out));
    EXPECT_EQ(run.status, status);
    EXPECT_EQ(run.err, "");
}

bool windows_program()
{
    return expect_crlf;
}

std::string platform_text(const std::string& text)
{
    if (!expect_crlf) {
        return text;
    }
    std::string converted;
    for (const char c : text) {
        if (c == '\n') {
            converted += '\r';
        }
        converted += c;
    }
    return converted;
}

ScratchDir::ScratchDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "qel_morvak_e2e.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        std::abort();
    }
    path_ = pattern;
}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ScratchDir::write(const std::string& name, const std::string& bytes) const
{
    const std::string path = path_ + "/" + name;
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return path;
}

}  // namespace qel_morvak_e2e

// Usage: qel_morvak_e2e_tests [gtest flags] [--crlf] -- COMMAND...
// COMMAND runs the program under test: its path, or an emulator and the path.
// Internally also: qel_morvak_e2e_tests --report-peak-rss FILE COMMAND...
int main(int argc, char** argv)
{
    if (argc >= 4 && std::strcmp(argv[1], qel_morvak_e2e::REPORT_PEAK_RSS) == 0) {
        return qel_morvak_e2e::report_peak_rss(argv[2], argv + 3);
    }
    testing::InitGoogleTest(&argc, argv);
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--crlf") == 0) {
            qel_morvak_e2e::expect_crlf = true;
        } else {
            std::cerr << "unknown argument " << argv[i] << '\n';
            return 2;
        }
    }
    for (++i; i < argc; ++i) {
        qel_morvak_e2e::program_command.emplace_back(argv[i]);
    }
    if (qel_morvak_e2e::program_command.empty() && !GTEST_FLAG_GET(list_tests)) {
        std::cerr << "usage: " << argv[0] << " [gtest flags] [--crlf] -- PROGRAM [ARGS...]\n";
        return 2;
    }
    return RUN_ALL_TESTS();
}
