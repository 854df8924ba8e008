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
  success left exactly the expected bytes there;
- every read and program that completed left its backup, with the bytes it read or sent, in
  the shared backup folder (which also holds a hundred later-dated images and files that
  only look like backups, none of which may go), or said "Backup not saved" when the soak
  took that folder away.

Output-side faults: a read into a FIFO, onto a full disk or into a read-only folder, standard
output on /dev/full, and a backup folder that is read-only or full. Now and then two
transfers run at once on two simulators, finishing in the same second. Every step has a
time-out, so a hang is counted, not waited for.

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
# The longest a transfer without those faults may take.
QUICK_HANG_SECONDS = 45
OUTPUT_FAULTS = ["out-fifo", "out-full-disk", "out-read-only", "stdout-full"]
BACKUP_FAULTS = ["backup-read-only", "backup-full"]


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
        self.crashes = self.hangs = self.wrong = self.sim_crashes = self.lost = 0
        self.overfull = False
        self.kept = 0
        self.claimed = set()  # backups found for a transfer; another one cannot count them
        self.mounts = []
        self.durations = []
        self.done = self.transfers = 0

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
        self.prepare_backups()
        self.prepare_fault_places()

    def prepare_backups(self):
        """The shared backup folder, with what a copied folder or a wrong clock leaves."""
        self.data_home = f"{self.work}/data"
        self.backups = f"{self.data_home}/TQ530/backups"
        os.makedirs(self.backups)
        self.foreign = []
        for n in range(100):
            name = f"{self.backups}/2039{1001 + n:04d}-120000-NR6120-read.hex"
            open(name, "wb").write(self.default)
            self.foreign.append(name)
        for name, data in (("20200101-000000-NR6120-read.hex", b"x"),
                           ("20200101-000001-NR6120-program.hex", b"\0" * IMAGE_SIZE)):
            open(f"{self.backups}/{name}", "wb").write(data)
            self.foreign.append(f"{self.backups}/{name}")
        link = f"{self.backups}/20200101-000002-NR6120-read.hex"
        os.symlink("/etc/passwd", link)
        self.foreign.append(link)

    def mount_tmpfs(self, path, fill=False, read_only=False, setup=None):
        """A small file system at path: full, or read-only, once setup has put files in."""
        os.makedirs(path)
        if os.geteuid() != 0 or subprocess.run(
                ["mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", path],
                capture_output=True).returncode != 0:
            return False
        self.mounts.append(path)
        if setup:
            setup(path)
        if fill:
            try:
                with open(f"{path}/filler", "wb", buffering=0) as f:
                    while True:
                        f.write(b"\0" * 4096)
            except OSError:
                pass
        if read_only:
            return subprocess.run(["mount", "-o", "remount,ro", path],
                                  capture_output=True).returncode == 0
        return True

    def prepare_fault_places(self):
        """A full and a read-only file system, each with a sentinel output per lane and a
        backup folder; a faults whose place could not be made is never planned."""
        def setup(path):
            os.makedirs(f"{path}/data/TQ530/backups")
            for lane in range(self.args.jobs):
                open(f"{path}/out{lane}.hex", "wb").write(self.sentinel(lane))
        self.full = f"{self.work}/full"
        self.read_only = f"{self.work}/read-only"
        self.available = set(OUTPUT_FAULTS) - {"out-full-disk", "out-read-only"}
        if self.mount_tmpfs(self.full, fill=True, setup=setup):
            self.available |= {"out-full-disk", "backup-full"}
        if self.mount_tmpfs(self.read_only, read_only=True, setup=setup):
            self.available |= {"out-read-only", "backup-read-only"}
        elif os.geteuid() != 0:
            # Without root a folder's permissions are enough.
            setup(self.read_only)
            for d in (f"{self.read_only}/data/TQ530/backups", self.read_only):
                os.chmod(d, 0o555)
            self.available |= {"out-read-only", "backup-read-only"}
        if len(self.available) < len(OUTPUT_FAULTS) + len(BACKUP_FAULTS):
            print("soak: not available here: " + ", ".join(
                sorted(set(OUTPUT_FAULTS + BACKUP_FAULTS) - self.available)), flush=True)

    def unmount(self):
        for path in self.mounts:
            subprocess.run(["umount", "-l", path], capture_output=True)
        if os.path.isdir(self.read_only) and self.read_only not in self.mounts:
            for d in (self.read_only, f"{self.read_only}/data/TQ530/backups"):
                if os.path.isdir(d):
                    os.chmod(d, 0o755)

    @staticmethod
    def sentinel(lane):
        return f"soak lane {lane} was here\n".encode()

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
        output = backup = None
        r = rng.random()
        if mode == "read" and r < 0.16:
            output = OUTPUT_FAULTS[int(r / 0.04)]
        elif r < 0.2:
            output = "stdout-full"
        if mode in ("read", "program") and rng.random() < 0.1:
            backup = rng.choice(BACKUP_FAULTS)
        output = output if output in self.available else None
        backup = backup if backup in self.available else None
        faults += [f for f in (output, backup) if f]
        pair = (mode in ("read", "program") and kill is None and interrupt is None and
                rng.random() < 0.15)
        if pair:
            faults.append("two-at-once")
        slow = any(f in SLOW_FAULTS + ["no-ack"] for f in faults)
        return dict(mode=mode, sim=sim, faults=faults, cli=cli, kill=kill,
                    interrupt=interrupt, program=program, output=output, backup=backup,
                    pair=pair, timeout=HANG_SECONDS if slow else QUICK_HANG_SECONDS)

    def start_sim(self, lane_dir, options, image="radio.hex"):
        proc = subprocess.Popen([os.path.join(self.bin, "nr6120-sim"), "--image",
                                 f"{lane_dir}/{image}", *options],
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                stdin=subprocess.DEVNULL, text=True)
        device = proc.stdout.readline().strip()
        if not device.startswith("/dev/"):
            proc.kill()
            raise RuntimeError(f"nr6120-sim did not start: {proc.stderr.read()}")
        return proc, device

    def output_of(self, lane, lane_dir, index, output):
        """Where a read writes, and what must stay there when it does not succeed."""
        if output == "out-fifo":
            path = f"{lane_dir}/fifo.hex"
            if not os.path.exists(path):
                os.mkfifo(path)
            return path, None
        if output == "out-full-disk":
            return f"{self.full}/out{lane}.hex", self.sentinel(lane)
        if output == "out-read-only":
            return f"{self.read_only}/out{lane}.hex", self.sentinel(lane)
        path = f"{lane_dir}/out.hex"
        sentinel = f"soak {index} was here\n".encode()
        open(path, "wb").write(sentinel)
        return path, sentinel

    def start_cli(self, args, backup_fault, stdout_full):
        env = dict(os.environ)
        env["XDG_DATA_HOME"] = {"backup-full": f"{self.full}/data",
                                "backup-read-only": f"{self.read_only}/data"}.get(
                                    backup_fault, self.data_home)
        stdout = open("/dev/full", "wb") if stdout_full else subprocess.DEVNULL
        try:
            return subprocess.Popen([os.path.join(self.bin, "tq530-cli"), *args],
                                    stdin=subprocess.DEVNULL, stdout=stdout,
                                    stderr=subprocess.PIPE, env=env)
        finally:
            if stdout_full:
                stdout.close()

    @staticmethod
    def wait_cli(cli, timeout, start):
        """(status, stderr, hung, seconds); a hung program is killed."""
        hung = False
        try:
            _, err = cli.communicate(timeout=max(1, timeout - (time.monotonic() - start)))
        except subprocess.TimeoutExpired:
            hung = True
            cli.kill()
            _, err = cli.communicate()
        return cli.returncode, err.decode("latin-1"), hung, time.monotonic() - start

    @staticmethod
    def stop_sim(sim):
        """Whether it had ended by itself."""
        died = sim.poll() is not None
        if not died:
            sim.send_signal(signal.SIGTERM)
        try:
            sim.communicate(timeout=10)
        except subprocess.TimeoutExpired:
            sim.kill()
            sim.communicate()
        return died

    def backup_names(self):
        return set(os.listdir(self.backups))

    def check_backup(self, mode, expected, names_before, err, backup_fault):
        """Problems with the backup of a read or program that completed."""
        if backup_fault:
            if "Backup not saved" not in err:
                return ["no backup folder to keep it in, and no notice"]
            return []
        if "Backup not saved" in err:
            return ["backup not saved: " + err.strip().splitlines()[-1]]
        with self.lock:
            for name in sorted(self.backup_names() - names_before - self.claimed):
                path = f"{self.backups}/{name}"
                if (name.endswith(f"-{mode}.hex") or f"-{mode}-" in name) and \
                        not os.path.islink(path) and open(path, "rb").read() == expected:
                    self.claimed.add(name)
                    return []
        return ["its backup is missing or holds other bytes"]

    def check_transfer(self, mode, target, before, after, status, out, sentinel, got_output):
        """Wrong bytes in the radio or the output."""
        problems = []
        area = written_area(mode)
        outside = [a for a in range(IMAGE_SIZE) if a not in area and before[a] != after[a]]
        if outside:
            problems.append(f"EEPROM changed outside the area at {outside[:5]}")
        if status == 0:
            if mode == "program":
                expected = bytearray(before)
                for a in area:
                    expected[a] = target[a]
                expected = bytes(expected)
            elif mode == "read":
                expected = before
            else:
                expected = cleared(mode, before)
            if after != expected:
                diff = [a for a in range(IMAGE_SIZE) if after[a] != expected[a]]
                problems.append(f"EEPROM differs from the expected at {diff[:5]}")
        if mode == "read" and got_output is not None:
            if status == 0:
                if got_output != self.expected_read(before, out):
                    problems.append("the read's output is not the radio's image")
            elif sentinel is not None and got_output != sentinel:
                problems.append("a read that did not succeed changed its output file")
        return problems

    def expected_read(self, before, out):
        image = bytearray(self.default)
        image[2:1024] = before[2:1024]
        image[1280:] = before[1280:]
        raw = f"{out}.expected-raw.hex"
        open(raw, "wb").write(image)
        self.cli("convert", raw, f"{out}.expected.hex").check_returncode()
        return open(f"{out}.expected.hex", "rb").read()

    def twin_start(self, lane_dir, mode, program):
        """A fault-free transfer of the same kind on a second simulator, started now."""
        before = open(f"{lane_dir}/twin.hex", "rb").read()
        sim, device = self.start_sim(lane_dir, [], image="twin.hex")
        out = f"{lane_dir}/twin-out.hex"
        args = (["read", "--port", device, out] if mode == "read" else
                ["program", "--port", device, self.programs[program][0]])
        return dict(before=before, sim=sim, out=out, cli=self.start_cli(args, None, False),
                    start=time.monotonic())

    def twin_finish(self, lane_dir, mode, program, t, names_before):
        status, err, hung, seconds = self.wait_cli(t["cli"], QUICK_HANG_SECONDS, t["start"])
        self.stop_sim(t["sim"])
        after = open(f"{lane_dir}/twin.hex", "rb").read()
        problems = [] if status == 0 else [f"the second transfer ended with {status}"]
        got = open(t["out"], "rb").read() if mode == "read" and status == 0 else None
        wrong = self.check_transfer(mode, self.programs[program][1], t["before"], after, status,
                                    t["out"], None, got)
        lost = []
        if status == 0:
            lost = self.check_backup(mode, t["before"] if mode == "read"
                                     else self.programs[program][1], names_before, err, None)
        return dict(status=status, hung=hung, seconds=seconds, problems=problems + wrong + lost,
                    wrong=bool(wrong), lost=bool(lost), err=err)

    def run_one(self, lane, lane_dir, index):
        p = self.plan(index)
        mode = p["mode"]
        before = open(f"{lane_dir}/radio.hex", "rb").read()
        sim, device = self.start_sim(lane_dir, p["sim"])
        out, sentinel = self.output_of(lane, lane_dir, index, p["output"])
        args = list(p["cli"])
        if mode == "read":
            args += ["read", "--port", device, out]
        elif mode == "program":
            args += ["program", "--port", device, self.programs[p["program"]][0]]
        else:
            args += ["clear", "--port", device, mode]
        names_before = self.backup_names()
        twin = self.twin_start(lane_dir, mode, p["program"]) if p["pair"] else None
        start = time.monotonic()
        cli = self.start_cli(args, p["backup"], p["output"] == "stdout-full")
        timers = []
        if p["kill"] is not None:
            timers.append(threading.Timer(p["kill"], lambda: sim.poll() is None and
                                          sim.send_signal(signal.SIGTERM)))
        if p["interrupt"] is not None:
            timers.append(threading.Timer(p["interrupt"], lambda: cli.poll() is None and
                                          cli.send_signal(signal.SIGINT)))
        for t in timers:
            t.start()
        status, err, hung, seconds = self.wait_cli(cli, p["timeout"], start)
        for t in timers:
            t.cancel()
        sim_died = self.stop_sim(sim)
        after = open(f"{lane_dir}/radio.hex", "rb").read()

        problems = []
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
        got = None
        if mode == "read" and p["output"] != "out-fifo":
            got = open(out, "rb").read()
        target = self.programs[p["program"]][1]
        wrong = self.check_transfer(mode, target, before, after, status, out, sentinel, got)
        lost = []
        if mode in ("read", "program") and not hung and "Complete!!" in err:
            lost = self.check_backup(mode, before if mode == "read" else target, names_before,
                                     err, p["backup"])
        problems += wrong + lost
        results = [(mode, outcome, crash, hung, bool(wrong), bool(lost))]
        if twin is not None:
            tw = self.twin_finish(lane_dir, mode, p["program"], twin, names_before)
            problems += ["second transfer: " + x for x in tw["problems"]]
            tw_outcome = "hung" if tw["hung"] else "ok" if tw["status"] == 0 else "failed"
            results.append((mode, tw_outcome, not tw["hung"] and tw["status"] not in (0, 1),
                            tw["hung"], tw["wrong"], tw["lost"]))
        self.record(index, p, results, sim_crash, seconds, outcome, problems)

    def record(self, index, p, results, sim_crash, seconds, outcome, problems):
        mode = p["mode"]
        with self.lock:
            self.done += 1
            for r_mode, r_outcome, crash, hung, wrong, lost in results:
                self.transfers += 1
                self.outcomes[(r_mode, r_outcome)] += 1
                self.crashes += crash
                self.hangs += hung
                self.wrong += wrong
                self.lost += lost
            for f in p["faults"]:
                self.faults[f] += 1
            self.sim_crashes += sim_crash
            self.durations.append(seconds)
            line = (f"{index:4d} {mode:12s} {outcome:9s} {seconds:5.1f}s "
                    f"{' '.join(p['faults']) or '-'}")
            if problems:
                self.problems.append(f"#{index} {mode} {' '.join(p['cli'] + p['sim'])} "
                                     f"{' '.join(p['faults'])}: " + "; ".join(problems))
                line += "  <-- " + "; ".join(problems)
            if self.args.verbose or problems:
                print(line, flush=True)
            elif self.done % 25 == 0:
                print(f"{self.done}/{self.args.count} transfers", flush=True)

    def lane(self, number):
        lane_dir = f"{self.work}/lane{number}"
        os.makedirs(lane_dir)
        radio = bytearray(random.Random(f"{self.args.seed}:radio{number}").randbytes(IMAGE_SIZE))
        radio[0:2] = radio[8190:8192] = (6120).to_bytes(2, "big")
        radio[304:311] = b"RB274V\xff"
        open(f"{lane_dir}/radio.hex", "wb").write(radio)
        twin = bytearray(random.Random(f"{self.args.seed}:twin{number}").randbytes(IMAGE_SIZE))
        twin[0:2] = twin[8190:8192] = (6120).to_bytes(2, "big")
        twin[304:311] = b"RB274V\xff"
        open(f"{lane_dir}/twin.hex", "wb").write(twin)
        for index in range(number, self.args.count, self.args.jobs):
            self.run_one(number, lane_dir, index)

    def run(self):
        try:
            self.prepare()
            started = time.monotonic()
            lanes = [threading.Thread(target=self.lane, args=(n,))
                     for n in range(self.args.jobs)]
            for t in lanes:
                t.start()
            for t in lanes:
                t.join()
            self.check_backup_folder()
            self.report(time.monotonic() - started)
        finally:
            self.unmount()
            if not self.args.keep:
                shutil.rmtree(self.work, ignore_errors=True)
        return 0 if not (self.crashes or self.hangs or self.wrong or self.sim_crashes or
                         self.lost or self.overfull) else 1

    def check_backup_folder(self):
        """Nothing the program did not write went, and pruning kept the newest it wrote."""
        gone = [f for f in self.foreign if not os.path.lexists(f)]
        if gone:
            self.lost += len(gone)
            self.problems.append(f"backups that the program did not write were deleted: "
                                 f"{[os.path.basename(f) for f in gone[:5]]}")
        own = len(self.backup_names()) - len(self.foreign) - 1  # and the record of writes
        self.kept = own
        if own > 100:
            self.problems.append(f"{own} backups kept, more than 100")
            self.overfull = True

    def report(self, seconds):
        print(f"\nsoak: seed {self.args.seed}, {self.transfers} transfers ({self.done} planned, "
              f"{self.transfers - self.done} beside one at once) in {seconds:.0f} s "
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
              f"backups lost {self.lost}, simulator failures {self.sim_crashes} "
              f"(backups kept at the end: {self.kept})")
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
