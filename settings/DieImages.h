// The images of the die dialogs, drawn here: die and station states of the lists and the
// shape buttons of the die list.
#pragma once

#include <QIcon>

// Die state (the die's placed value): 0 not placed, 1 placed in a station. 14 pixels wide.
QIcon DieStateImage(int placed);
// Station state: 0 empty, 1 holding a die. 14 pixels wide.
QIcon StationStateImage(int state);
// The button of a die-list filter: 0 to 13 the shapes RO to CR, 14 all dies, 15 the automatic
// choice; 24 pixels, with a grey image of its own for the disabled button.
QIcon ShapeButtonIcon(int filter);
