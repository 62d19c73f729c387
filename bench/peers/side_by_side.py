#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
# SPDX-FileCopyrightText: Dorvu developers
"""Side-by-side start-up and memory benchmark: Dorvu and the peer browsers installed here.

Every run starts one browser on small pages served from loopback, with a fresh profile, its own
X server (Xvfb -displayfd) and its own session bus, and measures from just before the launch:
  first  seconds until the first page's onload reached the server (/beacon?id=K),
  all    seconds until every page's onload did,
  PSS    the peak sum of PSS (/proc/PID/smaps_rollup) over the browser and all its descendants.
Each scenario runs R times; the table shows medians, --json keeps min, median, max and the runs.
Ratios: Dorvu / best peer for times, Dorvu / leanest peer for memory.

Isolation: as root (or with CAP_SYS_ADMIN) the harness first moves into a network namespace of
its own, in which only loopback exists; it is the child subreaper of everything it starts, so
processes that detach stay counted. Processes the session bus starts on request are not counted.
Python 3 standard library only.
"""

import argparse
import ctypes
import fcntl
import http.server
import json
import os
import select
import shutil
import signal
import socket
import statistics
import struct
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse

# ---------------------------------------------------------------------------------------------
# Pages and the server that records their onload beacons

WORDS = ["桜", "富士山", "新幹線", "天気予報", "図書館", "郵便局", "電車", "時刻表", "駅前",
         "商店街", "お知らせ", "地図", "ニュース", "料理", "写真", "掲示板"]


def page_html(k):
    """Page k: its own title and text, one small style sheet, an onload beacon."""
    words = [WORDS[(k * 7 + i * 3) % len(WORDS)] for i in range(40)]
    paragraphs = "\n".join(
        "<p>%d-%d %s</p>" % (k, i, "、".join(words[i:i + 12])) for i in range(0, 40, 4))
    return ("""<!DOCTYPE html>
<html lang="ja"><head><meta charset="utf-8"><title>測定ページ %(k)d</title>
<style>body{font-family:sans-serif;margin:2em} h1{color:#%(c)06x}</style></head>
<body onload="new Image().src='/beacon?id=%(k)d&amp;t='+Date.now()">
<h1>測定ページ %(k)d</h1>
%(p)s
<ul>%(li)s</ul>
</body></html>
""" % {"k": k, "c": (k * 2654435761) & 0xFFFFFF, "p": paragraphs,
       "li": "".join("<li>項目 %d.%d</li>" % (k, i) for i in range(10))}).encode("utf-8")


class Pages:
    """Pages 1..n over `hosts` loopback sites 127.0.0.1 .. 127.0.0.<hosts>, one server each,
    and the arrival time (monotonic) of each page's first beacon."""

    def __init__(self, n, hosts):
        self.n = n
        self.cond = threading.Condition()
        self.onload = {}
        self.fetched = set()
        self.bodies = {k: page_html(k) for k in range(1, n + 1)}
        pages = self

        class Handler(http.server.BaseHTTPRequestHandler):
            protocol_version = "HTTP/1.1"

            def log_message(self, *args):
                pass

            def reply(self, code, kind, body):
                self.send_response(code)
                self.send_header("Content-Type", kind)
                self.send_header("Content-Length", str(len(body)))
                self.send_header("Cache-Control", "no-store")
                self.end_headers()
                self.wfile.write(body)

            def do_GET(self):
                now = time.monotonic()
                url = urllib.parse.urlsplit(self.path)
                if url.path == "/beacon":
                    query = urllib.parse.parse_qs(url.query)
                    try:
                        k = int(query.get("id", ["0"])[0])
                    except ValueError:
                        k = 0
                    with pages.cond:
                        if 1 <= k <= pages.n and k not in pages.onload:
                            pages.onload[k] = now
                            pages.cond.notify_all()
                    self.reply(200, "image/gif",
                               b"GIF89a\x01\x00\x01\x00\x00\x00\x00;")
                    return
                name = url.path.rsplit("/", 1)[-1]
                if url.path.startswith("/p/") and name.endswith(".html"):
                    try:
                        body = pages.bodies.get(int(name[:-5]))
                    except ValueError:
                        body = None
                    if body is not None:
                        with pages.cond:
                            pages.fetched.add(int(name[:-5]))
                        self.reply(200, "text/html; charset=utf-8", body)
                        return
                self.reply(404, "text/plain", b"not here\n")

        self.servers = []
        for h in range(1, max(1, hosts) + 1):
            server = http.server.ThreadingHTTPServer(("127.0.0.%d" % h, 0), Handler)
            server.daemon_threads = True
            threading.Thread(target=server.serve_forever, kwargs={"poll_interval": 0.1},
                             daemon=True).start()
            self.servers.append(server)

    def urls(self):
        out = []
        for k in range(1, self.n + 1):
            host, port = self.servers[(k - 1) % len(self.servers)].server_address
            out.append("http://%s:%d/p/%d.html" % (host, port, k))
        return out

    def arrivals(self):
        with self.cond:
            return dict(self.onload)

    def fetched_count(self):
        with self.cond:
            return len(self.fetched)

    def close(self):
        for server in self.servers:
            server.shutdown()
            server.server_close()


