#include "app/CMainFrame.h"

#include <gtest/gtest.h>

#include <QApplication>

TEST(CMainFrame, OpensWithTheEmptyDocumentsTitleAndCloses) {
    CMainFrame frame;
    frame.show();
    QApplication::processEvents();
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(frame.windowTitle(), "No lap selected - VELTRA4 Replay Analyser");
    frame.setDocumentTitle("Monza");
    EXPECT_EQ(frame.windowTitle(), "Monza - VELTRA4 Replay Analyser");
    EXPECT_TRUE(frame.close());
}
