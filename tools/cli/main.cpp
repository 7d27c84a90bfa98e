#include <iostream>

#include "Commands.h"
#include "desktop/settings/QtSettingsStore.h"
#include "settings/Settings.h"

int main(int argc, char* argv[]) {
    Settings::setStoreFactory(makeQtSettingsStores);
    CliApp app;
    registerAllCommands(app);
    return app.run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
