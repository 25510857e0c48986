"""demo_texdump reads one word from standard input, loads that TGA file and
writes "[name]TextureData.txt" beside it. Each case runs in a folder of its
own; the files it leaves there are compared byte for byte (the program
writes text-mode line ends, CRLF on Windows)."""

import os
import stat

import woxa_e2e

PROMPT = b"input texture filename:"
OK = PROMPT + b"ok.\n"
FAILED = PROMPT + b"failed.\n"
# The entry function returns -1: the platform reports its low byte, 255, on
# Linux and under Wine alike.
EXIT_OK = 1
EXIT_FAILED = 255

HEAD = (b"#define TEXTUREWIDTH %d\n#define TEXTUREHEIGHT %d\n\n"
        b"unsigned char TexturePixel[TEXTUREWIDTH * TEXTUREHEIGHT * 4] = {\n    ")
TAIL = b"\n};\n\n"


def tga(image_type, width, height, depth, descriptor, data):
    header = bytes([0, 0, image_type, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                    width & 255, width >> 8, height & 255, height >> 8, depth, descriptor])
    return header + bytes(data)


# name -> (file bytes, the expected texture data file with LF line ends)
IMAGES = {
    # The worked example: (255, 0, 0, 255) and (0, 128, 255, 64).
    "example.tga": (
        tga(2, 2, 1, 32, 8, [0, 0, 255, 255, 255, 128, 0, 64]),
        HEAD % (2, 1) + b"0xFF,0x00,0x00,0xFF, 0x00,0x80,0xFF,0x40" + TAIL),
    # One pixel: one line, no separator, no comma; 10 is written 0x0A.
    "one.tga": (
        tga(2, 1, 1, 24, 0, [0, 10, 171]),
        HEAD % (1, 1) + b"0xAB,0x0A,0x00,0xFF" + TAIL),
    # Four grey pixels fill exactly one line.
    "FOUR.TGA": (
        tga(3, 4, 1, 8, 0, [0, 1, 128, 255]),
        HEAD % (4, 1) + b"0x00,0x00,0x00,0xFF, 0x01,0x01,0x01,0xFF, "
        b"0x80,0x80,0x80,0xFF, 0xFF,0xFF,0xFF,0xFF" + TAIL),
    # Five pixels: a full line ending with a comma, then the fifth alone.
    "five.tga": (
        tga(2, 5, 1, 32, 8, list(range(20))),
        HEAD % (5, 1) + b"0x02,0x01,0x00,0x03, 0x06,0x05,0x04,0x07, 0x0A,0x09,0x08,0x0B, "
        b"0x0E,0x0D,0x0C,0x0F,\n    0x12,0x11,0x10,0x13" + TAIL),
    # No pixels: the declaration, a line of four spaces and the closing line.
    "empty.tga": (
        tga(2, 0, 0, 24, 0, []),
        HEAD % (0, 0) + TAIL),
}


def native_text(text, args):
    return text.replace(b"\n", b"\r\n") if args.program.lower().endswith(".exe") else text


def case_folder(args, label):
    folder = os.path.join(args.work, label)
    os.makedirs(folder)
    return folder


def outputs(folder):
    return sorted(name for name in os.listdir(folder) if name.endswith("]TextureData.txt"))


def read(path):
    with open(path, "rb") as f:
        return f.read()


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def run_case(args, label, stdin, expected_exit, expected_stdout, folder, timeout=woxa_e2e.DEFAULT_TIMEOUT):
    result = woxa_e2e.run(args, stdin=stdin, cwd=folder, timeout=timeout)
    woxa_e2e.expect_exit(result, expected_exit, label)
    woxa_e2e.expect_output(expected_stdout, result, label)
    return result


def check_images(args):
    for name, (data, expected) in IMAGES.items():
        folder = case_folder(args, "image_" + name.replace(".", "_"))
        write(os.path.join(folder, name), data)
        run_case(args, name, name.encode() + b"\n", EXIT_OK, OK, folder)
        output = "[%s]TextureData.txt" % name
        woxa_e2e.check(outputs(folder) == [output], "%s: output files %r" % (name, outputs(folder)))
        if output in outputs(folder):
            message = woxa_e2e.diff_message(native_text(expected, args), read(os.path.join(folder, output)), output)
            if message:
                woxa_e2e.fail(message)


