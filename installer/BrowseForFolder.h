// The folder chooser of the folder pages.
#pragma once

#include <QString>

class QWidget;

namespace installer {

// Qt's own (non-native) folder chooser starting at initial; the chosen folder with a trailing
// '/', or an empty text when the user cancels.
QString BrowseForFolder(QWidget* owner, const QString& initial, const QString& title);

}  // namespace installer
