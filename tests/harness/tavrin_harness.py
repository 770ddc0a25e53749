"""Helpers for the black-box scenarios: drive the real Tavrin.scr inside the Wine session that
`tests/harness/session start` prepared, and observe it the way a user would.

Environment (set by CTest through tavrin_add_wine_test):
  TAVRIN_HARNESS    the session folder; its `env` file holds WINEPREFIX, DISPLAY, TAVRIN_PROBE...
  TAVRIN_BUILD_DIR  the build tree; screenshots go to <build>/artifacts/<scenario>/
  TAVRIN_SCR        the program under test

Observation goes through the probe (tests/harness/probe), `wine reg`, xdotool and ImageMagick.
Waiting for something to happen polls with a time limit. Fixed sleeps are kept for what must
not happen within a time (a reaction time), for real-time intervals, for input timing such as
the double-click time, and for the short settle time Wine needs after a window appears before it
takes input.
"""

import atexit
import contextlib
import json
import os
import re
import select
import shlex
import shutil
import struct
import subprocess
import sys
import threading
import time
import unittest

PRODUCT_KEY = r"HKEY_CURRENT_USER\Software\Quillam\Tavrin"
DESKTOP_KEY = r"HKEY_CURRENT_USER\Control Panel\Desktop"
SCREEN = (1024, 768)

# The single-instance name: a copy that finds it taken opens nothing.
INSTANCE_NAME = "Tavrin_ScreenSaver(c)Brennholt"

SAVER_CLASS = "TFormScreenSaver"
SAVER_TITLE = "ScreenSaverWindow"
CONFIGURE_CLASS = "TFormConfigure"
PASSWORD_CLASS = "TFormPassword"

# ImageMagick from Debian; another convert may sit earlier on PATH.
CONVERT = "/usr/bin/convert"
COMPARE = "/usr/bin/compare"
IMPORT = "/usr/bin/import"

# Wine needs this long after a window shows before it reliably takes X input.
INPUT_SETTLE = 0.3


class HarnessError(AssertionError):
    """A failed expectation or a harness step that could not be done."""


def _load_env():
    harness = os.environ.get("TAVRIN_HARNESS")
    if not harness:
        raise HarnessError("TAVRIN_HARNESS is not set (run through ctest, or see tests/harness/README.md)")
    path = os.path.join(harness, "env")
    if not os.path.exists(path):
        raise HarnessError(f"{path} is missing: the session is not running (tests/harness/session start)")
    env = dict(os.environ)
    with open(path, encoding="utf-8") as handle:
        for line in handle:
            line = line.strip()
            if not line.startswith("export "):
                continue
            name, _, value = line[len("export "):].partition("=")
            words = shlex.split(value)
            env[name] = words[0] if words else ""
    return env


ENV = _load_env()
if ENV.get("TAVRIN_SESSION_UNAVAILABLE"):
    sys.stderr.write(f"not tested: {ENV['TAVRIN_SESSION_UNAVAILABLE']}\n")
    sys.exit(77)  # CTest counts the scenario as skipped
# The prefix reports Windows 95, 98 or ME, and Wine answers as that family does.
WINDOWS_95_FAMILY = ENV.get("TAVRIN_WINE_VERSION") in ("win95", "win98", "winme")
SCR = os.environ.get("TAVRIN_SCR", "")
BUILD_DIR = os.environ.get("TAVRIN_BUILD_DIR", os.path.dirname(os.environ["TAVRIN_HARNESS"]))
PROBE = ENV.get("TAVRIN_PROBE", "")
SCR_NAME = os.path.basename(SCR)


