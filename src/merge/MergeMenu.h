#pragma once

class Form1;
class QMenu;

// Adds "Publipostage..." to the file menu; it opens the window on the card being edited.
void addMergeMenu(Form1& window, QMenu* fileMenu);
