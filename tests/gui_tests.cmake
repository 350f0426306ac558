# Window tests (Qt Test), run headless on the offscreen platform. They are linked into one
# program, window_tests, to spare a link of the whole program per test: each test file keeps its
# own QTEST_MAIN, whose main() is renamed after the test (NAME_main), and `window_tests NAME`
# runs that one. Each test is still a process of its own for CTest, with a private runtime
# folder.
set_property(GLOBAL PROPERTY POMURAN_WINDOW_TESTS "")
set_property(GLOBAL PROPERTY POMURAN_WINDOW_TEST_SOURCES "")

# add_window_test(NAME TEST_FILE [MORE_SOURCES...]): TEST_FILE holds the QTEST_MAIN.
function(add_window_test name test_file)
  set(runtime ${CMAKE_CURRENT_BINARY_DIR}/${name}_xdg)
  file(MAKE_DIRECTORY ${runtime})
  file(CHMOD ${runtime} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  set_property(SOURCE ${test_file} APPEND PROPERTY COMPILE_DEFINITIONS main=${name}_main)
  set_property(GLOBAL APPEND PROPERTY POMURAN_WINDOW_TESTS ${name})
  set_property(GLOBAL APPEND PROPERTY POMURAN_WINDOW_TEST_SOURCES ${test_file} ${ARGN})
  add_test(NAME ${name} COMMAND window_tests ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${runtime}")
endfunction()

add_window_test(grid_view_tests ui/grid_view_test.cpp)
add_window_test(analysis_window_tests analyses/analysis_window_test.cpp)
add_window_test(main_frame_test app/main_frame_test.cpp)
add_window_test(standard_dialogs_test app/standard_dialogs_test.cpp)
add_window_test(prediction_window_test prediction/prediction_window_test.cpp)
add_window_test(entry_window_test maintenance/entry_window_test.cpp
  maintenance/http_test_server.cpp)
add_window_test(update_source_test maintenance/update_source_test.cpp
  maintenance/http_test_server.cpp)
add_window_test(ticket_windows_test tickets/ticket_windows_test.cpp)
add_window_test(statistics_window_test stats/statistics_window_test.cpp)
add_window_test(history_reload_test app/history_reload_test.cpp)
add_window_test(backtest_window_test backtest/backtest_window_test.cpp)
add_window_test(keyboard_test ui/keyboard_test.cpp)

# The program itself: a table of the renamed main() functions and a main() that picks one.
get_property(window_tests GLOBAL PROPERTY POMURAN_WINDOW_TESTS)
get_property(window_test_sources GLOBAL PROPERTY POMURAN_WINDOW_TEST_SOURCES)
list(REMOVE_DUPLICATES window_test_sources)
set(declarations "")
set(entries "")
foreach(name IN LISTS window_tests)
  string(APPEND declarations "int ${name}_main(int argc, char* argv[]);\n")
  string(APPEND entries "    {\"${name}\", &${name}_main},\n")
endforeach()
configure_file(window_tests_main.cpp.in ${CMAKE_CURRENT_BINARY_DIR}/window_tests_main.cpp @ONLY)
# What the window tests share: the message-box watcher (and the main window's test seam, a header).
add_executable(window_tests ${CMAKE_CURRENT_BINARY_DIR}/window_tests_main.cpp
  ${window_test_sources} gui_support/message_box_watcher.cpp)
target_link_libraries(window_tests PRIVATE gui test_support Qt6::Test)
add_dependencies(window_tests draw_database)