def check_overwrite(args):
    folder = case_folder(args, "overwrite")
    data, expected = IMAGES["example.tga"]
    write(os.path.join(folder, "example.tga"), data)
    output = os.path.join(folder, "[example.tga]TextureData.txt")
    write(output, b"an older and much longer file\n" * 100)
    run_case(args, "overwrite", b"example.tga\n", EXIT_OK, OK, folder)
    message = woxa_e2e.diff_message(native_text(expected, args), read(output), "overwritten file")
    if message:
        woxa_e2e.fail(message)


def check_word(args):
    # Leading blanks and line breaks are skipped and the word ends at a blank.
    folder = case_folder(args, "word")
    data, expected = IMAGES["one.tga"]
    write(os.path.join(folder, "one.tga"), data)
    run_case(args, "word", b"  \n\t one.tga and more\n", EXIT_OK, OK, folder)
    woxa_e2e.check(outputs(folder) == ["[one.tga]TextureData.txt"], "word: outputs %r" % outputs(folder))


def check_failures(args):
    valid = IMAGES["one.tga"][0]
    cases = [
        ("missing file", b"missing.tga\n", {}),
        ("unsupported file", b"rle.tga\n", {"rle.tga": tga(10, 1, 1, 24, 0, [1, 2, 3])}),
        ("header cut short", b"short.tga\n", {"short.tga": valid[:17]}),
        ("no input", b"", {}),
        ("extension Tga", b"valid.Tga\n", {"valid.Tga": valid}),
        # The "[" goes in front of the folder, which does not exist.
        ("name with a folder", b"sub/valid.tga\n", {"sub/valid.tga": valid}),
    ]
    for label, stdin, files in cases:
        folder = case_folder(args, label.replace(" ", "_"))
        for name, data in files.items():
            os.makedirs(os.path.dirname(os.path.join(folder, name)), exist_ok=True)
            write(os.path.join(folder, name), data)
        run_case(args, label, stdin, EXIT_FAILED, FAILED, folder)
        woxa_e2e.check(outputs(folder) == [], "%s: wrote %r" % (label, outputs(folder)))


def traced_opens(result, name):
    """Lines of Wine's file trace (WINEDEBUG=+file) that mention name."""
    return [line for line in result.stderr.splitlines()
            if b"trace:file" in line and name.encode() in line]


def check_untouched(args):
    # Names that the extension rule refuses are FIFOs here: opening one for
    # reading natively waits for a writer that never comes, so a program that
    # touched them would hang instead of answering. Wine opens FIFOs without
    # waiting; there its file trace shows whether the name was looked up.
    folder = case_folder(args, "untouched")
    under_wine = bool(woxa_e2e.runner_command(args.runner))
    saved = os.environ.get("WINEDEBUG")
    if under_wine:
        os.environ["WINEDEBUG"] = "+file"
    try:
        for name in ["picture.bmp", "noextension", "image.tga.bak"]:
            os.mkfifo(os.path.join(folder, name))
            result = run_case(args, name, name.encode() + b"\n", EXIT_FAILED, FAILED, folder, timeout=60)
            woxa_e2e.check(stat.S_ISFIFO(os.stat(os.path.join(folder, name)).st_mode), name + ": FIFO replaced")
            if under_wine:
                woxa_e2e.check(not traced_opens(result, name), name + ": looked up: %r" % traced_opens(result, name))
        if under_wine:
            # The trace does show a name the program opens.
            result = run_case(args, "traced", b"absent.tga\n", EXIT_FAILED, FAILED, folder)
            woxa_e2e.check(traced_opens(result, "absent.tga"), "the file trace shows no lookup of absent.tga")
    finally:
        if saved is None:
            os.environ.pop("WINEDEBUG", None)
        else:
            os.environ["WINEDEBUG"] = saved
    woxa_e2e.check(outputs(folder) == [], "untouched: wrote %r" % outputs(folder))


def main():
    args = woxa_e2e.parse_args()
    woxa_e2e.prepare_work(args)
    check_images(args)
    check_overwrite(args)
    check_word(args)
    check_failures(args)
    check_untouched(args)
    woxa_e2e.finish()


if __name__ == "__main__":
    main()
