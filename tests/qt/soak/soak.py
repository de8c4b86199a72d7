#!/usr/bin/env python3
"""The real program under fire, on private X servers.

  soak.py storm DRIVER [--seconds S] [--seed N]
      velmoran_soak plays a storm of clicks and keys for S seconds and quits
      by the exit menu; the settings file is then read back and checked.
  soak.py kills DRIVER [--kills K] [--seed N]
      velmoran_soak plays by itself and is killed with SIGKILL, K times, at
      random moments of start-up, the reel motion, the win counter, free
      spins and the gamble; after every kill the file is checked and the
      next start takes it over.
  soak.py under-x COMMAND...
      runs COMMAND on a private X server (the xcb platform).
  soak.py selftest
      shows that the checks below fail on the faults they exist for.

The checks of the settings file: it reads as plain INI (every line a
section, a key=value or blank), each player section holds its eight keys,
the numbers are plain integers, every section balances
(bank - amountinvested == total - wager) with bank >= 0, and nothing was
left beside the file but the program's own lock (and, right after a kill,
the killed copy's unfinished save and its writer's lock, which the next
start must remove). The file is parsed here,
more strictly than an INI library would, so that a torn or hand-damaged
file cannot pass for a good one.
"""

import argparse
import os
import random
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

STORE = "duraridu.ini"
NUMBERS = ("winroll", "reelspeed", "amountinvested", "wager", "total", "bank", "games")
KEYS = NUMBERS + ("currentplayer",)
MONEY = ("bank", "amountinvested", "wager", "total", "games")
NOTE = 5000  # what the banknote inserts
INTEGER = re.compile(r"-?[0-9]+")
SECTION = re.compile(r"\[player[1-6]\]")
UNFINISHED = re.compile(re.escape(STORE) + r"\.[A-Za-z0-9]{6}")


# --- the settings file ------------------------------------------------------


def read_store(path):
    """The sections of a settings file, and what is wrong with it."""
    problems = []
    sections = {}
    try:
        with open(path, "rb") as f:
            text = f.read().decode("utf-8")
    except (OSError, UnicodeDecodeError) as e:
        return sections, ["the file cannot be read: %s" % e]
    current = None
    for number, line in enumerate(text.split("\n"), 1):
        line = line.rstrip("\r")
        if not line.strip():
            continue
        if line.startswith("["):
            if not SECTION.fullmatch(line):
                problems.append("line %d: a section the game never writes: %r" % (number, line))
            current = sections.setdefault(line[1:-1], {})
            continue
        key, eq, value = line.partition("=")
        if not eq or current is None or key not in KEYS:
            problems.append("line %d: not a key of a player section: %r" % (number, line))
            continue
        if key in current:
            problems.append("line %d: %s given twice" % (number, key))
        current[key] = value
    for name, values in sorted(sections.items()):
        missing = [k for k in KEYS if k not in values]
        if missing:
            problems.append("[%s] lacks %s" % (name, ", ".join(missing)))
        for key in NUMBERS:
            value = values.get(key)
            if value is None:
                continue
            if not INTEGER.fullmatch(value) or not -(2**31) <= int(value) < 2**31:
                problems.append("[%s] %s=%r is not a plain integer" % (name, key, value))
                continue
            values[key] = int(value)
        if all(isinstance(values.get(k), int) for k in MONEY):
            if values["bank"] - values["amountinvested"] != values["total"] - values["wager"]:
                problems.append("[%s] does not balance: %s" % (name, describe(values)))
            if values["bank"] < 0:
                problems.append("[%s] has a negative credit: %s" % (name, describe(values)))
    return sections, problems


def beside_store(folder, killed=()):
    """What lies beside the settings file that should not.

    killed holds the copies killed since the last start that claimed the
    store: a copy killed before it claimed the store leaves the leftovers of
    the copy killed before it where they were."""
    problems = []
    for name in sorted(os.listdir(folder)):
        if name in (STORE, STORE + ".running"):
            continue
        path = os.path.join(folder, name)
        # The settings writer's own lock, left by a copy killed while it
        # wrote: its owner, or empty when the kill came before it was
        # written; the next start removes it.
        if name == STORE + ".lock" and killed:
            try:
                with open(path) as f:
                    owner = f.readline().strip()
            except OSError:
                owner = ""
            if owner == "" or owner in {str(pid) for pid in killed}:
                continue
        # A save the killed copy had not yet renamed into place; the next
        # start removes it.
        if UNFINISHED.fullmatch(name) and killed:
            continue
        problems.append("left beside the store: %s" % name)
    return problems


