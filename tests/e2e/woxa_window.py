"""Plays a scenario of user input to a windowed program and looks at its window.

A scenario is a list of steps, played in one of two ways:
- under Wine (the win64 build, a runner is given): the program opens a real
  window on the X display named by DISPLAY; keys, clicks and the wheel are
  real X input from xdotool; frames are captured with ImageMagick's import;
- headless (the linux build): the steps become the headless platform's input
  script (WOXA_HEADLESS_SCRIPT), played inside the program through SendInput,
  and frames are read from what the program presented.

Steps:
    ("key", "shift+a")      a key or chord, in xdotool's names
    ("move", x, y)          move the mouse to client position (x, y)
    ("click", x, y)         move there and click the left button
    ("press", x, y) / ("release", x, y)   left button down / up at (x, y)
    ("wheel", "down"|"up")  one wheel notch towards / away from the user
    ("resize", w, h)        make the client area w x h (under Wine the X window
                            is the client area: no window manager runs)
    ("wait",)               let a few frames pass
    ("capture", name)       capture the client area as frame `name`

    result = play(args, steps, title="WOXAMainWindow")
    result.frames["start"].pixel(400, 300)  -> (r, g, b)
"""

import os
import subprocess
import time

import woxa_e2e

# Virtual-key codes of the key names the scenarios use.
_VK = {"shift": 0x10, "ctrl": 0x11, "alt": 0x12, "Return": 0x0D, "Escape": 0x1B, "Tab": 0x09,
       "BackSpace": 0x08, "space": 0x20, "Prior": 0x21, "Next": 0x22, "End": 0x23, "Home": 0x24,
       "Left": 0x25, "Up": 0x26, "Right": 0x27, "Down": 0x28, "Delete": 0x2E}
for _n in range(1, 13):
    _VK["F%d" % _n] = 0x6F + _n


def _vk(name):
    if name in _VK:
        return _VK[name]
    if len(name) == 1 and name.isalnum():
        return ord(name.upper())
    raise ValueError("no virtual key for %r" % name)


