#pragma once
// Renders a window to a PNG for people to look at (tests run offscreen, so
// this is the way to see what a skin looks like).

#include <QString>

class CWindowWnd;

// Saves the window as <screenshot folder>/<name>.png and returns the path, or
// an empty string if it could not be written. The folder is
// $VESTREL_SCREENSHOT_DIR, else "screenshots" in the build folder.
QString SaveScreenshot(const CWindowWnd& window, const QString& name);
