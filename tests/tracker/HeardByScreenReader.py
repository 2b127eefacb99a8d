#!/usr/bin/python3
"""Runs the real screen reader Orca with the tracker on a virtual screen, drives a short fight
with the keyboard alone, as a blind game master does, and checks what Orca speaks after each key.

Usage: HeardByScreenReader.py PATH/TO/trevalo [--keep DIR]

Everything runs in a private D-Bus session: a virtual screen with a window manager, the
accessibility bus, a speech server whose only voice plays into ALSA's null device, and the
installed Orca, started through this file (--orca) so that what it speaks is logged to a file
line by line. Orca allows one instance per user: while another runs, the test waits for it.
Exits 1 with the reason and the transcript on a mismatch.
"""
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

ORCA_WAIT_SECONDS = 600
# Orca is the system's own, and so is the Python it runs on.
SYSTEM_PYTHON = "/usr/bin/python3"


def run_orca(speech_path, argv):
    """Orca as installed, with every utterance also written to speech_path as it is spoken, and
    its account of the events it got beside it, for a failure to be looked into."""
    import logging
    import runpy
    from orca import debug
    debug.debugLevel = debug.LEVEL_INFO
    debug.eventDebugLevel = debug.LEVEL_OFF
    debug.debugFile = open(speech_path + ".debug", "w", buffering=1)
    handler = logging.FileHandler(speech_path)
    handler.setFormatter(logging.Formatter("%(message)s"))
    speech = logging.getLogger("speech")
    speech.setLevel(logging.INFO)
    speech.addHandler(handler)
    sys.argv = ["orca"] + argv
    runpy.run_path("/usr/bin/orca", run_name="__main__")


class Failure(Exception):
    pass


