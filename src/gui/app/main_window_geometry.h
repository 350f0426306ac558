// The main window's size and state: at first start room for the largest child window (or
// maximised where the screen is smaller), afterwards what the player left, remembered in a file
// of its own in the player's config folder.
#pragma once

#include <QString>

class QMainWindow;
class QMdiArea;

// Designed size of the client area (twips); the first start makes room for the largest child
// window too.
inline constexpr int kClientWidthTwips = 13875;
inline constexpr int kClientHeightTwips = 11190;

// The file in the player's config folder that remembers the main window's size and state.
inline constexpr const char* kWindowStateFileName = "main_window.ini";

// Restores the geometry stateFile remembers, else sizes the window for its first start. An empty
// stateFile remembers nothing.
void placeMainWindow(QMainWindow& window, const QMdiArea& clientArea, const QString& stateFile);
// Writes the window's geometry and state to stateFile (nothing when it is empty).
void rememberMainWindow(const QMainWindow& window, const QString& stateFile);
