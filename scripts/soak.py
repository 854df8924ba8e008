#!/usr/bin/env python3
"""Fault soak: many transfers of tq530-cli against nr6120-sim with random faults.

Every transfer runs against its own simulator process, started on the EEPROM file that the
last transfer of its lane left behind, with faults chosen from the seed: refused, garbled or
unanswered frames, a radio that is busy or refuses the first synchronisation, stray bytes, a
cable pulled at a frame or after a random time, and Ctrl+C at a random time. Checked:

- the program ends with status 0 or 1 (never a signal or anything else), within its time-outs;
- the simulator survives every transfer it was not told to die in;
- a read that did not succeed leaves the output file as it was; one that did wrote exactly
  what loading and saving the radio's image gives;
- no transfer changes a byte of the EEPROM outside the area it writes, and one that reports
  success left exactly the expected bytes there.

The plan of every transfer follows from the seed alone; only the moment a timed cable pull or
Ctrl+C lands depends on the machine.
"""

import argparse
import collections
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

IMAGE_SIZE = 8192
MODES = ["read", "program", "mmsi", "dsc-log", "distress-log"]
FRAME_FAULTS = ["refuse", "bad-checksum", "other-address", "wrong-length", "short-data",
                "wrong-name", "drop-ok"]
# Faults that cost a full time-out of the PC (10 s, up to three times): rarer, to keep the
# soak short.
SLOW_FAULTS = ["silent", "ok-only", "truncated"]
# The longest a transfer may take with the faults below before it counts as hung: three
# unanswered attempts of two frames, the resynchronisations and CAN's wait, with room.
HANG_SECONDS = 150


def written_area(mode):
    """Addresses a transfer of the mode may write."""
    if mode == "read":
        return set()
    if mode == "program":
        return set(range(2, 192)) | set(range(320, 6656))
    if mode == "mmsi":
        return set(range(322, 328))
    if mode == "dsc-log":
        return set(range(6656, 7680))
    return set(range(7680, 8160))


def cleared(mode, before):
    after = bytearray(before)
    if mode == "mmsi":
        after[322:327] = b"\xff" * 5
        after[327] = 0
    elif mode == "dsc-log":
        after[6656:7680] = b"\xff" * 1024
    else:
        after[7680:8160] = b"\xff" * 480
    return bytes(after)


def frames_of(mode):
    """The #CEP frames a fault-free transfer of the mode sends."""
    checks = 1 + 3
    return checks + {"read": 128, "program": 62 + 2 + 99, "mmsi": 6, "dsc-log": 16,
                     "distress-log": 8}[mode]


