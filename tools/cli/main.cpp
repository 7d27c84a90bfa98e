#include <iostream>

#include "Commands.h"
#include "desktop/settings/QtSettingsStore.h"

int main(int argc, char* argv[]) {
    CliApp app(makeQtSettingsStores);
    registerAllCommands(app);
    return app.run(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
