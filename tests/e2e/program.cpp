#include "program.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

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

}  // namespace

ProgramRun run_program(const std::vector<std::string>& arguments, const std::string& stdout_path)
{
    const ScratchDir capture;
    const std::string out_path = stdout_path.empty() ? capture.path() + "/stdout" : stdout_path;
    const std::string err_path = capture.path() + "/stderr";

    std::vector<std::string> words = program_command;
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
int main(int argc, char** argv)
{
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
