# Window tests (Qt Test), run headless on the offscreen platform.
foreach(test ui/grid_view analyses/analysis_window)
  get_filename_component(name ${test} NAME)
  add_executable(${name}_tests ${test}_test.cpp)
  target_link_libraries(${name}_tests PRIVATE gui test_support Qt6::Test)
  add_test(NAME ${name}_tests COMMAND ${name}_tests)
  set_tests_properties(${name}_tests PROPERTIES ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg-runtime")
endforeach()
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/xdg-runtime)
file(CHMOD ${CMAKE_BINARY_DIR}/xdg-runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
# main window
set(POMURAN_MAIN_FRAME_XDG ${CMAKE_CURRENT_BINARY_DIR}/main_frame_xdg)
file(MAKE_DIRECTORY ${POMURAN_MAIN_FRAME_XDG})
file(CHMOD ${POMURAN_MAIN_FRAME_XDG} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
add_executable(main_frame_test app/main_frame_test.cpp)
target_link_libraries(main_frame_test PRIVATE gui test_support Qt6::Test)
add_dependencies(main_frame_test draw_database)
add_test(NAME main_frame_test COMMAND main_frame_test)
set_tests_properties(main_frame_test PROPERTIES ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${POMURAN_MAIN_FRAME_XDG}")
# prediction window
set(POMURAN_PREDICTION_XDG ${CMAKE_CURRENT_BINARY_DIR}/prediction_window_xdg)
file(MAKE_DIRECTORY ${POMURAN_PREDICTION_XDG})
file(CHMOD ${POMURAN_PREDICTION_XDG} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
add_executable(prediction_window_test prediction/prediction_window_test.cpp)
target_link_libraries(prediction_window_test PRIVATE gui test_support Qt6::Test)
add_test(NAME prediction_window_test COMMAND prediction_window_test)
set_tests_properties(prediction_window_test PROPERTIES ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${POMURAN_PREDICTION_XDG}")
# entry window
set(POMURAN_ENTRY_WINDOW_XDG ${CMAKE_CURRENT_BINARY_DIR}/entry_window_xdg)
file(MAKE_DIRECTORY ${POMURAN_ENTRY_WINDOW_XDG})
file(CHMOD ${POMURAN_ENTRY_WINDOW_XDG} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
add_executable(entry_window_test maintenance/entry_window_test.cpp maintenance/http_test_server.cpp)
target_link_libraries(entry_window_test PRIVATE gui test_support Qt6::Test)
add_test(NAME entry_window_test COMMAND entry_window_test)
set_tests_properties(entry_window_test PROPERTIES ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${POMURAN_ENTRY_WINDOW_XDG}")
# tickets
set(POMURAN_TICKET_WINDOWS_XDG ${CMAKE_CURRENT_BINARY_DIR}/ticket_windows_xdg)
file(MAKE_DIRECTORY ${POMURAN_TICKET_WINDOWS_XDG})
file(CHMOD ${POMURAN_TICKET_WINDOWS_XDG} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
add_executable(ticket_windows_test tickets/ticket_windows_test.cpp)
target_link_libraries(ticket_windows_test PRIVATE gui test_support Qt6::Test)
add_test(NAME ticket_windows_test COMMAND ticket_windows_test)
set_tests_properties(ticket_windows_test PROPERTIES ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${POMURAN_TICKET_WINDOWS_XDG}")
# statistics window
add_executable(statistics_window_test stats/statistics_window_test.cpp)
target_link_libraries(statistics_window_test PRIVATE gui test_support Qt6::Test)
add_test(NAME statistics_window_test COMMAND statistics_window_test)
set_tests_properties(statistics_window_test PROPERTIES ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg-runtime")
# getting draws in: CSV import, reload, the empty-database guide
set(POMURAN_HISTORY_RELOAD_XDG ${CMAKE_CURRENT_BINARY_DIR}/history_reload_xdg)
file(MAKE_DIRECTORY ${POMURAN_HISTORY_RELOAD_XDG})
file(CHMOD ${POMURAN_HISTORY_RELOAD_XDG} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
add_executable(history_reload_test app/history_reload_test.cpp)
target_link_libraries(history_reload_test PRIVATE gui test_support Qt6::Test)
add_test(NAME history_reload_test COMMAND history_reload_test)
set_tests_properties(history_reload_test PROPERTIES ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${POMURAN_HISTORY_RELOAD_XDG}")
# backtest window
add_executable(backtest_window_test backtest/backtest_window_test.cpp)
target_link_libraries(backtest_window_test PRIVATE gui test_support Qt6::Test)
add_test(NAME backtest_window_test COMMAND backtest_window_test)
set_tests_properties(backtest_window_test PROPERTIES ENVIRONMENT
  "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg-runtime")
