# demo_pointer played with user input: the arrow and the picture drawn at
# the mouse, the pointer hidden and shown, the system pointer and back, the
# program without its picture.
woxa_e2e_test(demo_pointer demo_pointer demo_pointer.py)
if(TEST e2e.demo_pointer)
  set_tests_properties(e2e.demo_pointer PROPERTIES RESOURCE_LOCK x11_input)
endif()
