// InstallViewPanes: puts the element view and the information list into the main frame's panes.
#pragma once

// Sets the frame's pane makers for the element views and the information list; the frames
// made afterwards get them instead of placeholders.
void InstallViewPanes();