def windows_path(path):
    """The prefix maps drive Z: to the Unix root."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def run(args, timeout=20, check=True):
    # Wine's console tools print in the Windows code page (and `reg query` prints stray bytes
    # for an empty string with no data), so undecodable bytes are replaced, not fatal.
    result = subprocess.run(args, env=ENV, capture_output=True, text=True, encoding="utf-8",
                            errors="replace", timeout=timeout)
    if check and result.returncode != 0:
        raise HarnessError(f"{' '.join(args)} exited {result.returncode}: {result.stderr.strip()}")
    return result


# What Wine's launcher prints when it could not start a program at all (seen now and then on a
# loaded machine, for a tool that starts fine the next time).
LAUNCH_FAILED = "ShellExecuteEx failed"


def wine(*args, timeout=20, check=True):
    """Runs a Windows tool (the probe, reg, regedit) and returns its result; a start that Wine's
    launcher itself failed is tried again, twice at most."""
    for _ in range(3):
        result = run(["wine", *args], timeout=timeout, check=False)
        if LAUNCH_FAILED not in result.stdout + result.stderr:
            break
    if check and result.returncode != 0:
        raise HarnessError(f"wine {' '.join(args)} exited {result.returncode}: {result.stderr.strip()}")
    return result


# ---- probe -------------------------------------------------------------------------------------

class _ProbeServer:
    """One probe process in serve mode: a call costs milliseconds instead of a Wine start."""

    def __init__(self):
        self.lock = threading.Lock()
        self.start()

    def start(self):
        self.process = subprocess.Popen(["wine", PROBE, "serve"], env=ENV, stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                        start_new_session=True)
        self.pending = b""

    def call(self, args, timeout):
        with self.lock:
            self.process.stdin.write(("\t".join(args) + "\n").encode("utf-8"))
            self.process.stdin.flush()
            deadline = time.monotonic() + timeout
            while b"\x1e" not in self.pending:
                left = deadline - time.monotonic()
                if left <= 0 or not select.select([self.process.stdout], [], [], left)[0]:
                    self.restart()
                    raise HarnessError(f"probe {' '.join(args)}: no answer within {timeout} s")
                chunk = os.read(self.process.stdout.fileno(), 1 << 20)
                if not chunk:
                    self.restart()
                    raise HarnessError(f"probe {' '.join(args)}: the probe server ended")
                self.pending += chunk
            output, _, rest = self.pending.partition(b"\x1e")
            code, _, self.pending = rest.partition(b"\n")
            return int(code), output.decode("utf-8", errors="replace")

    def restart(self):
        kill(self.process)
        self.close()
        self.start()

    def close(self):
        # End of input ends the probe; kill it only if it does not go.
        try:
            self.process.stdin.close()
            self.process.wait(timeout=5)
        except (OSError, subprocess.TimeoutExpired):
            kill(self.process)
        self.process.stdout.close()


_server = None


@contextlib.contextmanager
def probe_server():
    """Within the block every probe call goes to one long-running probe: for scenarios that
    ask hundreds of questions."""
    global _server
    previous, _server = _server, _ProbeServer()
    try:
        yield
    finally:
        _server.close()
        _server = previous


def probe(*args, timeout=20):
    """Runs the probe and returns (exit code, parsed JSON)."""
    if _server:
        code, text = _server.call([str(a) for a in args], timeout)
        if code == 2:
            raise HarnessError(f"probe {' '.join(args)}: bad usage")
        text = text.strip()
        try:
            return code, json.loads(text) if text else None
        except json.JSONDecodeError as error:
            raise HarnessError(f"probe {' '.join(args)} printed no JSON: {text!r}") from error
    result = wine(PROBE, *args, timeout=timeout, check=False)
    if result.returncode == 2:
        raise HarnessError(f"probe {' '.join(args)}: bad usage: {result.stderr.strip()}")
    text = result.stdout.strip()
    try:
        return result.returncode, json.loads(text) if text else None
    except json.JSONDecodeError as error:
        raise HarnessError(f"probe {' '.join(args)} printed no JSON: {text!r}") from error


def _filters(cls=None, title=None, exe=None, pid=None, visible=None):
    words = []
    if cls:
        words.append(f"class={cls}")
    if title is not None:
        words.append(f"title={title}")
    if exe:
        words.append(f"exe={exe}")
    if pid:
        words.append(f"pid={pid}")
    if visible:
        words.append("visible=1")
    return words


def windows(cls=None, title=None, exe=None, pid=None, visible=None):
    """Top-level windows as dicts: hwnd, pid, class, title, exe, rect [x, y, w, h], visible,
    topmost, style, exstyle, owner."""
    return probe("windows", *_filters(cls, title, exe, pid, visible))[1]


def program_windows(visible=True):
    """Windows of the program under test, the input method's helper windows left out."""
    return [w for w in windows(exe=SCR_NAME, visible=visible) if w["class"] != "IME"]


# How long something that must happen (a window comes, a program ends) may take: a program
# started on a loaded 2-core machine has taken more than 5 s to show its first window.
WAIT_TIMEOUT = 20.0


