/* The floor of a run: a static C program that writes the report qel_morvak
 * prints for examples/template.txt and does nothing else. It makes one write
 * of constant text, so what it costs is the process itself: exec, the C
 * library's start-up and exit. Formatting the numbers with printf would charge
 * the floor with work that belongs to the program being measured. */
#include <unistd.h>

static const char REPORT[] =
    "\n"
    "Solving in [5.000000e-001, 5.000000e-001].\n"
    "\n"
    "Result:\n"
    "\n"
    "Function:  5.000000e-001  3.841688e+000\n"
    "Gradient:  1.000000e+000  0.000000e+000\n"
    "          -1.658312e+000  7.643199e+000\n"
    "\n";

int main(void)
{
    const ssize_t size = (ssize_t)(sizeof REPORT - 1);
    return write(STDOUT_FILENO, REPORT, (size_t)size) == size ? 0 : 1;
}
