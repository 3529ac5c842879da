#!/usr/bin/env python3
"""Writes a typical input file: a count, then one record per line, a name and
five values from -1000 to 100000. The same arguments give the same file."""
import random
import sys


def main() -> None:
    count, path = int(sys.argv[1]), sys.argv[2]
    rng = random.Random(20261211)
    with open(path, "w", newline="\n") as out:
        out.write(f"{count}\n")
        lines = []
        for index in range(count):
            values = " ".join(str(rng.randint(-1000, 100000)) for _ in range(5))
            lines.append(f"Person{index:07d} {values}\n")
            if len(lines) == 10000:
                out.write("".join(lines))
                lines.clear()
        out.write("".join(lines))


if __name__ == "__main__":
    main()