class Soak:
    def __init__(self, args):
        self.args = args
        self.bin = os.path.abspath(args.bin)
        self.work = tempfile.mkdtemp(prefix="tq530_soak_")
        self.lock = threading.Lock()
        self.outcomes = collections.Counter()
        self.faults = collections.Counter()
        self.problems = []
        self.crashes = self.hangs = self.wrong = self.sim_crashes = 0
        self.durations = []
        self.done = 0

    def cli(self, *args, timeout=60):
        return subprocess.run([os.path.join(self.bin, "tq530-cli"), *args],
                              stdin=subprocess.DEVNULL, capture_output=True, timeout=timeout)

    def prepare(self):
        """Data sets to program: the defaults, and two with other contents."""
        d = self.work
        self.cli("new", f"{d}/default.hex").check_returncode()
        self.default = open(f"{d}/default.hex", "rb").read()
        self.programs = []
        rng = random.Random(self.args.seed)
        for n in range(3):
            image = bytearray(self.default)
            name = f"SOAK {n} {rng.randrange(10**6):06d}".encode()
            image[0x0580:0x0580 + len(name)] = name  # the first USA channel name
            image[0x0800 + n] = rng.randrange(256)
            raw = f"{d}/program{n}.hex"
            open(raw, "wb").write(image)
            expected = f"{d}/program{n}.expected.hex"
            self.cli("convert", raw, expected).check_returncode()
            self.programs.append((raw, open(expected, "rb").read()))
        dat = f"{d}/program3.dat"
        self.cli("convert", self.programs[1][0], dat).check_returncode()
        expected = f"{d}/program3.expected.hex"
        self.cli("convert", dat, expected).check_returncode()
        self.programs.append((dat, open(expected, "rb").read()))

    def plan(self, index):
        """What transfer number index does and which faults it meets: from the seed alone."""
        rng = random.Random(f"{self.args.seed}:{index}")
        mode = rng.choices(MODES, weights=[35, 30, 10, 15, 10])[0]
        sim, faults, cli = [], [], []
        if rng.random() < 0.5:
            cli.append("--yes")
        if rng.random() < 0.2:
            cli.append("--low-speed")
        if rng.random() < 0.1:
            sim += ["--busy", str(rng.randint(1, 2))]
            faults.append("busy")
        if rng.random() < 0.1:
            sim += ["--refuse-sync", str(rng.randint(1, 4))]
            faults.append("refuse-sync")
        for flag, p in (("--noise", 0.1), ("--lowercase-error", 0.1), ("--error-crlf", 0.1)):
            if rng.random() < p:
                sim.append(flag)
                faults.append(flag[2:])
        if rng.random() < 0.05:
            sim += ["--no-ack"]
            faults.append("no-ack")
        count = rng.choices([0, 1, 2, 3], weights=[30, 40, 20, 10])[0]
        for _ in range(count):
            kind = rng.choice(SLOW_FAULTS) if rng.random() < 0.08 else rng.choice(FRAME_FAULTS)
            frame = rng.randint(1, frames_of(mode) + 2)
            sim += ["--fault", f"{kind}@{frame}"]
            faults.append(kind)
        pull = kill = interrupt = None
        r = rng.random()
        if r < 0.08:
            pull = rng.randint(1, frames_of(mode))
            sim += ["--fault", f"close@{pull}"]
            faults.append("cable-pull-at-frame")
        elif r < 0.16:
            kill = rng.uniform(0.2, 4.0)
            faults.append("cable-pull-timed")
        elif r < 0.26:
            interrupt = rng.uniform(0.5, 4.0)
            faults.append("ctrl-c")
        program = rng.randrange(len(self.programs))
        return dict(mode=mode, sim=sim, faults=faults, cli=cli, kill=kill,
                    interrupt=interrupt, program=program)

    def start_sim(self, lane_dir, options):
        proc = subprocess.Popen([os.path.join(self.bin, "nr6120-sim"), "--image",
                                 f"{lane_dir}/radio.hex", *options],
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                stdin=subprocess.DEVNULL, text=True)
        device = proc.stdout.readline().strip()
        if not device.startswith("/dev/"):
            proc.kill()
            raise RuntimeError(f"nr6120-sim did not start: {proc.stderr.read()}")
        return proc, device

    def run_one(self, lane_dir, index):
        p = self.plan(index)
        mode = p["mode"]
        before = open(f"{lane_dir}/radio.hex", "rb").read()
        sim, device = self.start_sim(lane_dir, p["sim"])
        out = f"{lane_dir}/out.hex"
        sentinel = f"soak {index} was here\n".encode()
        open(out, "wb").write(sentinel)
        args = [os.path.join(self.bin, "tq530-cli"), *p["cli"]]
        if mode == "read":
            args += ["read", "--port", device, out]
        elif mode == "program":
            args += ["program", "--port", device, self.programs[p["program"]][0]]
        else:
            args += ["clear", "--port", device, mode]
        start = time.monotonic()
        cli = subprocess.Popen(args, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                               stderr=subprocess.PIPE)
        timers = []
        if p["kill"] is not None:
            timers.append(threading.Timer(p["kill"], lambda: sim.poll() is None and
                                          sim.send_signal(signal.SIGTERM)))
        if p["interrupt"] is not None:
            timers.append(threading.Timer(p["interrupt"], lambda: cli.poll() is None and
                                          cli.send_signal(signal.SIGINT)))
        for t in timers:
            t.start()
        hung = False
        try:
            _, err = cli.communicate(timeout=HANG_SECONDS)
        except subprocess.TimeoutExpired:
            hung = True
            cli.kill()
            _, err = cli.communicate()
        for t in timers:
            t.cancel()
        seconds = time.monotonic() - start
        err = err.decode("latin-1")
        sim_died = sim.poll() is not None
        if not sim_died:
            sim.send_signal(signal.SIGTERM)
        try:
            sim.communicate(timeout=10)
        except subprocess.TimeoutExpired:
            sim.kill()
            sim.communicate()
        after = open(f"{lane_dir}/radio.hex", "rb").read()

        problems = []
        status = cli.returncode
        if hung:
            outcome = "hung"
        elif status == 0:
            outcome = "ok"
        elif status == 1:
            outcome = "cancelled" if "cancelled" in err else "failed"
        else:
            outcome = f"status {status}"
        crash = not hung and status not in (0, 1)
        if crash:
            problems.append(f"crash: status {status}: {err[-300:]}")
        if hung:
            problems.append(f"hung for {seconds:.0f} s")
        expected_death = p["kill"] is not None or any("close@" in s for s in p["sim"])
        sim_crash = sim.returncode not in (0, -signal.SIGTERM) or (sim_died and
                                                                   not expected_death)
        if sim_crash:
            problems.append(f"simulator ended with {sim.returncode}")

        wrong = False
        area = written_area(mode)
        outside = [a for a in range(IMAGE_SIZE) if a not in area and before[a] != after[a]]
        if outside:
            wrong = True
            problems.append(f"EEPROM changed outside the area at {outside[:5]}")
        if status == 0:
            if mode == "program":
                expected = bytearray(before)
                target = self.programs[p["program"]][1]
                for a in area:
                    expected[a] = target[a]
                expected = bytes(expected)
            elif mode == "read":
                expected = before
            else:
                expected = cleared(mode, before)
            if after != expected:
                wrong = True
                diff = [a for a in range(IMAGE_SIZE) if after[a] != expected[a]]
                problems.append(f"EEPROM differs from the expected at {diff[:5]}")
        if mode == "read":
            got = open(out, "rb").read()
            if status == 0:
                image = bytearray(self.default)
                image[2:1024] = before[2:1024]
                image[1280:] = before[1280:]
                raw = f"{lane_dir}/expected-raw.hex"
                open(raw, "wb").write(image)
                self.cli("convert", raw, f"{lane_dir}/expected.hex").check_returncode()
                if got != open(f"{lane_dir}/expected.hex", "rb").read():
                    wrong = True
                    problems.append("the read's output is not the radio's image")
            elif got != sentinel:
                wrong = True
                problems.append("a read that did not succeed changed its output file")

        with self.lock:
            self.done += 1
            self.outcomes[(mode, outcome)] += 1
            for f in p["faults"]:
                self.faults[f] += 1
            self.crashes += crash
            self.hangs += hung
            self.sim_crashes += sim_crash
            self.wrong += wrong
            self.durations.append(seconds)
            line = (f"{index:4d} {mode:12s} {outcome:9s} {seconds:5.1f}s "
                    f"{' '.join(p['faults']) or '-'}")
            if problems:
                self.problems.append(f"#{index} {mode} {' '.join(p['cli'] + p['sim'])}: "
                                     + "; ".join(problems))
                line += "  <-- " + "; ".join(problems)
            if self.args.verbose or problems:
                print(line, flush=True)
            elif self.done % 25 == 0:
                print(f"{self.done}/{self.args.count} transfers", flush=True)

    def lane(self, number):
        lane_dir = f"{self.work}/lane{number}"
        os.makedirs(lane_dir)
        radio = bytearray(random.Random(f"{self.args.seed}:radio").randbytes(IMAGE_SIZE))
        radio[0:2] = radio[8190:8192] = (6120).to_bytes(2, "big")
        radio[304:311] = b"RB274V\xff"
        open(f"{lane_dir}/radio.hex", "wb").write(radio)
        for index in range(number, self.args.count, self.args.jobs):
            self.run_one(lane_dir, index)

    def run(self):
        self.prepare()
        started = time.monotonic()
        lanes = [threading.Thread(target=self.lane, args=(n,)) for n in range(self.args.jobs)]
        for t in lanes:
            t.start()
        for t in lanes:
            t.join()
        self.report(time.monotonic() - started)
        if not self.args.keep:
            shutil.rmtree(self.work, ignore_errors=True)
        return 0 if not (self.crashes or self.hangs or self.wrong or self.sim_crashes) else 1

    def report(self, seconds):
        print(f"\nsoak: seed {self.args.seed}, {self.done} transfers in {seconds:.0f} s "
              f"({self.args.jobs} lanes), longest {max(self.durations):.1f} s")
        outcomes = sorted({o for _, o in self.outcomes})
        print(f"{'transfer':14s}" + "".join(f"{o:>11s}" for o in outcomes) + f"{'total':>8s}")
        for mode in MODES:
            row = [self.outcomes[(mode, o)] for o in outcomes]
            print(f"{mode:14s}" + "".join(f"{n:11d}" for n in row) + f"{sum(row):8d}")
        totals = [sum(self.outcomes[(m, o)] for m in MODES) for o in outcomes]
        print(f"{'all':14s}" + "".join(f"{n:11d}" for n in totals) + f"{sum(totals):8d}")
        print("faults injected: " + ", ".join(f"{k} {v}" for k, v in sorted(self.faults.items()))
              + f" (total {sum(self.faults.values())})")
        print(f"crashes {self.crashes}, hangs {self.hangs}, wrong bytes {self.wrong}, "
              f"simulator failures {self.sim_crashes}")
        for p in self.problems:
            print("PROBLEM " + p)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("count", type=int, help="number of transfers")
    parser.add_argument("--seed", default="1")
    parser.add_argument("--jobs", type=int, default=2, help="transfers run side by side")
    parser.add_argument("--bin", default="build/bin")
    parser.add_argument("--keep", action="store_true", help="keep the work folder")
    parser.add_argument("--verbose", "-v", action="store_true", help="a line per transfer")
    args = parser.parse_args()
    return Soak(args).run()


if __name__ == "__main__":
    sys.exit(main())
