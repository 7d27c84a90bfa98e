// Compiled with the core's settings by a test that expects this include to fail.
#include <QString>

QString probe() {
    return {};
}