# ---------------------------------------------------------------------------------------------
# Isolation and the measured process tree

LIBC = ctypes.CDLL(None, use_errno=True)


def private_loopback():
    """Enters a new network namespace and brings its loopback up. Call before any thread.
    Returns None, or why it could not."""
    if LIBC.unshare(0x40000000) != 0:  # CLONE_NEWNET
        return os.strerror(ctypes.get_errno())
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as s:
        request = struct.pack("16sH22x", b"lo", 0)
        flags = struct.unpack("16sH22x", fcntl.ioctl(s, 0x8913, request))[1]  # SIOCGIFFLAGS
        fcntl.ioctl(s, 0x8914, struct.pack("16sH22x", b"lo", flags | 1))  # SIOCSIFFLAGS, UP
    return None


def become_subreaper():
    return LIBC.prctl(36, 1, 0, 0, 0) == 0  # PR_SET_CHILD_SUBREAPER


def process_table():
    """{pid: (ppid, state)} of every process."""
    table = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % entry, "rb") as f:
                stat = f.read()
        except OSError:
            continue
        fields = stat[stat.rfind(b")") + 2:].split()
        table[int(entry)] = (int(fields[1]), fields[0].decode())
    return table


def below(roots, table, skip):
    """The pids under roots (roots included), leaving out the subtrees of skip."""
    children = {}
    for pid, (ppid, _) in table.items():
        children.setdefault(ppid, []).append(pid)
    found, todo = set(), list(roots)
    while todo:
        pid = todo.pop()
        if pid in found or pid in skip:
            continue
        found.add(pid)
        todo.extend(children.get(pid, ()))
    return found


def pss_kib(pid):
    """The PSS of one process in KiB, 0 when it is gone."""
    try:
        with open("/proc/%d/smaps_rollup" % pid, "rb") as f:
            for line in f:
                if line.startswith(b"Pss:"):
                    return int(line.split()[1])
    except (OSError, ValueError):
        pass
    return 0


def command_name(pid):
    try:
        with open("/proc/%d/comm" % pid) as f:
            return f.read().strip()
    except OSError:
        return "?"


class Tree:
    """Everything this process started (it is their subreaper), minus the X server, the bus
    and what those started."""

    def __init__(self, infrastructure):
        self.infrastructure = set(infrastructure)
        self.ever = set()

    def pids(self):
        table = process_table()
        me = os.getpid()
        self.infrastructure |= below(self.infrastructure, table, set())
        live = below([me], table, self.infrastructure) - {me}
        self.ever |= live
        return {pid for pid in live if table[pid][1] != "Z"}

    def pss(self):
        """(total KiB, {command: KiB}) now."""
        total, by_name = 0, {}
        for pid in self.pids():
            kib = pss_kib(pid)
            total += kib
            name = command_name(pid)
            by_name[name] = by_name.get(name, 0) + kib
        return total, by_name

    def reap(self):
        for pid in list(self.ever):
            try:
                os.waitpid(pid, os.WNOHANG)
            except ChildProcessError:
                self.ever.discard(pid)

    def end(self):
        """SIGTERM to all, SIGKILL to what is left after a grace time. True when none is left."""
        for sig, grace in ((signal.SIGTERM, 4.0), (signal.SIGKILL, 4.0)):
            for pid in self.pids():
                try:
                    os.kill(pid, sig)
                except ProcessLookupError:
                    pass
            deadline = time.monotonic() + grace
            while time.monotonic() < deadline:
                self.reap()
                if not self.pids():
                    return True
                time.sleep(0.05)
        self.reap()
        return not self.pids()


