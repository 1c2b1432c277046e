#!/usr/bin/env python3
# Makes bench_spell's lists of misspellings fair to both spell checkers it
# compares: an entry is kept when the intended word is accepted and the
# misspelling rejected by Hunspell (DICT) and by Tarnwick's dictionary file
# (DCT), so that each has a chance to offer it. Of those, every k-th entry
# in the source's order, for at most COUNT entries.
#
# SOURCE is either codespell's dictionary.txt ("wrong->right" lines; only
# one plain lower-case word on each side is taken) or a list of
# "misspelling intended" lines.
#
# Usage: fair-sample.py SOURCE DCT TARNWICK-DCT DICT COUNT > LIST
import re, subprocess, sys

source, dct, tool, dictionary, count = sys.argv[1:6]
count = int(count)
pairs = []
for line in open(source, encoding="utf-8"):
    arrow = re.fullmatch(r"([a-z]+)->([a-z]+)\n?", line)
    plain = re.fullmatch(r"(\S+) (\S+)\n?", line)
    if arrow:
        pairs.append((arrow.group(1), arrow.group(2)))
    elif plain and "->" not in line:
        pairs.append((plain.group(1), plain.group(2)))


def hunspell_rejects(words):
    out = subprocess.run(["hunspell", "-d", dictionary, "-l"], input="\n".join(words) + "\n",
                         capture_output=True, text=True, check=True).stdout
    return set(out.split())


def tarnwick_knows(words):
    known = set()
    for i in range(0, len(words), 2000):
        out = subprocess.run([tool, "check", dct] + words[i:i + 2000], capture_output=True,
                             text=True, check=True).stdout
        for line in out.splitlines():
            word, answer = line.rsplit("\t", 1)
            if answer == "yes":
                known.add(word)
    return known


words = sorted({w for pair in pairs for w in pair})
rejected = hunspell_rejects(words)
known = tarnwick_knows(words)
fair = [(w, r) for w, r in pairs
        if w in rejected and w not in known and r not in rejected and r in known]
step = max(1, len(fair) // count)
for w, r in fair[::step][:count]:
    print(w, r)
