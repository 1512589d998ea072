// Keys an NC pane takes before the frame's accelerators see them.
#pragma once

class QEvent;

// True, with the event accepted, when event is the shortcut check of key pressed without
// modifiers: the key then reaches the pane's key handler instead of an accelerator.
bool ClaimPlainKey(QEvent* event, int key);
