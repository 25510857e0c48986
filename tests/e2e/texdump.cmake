# demo_texdump: the prompt, the texture data file byte for byte, and the
# exit codes, natively and under Wine.
woxa_e2e_test(demo_texdump demo_texdump texdump.py)
