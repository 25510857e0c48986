# The windowed programs, played with user input: real X input under Wine
# (one X display: these tests take turns), scripted SendInput headless.
woxa_e2e_test(demo_window demo_window demo_window.py)
if(TEST e2e.demo_window)
  set_tests_properties(e2e.demo_window PROPERTIES RESOURCE_LOCK x11_input)
endif()
