// Window tests: the main window's commands called directly, past the menu's own checks (the
// entry window while other windows are open) and without a real activation.
#pragma once

#include "gui/app/child_windows.h"
#include "gui/app/main_frame.h"

struct MainFrmTestSeam {
    static void openPrediction(MainFrm& frame) { frame.m_windows->openPrediction(); }
    static void openAnalysis(MainFrm& frame, const QString& window)
    {
        frame.m_windows->openAnalysis(window);
    }
    static void openEntryWindow(MainFrm& frame) { frame.openEntryWindow(); }
    static void onActivated(MainFrm& frame) { frame.onActivated(); }
};
