#include <QApplication>
#include <QCoreApplication>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/windows/gui_main.h"
#include "cli/cli.h"
#include "core/clock.h"
#include "core/settings_store.h"
#include "state/app_state.h"

int main(int argc, char** argv) {
    QCoreApplication::setOrganizationName("ORB");
    QCoreApplication::setApplicationName("ORB");
    const std::vector<std::string> args(argv + 1, argv + argc);

    orb::QtSettingsStore settings;
    orb::SystemClock clock;
    orb::AppState state(settings, clock);

    if (orb::wantsCommandLine(args)) {
        QCoreApplication application(argc, argv);
        return orb::runCommandLine(args, state, std::cout, std::cerr,
                                   orb::stdinIsTerminal() ? &std::cin : nullptr);
    }
    if (!orb::hasDisplay()) {
        std::cerr << orb::kNoDisplayMessage << "\n";
        return orb::kExitFailure;
    }
    QApplication application(argc, argv);
    return orb::runWindows(state, orb::fileForWindows(args));
}
