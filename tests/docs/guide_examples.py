#!/usr/bin/env python3
"""Runs the VBScript examples of a guide in the page host and compares what each page writes with
the text block that follows it in the guide.

A fence's info string says how a block runs:
  vbscript setup   the start of every example (it runs before each of them)
  vbscript         with DocketMod only
  vbscript same    with DocketMod and with the scripting runtime's objects, writing the same
  vbscript both    with both; the expected lines carry the label of the side that wrote them
The runtime's side is the same code with the runtime's program identifiers in place of ours. A
following ```text block is the page's output, one line per <br> or line end; "…" in it stands
for any text. Every example runs in a fresh folder holding a copy of the fixtures folder, with
`field` bound to the stand-in database field when the example names it.

Usage: guide_examples.py <docket-host.exe> <guide.md> <fixtures folder> <examples folder>
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

OURS = "DocketMod"
PEER = "Scripting runtime"
PEER_NAMES = {"Corvane.FileManager": "Scripting.FileSystemObject",
              "Docket.Dictionary": "Scripting.Dictionary"}
FIELD_PRELUDE = """
Set fieldControl = CreateObject("MSScriptControl.ScriptControl")
fieldControl.Language = "VBScript"
fieldControl.AddCode Server.CreateObject("Corvane.FileManager").OpenTextFile(Host.Arguments(0) & "\\blob_field.vbs").ReadAll
Set field = fieldControl.CodeObject
"""


MODES = ("ours", "same", "both")


class Example:
    def __init__(self, line, mode, code, end):
        self.line, self.mode, self.code, self.expected = line, mode, code, None
        self.end = end  # the line where the block of its output would begin


def read_examples(guide):
    """The guide's setup block, its vbscript blocks (each with the text block that follows it, if
    any) and the problems of blocks that fit no example."""
    examples, setup, problems = [], None, []
    lines = open(guide, encoding="utf-8").read().splitlines()
    i = 0
    while i < len(lines):
        fence = re.match(r"^```(\w+)\s*(\w*)\s*$", lines[i])
        if not fence or fence.group(1) not in ("vbscript", "text"):
            i += 1
            continue
        start = i
        i += 1
        body = []
        while i < len(lines) and lines[i] != "```":
            body.append(lines[i])
            i += 1
        i += 1
        if fence.group(1) == "text":
            if examples and examples[-1].expected is None and examples[-1].end == start:
                examples[-1].expected = body
            else:
                problems.append(f"{start + 1}: an output block that follows no example")
            continue
        if fence.group(2) == "setup":
            setup = "\n".join(body)
            continue
        mode = fence.group(2) or "ours"
        if mode not in MODES:
            problems.append(f"{start + 1}: an example marked '{mode}'")
            continue
        end = i
        while end < len(lines) and not lines[end].strip():
            end += 1
        examples.append(Example(start + 1, mode, "\n".join(body), end))
    return setup, examples, problems


def as_peer(code):
    for ours, peer in PEER_NAMES.items():
        code = code.replace(ours, peer)
    return code


def winpath(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def run_page(host, code, fixtures, examples_folder):
    """Runs one page in a fresh copy of the fixtures; returns (exit code, output lines, errors)."""
    work = tempfile.mkdtemp(dir=os.environ.get("DOCKET_SCRATCH"))
    try:
        folder = os.path.join(work, "site")
        shutil.copytree(fixtures, folder)
        page = os.path.join(work, "page.vbs")
        with open(page, "w", encoding="utf-8") as f:
            f.write(code + "\n")
        out, err = os.path.join(work, "out"), os.path.join(work, "err")
        # Wine's output goes to files, never a pipe (a service it starts could hold the pipe). The
        # page fails when anything of the module is left alive once it has ended.
        with open(out, "wb") as o, open(err, "wb") as e:
            rc = subprocess.call([os.environ["WINE"], host, "--check-unload", "DocketMod.dll",
                                  winpath(page), "--args",
                                  winpath(examples_folder)], stdout=o, stderr=e, cwd=folder)
        text = open(out, encoding="utf-8", errors="replace").read()
        lines = re.split(r"<br>|\r?\n", text)
        while lines and lines[-1] == "":
            lines.pop()
        return rc, lines, open(err, encoding="utf-8", errors="replace").read()
    finally:
        shutil.rmtree(work, ignore_errors=True)


def matches(expected, actual):
    if len(expected) != len(actual):
        return False
    for want, got in zip(expected, actual):
        pattern = ".*".join(re.escape(part) for part in want.split("…"))
        if not re.fullmatch(pattern, got):
            return False
    return True


def check(example, setup, host, fixtures, examples_folder):
    """Runs one example on its sides; returns what went wrong."""
    field = FIELD_PRELUDE if re.search(r"\bfield\b", example.code) else ""
    page = setup + "\n" + field + example.code
    sides = [(PEER, as_peer(page))] if example.mode in ("same", "both") else []
    sides.append((OURS, page))
    written, faults = {}, []
    for label, code in sides:
        rc, lines, errors = run_page(host, code, fixtures, examples_folder)
        if rc != 0:
            faults.append(f"{label} page failed ({rc}), writing {lines}: {errors.strip()}")
        written[label] = lines
    if example.mode == "both":
        actual = [f"{label}: {line}" for label, _ in sides for line in written[label]]
    else:
        actual = written[OURS]
    if example.mode == "same" and written[PEER] != written[OURS]:
        faults.append(f"{PEER} wrote {written[PEER]}")
    if example.expected is None:
        if example.mode != "ours":
            faults.append("an example run on both sides needs the text block of its output")
    elif not matches(example.expected, actual):
        faults.append("expected:\n    " + "\n    ".join(example.expected) +
                      "\n  wrote:\n    " + "\n    ".join(actual))
    return faults


def main():
    host, guide, fixtures, examples_folder = map(os.path.abspath, sys.argv[1:5])
    name = os.path.basename(guide)
    setup, examples, problems = read_examples(guide)
    if setup is None or not examples:
        problems.append("no setup block or no examples")
    for problem in problems:
        print(f"FAIL: {name}:{problem}")
    if setup is None:
        return 1
    passed = 0
    for example in examples:
        faults = check(example, setup, host, fixtures, examples_folder)
        if faults:
            print(f"FAIL: {name}:{example.line}\n  " + "\n  ".join(faults))
        else:
            passed += 1
            print(f"ok: {name}:{example.line}")
    print(f"{passed} of {len(examples)} examples as the guide shows them")
    return 0 if passed == len(examples) and not problems else 1


if __name__ == "__main__":
    sys.exit(main())
