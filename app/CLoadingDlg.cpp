// CLoadingDlg: the application's one modeless progress window ("Loading...").
#include "app/CLoadingDlg.h"

#include <QLabel>

#include "platform/StringTable.h"

CLoadingDlg::CLoadingDlg(int showEscNote, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName("id141");
    setModal(false);
    setFixedSize(320, 84);
    // Fixed places as in the template: the note above, the message below it.
    EscNote = new QLabel(QString::fromStdString(platform::LoadString(29004)), this);
    EscNote->setObjectName("id1019");
    EscNote->setGeometry(12, 10, 296, 20);
    Message = new QLabel(QString::fromStdString(platform::LoadString(29003)), this);
    Message->setObjectName("id1018");
    Message->setGeometry(12, kMessageTop, 296, 20);
    if (!showEscNote) {
        EscNote->hide();
        Message->move(Message->x(), Message->y() + 10);
    }
    setStyleSheet("CLoadingDlg { border: 1px solid palette(dark); }");
    show();
    raise();
    Refresh();
}

void CLoadingDlg::SetMessage(const QString& text) {
    Message->setText(text);
    Refresh();
}

void CLoadingDlg::Refresh() {
    // Synchronous: no events are served here, so nothing else can run in between.
    repaint();
}