def wait_window(cls=None, title=None, exe=None, pid=None, visible=True, timeout=WAIT_TIMEOUT):
    """Waits until a matching top-level window exists (the probe polls every 20 ms) and returns
    it with the time it took as window["elapsed_ms"]. Fails on time-out."""
    code, answer = probe("wait", *_filters(cls, title, exe, pid, visible),
                         f"timeout={int(timeout * 1000)}", timeout=timeout + 20)
    if code != 0:
        raise HarnessError(f"no window (class={cls}, title={title}, exe={exe}) within {timeout} s; "
                           f"windows of {SCR_NAME}: {describe(program_windows(visible=False))}")
    window = answer["window"]
    window["elapsed_ms"] = answer["elapsed_ms"]
    return window


def wait_gone(cls=None, title=None, exe=None, pid=None, visible=False, timeout=WAIT_TIMEOUT):
    code, _ = probe("gone", *_filters(cls, title, exe, pid, visible), f"timeout={int(timeout * 1000)}",
                    timeout=timeout + 20)
    if code != 0:
        raise HarnessError(f"window (class={cls}, title={title}) still there after {timeout} s")


def state():
    """Screen size, taskbar {exists, visible, rect}, saver_running, foreground, cursor, clip."""
    return probe("state")[1]


def reset_state():
    """Clears the screen-saver-running flag (it outlives the program that set it), shows the
    taskbar and frees the pointer."""
    return probe("reset")[1]


def message_box(pid=None, exe=None):
    """The first message box of the program: its window fields plus texts and buttons, or None."""
    return probe("msgbox", *_filters(exe=exe or SCR_NAME, pid=pid))[1]


def wait_message_box(timeout=WAIT_TIMEOUT, exe=None):
    window = wait_window(cls="#32770", exe=exe or SCR_NAME, timeout=timeout)
    box = message_box(pid=window["pid"])
    if box is None:
        raise HarnessError("the message box went away before it could be read")
    return box


def press(button=None, pid=None, exe=None):
    args = _filters(exe=exe or SCR_NAME, pid=pid)
    if button:
        args.append(f"button={button}")
    code, answer = probe("press", *args)
    if code != 0:
        raise HarnessError(f"no message box button {button!r} to press")
    return answer


def close(window):
    """Posts WM_CLOSE, as the system does when it closes a window."""
    code, _ = probe("close", str(window["hwnd"]))
    if code != 0:
        raise HarnessError(f"window {window['hwnd']} ({window['class']}) no longer exists; "
                           f"windows of {SCR_NAME}: {describe(program_windows(visible=False))}")


def describe(window_list):
    return ", ".join(f"{w['class']}/{w['title']!r}" for w in window_list) or "none"


# ---- registry ----------------------------------------------------------------------------------

def reg_load(text, name="state.reg"):
    """Imports REGEDIT4 text (the header is added) with `regedit /S`: one call sets many values.
    Lines: [KEY], [-KEY], "v"="text", "v"=dword:0000006f, "v"=hex:..., "v"=-."""
    folder = os.path.join(os.environ["TAVRIN_HARNESS"], "tmp")
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, name)
    body = "REGEDIT4\r\n\r\n" + "\r\n".join(line.strip() for line in text.strip().splitlines()) + "\r\n"
    with open(path, "w", encoding="latin-1", newline="") as handle:
        handle.write(body)
    wine("regedit", "/S", windows_path(path))


def reg_query(key, value):
    """(type name, data text) as `wine reg query` shows them, or None when the value is missing.
    REG_DWORD data reads "0x6f", REG_BINARY a hex string. Wine 8 shows a REG_SZ with no data
    as stray bytes: read strings with reg_string."""
    result = wine("reg", "query", key, "/v", value, check=False)
    if result.returncode != 0:
        return None
    for line in result.stdout.splitlines():
        parts = line.strip("\r\n").split("    ")
        # "    Name    REG_TYPE    data": the line starts with the separator.
        if len(parts) >= 3 and parts[0] == "" and parts[1].lower() == value.lower():
            return parts[2], "    ".join(parts[3:])
    raise HarnessError(f"cannot read `wine reg query` output: {result.stdout!r}")


def reg_raw(key, value):
    """{type, size, data (hex)} of a value read through RegQueryValueExA, or None. `key` is
    relative to HKEY_CURRENT_USER."""
    return probe("reg", key, value)[1]