def busy_jiffies():
    with open("/proc/stat") as f:
        values = [int(v) for v in f.readline().split()[1:9]]
    return sum(values) - values[3] - values[4], sum(values)


def wait_until_quiet(limit, share=0.3):
    """Waits up to `limit` s for the machine to be less than `share` busy over half a second;
    returns the last busy share seen."""
    deadline = time.monotonic() + limit
    while True:
        b0, t0 = busy_jiffies()
        time.sleep(0.5)
        b1, t1 = busy_jiffies()
        seen = (b1 - b0) / max(1, t1 - t0)
        if seen < share or time.monotonic() >= deadline:
            return seen


def start_xvfb(log):
    read_end, write_end = os.pipe()
    proc = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                             "1280x1024x24", "-nolisten", "tcp", "-noreset"],
                            pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=log,
                            stderr=log)
    os.close(write_end)
    text, deadline = b"", time.monotonic() + 20
    while not text.endswith(b"\n") and time.monotonic() < deadline:
        if select.select([read_end], [], [], 0.5)[0]:
            chunk = os.read(read_end, 32)
            if not chunk:
                break
            text += chunk
    os.close(read_end)
    if not text.strip():
        stop(proc)
        raise RuntimeError("Xvfb named no display")
    return proc, ":" + text.strip().decode()


def start_bus(env, log):
    proc = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--nopidfile",
                             "--print-address=1"], env=env, stdin=subprocess.DEVNULL,
                            stdout=subprocess.PIPE, stderr=log)
    address = b""
    if select.select([proc.stdout], [], [], 10)[0]:
        address = proc.stdout.readline().strip()
    if not address:
        stop(proc)
        raise RuntimeError("dbus-daemon gave no address")
    return proc, address.decode()


def stop(proc):
    if proc is None or proc.poll() is not None:
        return
    proc.terminate()
    try:
        proc.wait(5)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()


# ---------------------------------------------------------------------------------------------
# The browsers

AS_ROOT = os.geteuid() == 0


class Browser:
    """How to start one browser: `argv(urls, home)` and `prepare(home, urls)` (files written
    into the fresh profile before the launch)."""

    # The floor of the engine choice, not a peer: it is left out of "best peer".
    floor = False

    def __init__(self, key, title, program, kind):
        self.key, self.title, self.program, self.kind = key, title, program, kind

    def available(self):
        return self.program is not None and os.access(self.program, os.X_OK)

    def env(self, home):
        return {}

    def prepare(self, home, urls, start_list):
        pass

    def argv(self, urls, home):
        return [self.program] + urls


def ini_text(sections):
    lines = []
    for section, values in sections:
        lines.append("[%s]" % section)
        lines.extend("%s=%s" % kv for kv in values)
        lines.append("")
    return "\r\n".join(lines).encode("ascii")


