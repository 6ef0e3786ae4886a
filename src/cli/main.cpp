// mervasto-cli: the searches and the table builders from the command line.

#include "cli/CommandLine.h"
#include "cli/ExitStatus.h"
#include "cli/MervastoCli.h"
#include "cli/StandardConsole.h"

int main(int argc, char** argv) {
    using namespace mervasto::cli;
    StandardConsole console;
    const int status = runCli(utf8Arguments(argc, argv), console);
    if (!console.outputFailed())
        return status;
    console.err("mervasto-cli: cannot write the standard output\n");
    return Failure;
}
