# Window tests (Qt Test), run headless on the offscreen platform, each with a private runtime
# folder of its own.
# What the window tests share: the message-box watcher and the main window's test seam.
add_library(gui_test_support STATIC gui_support/message_box_watcher.cpp)
target_link_libraries(gui_test_support PUBLIC gui test_support Qt6::Test)

function(add_window_test name)
  set(runtime ${CMAKE_CURRENT_BINARY_DIR}/${name}_xdg)
  file(MAKE_DIRECTORY ${runtime})
  file(CHMOD ${runtime} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE gui_test_support)
  add_dependencies(${name} draw_database)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${runtime}")
endfunction()

add_window_test(grid_view_tests ui/grid_view_test.cpp)
add_window_test(analysis_window_tests analyses/analysis_window_test.cpp)
add_window_test(main_frame_test app/main_frame_test.cpp)
add_window_test(prediction_window_test prediction/prediction_window_test.cpp)
add_window_test(entry_window_test maintenance/entry_window_test.cpp
  maintenance/http_test_server.cpp)
add_window_test(ticket_windows_test tickets/ticket_windows_test.cpp)
add_window_test(statistics_window_test stats/statistics_window_test.cpp)
add_window_test(history_reload_test app/history_reload_test.cpp)
add_window_test(backtest_window_test backtest/backtest_window_test.cpp)