class Session:
    """The virtual desktop with Orca and the program, and what Orca said so far."""

    def __init__(self, program, work):
        self.program = program
        self.work = work
        self.processes = []
        self.transcript = []
        self.speech_path = os.path.join(work, "speech.log")
        runtime = os.path.join(work, "run")
        os.makedirs(runtime, mode=0o700)
        home = os.path.join(work, "home")
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "LC_ALL", "LANGUAGE")}
        self.env.update({
            "HOME": home, "XDG_RUNTIME_DIR": runtime, "LANG": "C.UTF-8",
            "XDG_CONFIG_HOME": os.path.join(home, ".config"),
            "XDG_DATA_HOME": os.path.join(home, ".local/share"),
            "XDG_CACHE_HOME": os.path.join(home, ".cache"),
            "GSETTINGS_BACKEND": "memory",
            "SPEECHD_ADDRESS": "unix_socket:" + os.path.join(runtime, "speechd.sock"),
        })

    # -- processes
    def start(self, name, command, env=None, **options):
        log = open(os.path.join(self.work, name + ".log"), "w")
        process = subprocess.Popen(command, env=env or self.env, stdin=subprocess.DEVNULL,
                                   stdout=log, stderr=log, **options)
        self.processes.append(process)
        return process

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait(5)

    def tool(self, *command):
        return subprocess.run(command, env=self.env, capture_output=True, text=True, timeout=90)

    def start_desktop(self):
        read_end, write_end = os.pipe()
        self.start("xvfb", ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                            "1280x1024x24", "-nolisten", "tcp", "-noreset"],
                   pass_fds=(write_end,))
        os.close(write_end)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(read_end, 16)
            if not chunk:
                raise Failure("the virtual screen did not start")
            number += chunk
        os.close(read_end)
        self.env["DISPLAY"] = ":" + number.decode().strip()
        self.start("openbox", ["openbox", "--sm-disable"])
        self.wait(lambda: self.tool("xprop", "-root", "_NET_SUPPORTING_WM_CHECK").stdout
                  .find("window id") >= 0, "the window manager", 30)
        self.start("bus", ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        config = os.path.join(self.work, "speechd")
        os.makedirs(config)
        with open(os.path.join(config, "speechd.conf"), "w") as f:
            f.write('LogDir "%s"\nAudioOutputMethod "alsa"\nAudioALSADevice "null"\n'
                    'AddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\n' % config)
        socket = os.path.join(self.env["XDG_RUNTIME_DIR"], "speechd.sock")
        self.start("speech", ["speech-dispatcher", "-s", "-t", "0", "-C", config,
                              "-c", "unix_socket", "-S", socket])
        self.wait(lambda: os.path.exists(socket), "the speech server", 30)

    def start_orca(self):
        end = time.time() + ORCA_WAIT_SECONDS
        while subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"],
                             capture_output=True).returncode == 0:
            if time.time() > end:
                raise Failure("another Orca of this user still runs; Orca allows one")
            time.sleep(5)
        open(self.speech_path, "w").close()
        prefs = os.path.join(self.work, "orca-prefs")
        os.makedirs(prefs)
        self.start("orca", [SYSTEM_PYTHON, os.path.abspath(__file__), "--orca",
                            self.speech_path, "-u", prefs])
        self.wait(lambda: "Screen reader on." in self.said(), "Orca", 90)
        self.settle()

    def start_program(self):
        env = dict(self.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        process = self.start("program", [self.program], env=env)
        found = self.tool("xdotool", "search", "--sync", "--onlyvisible", "--pid",
                          str(process.pid)).stdout.split()
        if not found:
            raise Failure("no window of the program came up")
        self.tool("xdotool", "windowactivate", "--sync", found[0])

    # -- listening
    def said(self):
        with open(self.speech_path, encoding="utf-8", errors="replace") as f:
            return f.read()

    def wait(self, condition, what, seconds):
        end = time.time() + seconds
        while not condition():
            if time.time() > end:
                raise Failure("no %s after %d s" % (what, seconds))
            time.sleep(0.2)

    def settle(self, quiet=1.5, most=20.0):
        """Waits until Orca has said nothing for `quiet` seconds."""
        start = changed = time.time()
        size = len(self.said())
        while time.time() - changed < quiet and time.time() - start < most:
            time.sleep(0.1)
            now = len(self.said())
            if now != size:
                size, changed = now, time.time()

    def step(self, label, act, expect=None):
        """Does `act`, waits for `expect` (a text Orca is to say) and for Orca to fall
        silent; returns what Orca said meanwhile, one utterance a line, key echo left out."""
        before = len(self.said())
        act()
        if expect:
            try:
                self.wait(lambda: expect in self.said()[before:], '"%s"' % expect, 20)
            except Failure:
                pass  # the check that follows names what was said instead
        self.settle()
        utterances = []
        for line in self.said()[before:].splitlines():
            if re.match(r"^SPEECH OUTPUT: '.*' \{.*\}$", line):
                continue  # a key echoed, with the voice it was said in
            match = re.match(r"^SPEECH OUTPUT: '(.*)'", line)
            if match:
                utterances.append(match.group(1))
        self.transcript.append("> %s\n    %s" % (label, " | ".join(utterances) or "(nothing)"))
        return utterances

    # -- acting
    def key(self, key):
        def press():
            # Held a tenth of a second, as a hand holds it.
            self.tool("xdotool", "keydown", key)
            time.sleep(0.1)
            self.tool("xdotool", "keyup", key)
        return press

    def type(self, text):
        return lambda: self.tool("xdotool", "type", "--delay", "150", text)


def expect(condition, reason, utterances):
    if not condition:
        raise Failure("%s; Orca said: %s" % (reason, " | ".join(utterances) or "nothing"))


def heard(utterances, text):
    return any(text in u for u in utterances)


def count(utterances, text):
    return sum(u.count(text) for u in utterances)


def fight(s):
    said = s.step("start the program", s.start_program, "Combatants")
    expect(any(u.startswith("Main frame") for u in said), "the main window is not named", said)
    expect(heard(said, "Combatants"), "the combatant grid is not named", said)

    said = s.step("Ctrl+N", s.key("ctrl+n"), "New row")
    expect(heard(said, "New row, Name"), "the new row's cell is not told", said)
    s.step('type "Street Samurai"', s.type("Street Samurai"))
    said = s.step("Tab", s.key("Tab"), "New row, Init")
    expect(heard(said, "New row, Init"), "the new row's next cell is not told", said)
    s.step('type "15"', s.type("15"))
    s.step("Return", s.key("Return"))
    said = s.step("Ctrl+N", s.key("ctrl+n"), "New row")
    expect(heard(said, "New row, Init"), "the second new row's cell is not told", said)
    s.step("Shift+Tab", s.key("shift+Tab"))
    s.step('type "Combat Mage"', s.type("Combat Mage"))
    s.step("Tab", s.key("Tab"))
    s.step('type "12"', s.type("12"))
    s.step("Return", s.key("Return"))
    s.step("Down: posts Combat Mage, which sorts below Street Samurai", s.key("Down"))
    said = s.step("Down", s.key("Down"), "Combat Mage")
    expect(heard(said, "Combat Mage") and heard(said, "12") and not heard(said, "New row"),
           "the posted row is not read as posted", said)
    said = s.step("Up", s.key("Up"), "Street Samurai")
    expect(heard(said, "Street Samurai") and heard(said, "15"), "the posted row is not read",
           said)

    said = s.step("Ctrl+T", s.key("ctrl+t"), "Turn #: 2")
    expect(said and "Turn #: 2, Pass #: 1" in said[-1], "the new turn is not the last word", said)
    said = s.step("Ctrl+P", s.key("ctrl+p"), "Pass #: 2")
    expect(said and "Turn #: 2, Pass #: 2" in said[-1], "the new pass is not the last word", said)
    said = s.step("Ctrl+T", s.key("ctrl+t"), "Turn #: 3")
    expect(said and "Turn #: 3, Pass #: 1" in said[-1], "the new turn is not the last word", said)

    said = s.step("Home: the Done cell", s.key("Home"), "Done")
    expect(heard(said, "push button"), "the Done cell is no button", said)
    expect(heard(said, "Marks this combatant done. Press Space."),
           "the Done cell does not say what it does", said)
    names = ["Combat Mage", "Street Samurai"]
    done = [name for name in names if heard(said, name + " Done push button")]
    expect(len(done) == 1, "the Done button does not name its row", said)
    said = s.step("Space: Done", s.key("space"), "push button")
    left = [name for name in names if name not in done]
    expect(heard(said, left[0] + " Done push button") and not heard(said, done[0]),
           "after Done the row that takes its place is not told", said)
    said = s.step("Space: Done on the last row", s.key("space"), "0 rows")
    expect(heard(said, "Combatants") and heard(said, "table with 0 rows"),
           "the empty table is not told", said)

    s.step("F6", s.key("F6"))
    said = s.step("F6 to the effects", s.key("F6"), "Effects")
    expect(heard(said, "Effects"), "the effect grid is not named", said)
    s.step("Ctrl+N", s.key("ctrl+n"), "New row")
    s.step('type "Smoke"', s.type("Smoke"))
    s.step("Tab", s.key("Tab"))
    s.step('type "4"', s.type("4"))
    s.step("Return", s.key("Return"))
    said = s.step("Ctrl+T", s.key("ctrl+t"), "OK push button")
    question = "Delete This Effect? - Smoke"
    expect(count(said, question) == 1, "the question is not said once", said)
    turn = [i for i, u in enumerate(said) if "Turn #: 4" in u]
    asked = [i for i, u in enumerate(said) if question in u]
    expect(turn and turn[0] < asked[0], "the new turn does not come with the question", said)
    said = s.step("Return: OK", s.key("Return"), "Main frame")

    said = s.step("F1", s.key("F1"), "Help frame")
    expect(any(u.startswith("Help frame") for u in said), "the help window is not told", said)
    said = s.step("Escape", s.key("Escape"), "Main frame")
    expect(any(u.startswith("Main frame") for u in said), "Esc does not leave the help", said)
    shown = s.tool("xdotool", "search", "--onlyvisible", "--name", "^Help$").stdout.split()
    expect(not shown, "the help window is still shown", said)
    s.step("Ctrl+Q", s.key("ctrl+q"))


def main():
    if len(sys.argv) > 1 and sys.argv[1] == "--orca":
        run_orca(sys.argv[2], sys.argv[3:])
        return 0
    program = os.path.abspath(sys.argv[1])
    keep = sys.argv[3] if len(sys.argv) > 3 and sys.argv[2] == "--keep" else None
    if not os.environ.get("TREVALO_IN_SESSION"):
        env = dict(os.environ, TREVALO_IN_SESSION="1")
        return subprocess.run(["dbus-run-session", "--", sys.executable, __file__]
                              + sys.argv[1:], env=env).returncode
    work = keep or tempfile.mkdtemp(prefix="heard-")
    os.makedirs(work, exist_ok=True)
    session = Session(program, work)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    try:
        session.start_desktop()
        session.start_orca()
        fight(session)
    except Failure as failure:
        print("\n".join(session.transcript))
        print("FAIL: %s (files in %s)" % (failure, work))
        return 1
    finally:
        session.stop()
    print("\n".join(session.transcript))
    print("heard: the grids' names, the new rows' cells, the posted rows, the turn and pass, "
          "the Done button, the question once, Esc leaving the help")
    if not keep:
        shutil.rmtree(work, ignore_errors=True)
    return 0


sys.exit(main())
