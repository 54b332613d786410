"""Write tests/data/golden-prints.json from the literal Python model.

Recordings come from tests/data/fsdd (or $ZARNETH_FSDD); only derived
numbers, plus the few synthetic samples placed around them, go into the
JSON file. Run it again whenever the algorithm changes on purpose.
"""
import json
import os
import struct
import sys
import wave

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import literal_voiceprint as vp  # noqa: E402

FSDD = os.environ.get("ZARNETH_FSDD") or os.path.join(HERE, "..", "data", "fsdd")
OUT = os.path.join(HERE, "..", "data", "golden-prints.json")


class Lcg:
    """Tiny deterministic generator of nonzero 16-bit sample values."""

    def __init__(self, seed):
        self.x = seed

    def sample(self):
        self.x = (1103515245 * self.x + 12345) % 2147483648
        v = ((self.x >> 16) % 20001) - 10000
        return v if v != 0 else 1

    def samples(self, n):
        return [self.sample() for _ in range(n)]


def read_wav(name):
    with wave.open(os.path.join(FSDD, name), "rb") as w:
        assert (w.getframerate(), w.getnchannels(), w.getsampwidth()) == (8000, 1, 2), name
        raw = w.readframes(w.getnframes())
    return list(struct.unpack("<%dh" % (len(raw) // 2), raw))


def to_bytes(samples):
    """Signed 16-bit samples -> big-endian bytes (high byte first)."""
    return struct.pack(">%dh" % len(samples), *samples)


# Per speaker: one digit in all three takes, then three other digits.
PLAIN = ["%d_%s_%d.wav" % (d, spk, t)
         for spk, takes in [("jackson", [(0, 0), (0, 1), (0, 2), (3, 0), (5, 1), (9, 2)]),
                            ("theo", [(5, 0), (5, 1), (5, 2), (9, 0), (7, 0), (2, 2)])]
         for d, t in takes]

g = Lcg(20240607)
UNUSUAL = [
    # label, file, prefix, suffix_zeros
    ("trailing zeros", "9_theo_0.wav", [], 4000),
    ("trailing zeros kept", "0_jackson_0.wav", [], 4000),
    ("broken lead-in", "5_jackson_1.wav", [0, 0, 0] + g.samples(5) + [0], 0),
    ("silent noise frames", "8_theo_1.wav", g.samples(10) + [0] * 400, 0),
    # faint hiss before the speech, as a real recording would have
    ("quiet lead-in", "0_jackson_0.wav", g.samples(10) + [g.sample() // 500 or 1 for _ in range(1500)], 0),
    # the frame grid moved so that a frame's energy sits exactly on the speech threshold
    ("energy on the threshold", "4_jackson_0.wav", Lcg(74).samples(10) + [0] * 64, 0),
    ("energy on the threshold too", "3_theo_1.wav", Lcg(114).samples(10) + [0] * 104, 0),
    ("all silent", None, [0] * 3000, 0),
    ("255 nonzero", None, g.samples(255), 0),
    ("266 nonzero", None, g.samples(266), 0),
    ("394 nonzero", None, g.samples(394), 0),
    ("empty", None, [], 0),
]
ENTRIES = [(f, f, [], 0) for f in PLAIN] + UNUSUAL


def pairs_of():
    """Self, same digit, other digit, other speaker, both orders, and every unusual path."""
    i = {name: n for n, (name, _, _, _) in enumerate(ENTRIES)}.__getitem__
    pairs = [(n, n) for n in range(len(PLAIN))]
    pairs += [(0, 1), (1, 2), (6, 7), (7, 8), (0, 3), (6, 10), (0, 6), (4, 6), (3, 9), (9, 3), (2, 11), (11, 2)]
    pairs += [(i("trailing zeros"), i("trailing zeros")), (i("trailing zeros"), 9),
              (i("trailing zeros kept"), 0), (i("quiet lead-in"), i("quiet lead-in")),
              (i("quiet lead-in"), 0), (0, i("quiet lead-in")), (i("broken lead-in"), 3),
              (i("silent noise frames"), 6), (i("all silent"), i("all silent")), (i("all silent"), 0),
              (i("255 nonzero"), 0), (0, i("255 nonzero")), (i("255 nonzero"), i("empty")),
              (i("266 nonzero"), i("266 nonzero")), (i("266 nonzero"), i("394 nonzero")),
              (i("394 nonzero"), i("394 nonzero")), (i("394 nonzero"), 0)]
    return pairs


def main():
    vp.BuildFilters()
    prints = []
    for label, name, prefix, suffix in ENTRIES:
        samples = prefix + (read_wav(name) if name else []) + [0] * suffix
        status, values = vp.calculate_voice_print(to_bytes(samples))
        prints.append({"file": name, "prefix": prefix, "suffix_zeros": suffix, "status": status, "print": values})
    distances = [(a, b, vp.distance_from_voice_print(prints[a]["print"], prints[b]["print"]))
                 for a, b in pairs_of()]
    write_json(prints, distances)
    print("%d prints, %d distances" % (len(prints), len(distances)))


def write_json(prints, distances):
    c = lambda o: json.dumps(o, separators=(",", ":"))  # noqa: E731
    lines = ["{", '"prints": [', ",\n".join("  " + c(p) for p in prints), "],",
             '"distances": [', ",\n".join("  " + c({"a": a, "b": b, "distance": d.hex()}) for a, b, d in distances),
             "]", "}"]
    with open(OUT, "w") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