class Dorvu(Browser):
    """Dorvu with a fresh DORVU_HOME; `gecko` selects the WebKit engine at start."""

    def __init__(self, build, gecko):
        program = os.path.join(build, "dorvu")
        super().__init__("dorvu-gecko" if gecko else "dorvu",
                         "Dorvu (Gecko)" if gecko else "Dorvu", program,
                         "webkit" if gecko else "chromium")
        self.gecko = gecko
        self.module_folder = os.path.join(build, "gecko")

    def available(self):
        if self.gecko and not os.path.isfile(os.path.join(self.module_folder, "mozctl.so")):
            return False
        return super().available()

    def env(self, home):
        return {"DORVU_HOME": os.path.join(home, "dorvu")}

    def prepare(self, home, urls, start_list):
        folder = os.path.join(home, "dorvu")
        os.makedirs(os.path.join(folder, "WebList"))
        general = [("shutdown", "1")]
        # Scripts and images are off in a new config.ini; the peers have them on, and the
        # pages report their onload from a script.
        sections = [("General", general), ("Option_Security", [("Script", "1")]),
                    ("Option_Multimedia", [("Image", "1")])]
        if self.gecko:
            general.append(("LastEngine", "Gecko"))
            sections.append(("Option_Main", [("Mozilla", "1"),
                                             ("MozPath", self.module_folder)]))
        if len(urls) > 1 and not start_list:
            # Every page loads, as in the peers: each address of a bulk open gets its window at
            # once (the design's behaviour) instead of waiting as a tab until it is shown.
            sections.append(("Option_Tab", [("LookAhead", "-1")]))
        if start_list:
            path = os.path.join(folder, "WebList", "measure.wlf")
            with open(path, "wb") as f:
                f.write("".join(u + "\r\n" for u in urls).encode("ascii"))
            sections.append(("Option_StartUp", [("Type", "2"), ("Path", path)]))
        with open(os.path.join(folder, "config.ini"), "wb") as f:
            f.write(ini_text(sections))

    def argv(self, urls, home):
        return [self.program] + (urls if urls is not None else [])


class BareWebEngine(Browser):
    """bench_bare_webengine of the build: Qt WebEngine with one view per page and nothing else,
    the floor under Dorvu's Chromium kind."""
    floor = True

    def __init__(self, build):
        super().__init__("bare", "bare WebEngine", os.path.join(build, "bench_bare_webengine"),
                         "chromium")


class Chromium(Browser):
    def argv(self, urls, home):
        argv = [self.program, "--user-data-dir=" + os.path.join(home, "chromium"),
                "--no-first-run", "--no-default-browser-check"]
        if AS_ROOT:
            argv.append("--no-sandbox")
        return argv + urls


class Epiphany(Browser):
    def argv(self, urls, home):
        return [self.program, "--profile=" + os.path.join(home, "epiphany")] + urls


def peers():
    def find(*names):
        for name in names:
            path = shutil.which(name)
            if path:
                return path
        return None
    return [Chromium("chromium", "chromium", find("chromium"), "chromium"),
            Browser("konqueror", "konqueror", find("konqueror"), "chromium"),
            Epiphany("epiphany", "epiphany", find("epiphany-browser", "epiphany"), "webkit")]


def common_env():
    """Settings every browser gets, peers and Dorvu alike."""
    env = {"QT_QPA_PLATFORM": "xcb", "WEBKIT_DISABLE_COMPOSITING_MODE": "1"}
    if AS_ROOT:
        env.update({"QTWEBENGINE_DISABLE_SANDBOX": "1",
                    "WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS": "1"})
    return env


# ---------------------------------------------------------------------------------------------
# One run

# A start list keeps Dorvu's waiting tabs: the tab in front and the windows made ahead of it
# ([Option_Tab] LookAhead, 3 by default) load; the rest wait until they are shown.
LIST_LOADS = 1 + 3


