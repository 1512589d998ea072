// The panes of the main frame: the factory and the placeholders.
#include "app/FramePanes.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "platform/StringTable.h"

PaneFactory& PaneFactory::Instance() {
    static PaneFactory factory;
    return factory;
}

PlaceholderElemView::PlaceholderElemView(QWidget* parent) : QWidget(parent) {
    setObjectName("ElemView");
    setFocusPolicy(Qt::ClickFocus);
    setMinimumSize(0, 0);
    setAutoFillBackground(true);
}

void PlaceholderElemView::SetViewType(int type, int angleX, int angleY, int angleZ) {
    type_ = type;
    angles = {angleX, angleY, angleZ};
    update();
}

void PlaceholderElemView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(QColor(160, 160, 160));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    // The axis cross of the projection, so the four panes of the split view are told apart.
    static const char* kAxes[4][2] = {{"X", "Y"}, {"X", "Z"}, {"Y", "Z"}, {"X", "Y"}};
    const int t = type_ >= 0 && type_ < 4 ? type_ : 0;
    QPoint o(30, height() - 30);
    p.setPen(QPen(QColor(200, 0, 0), 2));
    p.drawLine(o, o + QPoint(40, 0));
    p.drawText(o + QPoint(44, 4), kAxes[t][0]);
    p.setPen(QPen(QColor(0, 150, 0), 2));
    p.drawLine(o, o - QPoint(0, 40));
    p.drawText(o - QPoint(4, 44), kAxes[t][1]);
    p.setPen(QColor(90, 90, 90));
    QString name = QString::fromStdString(platform::LoadString(29009 + t));
    QString title = QString::fromStdString(platform::LoadString(29006)).replace("%s", name);
    p.drawText(rect(), Qt::AlignCenter, title);
}

QWidget* MakePlaceholderPane(QWidget* parent, const QString& title, const char* objectName) {
    auto* w = new QLabel(title, parent);
    w->setObjectName(objectName);
    w->setAlignment(Qt::AlignCenter);
    w->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    w->setMinimumSize(0, 0);
    w->setAutoFillBackground(true);
    return w;
}
