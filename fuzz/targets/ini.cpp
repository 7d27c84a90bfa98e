// The settings files Qt's store writes, as the command-line tool reads them.
#include "FuzzTarget.h"
#include "settings/IniSettingsStore.h"

VXRA_FUZZ_TARGET(ini) {
    IniSettingsStore store("Settings");
    store.addText(std::string_view(reinterpret_cast<const char*>(input.data()), input.size()));
    for (const char* name : {"Directory", "MPH", "AltRpyPath", "BMPSizeInPixel"}) {
        static_cast<void>(store.readString(name));
        static_cast<void>(store.readInt(name));
    }
}
