"""Shared helpers of the end-to-end scripts (Python standard library only).

Every script gets --program, --runner, --data and --work from
woxa_e2e_test() in tests/e2e/CMakeLists.txt. It runs the program as a user
would: from the work directory, through the runner (the Wine wrapper on the
win64 build, empty on linux), with bytes on standard input, and compares
standard output byte for byte after turning CRLF into LF (Windows console
programs write text-mode line ends).

    import woxa_e2e
    args = woxa_e2e.parse_args()
    woxa_e2e.prepare_work(args)
    result = woxa_e2e.run(args, stdin=b"")
    woxa_e2e.expect_output(b"...", result, "first run")
    woxa_e2e.finish()
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys

DEFAULT_TIMEOUT = 120  # seconds; the first Wine run of a fresh prefix is slow

_failures = []


class Result:
    """What one run of the program gave back."""

    def __init__(self, command, returncode, stdout, stderr, timed_out):
        self.command = command
        self.returncode = returncode
        self.stdout = stdout
        self.stderr = stderr
        self.timed_out = timed_out

    def describe(self):
        state = "timed out" if self.timed_out else "exit code %s" % self.returncode
        return "%s: %s" % (" ".join(self.command), state)


def make_parser(description=None):
    """The parser of the four common arguments; scripts may add their own."""
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("--program", required=True, help="the executable under test")
    parser.add_argument("--runner", default="", help="wrapper that runs the program (Wine), or empty")
    parser.add_argument("--data", required=True, help="the demos/data folder")
    parser.add_argument("--work", required=True, help="scratch folder the program runs in")
    return parser


def parse_args(parser=None, argv=None):
    return (parser or make_parser()).parse_args(argv)


def prepare_work(args, copy_data=False):
    """Empties the work folder (creating it) and copies the demo data into it on request."""
    if os.path.isdir(args.work):
        shutil.rmtree(args.work)
    if copy_data:
        shutil.copytree(args.data, args.work)
    else:
        os.makedirs(args.work)
    return args.work


def runner_command(runner):
    # CMake hands the emulator over as a list joined by ";"; one path may
    # contain blanks, so no shell splitting.
    return [part for part in (runner or "").split(";") if part]


def run(args, stdin=b"", timeout=DEFAULT_TIMEOUT, program_args=(), cwd=None):
    """Runs the program once and returns its Result; never raises on failure or timeout."""
    command = runner_command(args.runner) + [os.path.abspath(args.program)] + list(program_args)
    process = subprocess.Popen(command, cwd=cwd or args.work, stdin=subprocess.PIPE,
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                               start_new_session=True)
    try:
        stdout, stderr = process.communicate(stdin, timeout=timeout)
        return Result(command, process.returncode, stdout, stderr, False)
    except subprocess.TimeoutExpired:
        _kill_group(process)
        stdout, stderr = process.communicate()
        return Result(command, None, stdout, stderr, True)


def _kill_group(process):
    # Wine starts helper processes; the whole session goes, not only the child.
    try:
        os.killpg(process.pid, signal.SIGKILL)
    except (OSError, AttributeError):
        process.kill()


def normalise(data):
    """Turns CRLF line ends into LF."""
    return data.replace(b"\r\n", b"\n")


def diff_message(expected, actual, label="output"):
    """A readable account of the first difference between two byte strings, or None."""
    if expected == actual:
        return None
    offset = next((i for i, (e, a) in enumerate(zip(expected, actual)) if e != a),
                  min(len(expected), len(actual)))
    line_number = expected.count(b"\n", 0, offset) + 1
    return "\n".join([
        "%s differs at byte %d (line %d); expected %d bytes, got %d" % (
            label, offset, line_number, len(expected), len(actual)),
        "  expected line: %r" % _line_at(expected, offset),
        "  actual line:   %r" % _line_at(actual, offset),
        "  expected: %r" % expected,
        "  actual:   %r" % actual,
    ])


def _line_at(data, offset):
    start = data.rfind(b"\n", 0, offset) + 1
    end = data.find(b"\n", offset)
    return data[start:] if end < 0 else data[start:end + 1]


def fail(message):
    """Records a failure; the script goes on so that one run reports every fault."""
    _failures.append(message)
    print("FAIL: " + message, file=sys.stderr)


def check(condition, message):
    if not condition:
        fail(message)
    return condition


def expect_exit(result, code, label):
    return check(not result.timed_out and result.returncode == code,
                 "%s: expected exit code %d; %s\nstderr: %r" % (
                     label, code, result.describe(), result.stderr[-2000:]))


def expect_output(expected, result, label):
    """Compares standard output (CRLF normalised) with the expected bytes."""
    message = diff_message(expected, normalise(result.stdout), label + " stdout")
    if message:
        fail(message)
    return message is None


def finish():
    """Ends the script: exit status 1 when anything failed, 0 otherwise."""
    if _failures:
        print("%d check(s) failed" % len(_failures), file=sys.stderr)
        sys.exit(1)
    print("all checks passed")
    sys.exit(0)
