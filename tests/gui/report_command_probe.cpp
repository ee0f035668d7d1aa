// velprog's command line with only the report command registered, the way
// velprog's main registers it; the report tests run it end to end.
#include <CLI/CLI.hpp>

#include "cli/report_command.h"

int main(int argc, char** argv) {
    CLI::App app{"velprog"};
    app.require_subcommand(1);
    vel::AddReportCommand(app);
    CLI11_PARSE(app, argc, argv);
    return 0;
}
