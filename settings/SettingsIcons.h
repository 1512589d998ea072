// The images of the settings dialogs, drawn here: icon buttons and list check images.
#pragma once

#include <QIcon>
#include <QSize>

// Icon ids of the dialogs' icon buttons: 131 open a file, 132 save a file as.
QIcon SettingsIcon(int id);

// The check image of a list row: an empty box, or a ticked one.
QIcon CheckImage(bool checked);
QSize CheckImageSize();
