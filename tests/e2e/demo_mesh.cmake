# demo_mesh played with user input: the model behind its text box, with and
# without the model file and its textures; Escape and Alt+F4 end it.
woxa_e2e_test(demo_mesh demo_mesh demo_mesh.py)
if(TEST e2e.demo_mesh)
  set_tests_properties(e2e.demo_mesh PROPERTIES RESOURCE_LOCK x11_input)
endif()
