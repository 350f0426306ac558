# gui: the Qt windows on top of core; pomuran: the program.
set(GUI_SOURCES
  # grid view and analysis window
  ui/analysis_legend.cpp
  ui/analysis_window.cpp
  ui/grid_font.cpp
  ui/grid_view.cpp
  # main window
  app/child_sub_window.h
  ui/busy_pointer.h
  app/help_viewer.cpp
  app/main_frame.cpp
  app/version_window.cpp
  app/window_arrangement.cpp
  # prediction window
  prediction/prediction_window.cpp
  # entry window
  maintenance/entry_table_model.cpp
  maintenance/entry_window.cpp
  # tickets
  tickets/combination_window.cpp
  tickets/ticket_register_window.cpp
)
if(GUI_SOURCES)
  add_library(gui STATIC ${GUI_SOURCES})
  target_include_directories(gui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(gui PUBLIC core Qt6::Widgets Qt6::PrintSupport)
endif()
# program executable (main window helper adds it here)
if(TARGET gui)
  # The help pages and their keyword index, read by the help viewer from :/help.
  set(POMURAN_HELP_DIR ${CMAKE_SOURCE_DIR}/data/help)
  qt_add_resources(gui "help" PREFIX "/help" BASE ${POMURAN_HELP_DIR} FILES
    ${POMURAN_HELP_DIR}/index.txt
    ${POMURAN_HELP_DIR}/about.html
    ${POMURAN_HELP_DIR}/analyses.html
    ${POMURAN_HELP_DIR}/prediction.html
    ${POMURAN_HELP_DIR}/data_entry.html
    ${POMURAN_HELP_DIR}/data_update.html
    ${POMURAN_HELP_DIR}/windows.html)
  qt_add_executable(pomuran app/main.cpp)
  target_link_libraries(pomuran PRIVATE gui)
  add_dependencies(pomuran draw_database)
endif()
