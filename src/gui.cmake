# gui: the Qt windows on top of core; pomuran: the program.
set(GUI_SOURCES
  # grid view and analysis window
  # main window
  # prediction window
  # entry window
)
if(GUI_SOURCES)
  add_library(gui STATIC ${GUI_SOURCES})
  target_include_directories(gui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(gui PUBLIC core Qt6::Widgets Qt6::PrintSupport)
endif()
# program executable (main window helper adds it here)
