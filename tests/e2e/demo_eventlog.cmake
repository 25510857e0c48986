# demo_eventlog played with user input: clicks and keys logged in their
# colours and formats, F4 alone ignored, the wheel scrolling to both ends,
# Escape.
woxa_e2e_test(demo_eventlog demo_eventlog demo_eventlog.py)
if(TEST e2e.demo_eventlog)
  set_tests_properties(e2e.demo_eventlog PROPERTIES RESOURCE_LOCK x11_input)
endif()
