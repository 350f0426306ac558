# report: the grid painted on pages and pictures (Qt Gui, no widgets), shared by the windows
# and by pomuran-cli's PDF and PNG output.
add_library(report STATIC
  gui/report/grid_font.cpp
  gui/report/grid_painter.cpp
  gui/report/grid_report.cpp
)
target_include_directories(report PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(report PUBLIC core Qt6::Gui)
# pomuran-cli stays free of Qt so that it starts at once; for PDF and PNG it hands over to
# pomuran-cli-painter, the same commands linked with the report library.
add_executable(pomuran-cli-painter gui/painter/main.cpp)
target_link_libraries(pomuran-cli-painter PRIVATE cli report)
add_dependencies(pomuran-cli pomuran-cli-painter)

# gui: the Qt windows on top of core; pomuran: the program.
add_library(gui STATIC
  gui/ui/busy_pointer.h
  gui/ui/close_child_window.h
  gui/ui/grid_view.cpp
  gui/ui/message_titles.h
  gui/ui/report_actions.cpp
  gui/analyses/analysis_legend.cpp
  gui/analyses/analysis_window.cpp
  gui/prediction/prediction_window.cpp
  gui/maintenance/draw_update_dialog.cpp
  gui/backtest/backtest_window.cpp
  gui/maintenance/entry_table_model.cpp
  gui/maintenance/entry_window.cpp
  gui/maintenance/csv_import_dialog.cpp
  gui/maintenance/empty_history_guide.cpp
  gui/maintenance/update_source_dialog.cpp
  gui/app/help_viewer.cpp
  gui/app/activation_rule.cpp
  gui/app/child_window_host.cpp
  gui/app/child_windows.cpp
  gui/app/history_status_bar.cpp
  gui/app/main_window_geometry.cpp
  gui/app/main_frame.cpp
  gui/app/main_menu.cpp
  gui/app/window_kinds.cpp
  gui/maintenance/draw_data_commands.cpp
  gui/session/draw_session.cpp
  gui/app/program.cpp
  gui/app/version_window.cpp
  gui/app/window_arrangement.cpp
  gui/tickets/combination_window.cpp
  gui/tickets/ticket_register_window.cpp
  gui/tickets/ticket_register_model.cpp
  gui/stats/statistics_window.cpp
)
target_include_directories(gui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(gui PUBLIC core report Qt6::Widgets Qt6::PrintSupport Qt6::Charts)
# statistics window: SVG saving
find_package(Qt6 REQUIRED COMPONENTS Svg)
target_link_libraries(gui PUBLIC Qt6::Svg)

# The help pages and their keyword index, read by the help viewer from :/help.
set(POMURAN_HELP_DIR ${CMAKE_SOURCE_DIR}/data/help)
qt_add_resources(gui "help" PREFIX "/help" BASE ${POMURAN_HELP_DIR} FILES
  ${POMURAN_HELP_DIR}/index.txt
  ${POMURAN_HELP_DIR}/about.html
  ${POMURAN_HELP_DIR}/analyses.html
  ${POMURAN_HELP_DIR}/prediction.html
  ${POMURAN_HELP_DIR}/backtest.html
  ${POMURAN_HELP_DIR}/data_entry.html
  ${POMURAN_HELP_DIR}/data_update.html
  ${POMURAN_HELP_DIR}/data_import.html
  ${POMURAN_HELP_DIR}/output.html
  ${POMURAN_HELP_DIR}/windows.html
  ${POMURAN_HELP_DIR}/tickets.html
  ${POMURAN_HELP_DIR}/statistics.html)

qt_add_executable(pomuran gui/app/main.cpp)
target_link_libraries(pomuran PRIVATE gui)
add_dependencies(pomuran draw_database)