def run_once(browser, n, hosts, start_list, options):
    """Starts `browser` on pages 1..n (on its command line, or from a start list) and returns
    a dict: first, all (s or None), onloads, pss_mib, pss_by_name, others_busy, notes. A run of
    a start list ends when its first LIST_LOADS pages have loaded."""
    expect = min(n, LIST_LOADS) if start_list else n
    scratch = tempfile.mkdtemp(prefix="side_by_side.")
    home = os.path.join(scratch, "home")
    runtime = os.path.join(scratch, "run")
    for sub in (".config", ".cache", ".local/share", ".local/state"):
        os.makedirs(os.path.join(home, sub))
    os.makedirs(runtime, mode=0o700)
    infra_log = open(os.path.join(scratch, "infra.log"), "wb")
    browser_log_path = os.path.join(scratch, "browser.log")
    pages = Pages(n, hosts)
    xvfb = bus = None
    tree = None
    result = {"n": n, "notes": []}
    try:
        env = {k: v for k, v in os.environ.items()
               if k not in ("DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY", "SESSION_MANAGER",
                            "DBUS_SESSION_BUS_ADDRESS", "DORVU_HOME")}
        env.update({"HOME": home, "TMPDIR": scratch, "XDG_RUNTIME_DIR": runtime,
                    "XDG_CONFIG_HOME": os.path.join(home, ".config"),
                    "XDG_CACHE_HOME": os.path.join(home, ".cache"),
                    "XDG_DATA_HOME": os.path.join(home, ".local/share"),
                    "XDG_STATE_HOME": os.path.join(home, ".local/state"),
                    "XDG_SESSION_TYPE": "x11"})
        env.setdefault("LANG", "C.UTF-8")
        xvfb, env["DISPLAY"] = start_xvfb(infra_log)
        bus, env["DBUS_SESSION_BUS_ADDRESS"] = start_bus(env, infra_log)
        env.update(common_env())
        env.update(browser.env(home))
        urls = pages.urls()
        browser.prepare(home, urls, start_list)
        argv = browser.argv(None if start_list else urls, home)
        tree = Tree([xvfb.pid, bus.pid])
        result["busy_before"] = round(wait_until_quiet(options.quiet_wait), 2)
        busy0, total0 = busy_jiffies()
        with open(browser_log_path, "wb") as browser_log:
            t0 = time.monotonic()
            proc = subprocess.Popen(argv, env=env, cwd=home, stdin=subprocess.DEVNULL,
                                    stdout=browser_log, stderr=browser_log,
                                    start_new_session=True)
            peak, peak_by_name = 0, {}
            done_at = None
            deadline = t0 + options.timeout * (1 + n / 50)
            while True:
                tick = time.monotonic()
                total, by_name = tree.pss()
                if total > peak:
                    peak, peak_by_name = total, by_name
                arrived = pages.arrivals()
                if done_at is None and len(arrived) >= expect:
                    done_at = max(arrived.values())
                now = time.monotonic()
                if done_at is not None and now >= done_at + options.settle:
                    break
                if now >= deadline:
                    result["notes"].append("timeout")
                    break
                if not by_name and proc.poll() is not None:
                    result["notes"].append("exited %s" % proc.returncode)
                    break
                time.sleep(max(0.0, options.interval - (time.monotonic() - tick)))
        busy1, total1 = busy_jiffies()
        arrived = pages.arrivals()
        result.update({
            "first": round(min(arrived.values()) - t0, 3) if arrived else None,
            "all": round(max(arrived.values()) - t0, 3) if len(arrived) >= expect else None,
            "onloads": len(arrived),
            "fetched": pages.fetched_count(),
            "pss_mib": round(peak / 1024.0, 1),
            "pss_by_name": {k: round(v / 1024.0, 1) for k, v in
                            sorted(peak_by_name.items(), key=lambda kv: -kv[1])},
            "machine_busy": round((busy1 - busy0) / max(1, total1 - total0), 2),
        })
    except Exception as error:  # the next run goes on
        result["notes"].append("%s: %s" % (type(error).__name__, error))
    finally:
        if tree is not None and not tree.end():
            result["notes"].append("some processes survived SIGKILL")
        stop(bus)
        stop(xvfb)
        pages.close()
        infra_log.close()
        if result.get("onloads", 0) < expect or result["notes"]:
            try:
                with open(browser_log_path, "rb") as f:
                    result["log_tail"] = f.read()[-1200:].decode("utf-8", "replace")
            except OSError:
                pass
        if options.keep:
            result["scratch"] = scratch
        else:
            shutil.rmtree(scratch, ignore_errors=True)
    return result


# ---------------------------------------------------------------------------------------------
# Scenarios and the table

class Scenario:
    def __init__(self, key, title, n, hosts, start_list, figures, who):
        self.key, self.title, self.n, self.hosts = key, title, n, hosts
        self.start_list, self.figures, self.who = start_list, figures, who


