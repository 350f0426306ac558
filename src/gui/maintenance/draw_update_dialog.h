// The draw data update as the program runs it: a progress dialog with a cancel button while the
// download runs, then the outcome in a message box.
#pragma once

#include "core/maintenance/draw_update.h"

class QWidget;

// Runs one update with options (its progress callback is the dialog's) and shows the player the
// outcome: a failure as a critical message, anything else as a plain one, except a downloaded
// CSV file, which the caller previews and merges. Returns the result.
UpdateResult runDrawUpdate(QWidget* parent, UpdateOptions options);
