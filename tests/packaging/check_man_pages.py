#!/usr/bin/env python3
"""Checks that each program's man page and its --help name the same options (and, for
tq530-cli, the same commands), so that neither can change without the other.

usage: check_man_pages.py BIN_DIR MAN_DIR
"""
import os
import re
import subprocess
import sys

# The option words at the start of a help line or a man page's item line: "-h,--help",
# "/D, --diagnostic", "--port TEXT".
WORD = r"(?:--?|/)[A-Za-z][\w-]*"
OPTION_HEAD = re.compile(rf"^\s*({WORD}(?:,\s*{WORD})*)")


def run_help(program, *args):
    env = dict(os.environ)
    for name in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
        env.pop(name, None)
    done = subprocess.run([program, *args, "--help"], capture_output=True, text=True, env=env,
                          timeout=30)
    if done.returncode != 0:
        sys.exit(f"{program} {' '.join(args)} --help: exit status {done.returncode}")
    return done.stdout


def help_options(text):
    options = set()
    for line in text.splitlines():
        head = OPTION_HEAD.match(line)
        if head:
            options.update(word.strip() for word in head.group(1).split(","))
    return options


def help_commands(text):
    commands = []
    in_list = False
    for line in text.splitlines():
        if line.strip() == "Subcommands:":
            in_list = True
        elif in_list and re.match(r"^  [a-z]", line):
            commands.append(line.split()[0])
        elif in_list and line.strip() and not line.startswith("   "):
            in_list = False
    return commands


def plain_roff(line):
    line = re.sub(r"\\f[BIRP]", "", line)
    return line.replace("\\-", "-")


def man_items(path):
    """The item lines (the line after each .TP) by section."""
    items = {}
    section = ""
    lines = open(path, encoding="utf-8").read().splitlines()
    for i, line in enumerate(lines):
        if line.startswith(".SH "):
            section = line[4:].strip('"')
        elif line.startswith(".TP") and i + 1 < len(lines):
            items.setdefault(section, []).append(plain_roff(lines[i + 1]))
    return items


def man_options(items):
    options = set()
    for line in items.get("OPTIONS", []):
        head = OPTION_HEAD.match(line)
        if head:
            options.update(word.strip() for word in head.group(1).split(","))
    return options


def compare(what, in_help, in_man):
    problems = []
    for word in sorted(in_help - in_man):
        problems.append(f"{what}: {word} is in --help but not in the man page")
    for word in sorted(in_man - in_help):
        problems.append(f"{what}: {word} is in the man page but not in --help")
    return problems


def main():
    bin_dir, man_dir = sys.argv[1], sys.argv[2]
    problems = []
    for program in ("tq530", "tq530-cli", "nr6120-sim"):
        executable = os.path.join(bin_dir, program)
        text = run_help(executable)
        commands = help_commands(text)
        for command in commands:
            text += run_help(executable, command)
        items = man_items(os.path.join(man_dir, program + ".1"))
        problems += compare(program, help_options(text), man_options(items))
        man_commands = {line.split()[0] for line in items.get("COMMANDS", [])}
        problems += compare(program + " commands", set(commands), man_commands)
    for problem in problems:
        print(problem)
    if problems:
        sys.exit(1)
    print("the man pages and --help name the same options and commands")


main()
