#!/usr/bin/python3
"""The installer window's flow under Wine, with real clicks, against the
development server: the version page, the no-variant panel with its re-check,
and the failed panel when the service is unreachable. Saves a screenshot of
each outcome.

usage: flow_test.py EXE DEVSERVER LAYOUTDUMP SKIN_ZIP SCREENSHOT_DIR
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

EXE, DEVSERVER, LAYOUTDUMP, SKIN, SHOTS = sys.argv[1:6]
ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
TITLE = "QIRA 助手安装程序"
PORT = 18080  # the development build's requirements host
os.makedirs(SHOTS, exist_ok=True)
results = []


def check(name, ok, detail=""):
    results.append(ok)
    print(("ok   " if ok else "FAIL ") + name + ("" if ok or not detail else f"  ({detail})"), flush=True)


def layout(window_file, *selections):
    out = subprocess.run([LAYOUTDUMP, "--package", SKIN, window_file, *selections],
                         check=True, capture_output=True, text=True).stdout
    return {c["name"]: c for c in json.loads(out)["controls"]}


def centre(rect):
    return (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2


def wait_for(predicate, seconds=30, step=0.2):
    deadline = time.time() + seconds
    while time.time() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(step)
    return None


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True).stdout.strip()


def screenshot(name):
    path = os.path.join(SHOTS, name)
    subprocess.run(["import", "-window", "root", path], check=True, capture_output=True)
    return path


def distinct_colours(path, x, y, w, h):
    out = subprocess.run(["convert", path, "-crop", f"{w}x{h}+{x}+{y}", "-format", "%k", "info:"],
                         capture_output=True, text=True).stdout.strip()
    return int(out or 0)


class Installer:
    def __init__(self):
        self.dir = tempfile.mkdtemp(prefix="qira-flow-")
        os.makedirs(os.path.join(self.dir, "log"))
        shutil.copy(EXE, os.path.join(self.dir, "QIRASetup.exe"))
        self.log_path = os.path.join(self.dir, "log", "QIRASetup.exe.log")
        self.proc = subprocess.Popen([os.path.join(ROOT, "scripts", "wine-run.sh"),
                                      os.path.join(self.dir, "QIRASetup.exe")],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.window = wait_for(lambda: xdotool("search", "--onlyvisible", "--name", TITLE).split("\n")[0])
        self.x = self.y = 0

    def locate(self):
        """The window's current top-left corner (it is centred after creation)."""
        geo = dict(line.split("=") for line in xdotool("getwindowgeometry", "--shell", self.window).split())
        self.x, self.y = int(geo["X"]), int(geo["Y"])

    def log(self):
        try:
            with open(self.log_path, encoding="utf-8-sig", errors="replace") as f:
                return f.read()
        except OSError:
            return ""

    def wait_log(self, text, count=1, seconds=30):
        return wait_for(lambda: self.log().count(text) >= count, seconds)

    def click(self, point, offset=(0, 0)):
        self.locate()
        x, y = self.x + offset[0] + point[0], self.y + offset[1] + point[1]
        xdotool("mousemove", str(x), str(y))
        time.sleep(0.2)
        xdotool("click", "1")
        time.sleep(0.3)

    def box(self):
        """The message box's window: visible, untitled, 333 x 203."""
        for w in xdotool("search", "--onlyvisible", "--name", "").split():
            geo = xdotool("getwindowgeometry", w)
            if "333x203" in geo and not xdotool("getwindowname", w):
                return w
        return None

    def close_through_question(self, page_layout):
        """btn_close, then "确认" on the exit question; returns the exit code."""
        for _ in range(3):  # a click Wine drops (busy prefix) is tried again
            self.click(centre(page_layout["btn_close"]["rect"]))
            if wait_for(self.box, 10):
                break
        time.sleep(0.5)
        shot = screenshot("flow_exit_question.png")
        # The box's labels and buttons as its initialisation shows them.
        box = layout("xml\\msgbox.xml", "+lbl_caption", "+lbl_text", "+btn0", "+btn1")
        box_offset = ((819 - 333) // 2, (574 - 203) // 2)
        for _ in range(3):
            self.click(centre(box["btn0"]["rect"]), box_offset)
            if wait_for(lambda: self.proc.poll() is not None or not self.box(), 5):
                break
        try:
            code = self.proc.wait(timeout=20)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            code = None
        return code, shot

    def cleanup(self):
        if self.proc.poll() is None:
            self.proc.kill()
        shutil.rmtree(self.dir, ignore_errors=True)


def devserver(catalog):
    log = open(os.path.join(SHOTS, "devserver.log"), "w")
    proc = subprocess.Popen([DEVSERVER, "--port", str(PORT), "--catalog", catalog], stdout=log,
                            stderr=subprocess.STDOUT)
    time.sleep(0.5)
    return proc


def requests_seen(path):
    with open(os.path.join(SHOTS, "devserver.log")) as f:
        return f.read().count(path)


def scenario_version_page():
    server = devserver(os.path.join(ROOT, "tools", "devserver", "catalog"))
    inst = Installer()
    try:
        check("version page: window appears", bool(inst.window))
        check("version page: check result 6", bool(inst.wait_log("check result 6")), inst.log()[-500:])
        # The options are logged just after the result, and the log is read while the
        # installer runs: wait for the last one rather than read between the lines.
        inst.wait_log("version option 1:", seconds=10)
        log = inst.log()
        check("version page: 标准版 listed with 4 GB", "version option 0: QIRA 标准版, 需要内存 4 GB." in log, log[-800:])
        check("version page: 专业版 listed with 8 GB", "version option 1: QIRA 专业版, 需要内存 8 GB." in log, log[-800:])
        check("version page: 旗舰版 does not fit", "QIRA 旗舰版" not in log)
        check("version page: configuration of variant 0 asked",
              requests_seen("/config/standard?a=28&u=1110&v=") == 1)
        time.sleep(1.5)
        shot = screenshot("flow_version_page.png")
        inst.locate()
        check("version page: window is drawn", distinct_colours(shot, inst.x, inst.y, 819, 574) > 100)
        code, _ = inst.close_through_question(layout("Xml\\inst\\wnd.xml", "tab_main=1"))
        check("version page: closed through the exit question with code 0", code == 0, f"code {code}")
        check("version page: log ends with Log uninit", inst.log().rstrip().endswith("Log uninit"))
    finally:
        inst.cleanup()
        server.terminate()
        server.wait()


def scenario_no_model():
    catalog = tempfile.mkdtemp(prefix="qira-catalog-")
    with open(os.path.join(catalog, "requires.json"), "w") as f:
        json.dump({"requires": [{"title": "QIRA 特别版", "cpu": ["no-such-processor"],
                                 "memory": 1, "download_config": "http://127.0.0.1:1/x"}]}, f)
    server = devserver(catalog)
    inst = Installer()
    try:
        check("no variant: check result 4", bool(inst.wait_log("check result 4")), inst.log()[-500:])
        time.sleep(1.0)
        screenshot("flow_no_model.png")
        panel = layout("Xml\\inst\\wnd.xml", "tab_check_bottom=2")
        inst.click(centre(panel["btn_recheck2"]["rect"]))
        check("no variant: btn_recheck2 checks again", bool(inst.wait_log("check result 4", 2)))
        time.sleep(0.5)
        check("no variant: the service was asked twice", requests_seen("/api/int_qira_requires") == 2)
        code, _ = inst.close_through_question(panel)
        check("no variant: closed with code 0", code == 0, f"code {code}")
    finally:
        inst.cleanup()
        server.terminate()
        server.wait()
        shutil.rmtree(catalog, ignore_errors=True)


def scenario_unreachable():
    inst = Installer()
    try:
        check("unreachable: check result 3", bool(inst.wait_log("check result 3")), inst.log()[-500:])
        check("unreachable: the request failure is logged", "RequestModelEvnConfig FAIL" in inst.log())
        time.sleep(1.0)
        screenshot("flow_failed.png")
        code, _ = inst.close_through_question(layout("Xml\\inst\\wnd.xml", "tab_check_bottom=1"))
        check("unreachable: closed with code 0", code == 0, f"code {code}")
    finally:
        inst.cleanup()


for scenario in (scenario_version_page, scenario_no_model, scenario_unreachable):
    try:
        scenario()
    except Exception as e:  # a broken scenario fails, the others still run
        check(scenario.__name__, False, repr(e))
failed = results.count(False)
print(f"{len(results) - failed} passed, {failed} failed")
sys.exit(1 if failed else 0)