def scenarios(options):
    times_and_memory = ("first", "all", "pss")
    spread = options.hosts
    return [
        Scenario("one", "1 page", 1, 1, False, ("first", "pss"), "all"),
        Scenario("twenty", "20 pages", 20, 1, False, times_and_memory, "all"),
        Scenario("sites", "20 pages, %d sites" % spread, 20, spread, False, times_and_memory,
                 "all"),
        # Dorvu alone, with its waiting tabs: the first onload, and the memory once the tab in
        # front and the look-ahead have loaded.
        Scenario("list20", "start list of 20", 20, 1, True, ("first", "pss"), "dorvu"),
        Scenario("list100", "start list of 100", 100, 1, True, ("first", "pss"), "dorvu"),
        # 100 pages against the peers: long, so only when asked for (--only hundred).
        Scenario("hundred", "100 pages", 100, 1, False, times_and_memory, "all"),
        Scenario("webkit", "WebKit, 20 pages", 20, 1, False, times_and_memory, "webkit"),
        Scenario("webkitsites", "WebKit, 20 pages, %d sites" % spread, 20, spread, False,
                 times_and_memory, "webkit"),
    ]


def subjects(scenario, dorvu, dorvu_gecko, peer_list):
    """(the Dorvu browser, its peers) in this scenario."""
    if scenario.who == "dorvu":
        return dorvu, []
    if scenario.who == "webkit":
        return dorvu_gecko, [p for p in peer_list if p.kind == "webkit"]
    return dorvu, peer_list


def summary(runs, figure):
    """min, median, max of a figure over the runs that have it, and how many have it."""
    key = {"first": "first", "all": "all", "pss": "pss_mib"}[figure]
    values = [r[key] for r in runs if r.get(key) is not None]
    if figure == "pss":  # a run that did not finish says nothing about its peak
        values = [r[key] for r in runs if r.get(key) and r.get("all" if r["n"] > 1 else "first")
                  is not None]
    if not values:
        return None
    return {"min": min(values), "median": statistics.median(values), "max": max(values),
            "runs": len(values), "of": len(runs)}


FIGURE_TITLE = {"first": "launch -> first onload (s)", "all": "launch -> all onload (s)",
                "pss": "peak PSS of tree (MiB)"}


def cell(stat, figure):
    if stat is None:
        return "n/a"
    text = ("%.0f" if figure == "pss" else "%.2f") % stat["median"]
    if stat["runs"] < stat["of"]:
        text += "*"
    return text


# The targets: (scenario, figure) -> (what Dorvu's median is divided by, the highest ratio that
# meets it). "peer": the best peer of the row; "floor": the bare Qt WebEngine program; "single":
# Dorvu's own first onload with one page.
TARGETS = {
    ("one", "first"): ("floor", 1.1),
    ("twenty", "all"): ("peer", 0.8),
    ("twenty", "first"): ("single", 1.1),
    ("webkit", "all"): ("peer", 0.6),
    ("webkit", "pss"): ("peer", 0.5),
}


def target_cell(sc, figure, dorvu_stat, best, floor, single):
    """"ratio <= limit met|NOT met" for a row with a target, "-" for one without."""
    target = TARGETS.get((sc.key, figure))
    if target is None:
        return "-"
    against, limit = target
    base = {"peer": best[1] if best else None, "floor": floor["median"] if floor else None,
            "single": single["median"] if single else None}[against]
    if dorvu_stat is None or not base:
        return "%s <= %.1f: n/a" % (against, limit)
    ratio = dorvu_stat["median"] / base
    return "%.2f/%s <= %.1f %s" % (ratio, against, limit, "met" if ratio <= limit else "NOT met")