def unfinished_saves(folder):
    return {name for name in os.listdir(folder) if UNFINISHED.fullmatch(name)}


def money(values):
    return {k: values[k] for k in MONEY}


def describe(values):
    return " ".join("%s=%s" % (k, values.get(k)) for k in MONEY)


def write_store(folder, **values):
    record = dict(winroll=1, reelspeed=1, amountinvested=2000, wager=0, total=0, bank=2000, games=0,
                  currentplayer="Soak")
    record.update(values)
    with open(os.path.join(folder, STORE), "w") as f:
        f.write("[player1]\n" + "".join("%s=%s\n" % (k, record[k]) for k in KEYS))


# --- what a run says --------------------------------------------------------


def fields(words):
    out = {}
    for w in words:
        key, eq, value = w.partition("=")
        if eq:
            out[key] = int(value) if INTEGER.fullmatch(value) else value
    return out


class Trail:
    """Follows the lines of a self-playing run: what it was doing, and what
    the record on disk may be at each moment (one record, or during a card
    of the gamble the record before or after the card)."""

    PHASES = ("startup", "motion", "counter", "freespins", "gamble")

    def __init__(self, on_disk):
        self.expected = [money(on_disk)]
        self.phases = set()
        self.lines = []
        self.ready = None
        self.exit = None
        self.failures = []
        self.motions = 0
        self.last_play = None
        self.decided = None
        self.gamble = None  # [record before, stake, amount at risk]

    def _played(self, f):
        # The game of the last paid press: its bet taken, the game counted,
        # and every win of the game so far paid.
        r = dict(self.last_play)
        r["bank"] += f["wins"] - f["bet"]
        r["wager"] += f["bet"]
        r["total"] += f["wins"]
        r["games"] += 1
        return r

    def _gambled(self, payout):
        base, stake, _ = self.gamble
        r = dict(base)
        r["bank"] += payout - stake
        r["total"] += payout - stake
        return r

    def feed(self, line):
        self.lines.append(line)
        words = line.split()
        if not words:
            return
        word, f = words[0], fields(words[1:])
        if word == "startup":
            self.phases.add("startup")
        elif word == "ready":
            self.phases.discard("startup")
            self.ready = f
            self.expected = [money(f)]
        elif word in ("play", "notes", "collect", "exit"):
            self.expected = [money(f)]
            if word == "play":
                self.last_play = money(f)
            if word == "notes":
                # Said just before the banknote goes in.
                self.expected.append(dict(money(f), bank=f["bank"] + NOTE, amountinvested=f["amountinvested"] + NOTE))
            if word == "exit":
                self.exit = f
        elif word == "decided":
            # The outcome stands and is about to be saved; until the save is
            # done the record before it may still be on the disk.
            self.decided = self._played(f)
            self.expected = self.expected + [self.decided]
        elif word == "motion":
            # By the first frame of the motion the outcome is saved.
            self.motions += 1
            self.phases.add("motion")
            if self.decided is None:
                self.failures.append("the reels moved before the outcome was saved")
            self.expected = [self._played(f)]
            self.decided = None
        elif word == "stopped":
            self.phases.discard("motion")
        elif word == "counter":
            self.phases.add("counter")
        elif word == "counted":
            self.phases.discard("counter")
        elif word == "freespins":
            self.phases.add("freespins")
        elif word == "freespins-over":
            self.phases.discard("freespins")
        elif word == "gamble":
            self.phases.add("gamble")
            self.gamble = [self.expected[0], f["stake"], f["stake"]]
        elif word == "card":
            at_risk = self.gamble[2]
            self.expected = [self._gambled(p) for p in (at_risk, at_risk * f["factor"], 0)]
        elif word == "won":
            self.gamble[2] = f["atrisk"]
            self.expected = [self._gambled(f["atrisk"])]
        elif word in ("lost", "left"):
            self.expected = [self._gambled(0 if word == "lost" else self.gamble[2])]
            self.phases.discard("gamble")
            self.gamble = None
        elif word == "FAIL":
            self.failures.append(line)


