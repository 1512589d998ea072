// Up and down arrows at the right end of an edit; they keep no value of their own, each press
// only reports a step of +1 or -1 (the Up and Down keys in the edit do the same).
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace wepo {

class SpinButtons : public QWidget {
    Q_OBJECT
public:
    // Attaches itself inside edit's right end and makes room for itself in the edit's text.
    explicit SpinButtons(QLineEdit* edit);
    QLineEdit* Edit() const { return edit_; }

signals:
    void Stepped(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Place();

    QLineEdit* edit_;
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace wepo
