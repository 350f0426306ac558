// The colour legend some analysis windows show beside their description: dots for main and
// bonus numbers, swatches for marked cells.
#pragma once

#include <QWidget>

#include "core/analyses/analysis_catalog.h"

// A row of marks and captions for the legend kind; nullptr for Legend::None.
QWidget* makeAnalysisLegend(Legend legend, QWidget* parent = nullptr);
