# The console programs that only read standard input and write standard
# output: their whole output is compared byte for byte.
woxa_e2e_test(demo_bitflags demo_bitflags console_bitflags.py)
woxa_e2e_test(demo_strings demo_strings console_strings.py)
