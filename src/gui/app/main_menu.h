// The main window's menu bar as one table: every drop-down, sub-menu, item and separator in
// order, each item with its object name, caption and the command it runs.
#pragma once

#include <QString>

#include <functional>

class QMenuBar;
class QObject;

enum class MenuCommand {
    End,
    Prediction,
    Backtest,
    Combination,
    TicketRegister,
    Analysis,  // the item's window name says which
    Statistics,
    Update,
    Input,
    CsvImport,
    CsvExport,
    Settings,
    TileOneAboveTheOther,
    TileSideBySide,
    Cascade,
    ArrangeIcons,
    Help,
    About,
};

// Fills the menu bar; each item's action carries its window name (analyses) as data and runs
// `run` when triggered. Actions are children of actionParent, findable by object name.
void buildMainMenu(QMenuBar* bar, QObject* actionParent,
                   const std::function<void(MenuCommand, const QString& window)>& run);
