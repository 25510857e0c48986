"""demo_strings prints the parts of its sample path and the words of its
sample line: fourteen lines, the same on every platform."""

import woxa_e2e

EXPECTED = (
    b"orig[C:/txtdocs/readme.txt],\n"
    b"path[C:/txtdocs/],\n"
    b"filename[readme.txt],\n"
    b"ext[txt],\n"
    b"replace[C:/mddocs/readme.md]\n"
    b"parse[C:/][txtdocs/][readme.txt]\n"
    b"\n"
    b'[   aiueo       kakikukeko"sasisuseso"tatituteto"naninuneno" hahihuheho][aiueo]\n'
    b"[kakikukeko]\n"
    b"[sasisuseso]\n"
    b"[tatituteto]\n"
    b"[naninuneno]\n"
    b"[hahihuheho]\n"
    b"\n"
)


def main():
    args = woxa_e2e.parse_args()
    woxa_e2e.prepare_work(args)
    # It reads nothing: input waiting on the pipe must not change a byte.
    for label, stdin in [("no input", b""), ("unread input", b"ignored\n")]:
        result = woxa_e2e.run(args, stdin=stdin)
        woxa_e2e.expect_exit(result, 0, label)
        woxa_e2e.expect_output(EXPECTED, result, label)
    woxa_e2e.finish()


if __name__ == "__main__":
    main()
