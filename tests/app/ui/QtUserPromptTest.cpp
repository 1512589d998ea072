// File filters of the string table turned into Qt's form; the message boxes' captions.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "EnvVar.h"
#include "app/QtUserPrompt.h"

namespace {

TEST(QtUserPrompt, ConvertFileFilter) {
    EXPECT_EQ(ConvertFileFilter("NC File (*.nc,*.ncd)|*.nc;*.ncd|All files (*.*)|*.*||"),
              "NC File (*.nc *.ncd);;All files (*.*)");
    EXPECT_EQ(ConvertFileFilter("DXF|*.dxf||"), "DXF (*.dxf)");
    EXPECT_EQ(ConvertFileFilter("Text (*.txt)"), "Text (*.txt)");  // already Qt's form
    EXPECT_EQ(ConvertFileFilter("|*.nc||"), "");
}

// A short message (the log file's open error) is narrower than its caption with the title
// bar's buttons: the box is widened so that the caption is not cut.
TEST(QtUserPrompt, ShortMessageKeepsItsCaptionWhole) {
    test::EnvVar attended("MORVALEN_UNATTENDED", "");
    QtUserPrompt prompt;
    QString title;
    int width = 0;
    int caption = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        title = box->windowTitle();
        width = box->width();
        QFont bold = box->font();
        bold.setBold(true);
        caption = QFontMetrics(bold).horizontalAdvance(title);
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(prompt.Message("Log file open error", platform::PromptIcon::None,
                             platform::PromptButtons::Ok),
              platform::PromptAnswer::Ok);
    EXPECT_EQ(title, "Morvalen");
    // Room for the window's icon and its three buttons besides the caption.
    EXPECT_GE(width, caption + 120);
}

}  // namespace
