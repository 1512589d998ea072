// CUpDown: the two small arrow buttons beside a number edit; it keeps no position of its own.
#pragma once

#include <QWidget>

class QToolButton;

class CUpDown : public QWidget {
    Q_OBJECT
public:
    explicit CUpDown(QWidget* parent = nullptr);
    QToolButton* Up() const { return up_; }
    QToolButton* Down() const { return down_; }

signals:
    // +1 for the upper arrow, -1 for the lower one.
    void Stepped(int delta);

private:
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
};
