// The report of 一発ボボーン: its four prediction grids with their labels and the options in
// force, for printing and saving.
#pragma once

#include <string>

#include "core/prediction/prediction_grids.h"
#include "core/prediction/prediction_options.h"
#include "core/report/window_report.h"

// With options: one note per option ("反映する" / "反映しない"); without them (the command line's
// --enabled-options) one note with the count in force.
WindowReport predictionReport(const PredictionGrids& grids, const std::string& drawRange,
                              const PredictionOptions* options, int enabledCount);
