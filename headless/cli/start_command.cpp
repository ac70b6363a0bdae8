#include "headless/cli/cli.h"
#include "headless/host.h"
#include "headless/plugin_session.h"

#include <iostream>

namespace headless::cli {

namespace {

int runStart(const Common& common) {
    HeadlessHost host;
    host.setConsoleEcho(&std::cout);
    PluginSession session(host);
    const StartResult result = session.start(common.pluginDirectory);
    if (!result.loaded) {
        std::cerr << "tolvane-host: " << result.error << '\n';
        return 1;
    }
    for (const RegisteredPlugin& p : host.plugins()) {
        std::cout << pluginKindName(p.kind) << ' ' << p.id << ' ' << p.name << '\n';
    }
    if (!result.started()) {
        std::cerr << "tolvane-host: " << result.error << '\n';
        return 1;
    }
    return 0;
}

} // namespace

CLI::App* addStartCommand(CLI::App& app, Common& common, int& exitCode) {
    CLI::App* start = app.add_subcommand(
        "start", "Start the plug-in as the host does and list what it registered.\n"
                 "Prints the plug-in's console (its banner), then one line per registered\n"
                 "plug-in: kind, ID and name, in registration order. Exits 0 when the\n"
                 "plug-in's start succeeded.");
    start->callback([&common, &exitCode] { exitCode = runStart(common); });
    return start;
}

} // namespace headless::cli