def reg_string(key, value):
    """(text up to the first zero byte, data size in bytes) of a REG_SZ value, or None when it
    is missing. `key` is relative to HKEY_CURRENT_USER. Fails on another type and on bytes after
    a zero."""
    raw = reg_raw(key, value)
    if raw is None:
        return None
    if raw["type"] != 1:
        raise HarnessError(f"{key}\\{value} has type {raw['type']}, not REG_SZ")
    text, _, rest = bytes.fromhex(raw["data"]).partition(b"\0")
    if rest:
        raise HarnessError(f"{key}\\{value} holds bytes after its terminating zero: {raw['data']}")
    return text.decode("latin-1"), raw["size"]


def reg_values(*keys):
    """Every value of each key (relative to HKEY_CURRENT_USER), in one probe call, as
    {key: {name: (type, data bytes)} or None when the key is missing}: a before/after pair
    shows any value a program added, changed or removed."""
    _, answer = probe("values", *keys, timeout=60)
    return {key: None if found is None else
            {item["name"]: (item["type"], bytes.fromhex(item["data"])) for item in found}
            for key, found in answer.items()}


def reg_key_exists(key):
    return wine("reg", "query", key, check=False).returncode == 0


@contextlib.contextmanager
def display_density(dpi):
    """The screen's pixels per inch as Wine reports them to the programs started in the block
    (GetDeviceCaps(LOGPIXELSX/Y)); the screen keeps its size."""
    before = reg_query(DESKTOP_KEY, "LogPixels")
    reg_load(f'[{DESKTOP_KEY}]\n"LogPixels"={dword(dpi)}', name="dpi.reg")
    try:
        yield
    finally:
        restore = dword(int(before[1], 16)) if before else "-"
        reg_load(f'[{DESKTOP_KEY}]\n"LogPixels"={restore}', name="dpi.reg")


def reset_registry():
    """No product key, no "ScreenSaveUsePassword" (the system's password option off), no
    screen-saver flag, taskbar shown."""
    reg_load(f"""
        [-{PRODUCT_KEY}]
        [{DESKTOP_KEY}]
        "ScreenSaveUsePassword"=-
    """, name="reset.reg")
    reset_state()


def dword(value):
    return f"dword:{value & 0xFFFFFFFF:08x}"


def double(value):
    """REG_BINARY with the 8 bytes of an IEEE-754 double, little-endian."""
    return "hex:" + ",".join(f"{b:02x}" for b in struct.pack("<d", value))


def product_key(**values):
    """A [product key] block for reg_load: int -> dword, float -> 8-byte double, str -> string,
    bytes -> hex, None -> delete the value."""
    lines = [f"[{PRODUCT_KEY}]"]
    for name, value in values.items():
        if value is None:
            data = "-"
        elif isinstance(value, bool) or isinstance(value, int):
            data = dword(int(value))
        elif isinstance(value, float):
            data = double(value)
        elif isinstance(value, bytes):
            data = "hex:" + ",".join(f"{b:02x}" for b in value)
        else:
            data = '"' + value.replace("\\", "\\\\").replace('"', '\\"') + '"'
        lines.append(f'"{name}"={data}')
    return "\n".join(lines)


def valid_settings(**overrides):
    """A complete product key as the configuration dialog writes it."""
    values = dict(Version="2", Sensitivity=111, PictureSet=1, CLS=10.0, Speed=5, Background=1)
    values.update({f"Pic_{n:02d}": 1 for n in range(1, 26)})
    values.update(overrides)
    return values


# ---- program -----------------------------------------------------------------------------------

_started = []


_name_watch = None


def wait_last_copy_gone(timeout=WAIT_TIMEOUT):
    """Waits until no copy of the program holds its single-instance name and none of its windows
    is left. A copy that has just ended may hold both a moment longer than its `wine` process
    lives, while the Wine server closes its handles and destroys its windows: a copy started
    then would rightly take itself for a second one, and a scenario waiting for the new copy's
    window could find the old one. Asked of a probe server kept for the scenario, since it is
    asked before nearly every start."""
    global _name_watch
    if _name_watch is None:
        _name_watch = _ProbeServer()
        atexit.register(_name_watch.close)
    code, _ = _name_watch.call(["released", INSTANCE_NAME, f"timeout={int(timeout * 1000)}"], timeout + 20)
    if code != 0:
        raise HarnessError(f"the instance name is still held {timeout} s after the last copy ended")
    code, _ = _name_watch.call(["gone", f"exe={SCR_NAME}", f"timeout={int(timeout * 1000)}"], timeout + 20)
    if code != 0:
        raise HarnessError(f"windows of {SCR_NAME} are left {timeout} s after the last copy ended: "
                           f"{describe(program_windows(visible=False))}")


