// CLoadingDlg: the application's one modeless progress window ("Loading...").
#pragma once

#include <QDialog>

class QLabel;

// Created visible and on top; the creator sets the texts, calls Refresh after a change (there
// is no message loop of its own) and deletes the window when its operation ends. At most one
// belongs to the application at a time (CTessmarkApp::LoadingDlg).
class CLoadingDlg : public QDialog {
    Q_OBJECT
public:
    // showEscNote 0 hides the ESC note and moves the message 10 pixels down.
    CLoadingDlg(int showEscNote, QWidget* parent);

    QLabel* EscNote = nullptr;  // control 1019
    QLabel* Message = nullptr;  // control 1018

    void SetMessage(const QString& text);
    // Paints the window now.
    void Refresh();

    static constexpr int kMessageTop = 36;  // the message's top in the template
};
