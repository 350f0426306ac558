# Window tests (Qt Test), run headless on the offscreen platform.
# grid view and analysis window
# main window
# prediction window
# entry window