def start_saver(*args, program=None, env=None):
    """Starts the program (or a copy of it at `program`) with the given arguments. `wine`
    returns when the Windows program ends, so the Popen's wait() and returncode follow it.
    Unless a copy the scenario started still runs (a test of the second copy), the new one is
    started only when the instance name is free. `env` adds to the session's environment."""
    program = program or SCR
    if not program or not os.path.exists(program):
        raise HarnessError(f"program not built: {program!r}")
    if not any(p.poll() is None for p in _started):
        wait_last_copy_gone()
    process = subprocess.Popen(["wine", program, *args], env=dict(ENV, **(env or {})), stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               start_new_session=True)
    process.started_at = time.monotonic()
    _started.append(process)
    return process


def wait_exit(process, timeout=WAIT_TIMEOUT):
    """Waits for the program to end; on time-out kills it and fails."""
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        kill(process)
        raise HarnessError(f"the program did not end within {timeout} s (killed)") from None


def kill(process):
    if process.poll() is None:
        process.kill()
        try:
            process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            pass


def cleanup_programs():
    """Kills every program a scenario started that is still running. Returns how many had to be
    ended."""
    running = [p for p in _started if p.poll() is None]
    for process in running:
        kill(process)
    _started.clear()
    return len(running)


# ---- input (xdotool) -----------------------------------------------------------------------------

def xdotool(*args, timeout=10):
    return run(["xdotool", *map(str, args)], timeout=timeout)


def x_window(window, timeout=3.0):
    """The X window that Wine made for a top-level window (found by its title)."""
    deadline = time.monotonic() + timeout
    while True:
        found = run(["xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(window['title'])}$"],
                    check=False).stdout.split()
        if found:
            return found[-1]
        if time.monotonic() > deadline:
            raise HarnessError(f"no X window named {window['title']!r}")
        time.sleep(0.05)


def focus(window):
    """Gives the window the X keyboard focus, then lets Wine settle before input is sent."""
    xdotool("windowfocus", "--sync", x_window(window))
    time.sleep(INPUT_SETTLE)


def key(*keys):
    xdotool("key", *keys)


def move(x, y):
    xdotool("mousemove", x, y)


def park_pointer():
    """Puts the pointer in the top right corner, away from where message boxes and dialogs
    open. Wine sends a window a mouse move when the window under a resting pointer changes, so
    a box closing under the pointer would move it over the saver."""
    move(SCREEN[0] - 1, 0)


def click(button=1, repeat=1):
    xdotool("click", "--repeat", repeat, "--delay", 80, button)


# ---- screen (ImageMagick) ----------------------------------------------------------------------

