// When the main window's activation runs the prediction command: at start-up, and when the
// player comes back to it from another window of the program (the version window, the help),
// never when a command's own message box, file dialog, print preview or menu hands it back.
#pragma once

class QWidget;

// What had the focus since the main window last was active.
enum class ActivationBetween {
    Nothing,    // no other window of the program (or another program's window)
    OwnWindow,  // a window of the program the player works in and leaves at will
    Transient,  // a modal dialog, message box, file dialog, print preview or menu of a command
};

// Classifies the top-level widget that took the focus; a focus window without a widget of the
// program (a platform's own dialog) counts as transient.
ActivationBetween activationBetween(const QWidget* window);

// True when this activation of the main window runs the prediction command.
bool activationRunsPrediction(bool firstActivation, ActivationBetween between);