def print_table(results, scenario_list, columns, out):
    head = (["scenario", "figure", "Dorvu"] + [b.title for b in columns] +
            ["Dorvu/peer", "Dorvu/floor", "target"])
    single = results.get("one", {}).get("dorvu", {}).get("stats", {}).get("first")
    rows = []
    for sc in scenario_list:
        if sc.key not in results:
            continue
        res = results[sc.key]
        for figure in sc.figures:
            dorvu_stat = res["dorvu"]["stats"].get(figure)
            row = [sc.title, FIGURE_TITLE[figure], cell(dorvu_stat, figure)]
            best = floor = None
            for b in columns:
                if b.key not in res["peers"]:
                    row.append("-")
                    continue
                stat = res["peers"][b.key]["stats"].get(figure)
                row.append(cell(stat, figure))
                if b.floor:
                    floor = stat
                elif stat is not None and (best is None or stat["median"] < best[1]):
                    best = (b.title, stat["median"])
            if dorvu_stat is None or best is None or best[1] <= 0:
                row.append("n/a" if res["peers"] else "-")
            else:
                row.append("%.2f (%s)" % (dorvu_stat["median"] / best[1], best[0]))
            if dorvu_stat is None or floor is None or floor["median"] <= 0:
                row.append("-")
            else:
                row.append("%.2f" % (dorvu_stat["median"] / floor["median"]))
            row.append(target_cell(sc, figure, dorvu_stat, best, floor, single))
            rows.append(row)
    widths = [max(len(r[i]) for r in [head] + rows) for i in range(len(head))]
    line = lambda r: "  ".join(
        (c.ljust(w) if i < 2 else c.rjust(w)) for i, (c, w) in enumerate(zip(r, widths)))
    print(line(head), file=out)
    print("  ".join("-" * w for w in widths), file=out)
    previous = None
    for r in rows:
        shown = list(r)
        if r[0] == previous:
            shown[0] = ""
        previous = r[0]
        print(line(shown), file=out)


