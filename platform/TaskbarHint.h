#pragma once
// Keeps a window out of the desktop's task bar and pager. Window managers
// show a transient dialog's entry anyway unless asked (icewm does), and the
// program's dialogs and its DPI popup belong to the main window's entry.

class QWidget;

// Takes effect when the window is next mapped; does nothing but on X11.
void KeepOffTaskbar(QWidget* window);
