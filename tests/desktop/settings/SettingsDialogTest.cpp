#include "desktop/settings/SettingsDialog.h"

#include <gtest/gtest.h>

#include <QLineEdit>

#include "MemorySettings.h"

namespace {

TEST(SettingsDialog, AFolderNameTheSystemRefusesIsAFolderWithoutTheProgram) {
    Settings settings(memoryStores());
    SettingsDialog dialog(settings);
    QStringList messages;
    dialog.showMessage = [&](const QString& text) { messages << text; };
    dialog.locateSimulator = [] { return std::optional<QString>(); };
    dialog.simulatorPath()->setText("/" + QString(5000, 'a'));
    dialog.accept();
    EXPECT_EQ(messages,
              QStringList{"Unable to find the file VELTRA Racing 4.exe in the specified directory.\n"
                          "Please choose a valid Veltra 4 directory."});
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(settings.simulatorDirectory(), "");
}

}  // namespace
