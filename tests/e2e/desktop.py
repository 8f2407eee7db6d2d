"""Runs the real VEVaduDori executable on a private Xvfb display and drives it
as a person would: keys through the X test extension and mouse clicks at the
positions that the main window's own layout table gives. Standard library only."""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

TWIPS_PER_PIXEL = 12
TIMEOUT = 15.0  # seconds for any awaited condition; generous for a loaded CI machine
POLL = 0.02

REPOSITORY = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
LAYOUT = os.path.join(REPOSITORY, "src", "ui", "main", "main_window_layout.cpp")  # the main window's controls
START_XVFB = os.path.join(REPOSITORY, "scripts", "lib", "start-xvfb")


def read_layout():
    """The rectangles of the main window's controls in twips (left, top, width,
    height) by objectName, read from the program's table."""
    with open(LAYOUT, encoding="utf-8") as source:
        text = source.read()
    constants = {name: int(value) for name, value in re.findall(r"constexpr int (\w+) = (-?\d+);", text)}
    number = lambda token: int(token) if token.lstrip("-").isdigit() else constants[token]
    rectangles = {}
    for name, index, *rectangle in re.findall(r'\{"(\w+)", (\w+), \w+, "(?:[^"\\]|\\.)*", (\w+), (\w+), (\w+), (\w+)', text):
        rectangles[name + ("" if index == "None" else f"_{index}")] = tuple(map(number, rectangle))
    return rectangles


MAIN_WINDOW = read_layout()

# A cross-built program runs through the launcher that ctest gives (Wine for a
# Windows build); it then picks its own window system.
LAUNCHER = [os.environ["KDX_E2E_LAUNCHER"]] if os.environ.get("KDX_E2E_LAUNCHER") else []


class DriverError(AssertionError):
    pass


def wait_until(condition, what, timeout=TIMEOUT):
    """Polls condition() until it gives a true value, which it returns."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise DriverError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(POLL)


def file_identity(path):
    """What changes when the program writes a file (it replaces it by rename)."""
    try:
        st = os.stat(path)
    except FileNotFoundError:
        return None
    return (st.st_ino, st.st_mtime_ns, st.st_size)


def stop(process):
    if process and process.poll() is None:
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(5)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def start_x_server():
    """A private X server on a free display, started by the scripts' one starter,
    which returns once the server is up: its display and its process id."""
    started = subprocess.run([START_XVFB, "1024x768"], capture_output=True, text=True)
    if started.returncode != 0:
        raise DriverError(started.stderr.strip() or "start-xvfb failed")
    display, pid = started.stdout.split()
    return display, int(pid)


class Desktop:
    """A temporary program folder in work, its own X display and the running program.

    files maps names relative to the folder to bytes; copy maps names to
    existing files or folders that are copied in beside the executable.
    arguments are names below the folder, given to the program as absolute
    paths after the options; with main_window False nothing waits for the main window."""

    def __init__(self, program, files, copy, screenshots, work, arguments=(), main_window=True, options=()):
        self.main_window = main_window
        self.folder = tempfile.mkdtemp(prefix="vevadudori-e2e-", dir=work)
        self.screenshots = screenshots
        self.program = None
        self.x_server_pid = None
        shutil.copy2(program, self.folder)
        for name, source in copy.items():
            target = os.path.join(self.folder, name)
            (shutil.copytree if os.path.isdir(source) else shutil.copy2)(source, target)
        for name, content in files.items():
            os.makedirs(os.path.dirname(self.path(name)), exist_ok=True)
            with open(self.path(name), "wb") as out:
                out.write(content)
        self.executable = os.path.join(self.folder, os.path.basename(program))
        self.arguments = [*options, *(self.path(name) for name in arguments)]

    def __enter__(self):
        try:
            display, self.x_server_pid = start_x_server()
            self.env = {k: v for k, v in os.environ.items() if not k.startswith("QT_")}
            self.env.update(DISPLAY=display, XDG_RUNTIME_DIR=self.folder)
            if not LAUNCHER:
                self.env.update(QT_QPA_PLATFORM="xcb")
            self.program = subprocess.Popen([*LAUNCHER, self.executable, *self.arguments], cwd="/", env=self.env)
            if self.main_window:
                self.main = self.wait_window("^KDXConfig 1[.]0 ", "the main window")
                self.focus(self.main)
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *exc):
        stop(self.program)
        if self.x_server_pid:
            os.kill(self.x_server_pid, signal.SIGTERM)
        shutil.rmtree(self.folder, ignore_errors=True)

    def path(self, name):
        return os.path.join(self.folder, name)

    def read(self, name):
        with open(self.path(name), "rb") as source:
            return source.read()

    def after_write(self, name, action):
        """Runs action() and returns the bytes of the file once it was rewritten."""
        before = file_identity(self.path(name))
        action()
        wait_until(lambda: file_identity(self.path(name)) not in (before, None), f"{name} to be written")
        return self.read(name)

    def xdotool(self, *args, timeout=TIMEOUT):
        try:
            done = subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True, text=True,
                                  timeout=timeout)
        except subprocess.TimeoutExpired:
            raise DriverError(f"xdotool {' '.join(map(str, args))} did not finish") from None
        return done.stdout.split()

    def windows(self, title_pattern):
        return self.xdotool("search", "--all", "--onlyvisible", "--pid", self.program.pid, "--name", title_pattern)

    def wait_window(self, title_pattern, what):
        """Waits for a visible window of the program whose title matches; returns its id."""
        def appeared():
            if self.program.poll() is not None:
                raise DriverError(f"the program ended (code {self.program.returncode}) before {what} appeared")
            return self.windows(title_pattern)
        return wait_until(appeared, what)[0]

    def wait_gone(self, window, what):
        wait_until(lambda: window not in self.windows("."), f"{what} to close")

    def wait_dialog(self, title):
        """Waits for a window with exactly this title and gives it the keyboard."""
        pattern = "".join("\\" + c if c in ".[]()*+?{}|^$\\" else c for c in title)
        window = self.wait_window(f"^{pattern}$", f'the window "{title}"')
        self.focus(window)
        return window

    def focus(self, window):
        # Without a window manager nobody else moves the keyboard focus.
        self.xdotool("windowfocus", "--sync", window)

    def wait_exit(self):
        try:
            return self.program.wait(TIMEOUT)
        except subprocess.TimeoutExpired:
            raise DriverError("the program did not end") from None

    def key(self, *keys):
        self.xdotool("key", "--delay", 20, *keys)

    def type(self, text):
        self.xdotool("type", "--delay", 20, text)

    def click(self, control):
        """Clicks the middle of a main-window control."""
        left, top, width, height = MAIN_WINDOW[control]
        x, y = (left + width / 2) / TWIPS_PER_PIXEL, (top + height / 2) / TWIPS_PER_PIXEL
        self.xdotool("mousemove", "--window", self.main, round(x), round(y), "click", 1)

    def screenshot(self, window, name):
        """Saves a PNG of the window once two captures in a row agree (it has finished painting)."""
        capture = lambda: subprocess.run(["import", "-window", window, "ppm:-"], env=self.env,
                                         capture_output=True, check=True).stdout
        previous = capture()

        def settled():
            nonlocal previous
            current = capture()
            same = current == previous
            previous = current
            return current if same else None
        picture = wait_until(settled, f"the window {name} to finish painting")
        os.makedirs(self.screenshots, exist_ok=True)
        subprocess.run(["convert", "ppm:-", os.path.join(self.screenshots, name + ".png")], input=picture,
                       check=True)
