#include <iostream>

#include "Commands.h"
#include "common/System.h"
#include "settings/PlatformSettingsStores.h"

#ifdef VXRA_PICTURES
#include <dlfcn.h>

#include <filesystem>
#include <stdexcept>

namespace {

// The painters, from the module that holds them (PictureModule.cpp), loaded when a command first
// draws: beside the program in the build tree, in its library folder once installed.
const PictureMakers& pictureMakers() {
    static const PictureMakers makers = [] {
        const std::filesystem::path programFolder =
            std::filesystem::read_symlink("/proc/self/exe").parent_path();
        void* module = nullptr;
        for (const std::filesystem::path& folder :
             {programFolder, programFolder / VXRA_INSTALLED_MODULE_FOLDER}) {
            module = dlopen((folder / "vxra-pictures.so").c_str(), RTLD_NOW | RTLD_LOCAL);
            if (module) break;
        }
        const auto fill =
            module ? reinterpret_cast<void (*)(PictureMakers&)>(dlsym(module, "vxraPictureMakers")) : nullptr;
        if (!fill) throw std::runtime_error(std::string("cannot load the picture module: ") + dlerror());
        PictureMakers made;
        fill(made);
        return made;
    }();
    return makers;
}

}  // namespace
#endif

int main(int argc, char* argv[]) {
    writeStandardStreamsAsBytes();
    CliApp app(makePlatformSettingsStores);
#ifdef VXRA_PICTURES
    registerAllCommands(app, {[](const PlotModel& plot, const PlotRange& range, int width, int height) {
                                  return pictureMakers().plot(plot, range, width, height);
                              },
                              [](const RaceChartLayout& chart) { return pictureMakers().raceChart(chart); },
                              [](const LapComparison& comparison, const std::vector<std::uint32_t>& colours,
                                 bool mph, int width, int height) {
                                  return pictureMakers().comparison(comparison, colours, mph, width, height);
                              }});
#else
    registerAllCommands(app);
#endif
    return app.run(commandLineArguments(argc, argv), std::cout, std::cerr);
}
