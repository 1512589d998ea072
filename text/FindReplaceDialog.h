// FindReplaceDialog: the modeless find and replace dialog of the NC text views, the base of
// CCustomFind and CCustomReplace. Its controls carry the ids of the dialog templates.
#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

struct FindDialogOptions {
    QString FindText;
    QString ReplaceText;
    bool SearchDown = true;
    bool MatchCase = false;
    bool HideWholeWord = true;  // the views never search whole words
};

class FindReplaceDialog : public QDialog {
    Q_OBJECT
public:
    // Builds the dialog with the options as its initial state; replace adds the replacement
    // field and the Replace and Replace All buttons (and drops the direction group).
    FindReplaceDialog(QWidget* owner, bool replace, const FindDialogOptions& options);

    bool IsReplace() const { return replace_; }
    QString FindText() const;
    QString ReplaceText() const;
    bool SearchDown() const;
    bool MatchCase() const;

    // The buttons, as the user presses them.
    void ClickFindNext();
    void ClickReplace();
    void ClickReplaceAll();

signals:
    void findNext();
    void replaceCurrent();
    void replaceAll();
    // The dialog was closed (Cancel, Escape, the title bar). The owner deletes it later.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void UpdateButtons();

    bool replace_ = false;
    QLineEdit* find_ = nullptr;
    QLineEdit* replaceEdit_ = nullptr;
    QCheckBox* wholeWord_ = nullptr;
    QCheckBox* matchCase_ = nullptr;
    QGroupBox* direction_ = nullptr;
    QRadioButton* up_ = nullptr;
    QRadioButton* down_ = nullptr;
    QPushButton* findNext_ = nullptr;
    QPushButton* replaceButton_ = nullptr;
    QPushButton* replaceAll_ = nullptr;
    bool closed_ = false;
};

// The find dialog (template 167).
class CCustomFind : public FindReplaceDialog {
    Q_OBJECT
public:
    CCustomFind(QWidget* owner, const FindDialogOptions& options)
        : FindReplaceDialog(owner, false, options) {}
};

// The replace dialog (template 166).
class CCustomReplace : public FindReplaceDialog {
    Q_OBJECT
public:
    CCustomReplace(QWidget* owner, const FindDialogOptions& options)
        : FindReplaceDialog(owner, true, options) {}
};

// Closes a find or replace dialog its owner has let go of: its signals no longer reach
// receiver, and it is deleted once the handler that may be running (its own signal) has
// returned. Null does nothing.
void DismissFindDialog(FindReplaceDialog* dialog, QObject* receiver);
