# gui: the Qt windows on top of core; pomuran: the program.
add_library(gui STATIC
  # grid view and analysis window
  # main window
  # prediction window
  # entry window
)
target_include_directories(gui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(gui PUBLIC core Qt6::Widgets Qt6::PrintSupport)
