"""Write tests/data/golden-prints.json from the literal Python model.

Recordings are read from $ZARNETH_FSDD, else from shared/data/fsdd beside
the project, and never copied; only derived numbers (plus the few
synthetic samples placed around them) go into the JSON file.
"""
import json
import math
import os
import struct
import sys
import time
import wave

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import literal_voiceprint as vp  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
FSDD = os.environ.get("ZARNETH_FSDD") or os.path.join(
    HERE, "..", "..", "..", "shared", "data", "fsdd")
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                   "..", "data", "golden-prints.json")


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
    """Samples of an 8000 Hz mono 16-bit WAV, or None (with a complaint)."""
    path = os.path.join(FSDD, name)
    if not os.path.exists(path):
        print("skipping %s: not found" % name, file=sys.stderr)
        return None
    with wave.open(path, "rb") as w:
        ok = (w.getframerate(), w.getnchannels(), w.getsampwidth()) == (8000, 1, 2)
        if not ok:
            print("skipping %s: not 8000 Hz mono 16-bit" % name, file=sys.stderr)
            return None
        raw = w.readframes(w.getnframes())
    return list(struct.unpack("<%dh" % (len(raw) // 2), raw))


def to_bytes(samples):
    """Signed 16-bit samples -> big-endian bytes (high byte first)."""
    return struct.pack(">%dh" % len(samples), *samples)


# --- choose the print entries ----------------------------------------------
SPEAKERS = ["george", "jackson", "lucas", "nicolas", "theo", "yweweler"]
# per speaker: (digit, take) x 4; the first two share a digit.
PLAIN = []
for si, spk in enumerate(SPEAKERS):
    d1, d2, d3 = si % 10, (si + 3) % 10, (si + 7) % 10
    t = 5 * si
    PLAIN += ["%d_%s_%d.wav" % (d1, spk, 0 if si == 0 else t),
              "%d_%s_%d.wav" % (d1, spk, t + 11),
              "%d_%s_%d.wav" % (d2, spk, t + 2),
              "%d_%s_%d.wav" % (d3, spk, (t + 37) % 50)]

g = Lcg(20240607)
UNUSUAL = [
    # name, file, prefix, suffix_zeros
    ("trailing zeros", "3_theo_7.wav", [], 4000),
    ("trailing zeros kept", "0_george_0.wav", [], 4000),
    ("broken lead-in", "5_lucas_3.wav", [0, 0, 0] + g.samples(5) + [0], 0),
    ("silent noise frames", "8_nicolas_21.wav", g.samples(10) + [0] * 400, 0),
    # faint hiss before the speech, as a real recording would have
    ("quiet lead-in", "0_george_0.wav",
     g.samples(10) + [g.sample() // 500 or 1 for _ in range(1500)], 0),
    ("all silent", None, [0] * 3000, 0),
    ("255 nonzero", None, g.samples(255), 0),
    ("266 nonzero", None, g.samples(266), 0),
    ("394 nonzero", None, g.samples(394), 0),
    ("empty", None, [], 0),
]

entries = []   # (label, file, prefix, suffix)
for f in PLAIN:
    entries.append((f, f, [], 0))
entries += UNUSUAL


def main():
    t0 = time.time()
    vp.BuildFilters()
    check_tables()

    prints = []
    for label, fname, prefix, suffix in entries:
        body = []
        if fname is not None:
            body = read_wav(fname)
            if body is None:
                continue
        samples = prefix + body + [0] * suffix
        status, pr = vp.calculate_voice_print(to_bytes(samples))
        prints.append({"label": label, "file": fname, "prefix": prefix,
                       "suffix_zeros": suffix, "status": status, "print": pr,
                       "samples": samples})
    check_prints(prints)

    idx = {p["label"]: i for i, p in enumerate(prints)}
    pairs = []
    nplain = len(PLAIN)
    for i in range(nplain):                       # self
        pairs.append((i, i))
    for s in range(6):                            # same digit, same speaker
        pairs.append((4 * s, 4 * s + 1))
    for s in (0, 2, 5):                           # different digit, same speaker
        pairs.append((4 * s, 4 * s + 2))
    for s in range(5):                            # different speakers
        pairs.append((4 * s, 4 * s + 4))
    pairs += [(1, 6), (6, 1), (4 * 5 + 3, 2), (2, 4 * 5 + 3)]  # both orders
    pairs += [(3, 9), (9, 3)]
    sp = lambda n: idx[n]                          # noqa: E731
    pairs += [(sp("trailing zeros"), sp("trailing zeros")),
              (sp("trailing zeros"), 0),
              (sp("trailing zeros kept"), 0),
              (sp("quiet lead-in"), sp("quiet lead-in")),
              (sp("quiet lead-in"), 0), (0, sp("quiet lead-in")),
              (sp("quiet lead-in"), 4),
              (sp("broken lead-in"), 8),
              (sp("silent noise frames"), 12),
              (sp("all silent"), sp("all silent")),
              (sp("all silent"), 0),
              (sp("255 nonzero"), 0), (0, sp("255 nonzero")),
              (sp("255 nonzero"), sp("empty")),
              (sp("266 nonzero"), sp("266 nonzero")),
              (sp("266 nonzero"), sp("394 nonzero")),
              (sp("394 nonzero"), sp("394 nonzero")),
              (sp("394 nonzero"), 0)]
    dists = []
    for a, b in pairs:
        d = vp.distance_from_voice_print(prints[a]["print"], prints[b]["print"])
        dists.append((a, b, d))
    check_distances(dists, prints)

    write_json(prints, dists)
    print("%d prints, %d pairs, %.1f s" % (len(prints), len(dists), time.time() - t0))
    p0 = prints[0]
    print("%s: %d frames, first 16: %s" % (p0["file"], len(p0["print"]) // 16, p0["print"][:16]))
    for a, b, d in dists[nplain:nplain + 3]:
        print("distance %d -> %d: %s (%r)" % (a, b, d.hex(), d))


def check_tables():
    first = [vp.trunc(vp.left_apex[j] / 31.0 + 0.5) for j in range(16)]
    assert first == [6, 9, 13, 16, 20, 25, 29, 35, 41, 47, 54, 62, 71, 80, 91, 102], first
    assert vp.width == [7, 7, 7, 9, 9, 10, 12, 12, 13, 15, 17, 18, 20, 22, 24, 27], vp.width
    for j in range(16):
        assert vp.filter_coeffs[j][0] == 0.0
        assert abs(sum(vp.filter_coeffs[j][:vp.width[j]]) - 1 / 31) < 1e-15
    assert abs(vp.HammingWindow[0] - 0.08) < 1e-15 and abs(vp.HammingWindow[255] - 0.08) < 1e-15
    assert 0 < vp.COS[64] < 1e-16
    re, im = [1.0] * 256, [0.0] * 256
    vp.FourierTransform(re, im, 256)
    assert re[0] == 256.0 and all(abs(v) < 1e-12 for v in re[1:] + im)
    # Worked examples for the alignment.
    frames = lambda n, s: [(s * 7 + 13 * i + 3 * k) % 41 - 20    # noqa: E731
                           for i in range(n) for k in range(16)]
    p10 = frames(10, 1)
    assert vp.distance_from_voice_print(p10, frames(18, 2)) < 1e30
    assert vp.distance_from_voice_print(p10, frames(19, 2)) == 1e30
    assert vp.distance_from_voice_print(p10, frames(31, 2)) == 1e30
    a2, b2 = frames(2, 3), frames(2, 4)
    assert vp.distance_from_voice_print(a2, b2) == \
        vp.Distance(a2, 0, b2, 0, 16) + vp.Distance(a2, 1, b2, 1, 16)
    assert vp.distance_from_voice_print(p10, None) == 1e30


def check_prints(prints):
    for p in prints:
        pr = p["print"]
        assert len(pr) % 16 == 0, p["label"]
        for f in range(len(pr) // 16):
            assert pr[16 * f] == 0 and pr[16 * f + 14] == 0 and pr[16 * f + 15] == 0
        if p["file"] is not None:
            assert max(abs(v) for v in pr) >= 255, p["label"]
    by = {p["label"]: p for p in prints}
    assert by["empty"]["status"] == 10 and by["empty"]["print"] == []
    assert by["255 nonzero"]["status"] == 0 and by["255 nonzero"]["print"] == []
    assert by["266 nonzero"]["print"] == [0] * 16
    assert by["394 nonzero"]["print"] == [0] * 32
    assert set(by["all silent"]["print"]) == {0} and len(by["all silent"]["print"]) == 16 * 22
    # Doubling every sample (no overflow) must give the same print.
    s = prints[0]["samples"]
    if max(abs(v) for v in s) < 16384:
        assert vp.calculate_voice_print(to_bytes([2 * v for v in s])) == (0, prints[0]["print"])


def check_distances(dists, prints):
    got = {(a, b): d for a, b, d in dists}
    for (a, b), d in got.items():
        if a == b:
            assert d == 0.0 or len(prints[a]["print"]) < 32, (a, d)
        if (b, a) in got:
            assert got[(b, a)] == d, (a, b)
        if min(len(prints[a]["print"]), len(prints[b]["print"])) < 32:
            assert d == 1e30


def write_json(prints, dists):
    hx = lambda xs: [float(v).hex() for v in xs]   # noqa: E731
    tables = {
        "COS": hx(vp.COS), "SIN": hx(vp.SIN), "HammingWindow": hx(vp.HammingWindow),
        "filt_edge": hx(vp.filt_edge), "left_apex": hx(vp.left_apex),
        "width": list(vp.width),
        "filter_coeffs": [hx(vp.filter_coeffs[j][:vp.width[j]]) for j in range(16)],
    }
    c = lambda o: json.dumps(o, separators=(",", ":"))  # noqa: E731
    lines = ["{", '"tables": {']
    lines.append(",\n".join("  %s: %s" % (c(k), c(v)) for k, v in tables.items()))
    lines.append("},")
    lines.append('"prints": [')
    lines.append(",\n".join("  " + c({k: p[k] for k in
                                      ("file", "prefix", "suffix_zeros", "status", "print")})
                            for p in prints))
    lines.append("],")
    lines.append('"distances": [')
    lines.append(",\n".join("  " + c({"a": a, "b": b, "distance": d.hex()}) for a, b, d in dists))
    lines.append("]")
    lines.append("}")
    with open(OUT, "w") as fh:
        fh.write("\n".join(lines) + "\n")
    json.load(open(OUT))   # must parse


if __name__ == "__main__":
    main()
