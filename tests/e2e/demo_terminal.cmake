# demo_terminal played with user input: the console opened by Tab and by the
# button, a line typed and taken, closing by Return and by Tab, Escape.
woxa_e2e_test(demo_terminal demo_terminal demo_terminal.py)
if(TEST e2e.demo_terminal)
  set_tests_properties(e2e.demo_terminal PROPERTIES RESOURCE_LOCK x11_input)
endif()
