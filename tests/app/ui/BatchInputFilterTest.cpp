// The batch's input filter: Escape noted, other input dropped, a question shown during the batch
// answered by a click or a key.
#include "app/BatchInputFilter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

namespace {

TEST(BatchInputFilter, DropsInputButEscapeAndLeavesAQuestionAlone) {
    QMainWindow frame;
    auto* frameButton = new QPushButton("frame", &frame);
    frame.setCentralWidget(frameButton);
    frame.show();
    int frameClicks = 0;
    QObject::connect(frameButton, &QPushButton::clicked, [&] { ++frameClicks; });

    BatchInputFilter filter;
    qApp->installEventFilter(&filter);
    QTest::mouseClick(frameButton, Qt::LeftButton);
    QTest::keyClick(frameButton, Qt::Key_Space);
    EXPECT_EQ(frameClicks, 0);
    EXPECT_FALSE(filter.escape);

    // A box of the batch: its button takes the click, its field the keys.
    QDialog box(&frame);
    auto* layout = new QVBoxLayout(&box);
    auto* field = new QLineEdit(&box);
    auto* ok = new QPushButton("OK", &box);
    layout->addWidget(field);
    layout->addWidget(ok);
    QObject::connect(ok, &QPushButton::clicked, &box, &QDialog::accept);
    box.setModal(true);
    box.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &box);
    QTest::keyClicks(field, "Y");
    EXPECT_EQ(field->text(), "Y");
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(filter.escape);  // the box's own Escape
    box.show();
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(box.result(), QDialog::Accepted);
    EXPECT_FALSE(box.isVisible());

    // Escape to the program is the batch's.
    QTest::keyClick(frameButton, Qt::Key_Escape);
    EXPECT_TRUE(filter.escape);
    EXPECT_EQ(frameClicks, 0);
    qApp->removeEventFilter(&filter);
}

}  // namespace
