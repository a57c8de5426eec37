// The executable is this run sequence alone; everything it calls lives in
// the core library, where the tests reach it directly.

#include <cstdio>
#include <cstring>

#include "driver/arguments.h"
#include "driver/messages.h"
#include "driver/open_script.h"
#include "driver/output.h"
#include "driver/report.h"
#include "model/check_domain.h"
#include "model/evaluate_point.h"
#include "script/read_script.h"

namespace {

using namespace qel_morvak;

// A lost byte of output must not pass for success: the caller parses it.
int finish(int status)
{
    return finish_output() ? status : 1;
}

int fail(std::string_view message)
{
    write_output(message);
    return finish(1);
}

int fail_naming(std::string_view prefix, const char* name, std::string_view suffix)
{
    write_output(prefix);
    write_output({name, std::strlen(name)});
    write_output(suffix);
    return finish(1);
}

}  // namespace

int main(int argc, char** argv)
{
    InputPoint point{};
    SolveResult result{};

    const Arguments arguments = parse_arguments(argc, argv);
    switch (arguments.action) {
    case ArgumentAction::TooManyArguments:
        return fail(TOO_MANY_ARGUMENTS_MESSAGE);
    case ArgumentAction::UnknownOption:
        return fail_naming(UNKNOWN_OPTION_PREFIX, arguments.text, UNKNOWN_OPTION_SUFFIX);
    case ArgumentAction::ShowUsage:
        write_output("\n");
        write_output(BANNER);
        write_output("\n");
        write_output(USAGE);
        write_output("\n");
        return finish(0);
    case ArgumentAction::RunScript:
        break;
    }

    std::FILE* script = open_script(arguments.text);
    if (script == nullptr) {
        return fail_naming(FILE_NOT_FOUND_PREFIX, arguments.text, FILE_NOT_FOUND_SUFFIX);
    }
    if (!read_script(script, point)) {
        std::fclose(script);
        return fail(INVALID_FORMAT_MESSAGE);
    }
    const DomainVerdict verdict = check_domain(point, arguments.notch);
    if (verdict != DomainVerdict::Inside) {
        std::fclose(script);
        return fail(domain_message(verdict));
    }
    result = evaluate_point(point);
    print_report(point, result);
    std::fclose(script);
    return finish(0);
}