class Pattern:
    """Colour bars in a plain Wine window on the desktop, so that a captured desktop is
    recognisable. Use as a context manager; the window goes when the block ends."""

    CLASS = "TavrinHarnessPattern"

    def __init__(self, x=200, y=150, width=400, height=240):
        self.rect = (x, y, width, height)
        self.process = None
        self.window = None

    def __enter__(self):
        """Returns once this block's own window shows (another pattern may be up already)."""
        others = {w["hwnd"] for w in windows(cls=self.CLASS)}
        self.process = subprocess.Popen(["wine", PROBE, "pattern", *map(str, self.rect)], env=ENV,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                        start_new_session=True)
        deadline = time.monotonic() + 5
        while not self.window:
            self.window = next((w for w in windows(cls=self.CLASS, visible=True) if w["hwnd"] not in others), None)
            if not self.window and time.monotonic() > deadline:
                raise HarnessError("the pattern window did not show within 5 s")
        return self

    def __exit__(self, *exc):
        kill(self.process)
        wait_gone(cls=self.CLASS, pid=self.window["pid"])

    def bar_points(self):
        """One point in the middle of each of the eight bars, with its expected colour."""
        x, y, width, height = self.rect
        colours = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0), (255, 0, 255),
                   (0, 255, 255), (255, 255, 255), (128, 64, 0)]
        return [((x + width * (2 * i + 1) // 16, y + height // 2), colour)
                for i, colour in enumerate(colours)]


def screenshot(path):
    run([IMPORT, "-display", ENV["DISPLAY"], "-window", "root", path])
    return path


def pixels(path, points):
    """(r, g, b) colours, 8 bits each, of many pixels in one ImageMagick call."""
    expressions = "".join(f"%[fx:round(255*p{{{x},{y}}}.{channel})]{sep}" for x, y in points
                          for channel, sep in (("r", ","), ("g", ","), ("b", ";")))
    text = run([CONVERT, path, "-format", expressions, "info:"]).stdout
    return [tuple(int(v) for v in item.split(",")) for item in text.strip().strip(";").split(";")]


def pixel(path, x, y):
    return pixels(path, [(x, y)])[0]


def differing_pixels(path_a, path_b, diff_path=None):
    """Number of pixels that differ (`compare -metric AE`)."""
    result = run([COMPARE, "-metric", "AE", path_a, path_b, diff_path or "null:"], check=False)
    if result.returncode not in (0, 1):
        raise HarnessError(f"compare failed: {result.stderr.strip()}")
    return int(float(result.stderr.split()[0]))


def colour_count(path, crop=None):
    """{(r, g, b): count} over the image or a crop (x, y, w, h)."""
    args = [CONVERT, path]
    if crop:
        args += ["-crop", "{2}x{3}+{0}+{1}".format(*crop), "+repage"]
    text = run(args + ["-depth", "8", "-format", "%c", "histogram:info:-"]).stdout
    counts = {}
    for line in text.splitlines():
        count, _, rest = line.strip().partition(":")
        rgb = rest.strip().split(")")[0].strip("( ").split(",")
        counts[tuple(int(float(v)) for v in rgb[:3])] = int(count)
    return counts


# ---- scenarios ---------------------------------------------------------------------------------

class Scenario(unittest.TestCase):
    """Base of a scenario: every test starts with a clean registry, flag and taskbar, and no
    program left running; screenshots go to <build>/artifacts/<module>/<test>/."""

    def setUp(self):
        name = self.id().split(".")[-1]
        module = os.path.splitext(os.path.basename(sys.modules[type(self).__module__].__file__ or "scenario"))[0]
        self.artifacts = os.path.join(BUILD_DIR, "artifacts", module, name)
        shutil.rmtree(self.artifacts, ignore_errors=True)
        os.makedirs(self.artifacts, exist_ok=True)
        if not SCR or not os.path.exists(SCR):
            self.fail(f"program not built: TAVRIN_SCR={SCR!r}")
        reset_registry()
        self.started = time.monotonic()

    def tearDown(self):
        # A test that passed has waited for its programs to end; what is left belongs to a
        # failed one and must not leak into the next test.
        left = cleanup_programs()
        reset_state()
        note = f", killed {left} program(s) left running" if left else ""
        sys.stderr.write(f"  [{self.id().split('.')[-1]}: {time.monotonic() - self.started:.1f} s{note}]\n")

    @contextlib.contextmanager
    def case(self, **params):
        """One row of a table: a subTest that ends the programs it started and resets the shared
        state, so that a failed row does not leave a running copy for the next one."""
        with self.subTest(**params):
            try:
                yield
            finally:
                if cleanup_programs():
                    reset_state()

    def assert_desktop_back(self):
        """The taskbar is shown again and the screen-saver-running flag is cleared."""
        now = state()
        self.assertTrue(now["taskbar"]["visible"], "the taskbar must be shown again")
        self.assertFalse(now["saver_running"], "the screen-saver-running flag must be cleared")

    def shot(self, name):
        return screenshot(os.path.join(self.artifacts, name + ".png"))

    def start(self, *args):
        return start_saver(*args)

    def assert_no_window_and_exit(self, process, args, timeout=WAIT_TIMEOUT):
        """The program ends by itself within the time-out and shows no window on the way."""
        seen = []
        deadline = time.monotonic() + timeout
        while process.poll() is None and time.monotonic() < deadline:
            seen += [w for w in program_windows() if w not in seen]
        try:
            wait_exit(process, timeout=max(0.1, deadline - time.monotonic()))
        except HarnessError:
            self.fail(f"{args}: program still running after {timeout} s; "
                      f"windows: {describe(program_windows(visible=False))}")
        self.assertEqual(seen, [], f"{args}: the program showed windows: {describe(seen)}")


def main():
    """Runs the scenarios of the calling module; exit code 1 when one fails."""
    unittest.main(module="__main__", verbosity=2)