def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0], epilog=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--dorvu", metavar="FOLDER",
                        default=os.environ.get("DORVU_BUILD") or "build",
                        help="build folder holding dorvu and gecko/mozctl.so "
                             "(default $DORVU_BUILD, else build/ of the checkout)")
    parser.add_argument("-r", "--repeat", type=int, default=3, help="runs per figure (3)")
    parser.add_argument("--hosts", type=int, default=5,
                        help="loopback sites the spread scenario uses (5)")
    parser.add_argument("--only", nargs="+", metavar="SCENARIO",
                        choices=["one", "twenty", "sites", "list20", "list100", "hundred", "webkit",
                                 "webkitsites"],
                        help="run only these scenarios (hundred runs only when named)")
    parser.add_argument("--browsers", nargs="+", metavar="PEER",
                        help="peers to run (default: the bare WebEngine program of the build "
                             "and every installed one of chromium, konqueror, epiphany)")
    parser.add_argument("--timeout", type=float, default=60.0,
                        help="s to wait for every onload, plus 2%% per page (60)")
    parser.add_argument("--settle", type=float, default=2.0,
                        help="s memory is still sampled after the last onload (2)")
    parser.add_argument("--interval", type=float, default=0.2, help="sampling interval (0.2 s)")
    parser.add_argument("--quiet-wait", type=float, default=10.0,
                        help="at most this many s to wait before each launch for the machine "
                             "to be quiet (10; 0: no wait)")
    parser.add_argument("--json", metavar="FILE", help="write every run and min/median/max")
    parser.add_argument("--keep", action="store_true", help="keep the runs' scratch folders")
    parser.add_argument("-v", "--verbose", action="store_true", help="print every run")
    options = parser.parse_args(argv)

    build = options.dorvu
    if not os.path.isabs(build):
        build = os.path.join(os.path.dirname(os.path.dirname(here)), build)
    build = os.path.abspath(build)

    isolation = private_loopback()
    if not become_subreaper():
        print("warning: not a child subreaper; detaching processes are missed", file=sys.stderr)
    signal.signal(signal.SIGTERM, lambda *a: sys.exit(143))

    dorvu, dorvu_gecko = Dorvu(build, False), Dorvu(build, True)
    peer_list = [BareWebEngine(build)] + peers()
    if options.browsers:
        peer_list = [p for p in peer_list if p.key in options.browsers]
    missing = [p.title for p in peer_list if not p.available()]

    print("side_by_side: Dorvu from %s; peers: %s%s; R=%d" % (
        build, ", ".join(p.title for p in peer_list if p.available()) or "none",
        (" (not installed: %s)" % ", ".join(missing)) if missing else "", options.repeat))
    print("network: %s" % ("private namespace, loopback only" if isolation is None else
                           "shared with the machine (%s)" % isolation))
    print("every browser gets: %s" % " ".join("%s=%s" % kv for kv in common_env().items()))
    if AS_ROOT:
        print("running as root: the sandbox settings above and chromium --no-sandbox are set "
              "only because of that")
    if not dorvu.available():
        print("error: no %s" % dorvu.program, file=sys.stderr)
        return 1
    # A build folder that is rebuilt while the benchmark runs gives mixed figures: say which.
    built_at = os.stat(dorvu.program).st_mtime
    built = time.strftime("%Y-%m-%d %H:%M:%S", time.localtime(built_at))
    print("dorvu built %s" % built)

    chosen = [s for s in scenarios(options)
              if (s.key in options.only if options.only else s.key != "hundred")]
    results, notes = {}, []
    for sc in chosen:
        main_browser, others = subjects(sc, dorvu, dorvu_gecko, peer_list)
        entry = {"title": sc.title, "n": sc.n, "hosts": sc.hosts, "start_list": sc.start_list,
                 "peers": {}}
        for browser in [main_browser] + others:
            if not browser.available():
                note = "%s cannot run: %s" % (browser.title, "no " + browser.program
                                              if browser.program else "not installed")
                if note not in notes:
                    notes.append(note)
                runs = []
            else:
                runs = []
                for i in range(options.repeat):
                    run = run_once(browser, sc.n, sc.hosts, sc.start_list, options)
                    rebuilt = "dorvu was rebuilt while the benchmark ran: compare with care"
                    if os.stat(dorvu.program).st_mtime != built_at and rebuilt not in notes:
                        notes.append(rebuilt)
                    runs.append(run)
                    if options.verbose:
                        print("  %s / %s run %d: first=%s all=%s onloads=%d/%d fetched=%s "
                              "pss=%s %s" % (
                            sc.title, browser.title, i + 1, run.get("first"), run.get("all"),
                            run.get("onloads", 0), sc.n, run.get("fetched"), run.get("pss_mib"),
                            " ".join(run["notes"])), flush=True)
                    if run["notes"] or run.get("onloads", 0) < sc.n:
                        notes.append("%s, %s run %d: %d of %d onloads%s" % (
                            sc.title, browser.title, i + 1, run.get("onloads", 0), sc.n,
                            (" (" + "; ".join(run["notes"]) + ")") if run["notes"] else ""))
            stats = {f: summary(runs, f) for f in sc.figures} if runs else {}
            record = {"browser": browser.title, "stats": stats, "runs": runs}
            if browser is main_browser:
                entry["dorvu"] = record
            else:
                entry["peers"][browser.key] = record
        results[sc.key] = entry

    print()
    print_table(results, chosen, peer_list, sys.stdout)
    print()
    print("Medians of %d run(s) each; * = median of fewer runs (the others did not finish). "
          "n/a = no figure; - = not run." % options.repeat)
    print("Ratios: Dorvu / best peer for times, Dorvu / leanest peer for memory; Dorvu / floor "
          "against the bare WebEngine program, which is no peer. "
          "The WebKit rows set Dorvu to its Gecko engine and compare it with the WebKit peers.")
    busy = [r.get("machine_busy") for e in results.values()
            for rec in [e["dorvu"]] + list(e["peers"].values()) for r in rec["runs"]
            if r.get("machine_busy") is not None]
    if busy:
        print("Machine CPU busy during runs (all processes, median): %.0f%%" %
              (100 * statistics.median(busy)))
    for note in notes:
        print("note: " + note)
    if options.json:
        with open(options.json, "w") as f:
            json.dump({"build": build, "built": built, "repeat": options.repeat,
                       "hosts": options.hosts,
                       "isolation": isolation or "private loopback",
                       "env": common_env(), "results": results}, f, indent=1,
                      ensure_ascii=False)
    return 0


if __name__ == "__main__":
    sys.exit(main())
