#!/usr/bin/env python3
"""tachlet-cli over a batch of run files as a tuner keeps them: a generated
tree of dated folders of run files of 50 to 500 KB, versions 1.1.1 and 2.0,
one in 20 with damaged records and one in 100 cut short. Times check -r,
show --json-lines -r and set --dry-run -r over it (the CPU time and the peak
resident memory of each run, from the system's own accounting of the child),
then a real set, whose flushes strace counts when it is installed. Run over
a tenth of the files as well, the peak memory shows whether it grows with
their number.

    bench/cli_batch_bench.py build/cli/tachlet-cli [FILES]   (FILES: 3000)

Not run by CI; a Release build gives the figures the README quotes.
"""
import os
import pathlib
import random
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tools"))
from make_examples import run_file  # noqa: E402


def write_tree(root, count):
    """count run files in folders of 100, all of them together some 800 MB."""
    rng = random.Random(19)
    total = 0
    for index in range(count):
        folder = root / f"2024-{index // 3000 + 1:02}-{index // 100 % 30 + 1:02}"
        folder.mkdir(parents=True, exist_ok=True)
        version = "1.1.1" if index % 3 == 0 else "2.0"
        length = rng.choice((20, 24))
        header = run_file(version, f"Run {index}", "Car", 3000, 25, 6500, 6000, 10)[:-1]
        records = rng.randrange(50_000, 500_000) // (length + 4)
        record = bytes([length]) + bytes(range(1, length + 1)) + b"\0\0\0"
        data = bytearray(header + record * records)
        if index % 20 == 7:
            for damaged in (3, records // 2):
                data[len(header) + damaged * len(record) + length + 2] = 0x17
        data += bytes([5]) + b"notes" + b"\0"
        if index % 100 == 42:
            data = data[:300]
        (folder / f"RUN{index:05}.GTP").write_bytes(data)
        total += len(data)
    return total


def measure(command):
    """CPU seconds (user + system) and peak resident KiB of one run, as
    /usr/bin/time reports them: a child forked from this script would count
    the script's own memory before its exec."""
    with tempfile.NamedTemporaryFile("r") as report, open(os.devnull, "wb") as sink:
        code = subprocess.run(["/usr/bin/time", "-o", report.name, "-f", "%U %S %M"] + command,
                              stdout=sink, stderr=sink, check=False).returncode
        user, system, peak = report.read().split()[-3:]
    return float(user) + float(system), int(peak), code


def flushes(command):
    """fsync and fdatasync calls of one run, or None without strace."""
    if not shutil.which("strace"):
        return None
    traced = subprocess.run(["strace", "-f", "-c", "-e", "trace=fsync,fdatasync"] + command,
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True, check=False)
    return sum(int(line.split()[3]) for line in traced.stderr.splitlines()
               if line.strip().endswith(("fsync", "fdatasync")))


def main():
    tool = os.path.abspath(sys.argv[1])
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 3000
    with tempfile.TemporaryDirectory(prefix="tachlet-cli-bench-") as scratch:
        print("| files | command | CPU | per file | peak memory | exit |")
        print("| --- | --- | --- | --- | --- | --- |")
        for files in (count // 10, count):
            root = pathlib.Path(scratch) / f"runs{files}"
            size = write_tree(root, files)
            for name, args in (("check -r", ["check", "-r"]), ("show --json-lines -r", ["show", "--json-lines", "-r"]),
                               ("set --dry-run -r", ["set", "--dry-run", "--weight", "3150", "-r"])):
                measure([tool] + args + [str(root)])  # warm the page cache
                cpu, peak, code = min(measure([tool] + args + [str(root)]) for _ in range(3))
                print(f"| {files} ({size / 1e6:.0f} MB) | {name} | {cpu * 1000:.0f} ms | "
                      f"{cpu * 1e6 / files:.0f} µs | {peak / 1024:.1f} MB | {code} |")
            real = [tool, "set", "--weight", "3151", "-r", str(root)]
            cpu, peak, code = measure(real)
            print(f"| {files} | set -r (writes) | {cpu * 1000:.0f} ms | {cpu * 1e6 / files:.0f} µs | "
                  f"{peak / 1024:.1f} MB | {code} |")
            counted = flushes([tool, "set", "--weight", "3152", "-r", str(root)])
            if counted is not None:
                print(f"\n{files} files written by set: {counted} flushes\n")


if __name__ == "__main__":
    main()
