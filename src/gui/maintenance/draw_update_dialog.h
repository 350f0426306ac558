// The draw data update as the program runs it: a progress dialog with a cancel button while the
// download runs, then the outcome in a message box.
#pragma once

#include <filesystem>

#include "core/maintenance/draw_update.h"
#include "core/maintenance/update_source.h"

class QWidget;

// Runs one update with options (its progress callback is the dialog's) and shows the player the
// outcome: a failure as a critical message, anything else as a plain one, except a downloaded
// CSV file, which the caller previews and merges. Returns the result. Without a source (none
// set yet) 設定 opens with a word on what to enter; the update goes on with the source saved
// there in settingsFile, and ends as NoSource, without a message, when the player enters none.
UpdateResult runDrawUpdate(QWidget* parent, UpdateOptions options,
                           const std::filesystem::path& settingsFile = updateSourceFile());