class Run:
    """One run of the driver, its lines read as they come."""

    def __init__(self, argv, env, trail, log):
        self.trail = trail
        self.proc = subprocess.Popen(argv, env=env, stdout=subprocess.PIPE, stderr=log)
        self.started = time.monotonic()
        self.buffer = b""
        self.eof = False

    def pump(self, until):
        """Reads lines until `until` (a monotonic time) or the end of output."""
        while not self.eof:
            left = until - time.monotonic()
            if left <= 0:
                return
            ready, _, _ = select.select([self.proc.stdout], [], [], left)
            if not ready:
                return
            chunk = os.read(self.proc.stdout.fileno(), 65536)
            if not chunk:
                self.eof = True
                return
            self.buffer += chunk
            *whole, self.buffer = self.buffer.split(b"\n")
            for line in whole:
                self.trail.feed(line.decode("utf-8", "replace"))

    def wait_for(self, condition, seconds):
        deadline = time.monotonic() + seconds
        while not condition():
            if self.eof or time.monotonic() >= deadline:
                return False
            self.pump(min(deadline, time.monotonic() + 0.05))
        return True

    def kill(self):
        self.proc.kill()
        return self.finish()

    def finish(self, seconds=60):
        try:
            status = self.proc.wait(timeout=seconds)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            status = self.proc.wait()
        self.pump(time.monotonic() + 5)
        self.proc.stdout.close()
        return status


# --- private X servers ------------------------------------------------------


class XServer:
    """An Xvfb of our own; it picks a free display itself (-displayfd), so
    that servers started at the same time never take the same one."""

    def __enter__(self):
        read, write = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"],
            pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        number = b""
        while not number.endswith(b"\n"):
            ready, _, _ = select.select([read], [], [], 30)
            chunk = os.read(read, 16) if ready else b""
            if not chunk:
                self.proc.kill()
                raise RuntimeError("Xvfb did not start")
            number += chunk
        os.close(read)
        self.display = ":" + number.decode().strip()
        return self

    def __exit__(self, *exc):
        self.proc.terminate()
        try:
            self.proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()


def environment(display, base):
    config = os.path.join(base, "config")
    runtime = os.path.join(base, "runtime")
    os.makedirs(config, exist_ok=True)
    os.makedirs(runtime, mode=0o700, exist_ok=True)
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", XDG_CONFIG_HOME=config,
               XDG_RUNTIME_DIR=runtime)
    return env, config


# --- the commands -----------------------------------------------------------


def storm(args):
    base = tempfile.mkdtemp(prefix="velmoran-storm-")
    failures = []
    try:
        with XServer() as x:
            env, config = environment(x.display, base)
            # The win counter shows a win at once, so that more games fit; the
            # options window may switch it on.
            write_store(config, winroll=0)
            log_path = os.path.join(base, "stderr")
            with open(log_path, "wb") as log:
                trail = Trail(read_store(os.path.join(config, STORE))[0]["player1"])
                run = Run([args.driver, "storm", "--seconds", str(args.seconds), "--seed", str(args.seed)],
                          env, trail, log)
                run.pump(time.monotonic() + args.seconds + 120)
                status = run.finish(30)
            for line in trail.lines:
                if not line.startswith("exit "):
                    print(line)
            if status != 0:
                failures.append("the storm ended with status %d" % status)
            if trail.exit is None:
                failures.append("the storm did not reach the exit menu")
            sections, problems = read_store(os.path.join(config, STORE))
            failures += problems + beside_store(config)
            if trail.exit is not None and not problems:
                slot = "player%d" % trail.exit["slot"]
                on_disk = money(sections.get(slot, {}))
                # At rest the record written on the way out is the live one.
                if trail.exit["rest"] == 1 and on_disk != money(trail.exit):
                    failures.append("the record on disk (%s) is not the one the program quit with (%s)"
                                    % (describe(on_disk), describe(trail.exit)))
                print("store read back: %d section(s), [%s] %s" % (len(sections), slot, describe(on_disk)))
            if failures:
                with open(log_path, "rb") as f:
                    sys.stdout.write(f.read().decode("utf-8", "replace")[-4000:])
    finally:
        shutil.rmtree(base, ignore_errors=True)
    for f in failures:
        print("FAIL " + f)
    return 1 if failures else 0


