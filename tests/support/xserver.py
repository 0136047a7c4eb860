#!/usr/bin/env python3
"""The one X server of the black-box tests and scripts: an Xvfb of their own.

Used three ways:
  from Python:  `with XServer((1920, 1080)) as x: ... x.name, x.env() ...`
  from C++ and shell, as a wrapper:
      xserver.py [--size WxH] -- COMMAND [ARG...]
  runs COMMAND with DISPLAY naming the new server and returns its status
  (an ending signal sent to the wrapper is passed on to COMMAND).

The server picks a free display itself (-displayfd) and tells its number
through a pipe that is read to the newline: Xvfb writes the number and the
newline in two writes, and a pipe closed after the first makes the second
fail, which Xvfb takes as fatal. -noreset keeps the server from starting
over when its last client leaves (a readiness check, a short-lived tool).

The server's own error output is kept in a file and printed whenever
anything goes wrong: the server does not start, dies under the command, or
the command fails. Nothing is retried: a failure is shown with its cause.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77  # CTest's skip code: no Xvfb on this machine
STARTUP_TIMEOUT_S = 30.0


class XServerError(RuntimeError):
    pass


def xvfb_missing():
    return shutil.which("Xvfb") is None


class XServer:
    def __init__(self, size=(1920, 1080), depth=24):
        self.size = size
        self.depth = depth
        self.process = None
        self.name = None
        self.log = tempfile.NamedTemporaryFile(mode="w+", prefix="hero-xvfb-", suffix=".log", delete=False)

    def __enter__(self):
        self.start()
        return self

    def __exit__(self, *exc):
        self.stop()
        return False

    def start(self):
        read_end, write_end = os.pipe()
        width, height = self.size
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "%dx%dx%d" % (width, height, self.depth),
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=self.log, stderr=self.log)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + STARTUP_TIMEOUT_S
        with os.fdopen(read_end, "rb", buffering=0) as pipe:
            os.set_blocking(pipe.fileno(), False)
            while not number.endswith(b"\n"):
                if time.monotonic() > deadline:
                    self._fail("Xvfb told no display number within %.0f s" % STARTUP_TIMEOUT_S)
                try:
                    chunk = pipe.read(64)
                except BlockingIOError:
                    chunk = None
                if chunk == b"":  # the server closed the pipe: it has ended
                    self._fail("Xvfb ended before telling its display number")
                if chunk:
                    number += chunk
                else:
                    time.sleep(0.01)
        text = number.decode(errors="replace").strip()
        if not text.isdigit():
            self._fail("Xvfb told %r as its display number" % text)
        self.name = ":" + text
        return self

    def env(self, base=None):
        env = dict(os.environ if base is None else base)
        env["DISPLAY"] = self.name
        return env

    def alive(self):
        return self.process is not None and self.process.poll() is None

    def server_output(self):
        self.log.flush()
        with open(self.log.name, errors="replace") as f:
            return f.read()

    def report(self, why, out=sys.stderr):
        """Says why, and what the server itself said."""
        status = "" if self.process is None or self.process.poll() is None else \
            " (Xvfb ended with status %s)" % self.process.returncode
        print("xserver: %s%s; Xvfb said:\n%s" % (why, status, self.server_output().rstrip() or "(nothing)"),
              file=out)

    def stop(self):
        if self.process is not None and self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.log.close()
        try:
            os.unlink(self.log.name)
        except OSError:
            pass

    def _fail(self, why):
        message = why
        output = self.server_output().rstrip()
        if self.process is not None and self.process.poll() is not None:
            message += " (Xvfb ended with status %s)" % self.process.returncode
        self.stop()
        raise XServerError("%s; Xvfb said:\n%s" % (message, output or "(nothing)"))


def run_wrapped(size, command):
    if xvfb_missing():
        print("xserver: skipped: no Xvfb on this machine", file=sys.stderr)
        return SKIP
    try:
        server = XServer(size).start()
    except XServerError as error:
        print("xserver: %s" % error, file=sys.stderr)
        return 1
    child = subprocess.Popen(command, env=server.env())

    def pass_on(signum, _frame):
        if child.poll() is None:
            child.send_signal(signum)

    for signum in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(signum, pass_on)
    status = child.wait()
    if status != 0 or not server.alive():
        server.report("the command ended with status %d" % status if status != 0 else
                      "the server died under the command")
        if status == 0:
            status = 1
    server.stop()
    return status if status >= 0 else 128 - status


def main(argv):
    size = (1920, 1080)
    args = list(argv)
    while args and args[0] != "--":
        if args[0] == "--size" and len(args) > 1:
            width, height = args[1].lower().split("x")
            size = (int(width), int(height))
            del args[:2]
        else:
            print("usage: xserver.py [--size WxH] -- COMMAND [ARG...]", file=sys.stderr)
            return 2
    if len(args) < 2:
        print("usage: xserver.py [--size WxH] -- COMMAND [ARG...]", file=sys.stderr)
        return 2
    return run_wrapped(size, args[1:])


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