class Frame:
    """A captured client area: width, height and RGB rows from the top."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def count(self, predicate, box=None):
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        return sum(1 for y in range(y0, y1) for x in range(x0, x1) if predicate(self.pixel(x, y)))


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b"P6" or fields[3] != b"255":
        raise ValueError("%s: not an 8-bit binary PPM" % path)
    width, height = int(fields[1]), int(fields[2])
    pos += 1
    return Frame(width, height, data[pos:pos + width * height * 3])


class PlayResult:
    def __init__(self, result, frames):
        self.result = result
        self.frames = frames


def play(args, steps, title="WOXAMainWindow", copy_data=True, timeout=120):
    woxa_e2e.prepare_work(args, copy_data=copy_data)
    if woxa_e2e.runner_command(args.runner):
        return _play_wine(args, steps, title, timeout)
    return _play_headless(args, steps, timeout)


# ------------------------------------------------------------------ headless

def _script_lines(step, work):
    kind = step[0]
    if kind == "key":
        names = step[1].split("+")
        return (["keydown 0x%02X" % _vk(n) for n in names] +
                ["keyup 0x%02X" % _vk(n) for n in reversed(names)] + ["frames 1"])
    if kind == "move":
        return ["move %d %d" % (step[1], step[2]), "frames 1"]
    if kind == "click":
        return ["move %d %d" % (step[1], step[2]), "down left", "up left", "frames 1"]
    if kind in ("press", "release"):
        return ["move %d %d" % (step[1], step[2]), ("down left" if kind == "press" else "up left"), "frames 1"]
    if kind == "wheel":
        return ["wheel %d" % (-120 if step[1] == "down" else 120), "frames 1"]
    if kind == "resize":
        return ["resize %d %d" % (step[1], step[2]), "frames 1"]
    if kind == "wait":
        return ["frames 5"]
    if kind == "capture":
        return ["frames 1", "capture %s" % os.path.join(work, step[1] + ".ppm")]
    raise ValueError("unknown step %r" % (step,))


def _play_headless(args, steps, timeout):
    lines = ["frames 2"]
    for step in steps:
        lines += _script_lines(step, os.path.abspath(args.work))
    script = os.path.join(args.work, "input-script.txt")
    with open(script, "w") as f:
        f.write("\n".join(lines) + "\n")
    os.environ["WOXA_HEADLESS_SCRIPT"] = script
    try:
        result = woxa_e2e.run(args, timeout=timeout)
    finally:
        del os.environ["WOXA_HEADLESS_SCRIPT"]
    frames = {}
    for step in steps:
        if step[0] == "capture":
            path = os.path.join(args.work, step[1] + ".ppm")
            if os.path.exists(path):
                frames[step[1]] = read_ppm(path)
    return PlayResult(result, frames)


# ------------------------------------------------------------------ Wine

def _xdotool(*words, check=True):
    return subprocess.run(["xdotool"] + [str(w) for w in words], check=check,
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=30).stdout.decode()


def _find_window(title, process, deadline):
    while time.time() < deadline and process.poll() is None:
        out = _xdotool("search", "--onlyvisible", "--name", "^%s$" % title, check=False).split()
        if out:
            return out[-1]
        time.sleep(0.2)
    return None


def _play_wine(args, steps, title, timeout):
    command = woxa_e2e.runner_command(args.runner) + [os.path.abspath(args.program)]
    out_path = os.path.join(args.work, "stdout.bin")
    err_path = os.path.join(args.work, "stderr.bin")
    frames = {}
    with open(out_path, "wb") as out, open(err_path, "wb") as err:
        process = subprocess.Popen(command, cwd=args.work, stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                                   start_new_session=True)
        deadline = time.time() + timeout
        window = _find_window(title, process, deadline)
        timed_out = False
        if window is None:
            woxa_e2e.fail("no window titled %r appeared" % title)
        else:
            time.sleep(0.5)
            # The pointer inside the window gives it the keyboard focus.
            _xdotool("mousemove", "--window", window, 5, 5)
            time.sleep(0.3)
            for step in steps:
                if process.poll() is not None:
                    break
                _wine_step(step, window, args.work, frames)
        try:
            process.wait(timeout=max(1, deadline - time.time()))
        except subprocess.TimeoutExpired:
            timed_out = True
            woxa_e2e._kill_group(process)
            process.wait()
    with open(out_path, "rb") as f:
        stdout = f.read()
    with open(err_path, "rb") as f:
        stderr = f.read()
    result = woxa_e2e.Result(command, None if timed_out else process.returncode, stdout, stderr, timed_out)
    return PlayResult(result, frames)


def _wine_step(step, window, work, frames):
    kind = step[0]
    if kind == "key":
        _xdotool("key", step[1])
    elif kind == "move":
        _xdotool("mousemove", "--window", window, step[1], step[2])
    elif kind == "click":
        _xdotool("mousemove", "--window", window, step[1], step[2])
        time.sleep(0.1)
        _xdotool("click", 1)
    elif kind in ("press", "release"):
        _xdotool("mousemove", "--window", window, step[1], step[2])
        time.sleep(0.1)
        _xdotool("mousedown" if kind == "press" else "mouseup", 1)
    elif kind == "wheel":
        _xdotool("click", 5 if step[1] == "down" else 4)
    elif kind == "resize":
        _xdotool("windowsize", window, step[1], step[2])
        time.sleep(0.5)
    elif kind == "wait":
        time.sleep(0.5)
        return
    elif kind == "capture":
        time.sleep(0.3)
        path = os.path.join(work, step[1] + ".ppm")
        subprocess.run(["import", "-window", window, "-depth", "8", "ppm:" + path], check=False,
                       stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=60)
        if os.path.exists(path):
            frames[step[1]] = read_ppm(path)
        return
    else:
        raise ValueError("unknown step %r" % (step,))
    time.sleep(0.25)
