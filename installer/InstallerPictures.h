// The installer's pictures, drawn rather than stored: the wizard's header picture, the two
// pictures of the installation-type buttons and the program's icon.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace installer {

QPixmap HeaderPicture();    // the wizard header (a box being unpacked)
QPixmap StandardPicture();  // the "standard" button: one closed box
QPixmap CustomPicture();    // the "custom" button: a list with check marks
QIcon AppIcon();

}  // namespace installer
