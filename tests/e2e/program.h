#pragma once

#include <string>
#include <vector>

namespace qel_morvak_e2e {

struct ProgramRun {
    std::string out;
    std::string err;
    int status;  // the exit status, or -1 when the program did not exit normally
};

// Runs the program under test with these arguments and an empty standard
// input. Standard output goes to stdout_path when one is given (its bytes
// are then not captured).
ProgramRun run_program(const std::vector<std::string>& arguments, const std::string& stdout_path = "");

// A run and the peak resident memory of the process started for it (an
// emulator's included, when the command begins with one).
struct MeasuredRun {
    ProgramRun run;
    long peak_rss_kib;
};

// As run_program, through a small launcher process that reports the peak
// resident memory of the command it starts.
MeasuredRun run_program_measured(const std::vector<std::string>& arguments);

// Expects the run to have printed exactly out (as platform_text gives it) on
// standard output, nothing on standard error, and to have exited with status.
void expect_output(const ProgramRun& run, const std::string& out, int status);

// The text as the program under test writes it: with CR LF line ends where
// its standard output is a Windows text stream.
std::string platform_text(const std::string& text);

// True when the program under test is a Windows program (the runner was
// given --crlf): its arguments are UTF-16 text rather than bytes, and its
// platform has no FIFOs, no /dev and other limits on paths.
bool windows_program();

// A fresh folder for the test's files, removed with everything in it.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return path_; }
    // Writes the bytes to a file in the folder and returns its path.
    std::string write(const std::string& name, const std::string& bytes) const;

private:
    std::string path_;
};

}  // namespace qel_morvak_e2e
