"""demo_bitflags prints its twenty lines and ends with exit code 0 whatever
standard input brings: a number, something that is not a number, or an
end of input right away."""

import woxa_e2e

EXPECTED = (
    b"init: 0000000000\n"
    b"set: 0000010101\n"
    b"flip 4,5: 0000100101\n"
    b"flip all: 1111011010\n"
    b"~operator: 0000100101\n"
    b"clear: 0000000000\n"
    b"\n"
    b"  10011\n"
    b"& 00110\n"
    b"= 00010\n"
    b"\n"
    b"  10011\n"
    b"| 00110\n"
    b"= 10111\n"
    b"\n"
    b"  10011\n"
    b"^ 00110\n"
    b"= 10101\n"
    b"using enum: 10010\n"
    b"input any key\n"
)

INPUTS = [
    ("a number", b"42\n"),
    ("blank lines before a number", b"\n  \n\t7\n"),
    ("not a number", b"x\n"),
    ("end of input at once", b""),
    ("only whitespace, then end of input", b" \n \n"),
]


def main():
    args = woxa_e2e.parse_args()
    woxa_e2e.prepare_work(args)
    for label, stdin in INPUTS:
        result = woxa_e2e.run(args, stdin=stdin)
        woxa_e2e.expect_exit(result, 0, label)
        woxa_e2e.expect_output(EXPECTED, result, label)
    woxa_e2e.finish()


if __name__ == "__main__":
    main()
