// Moving a splitter's divider from the keyboard, as the Split command does.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QSplitter;

// While it lives, the arrow keys move the first divider of the splitter (16 pixels, 1 with
// Ctrl); Enter or a mouse click keeps the place, Escape puts the divider back. Other keys do
// nothing meanwhile. It deletes itself when the move ends.
class SplitterKeyboardMove : public QObject {
    Q_OBJECT
public:
    // Starts a move; nothing when one is already under way. Returns the move (or the running
    // one), null without a splitter of two panes.
    static SplitterKeyboardMove* Start(QSplitter* splitter);
    // The move under way, if any.
    static SplitterKeyboardMove* Current();
    ~SplitterKeyboardMove() override;

    // Ends the move: keep the divider where it is now, or put it back.
    void Finish(bool keep);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit SplitterKeyboardMove(QSplitter* splitter);
    void MoveBy(int delta);

    QPointer<QSplitter> splitter_;
    QList<int> original_;
};
