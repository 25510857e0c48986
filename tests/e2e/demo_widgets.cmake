# demo_widgets played with user input: the profiler graph and the tiled
# background at start, the three buttons and their log lines, presses
# released on another button, the program without its pictures.
woxa_e2e_test(demo_widgets demo_widgets demo_widgets.py)
if(TEST e2e.demo_widgets)
  set_tests_properties(e2e.demo_widgets PROPERTIES RESOURCE_LOCK x11_input)
endif()
