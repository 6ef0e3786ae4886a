// mervasto-cli: the searches and the table builders from the command line.

#include "cli/CommandLine.h"
#include "cli/MervastoCli.h"
#include "cli/StandardConsole.h"

int main(int argc, char** argv) {
    using namespace mervasto::cli;
    StandardConsole console;
    return runCli(utf8Arguments(argc, argv), console);
}
