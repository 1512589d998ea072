// The images of the settings dialogs, drawn here: icon buttons and list check images.
#pragma once

#include <QIcon>
#include <QSize>

// Icon ids of the dialogs' icon buttons: 131 open a file, 132 save a file as, 176 delete,
// 177 add, 178 up, 179 down, 180 edit; 188/189 the previous-page arrow and 190/191 the
// next-page arrow, enabled and disabled.
QIcon SettingsIcon(int id);

// The check image of a list row: an empty box, or a ticked one.
QIcon CheckImage(bool checked);
QSize CheckImageSize();
