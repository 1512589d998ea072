// The up-down arrows of DBF_SPIN edits.
#include "wepo/dlgbox/SpinButtons.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace wepo {

SpinButtons::SpinButtons(QLineEdit* edit) : QWidget(edit), edit_(edit) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(b);
    }
    connect(up_, &QToolButton::clicked, this, [this] { emit Stepped(1); });
    connect(down_, &QToolButton::clicked, this, [this] { emit Stepped(-1); });
    edit->installEventFilter(this);
    Place();
    show();
}

void SpinButtons::Place() {
    int w = qMax(12, edit_->height() * 2 / 3);
    setGeometry(edit_->width() - w - 1, 1, w, qMax(2, edit_->height() - 2));
    QMargins m = edit_->textMargins();
    m.setRight(w);
    edit_->setTextMargins(m);
}

bool SpinButtons::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_) {
        if (event->type() == QEvent::Resize) {
            Place();
        } else if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
                emit Stepped(key->key() == Qt::Key_Up ? 1 : -1);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace wepo
