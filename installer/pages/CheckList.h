// A list of rows with check marks where a click on a row (its box included) or the space key
// toggles the row once.
#pragma once

#include <QTreeWidget>
#include <functional>

namespace installer {

class CheckList : public QTreeWidget {
    Q_OBJECT
public:
    explicit CheckList(QWidget* parent = nullptr);

    QTreeWidgetItem* AddRow(const QStringList& texts, bool checked);
    bool IsChecked(int row) const;
    // Sets a row's mark from code (no rule is asked).
    void SetChecked(int row, bool on);
    int Rows() const { return topLevelItemCount(); }
    // The user's toggle of a row: decides whether the new mark is allowed (the bulk list's
    // rules); by default every change is.
    std::function<bool(int row, bool newState)> AllowChange;
    // Called after an allowed change by the user.
    std::function<void(int row, bool newState)> Changed;
    // A user's toggle of row, as a click or the space key does it.
    void Toggle(int row);
};

}  // namespace installer
