// CAboutDlg: the about box with the program's icon, name, version and build date.
#include "app/CAboutDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("id100");
    setWindowTitle(tr("About Morvalen"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 32));
    auto* text = new QLabel(QStringLiteral("Morvalen %1\n%2")
                                .arg(QApplication::applicationVersion(), QStringLiteral(__DATE__)),
                            this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    // The window manager cuts a title wider than the dialog ("About ...rvalen"): the box is at
    // least as wide as its title with room for the title bar's buttons.
    const int titleRoom = fontMetrics().horizontalAdvance(windowTitle()) * 3 / 2 + 160;
    setMinimumWidth(std::max(sizeHint().width(), titleRoom));
}