# When a kill aimed at a phase comes: the line that opens the phase, then a
# random wait short enough to land inside it.
AIMS = {
    "startup": (lambda t: "startup" in t.lines, 0.35),
    "motion": (lambda t: t.motions >= 1, 0.9),
    "counter": (lambda t: "counter" in t.lines, 0.8),
    "freespins": (lambda t: "freespins" in t.lines, 4.0),
    "gamble": (lambda t: any(l.startswith("gamble ") for l in t.lines), 2.5),
    "anytime": (lambda t: True, 6.0),
}


def kills(args):
    rng = random.Random(args.seed)
    base = tempfile.mkdtemp(prefix="velmoran-kills-")
    failures = []
    hits = {p: 0 for p in Trail.PHASES}
    stale_locks = 0
    unfinished_left = 0
    left_unfinished = set()
    unclaimed = set()
    killed = 0
    began = time.monotonic()
    try:
        with XServer() as x:
            env, config = environment(x.display, base)
            write_store(config)
            store = os.path.join(config, STORE)
            log_path = os.path.join(base, "stderr")
            log = open(log_path, "wb")
            for number in range(args.kills + 1):
                final = number == args.kills
                before = read_store(store)[0]["player1"]
                if final:
                    aim = "none"
                elif number % 6 == 5:
                    aim = "anytime"
                else:
                    least = min(hits.values())
                    aim = rng.choice([p for p in Trail.PHASES if hits[p] == least])
                seed = args.seed * 1000 + number
                argv = [args.driver, "autoplay", "--aim", aim, "--seed", str(seed), "--startup-ms", "300",
                        "--respin-ms", "300", "--seconds", "90"]
                if final:
                    argv += ["--games", "3"]
                    # As if the last kill had come in the middle of a save,
                    # before the writer's lock named its owner: the last
                    # start must remove both.
                    open(store + ".zZ9x0Q", "w").close()
                    open(store + ".lock", "w").close()
                trail = Trail(before)
                run = Run(argv, env, trail, log)
                where = "run %d (aim %s, seed %d)" % (number, aim, seed)
                if final:
                    status = run.finish(120)
                    if status != 0 or trail.exit is None or trail.exit.get("rest") != 1:
                        failures.append("%s: the last run did not quit at rest by the exit menu (status %s)"
                                        % (where, status))
                else:
                    opened, within = AIMS[aim]
                    if not run.wait_for(lambda: opened(trail), 60):
                        run.kill()
                        failures.append("%s: the phase never came" % where)
                        continue
                    run.pump(time.monotonic() + rng.uniform(0, within))
                    status = run.kill()
                    killed += 1
                    if status != -signal.SIGKILL:
                        failures.append("%s: the run ended by itself (status %s) before the kill" % (where, status))
                    for p in trail.phases:
                        hits[p] += 1
                failures += ["%s: %s" % (where, l) for l in trail.failures]
                sections, problems = read_store(store)
                # Whatever a copy killed before it claimed the store found
                # there stays until a start claims it.
                if trail.ready is not None:
                    unclaimed = set()
                if not final:
                    unclaimed.add(run.proc.pid)
                problems += beside_store(config, () if final else unclaimed)
                # A run that got as far as reading the store had claimed it.
                if trail.ready is not None:
                    problems += ["the start left the unfinished save %s of a kill before it" % name
                                 for name in sorted(left_unfinished & unfinished_saves(config))]
                left_unfinished = unfinished_saves(config)
                unfinished_left += len(left_unfinished)
                stale_locks += os.path.exists(store + ".lock")
                record = money(sections.get("player1", {})) if not problems else None
                if trail.ready is not None and money(trail.ready) != money(before):
                    problems.append("the start read %s, but the file held %s" % (describe(trail.ready),
                                                                                 describe(before)))
                if record is not None and record not in trail.expected:
                    problems.append("after a kill in %s the record is %s, expected %s" % (
                        ", ".join(sorted(trail.phases)) or "no phase", describe(record),
                        " or ".join(describe(e) for e in trail.expected)))
                if problems:
                    failures += ["%s: %s" % (where, p) for p in problems]
                    failures.append("%s: its last lines: %s" % (where, " | ".join(trail.lines[-8:])))
                    break
            log.close()
            if failures:
                with open(log_path, "rb") as f:
                    sys.stdout.write(f.read().decode("utf-8", "replace")[-4000:])
    finally:
        shutil.rmtree(base, ignore_errors=True)
    print("kills: %d in %.0f s; in start-up %d, reel motion %d, win counter %d, free spins %d, gamble %d; "
          "settings-writer locks left by a kill and taken over: %d; unfinished saves left and removed: %d"
          % (killed, time.monotonic() - began, hits["startup"], hits["motion"], hits["counter"],
             hits["freespins"], hits["gamble"], stale_locks, unfinished_left))
    if not failures:
        # Each phase is aimed at in turn; a kill may still land elsewhere.
        missed = [p for p in Trail.PHASES if hits[p] < max(1, args.kills // 15)]
        if missed:
            failures.append("too few kills landed in: " + ", ".join(missed))
    for f in failures:
        print("FAIL " + f)
    return 1 if failures else 0


def under_x(args):
    with XServer() as x:
        env = dict(os.environ, DISPLAY=x.display, QT_QPA_PLATFORM="xcb")
        return subprocess.call(args.command, env=env)


# --- the checks, checked ----------------------------------------------------


class StoreChecks(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp()
        self.path = os.path.join(self.folder, STORE)

    def tearDown(self):
        shutil.rmtree(self.folder)

    def problems(self, text=None, killed=()):
        if text is not None:
            with open(self.path, "w") as f:
                f.write(text)
        return read_store(self.path)[1] + beside_store(self.folder, killed)

    def test_the_games_own_file_passes(self):
        write_store(self.folder, bank=1975, wager=25)
        self.assertEqual(self.problems(), [])

    def test_a_file_cut_short_fails(self):
        write_store(self.folder)
        with open(self.path) as f:
            text = f.read()
        self.assertTrue(self.problems(text[:text.index("bank=") + 3]))

    def test_a_value_that_is_not_a_plain_integer_fails(self):
        write_store(self.folder, bank="2000.0", amountinvested="2000")
        self.assertTrue(self.problems())
        write_store(self.folder, bank=" 2000")
        self.assertTrue(self.problems())

    def test_a_record_out_of_balance_fails(self):
        write_store(self.folder, bank=2052)
        self.assertTrue(self.problems())

    def test_a_negative_credit_fails(self):
        write_store(self.folder, bank=-100, amountinvested=-100)
        self.assertTrue(self.problems())

    def test_a_line_that_is_no_key_fails(self):
        write_store(self.folder)
        with open(self.path) as f:
            text = f.read()
        self.assertTrue(self.problems(text + "@Variant(\\0)\n"))

    def test_a_temporary_file_beside_the_store_fails_unless_a_kill_just_left_it(self):
        write_store(self.folder)
        open(self.path + ".Xa3fQ1", "w").close()
        self.assertTrue(self.problems())
        self.assertEqual(self.problems(killed={4242}), [])
        self.assertEqual(unfinished_saves(self.folder), {STORE + ".Xa3fQ1"})
        open(self.path + ".Xa3fQ", "w").close()
        self.assertTrue(self.problems(killed={4242}))

    def test_only_the_killed_writers_lock_may_stay(self):
        write_store(self.folder)
        with open(self.path + ".lock", "w") as f:
            f.write("4242\nslots_velmoran\nhost\n")
        self.assertEqual(self.problems(killed={4242}), [])
        self.assertTrue(self.problems(killed={4343}))
        # A copy killed before it claimed the store leaves the lock of the
        # copy killed before it.
        self.assertEqual(self.problems(killed={4343, 4242}), [])
        # Killed before it named its owner.
        open(self.path + ".lock", "w").close()
        self.assertEqual(self.problems(killed={4242}), [])
        self.assertTrue(self.problems())


class KillExpectations(unittest.TestCase):
    START = dict(bank=2000, amountinvested=2000, wager=0, total=0, games=0)

    def trail(self, *lines):
        t = Trail(self.START)
        for line in lines:
            t.feed(line)
        return t

    def test_a_kill_while_the_reels_turn_keeps_the_bet_and_the_win(self):
        t = self.trail("startup", "ready " + describe(self.START), "play " + describe(self.START),
                       "decided bet=25 wins=52")
        decided = dict(bank=2027, amountinvested=2000, wager=25, total=52, games=1)
        # Just before the save, either record may be on the disk.
        self.assertEqual(t.expected, [self.START, decided])
        t.feed("motion bet=25 wins=52")
        self.assertEqual(t.phases, {"motion"})
        # The stake given back, or the win not yet paid, is not accepted.
        self.assertEqual(t.expected, [decided])

    def test_a_banknote_may_or_may_not_be_in(self):
        t = self.trail("notes " + describe(self.START))
        self.assertEqual(t.expected, [self.START, dict(self.START, bank=7000, amountinvested=7000)])

    def test_free_spins_keep_the_wins_so_far(self):
        t = self.trail("play " + describe(self.START), "decided bet=25 wins=100", "motion bet=25 wins=100",
                       "stopped", "freespins", "decided bet=25 wins=130", "motion bet=25 wins=130")
        self.assertEqual(t.phases, {"motion", "freespins"})
        self.assertEqual(t.expected, [dict(bank=2105, amountinvested=2000, wager=25, total=130, games=1)])

    def test_a_card_is_settled_the_moment_it_is_drawn(self):
        won = dict(bank=2027, amountinvested=2000, wager=25, total=52, games=1)
        t = self.trail("play " + describe(self.START), "decided bet=25 wins=52", "motion bet=25 wins=52",
                       "stopped", "gamble stake=52", "card factor=2 atrisk=52")
        self.assertEqual(t.phases, {"gamble"})
        self.assertIn(won, t.expected)
        self.assertIn(dict(won, bank=2079, total=104), t.expected)
        self.assertIn(dict(won, bank=1975, total=0), t.expected)
        t.feed("lost")
        self.assertEqual(t.expected, [dict(won, bank=1975, total=0)])

    def test_reels_that_move_before_the_save_are_a_failure(self):
        t = self.trail("play " + describe(self.START), "motion bet=25 wins=0")
        self.assertTrue(t.failures)
        self.assertEqual(t.expected, [dict(self.START, bank=1975, wager=25, games=1)])


def selftest(_args):
    suite = unittest.TestSuite()
    for case in (StoreChecks, KillExpectations):
        suite.addTests(unittest.defaultTestLoader.loadTestsFromTestCase(case))
    return 0 if unittest.TextTestRunner(verbosity=2).run(suite).wasSuccessful() else 1


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    sub = parser.add_subparsers(dest="command_name", required=True)
    p = sub.add_parser("storm")
    p.add_argument("driver")
    p.add_argument("--seconds", type=float, default=60)
    p.add_argument("--seed", type=int, default=1)
    p.set_defaults(run=storm)
    p = sub.add_parser("kills")
    p.add_argument("driver")
    p.add_argument("--kills", type=int, default=30)
    p.add_argument("--seed", type=int, default=1)
    p.set_defaults(run=kills)
    p = sub.add_parser("under-x")
    p.add_argument("command", nargs=argparse.REMAINDER)
    p.set_defaults(run=under_x)
    p = sub.add_parser("selftest")
    p.set_defaults(run=selftest)
    args = parser.parse_args()
    return args.run(args)


if __name__ == "__main__":
    sys.exit(main())
