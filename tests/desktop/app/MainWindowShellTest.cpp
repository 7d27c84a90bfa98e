#include "desktop/app/MainWindow.h"

#include <gtest/gtest.h>

#include <QApplication>

TEST(MainWindow, OpensWithTheEmptyDocumentsTitleAndCloses) {
    MainWindow frame;
    frame.show();
    QApplication::processEvents();
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(frame.windowTitle(), "No lap selected - VELTRA4 Replay Analyser");
    frame.setDocumentTitle("Monza");
    EXPECT_EQ(frame.windowTitle(), "Monza - VELTRA4 Replay Analyser");
    EXPECT_TRUE(frame.close());
}
