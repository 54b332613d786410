#!/usr/bin/env python3
"""Writes the command store test archives ("*.samcomandlist") into this folder.

usage: make_fixtures.py

The archives are built here from scratch, the way an independent tool would
write Apple's NSKeyedArchiver layout, so they do not depend on Zarneth's own
writer.  Every run writes the same bytes.  README.md (also written here) says
what each file is for.  Only Python's standard library is used.
"""
import plistlib
import struct
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
sys.dont_write_bytecode = True         # keep __pycache__ out of the fixtures folder
from check_archive import json_text  # noqa: E402  (shared JSON layout only)

UID = plistlib.UID
MUTABLE_ARRAY = ("NSMutableArray", "NSArray", "NSObject")
IMMUTABLE_ARRAY = ("NSArray", "NSObject")


# --- a small object model and an archiver for it ----------------------------

class Plain:
    """An integer stored inside its owner's dictionary (encodeInt), not as an object."""
    def __init__(self, n):
        self.n = n


class Obj:
    """An archived object: its class chain and its keys in encoding order."""
    def __init__(self, classes, **keys):
        self.classes = classes
        self.keys = keys


def array(items, classes=MUTABLE_ARRAY):
    return Obj(classes, **{"NS.objects": list(items)})


class Archiver:
    """Flattens an object graph into "$objects".

    Python strings and ints become plain plist values shared by value; Obj
    instances are shared by identity, so an object used twice gets one UID.
    With root_last the children come before their owner (root at the end);
    otherwise each owner comes before its children, as NSKeyedArchiver does.
    """
    def __init__(self, root_last=False):
        self.objects = ["$null"]
        self.index = {}
        self.root_last = root_last
        self.uids = {}

    def ref(self, value):
        if value is None:
            return self._uid(0)
        key = (type(value), value) if isinstance(value, (str, int)) else id(value)
        if key not in self.index:
            if isinstance(value, (str, int)):
                self._add(key, value)
            elif self.root_last:
                self._add(key, self._body(value))
            else:
                i = self._add(key, None)
                self.objects[i] = self._body(value)
        return self._uid(self.index[key])

    def _uid(self, i):
        # One UID instance per index: plistlib then writes each distinct UID
        # once in the binary file instead of once per use.
        return self.uids.setdefault(i, UID(i))

    def uid(self, obj):
        return self.index[id(obj)]

    def _add(self, key, value):
        self.index[key] = len(self.objects)
        self.objects.append(value)
        return self.index[key]

    def _body(self, obj):
        body = {}
        for k, v in obj.keys.items():
            if isinstance(v, Plain):
                body[k] = v.n
            elif isinstance(v, list):
                body[k] = [self.ref(x) for x in v]
            else:
                body[k] = self.ref(v)
        body["$class"] = self._class(obj.classes)
        return body

    def _class(self, chain):
        key = ("class", chain[0])
        if key not in self.index:
            self._add(key, {"$classname": chain[0], "$classes": list(chain)})
        assert self.objects[self.index[key]]["$classes"] == list(chain)
        return self._uid(self.index[key])


def archive(root, root_last=False):
    arch = Archiver(root_last)
    top_ref = arch.ref(root)
    top = {"$archiver": "NSKeyedArchiver", "$version": 100000,
           "$top": {"root": top_ref}, "$objects": arch.objects}
    return top, arch


# --- the Zarneth classes ----------------------------------------------------

class Lcg:
    """Tiny linear congruential generator, so the numbers are the same on every run."""
    def __init__(self, seed):
        self.state = seed

    def between(self, lo, hi):
        self.state = (self.state * 6364136223846793005 + 1442695040888963407) % 2**64
        return lo + (self.state >> 33) % (hi - lo + 1)


def voice_print(rng, frames, classes=MUTABLE_ARRAY):
    """frames x 16 integers; elements 0, 14 and 15 of each frame are 0."""
    values = []
    for _ in range(frames):
        values += [0] + [rng.between(-300, 300) for _ in range(13)] + [0, 0]
    return Obj(("ZRVoicePrint", "NSObject"), VoicePrint=array(values, classes))


def sample(command_id, file_name, vp):
    return Obj(("ZRSample", "NSObject"), SampleCommandID=Plain(command_id),
               SampleFileName=file_name, SampleVoicePrint=vp)


def command(command_id, command_type, name=None, number=None, samples=()):
    slots = list(samples) + [None] * (3 - len(samples))
    return Obj(("ZRCommand", "NSObject"), CommandID=Plain(command_id),
               CommandType=Plain(command_type), CommandName=name, CommandDetail=number,
               Sample1=slots[0], Sample2=slots[1], Sample3=slots[2])


def empty_command():
    return command(0, 0)


def command_list(counter, system, phones, classes=MUTABLE_ARRAY):
    return Obj(("ZRCommandList", "NSObject"), IDCounter=counter,
               systemList=array(system, classes), commandlist=array(phones, classes))


def described(root):
    """What a correct reader must get from root, in the JSON shape check_archive.py prints."""
    def cmd(c):
        k = c.keys
        samples = [k[f"Sample{n}"] for n in (1, 2, 3) if k[f"Sample{n}"] is not None]
        return {"id": k["CommandID"].n, "type": k["CommandType"].n,
                "name": k["CommandName"], "number": k["CommandDetail"],
                "samples": [{"commandID": s.keys["SampleCommandID"].n,
                             "file": s.keys["SampleFileName"],
                             "print": None if s.keys["SampleVoicePrint"] is None else
                             s.keys["SampleVoicePrint"].keys["VoicePrint"].keys["NS.objects"]}
                            for s in samples]}
    return {"IDCounter": root.keys["IDCounter"],
            "commands": [cmd(c) for c in root.keys["commandlist"].keys["NS.objects"]],
            "system": [cmd(c) for c in root.keys["systemList"].keys["NS.objects"]]}


# --- the valid stores ---------------------------------------------------------

def python_made():
    rng = Lcg(20240611)
    name = iter(f"/sample17000000{n:02d}.aif" for n in range(1, 20))
    shared = voice_print(rng, 17)       # used by a sample of Jürgen and one of Anna
    jurgen = command(2, 4, "Jürgen Müller", "+49 (170) 123-4567", [
        sample(2, next(name), voice_print(rng, 40)),
        sample(2, next(name), voice_print(rng, 3)),
        sample(2, next(name), shared)])
    anna = command(5, 4, "Anna Schmidt", "0170 9876543", [sample(5, next(name), shared)])
    bruce = command(6, 4, "李小龙", "+86 10 1234 5678", [
        sample(6, next(name), voice_print(rng, 25)),
        sample(6, next(name), voice_print(rng, 9))])
    accept = command(0, 1, "Accept", None, [sample(0, next(name), voice_print(rng, 33))])
    cancel = command(2, 3, "Cancel", None, [
        sample(2, next(name), voice_print(rng, 12)),
        sample(2, next(name), voice_print(rng, 5))])
    return command_list(7, [accept, empty_command(), cancel], [jurgen, anna, bruce])


def fresh_store():
    empty = empty_command()
    return command_list(0, [empty, empty, empty], [])


HOSTILE_NAMES = ["/../../../tmp/zarneth-victim", "/sample12.aif/../../x", "sample99.aif",
                 "/sample.aif", "/sample-1.aif", "/sample\uff11\uff12.aif", "/sample42.aif"]


def hostile_names():
    rng = Lcg(7)
    n = iter(HOSTILE_NAMES)
    eve = command(0, 4, "Eve", "555-0100", [sample(0, next(n), voice_print(rng, 3)) for _ in range(3)])
    mallory = command(1, 4, "Mallory", "555-0199", [sample(1, next(n), voice_print(rng, 3)) for _ in range(3)])
    accept = command(0, 1, "Accept", None, [sample(0, next(n), voice_print(rng, 3))])
    empty = empty_command()
    return command_list(2, [accept, empty, empty], [eve, mallory])


def immutable_arrays():
    rng = Lcg(99)
    ola = command(0, 4, "Ola Nordmann", "+47 22 33 44 55",
                  [sample(0, "/sample1.aif", voice_print(rng, 4, IMMUTABLE_ARRAY))])
    empty = empty_command()
    return command_list(1, [empty, empty, empty], [ola], IMMUTABLE_ARRAY)


def counter_at_end():
    rng = Lcg(31)
    ada = command(0, 4, "Ada", "0170 1", [sample(0, "/sample1.aif", voice_print(rng, 4))])
    bo = command(2, 4, "Bo", "0170 2", [sample(2, "/sample2.aif", voice_print(rng, 4))])
    empty = empty_command()
    return command_list(2147483647, [empty, empty, empty], [ada, bo])


# --- the broken stores --------------------------------------------------------

def handmade_bplist(top, claimed_count=None):
    """Encodes top as a binary plist by hand.

    plistlib always writes an array's true length; here the header of the
    top-level "$objects" array can claim claimed_count entries instead, written
    as 0xAF followed by an 8-byte integer (0x13), while only the real
    references follow.  Handles just the value types these archives use.
    """
    def int_bytes(n):
        for marker, size in ((0x10, 1), (0x11, 2), (0x12, 4)):
            if 0 <= n < 1 << (8 * size):
                return bytes([marker]) + n.to_bytes(size, "big")
        return b"\x13" + n.to_bytes(8, "big", signed=n < 0)

    def head(marker, count):
        return bytes([marker | count]) if count < 15 else bytes([marker | 0xF]) + int_bytes(count)

    nodes = []      # (header and payload, indices of referenced objects)

    def add(v):
        i = len(nodes)
        nodes.append(None)
        if isinstance(v, UID):
            size = 1 if v.data < 256 else 2
            nodes[i] = (bytes([0x80 | (size - 1)]) + v.data.to_bytes(size, "big"), [])
        elif isinstance(v, int):
            nodes[i] = (int_bytes(v), [])
        elif isinstance(v, str) and v.isascii():
            nodes[i] = (head(0x50, len(v)) + v.encode("ascii"), [])
        elif isinstance(v, str):
            units = v.encode("utf-16-be")
            nodes[i] = (head(0x60, len(units) // 2) + units, [])
        elif isinstance(v, list):
            nodes[i] = (head(0xA0, len(v)), [add(x) for x in v])
        elif isinstance(v, dict):
            keys = [add(k) for k in v]
            nodes[i] = (head(0xD0, len(v)), keys + [add(x) for x in v.values()])
        else:
            raise TypeError(type(v))
        return i

    add(top)
    if claimed_count is not None:
        at = nodes[0][1][len(top) + list(top).index("$objects")]
        nodes[at] = (b"\xaf\x13" + claimed_count.to_bytes(8, "big"), nodes[at][1])
    ref_size = 1 if len(nodes) < 256 else 2
    out, offsets = bytearray(b"bplist00"), []
    for payload, refs in nodes:
        offsets.append(len(out))
        out += payload + b"".join(r.to_bytes(ref_size, "big") for r in refs)
    table = len(out)
    offset_size = 1 if table < 256 else 2
    for o in offsets:
        out += o.to_bytes(offset_size, "big")
    out += struct.pack(">6xBBQQQ", offset_size, ref_size, len(nodes), 0, table)
    return bytes(out)


def small_store(print_values=None):
    """The valid store that most broken files are one change away from."""
    if print_values is None:
        vp = voice_print(Lcg(1), 1)
    else:
        vp = Obj(("ZRVoicePrint", "NSObject"), VoicePrint=array(print_values))
    anna = command(0, 4, "Anna", "0170 1", [sample(0, "/sample1.aif", vp)])
    empty = empty_command()
    root = command_list(1, [empty, empty, empty], [anna])
    top, arch = archive(root)
    where = {"root": arch.uid(root), "anna": arch.uid(anna), "sample": anna.keys["Sample1"],
             "prints": vp.keys["VoicePrint"], "phones": root.keys["commandlist"],
             "system": root.keys["systemList"]}
    return top, {k: v if isinstance(v, int) else arch.uid(v) for k, v in where.items()}


def broken(change, print_values=None):
    """small_store with one change applied by change(top, objects, index)."""
    top, index = small_store(print_values)
    change(top, top["$objects"], index)
    return dump(top)


def new_object(objects, value):
    objects.append(value)
    return UID(len(objects) - 1)


def shared_number_array():
    """64 prints whose VoicePrint is one element list of 1024 numbers, shared."""
    shared = array([0, 25, -40, 63, 12, -7, 0, 300, -300, 81, -19, 44, 5, 0, 0, 0] * 64)
    prints = [Obj(("ZRVoicePrint", "NSObject"), VoicePrint=shared) for _ in range(64)]
    phones = [command(c, 4, "Anna", "0170 1", [sample(c, "/sample1.aif", p) for p in prints[c:c + 3]])
              for c in range(0, len(prints), 3)]
    empty = empty_command()
    return dump(archive(command_list(len(prints), [empty, empty, empty], phones))[0])


def bad_files(python_made_bytes):
    o32 = 2**31          # one past the largest signed 32-bit integer
    rng = Lcg(4242)
    noise = bytes(rng.between(0, 255) for _ in range(256))
    long_print = [0, 25, -40, 63, 12, -7, 0, 300, -300, 81, -19, 44, 5, 0, 0, 0] * (100000 // 16)

    def set_(obj, key, value):
        return lambda t, o, i: o[i[obj]].__setitem__(key, value(t, o, i) if callable(value) else value)

    def voice_print_elements(t, o, i):
        return o[i["prints"]]["NS.objects"]

    return [
        ("bad-empty", "an empty file", b""),
        ("bad-random-bytes", "256 bytes of noise", noise),
        ("bad-random-after-header", "the 'bplist00' header followed by 248 bytes of noise",
         b"bplist00" + noise[:248]),
        ("bad-truncated", "python-made.samcomandlist cut in half (no trailer)",
         python_made_bytes[:len(python_made_bytes) // 2]),
        ("bad-huge-count", "the $objects array header claims 2^40 entries in a file of under 1 KB",
         handmade_bplist(archive(fresh_store())[0], 1 << 40)),
        ("bad-huge-count-all-ones", "the $objects array header claims 0xFFFFFFFFFFFFFFFF entries "
         "(-1 if read as signed)", handmade_bplist(archive(fresh_store())[0], 2**64 - 1)),
        ("bad-archiver-name", "$archiver is 'NSArchiver'",
         broken(lambda t, o, i: t.__setitem__("$archiver", "NSArchiver"))),
        ("bad-no-top", "the top-level key $top is missing", broken(lambda t, o, i: t.pop("$top"))),
        ("bad-top-without-root", "$top is an empty dictionary (no 'root')",
         broken(lambda t, o, i: t.__setitem__("$top", {}))),
        ("bad-root-class", "$top.root points at a ZRCommand instead of the ZRCommandList",
         broken(lambda t, o, i: t["$top"].__setitem__("root", UID(i["anna"])))),
        ("bad-type-commandtype-string", "the phone command's CommandType is the string '4'",
         broken(set_("anna", "CommandType", "4"))),
        ("bad-type-idcounter-string", "IDCounter points at the string '1' instead of an integer",
         broken(set_("root", "IDCounter", lambda t, o, i: new_object(o, "1")))),
        ("bad-type-voiceprint-string", "one VoicePrint element points at the string '12'",
         broken(lambda t, o, i: voice_print_elements(t, o, i).__setitem__(3, new_object(o, "12")))),
        ("bad-type-nsobjects-not-array", "the commandlist's NS.objects is a single UID, not an array",
         broken(set_("phones", "NS.objects", lambda t, o, i: UID(i["anna"])))),
        ("bad-uid-out-of-range", "the phone command's Sample1 is UID(len($objects))",
         broken(set_("anna", "Sample1", lambda t, o, i: UID(len(o))))),
        ("bad-cycle-class-self", "the sample's $class is the sample's own UID",
         broken(set_("sample", "$class", lambda t, o, i: UID(i["sample"])))),
        ("bad-cycle-sample-is-command", "the phone command's Sample2 is the command itself",
         broken(set_("anna", "Sample2", lambda t, o, i: UID(i["anna"])))),
        ("bad-cycle-array-self", "the commandlist's NS.objects also holds the commandlist's own UID",
         broken(lambda t, o, i: o[i["phones"]]["NS.objects"].append(UID(i["phones"])))),
        ("bad-system-list-two", "systemList has 2 entries instead of 3",
         broken(lambda t, o, i: o[i["system"]]["NS.objects"].pop())),
        ("bad-phone-list-type1", "the command in commandlist has CommandType 1 (accept) instead of 4",
         broken(set_("anna", "CommandType", 1))),
        ("bad-voiceprint-int32", f"one VoicePrint element is {o32} (2^31; wraps to -2^31 as int32)",
         broken(lambda t, o, i: voice_print_elements(t, o, i).__setitem__(3, new_object(o, o32)))),
        ("bad-commandid-int32", "the phone command's CommandID and its sample's SampleCommandID are 2^32 "
         "(wrap to a plausible 0 as int32)",
         broken(lambda t, o, i: (o[i["anna"]].__setitem__("CommandID", 2**32),
                                 o[i["sample"]].__setitem__("SampleCommandID", 2**32)))),
        ("bad-voiceprint-too-long", "otherwise valid, but a VoicePrint has 100000 integers "
         "(6250 frames); the reader caps it", broken(lambda t, o, i: None, long_print)),
        ("bad-shared-number-array", "otherwise valid, but 64 voice prints share one VoicePrint element "
         "list of 1024 numbers: more numbers than the file has bytes, which the reader refuses",
         shared_number_array()),
    ]


# --- writing ----------------------------------------------------------------------

def dump(top):
    return plistlib.dumps(top, fmt=plistlib.FMT_BINARY)


README = """\
# Command store test archives

Test files for reading and writing Zarneth's command store, `samcomandlist`:
a binary plist in the layout Apple's NSKeyedArchiver writes.  Everything here
is written by `make_fixtures.py` with Python's standard library only, without
Zarneth's own code, so the C++ reader and writer are tested against an
independent implementation.  Do not edit the files by hand; change the script
and run it again (every run writes the same bytes).

    python3 tests/data/archives/make_fixtures.py
    python3 tests/data/archives/check_archive.py FILE            # what Zarneth must write
    python3 tests/data/archives/check_archive.py --reader-rules FILE   # what a reader must accept

`check_archive.py` checks the layout strictly and exits 1 with a message at the
first fault; otherwise it prints the store as JSON in the shape of the
`*.expected.json` files (IDCounter, phone commands in order, the three system
slots accept/repeat/cancel; a sample's `print` is null when it has no voice
print, a name or number is null when it is nil).

## Valid archives (must load)

- `python-made.samcomandlist` — IDCounter 7, three phone commands (ids 2, 5, 6,
  non-ASCII names), accept and cancel trained, repeat untrained.  Its root is the
  LAST entry of `$objects` (children are written before their owners), so a
  reader must follow `$top.root` rather than assume UID 1.  One ZRVoicePrint is
  shared by two samples, and equal integers (IDCounter and voice print values)
  are one object each.  Expected reading: `python-made.expected.json`.
- `fresh-store.samcomandlist` — IDCounter 0, no phone commands, the three
  system slots one shared empty command.  Expected: `fresh-store.expected.json`.
- `hostile-names.samcomandlist` — valid, but six of its seven sample file
  names must never be used as paths (only `/sample42.aif` is well formed).  A
  reader keeps them as stored.  `check_archive.py` refuses it unless given
  `--reader-rules`.  Expected: `hostile-names.expected.json`.
- `immutable-arrays.samcomandlist` — every array is of class NSArray instead
  of NSMutableArray, which a reader must accept (`--reader-rules` in the
  checker).  Expected: `immutable-arrays.expected.json`.
- `counter-at-end.samcomandlist` — IDCounter 2147483647, the largest 32-bit
  integer, with phone commands 0 and 2: the counter cannot advance, so a new
  command must get an identifier that no command holds.  Expected:
  `counter-at-end.expected.json`.

## Broken archives (a careful reader must refuse them)

Each carries about one fault; most are one change away from the same small
valid store (one phone command "Anna" with one sample and a one-frame voice
print).  `check_archive.py` refuses all of them except
`bad-voiceprint-too-long` and `bad-shared-number-array`, because the layout
itself sets no length limit and lets arrays be shared; the caps belong to the
reader.

"""


def main():
    valid = {
        "python-made": (python_made(), True),
        "fresh-store": (fresh_store(), False),
        "hostile-names": (hostile_names(), False),
        "immutable-arrays": (immutable_arrays(), False),
        "counter-at-end": (counter_at_end(), False),
    }
    written = {}
    for name, (root, root_last) in valid.items():
        top, _ = archive(root, root_last)
        assert handmade_bplist(top) and plistlib.loads(handmade_bplist(top)) == top
        written[f"{name}.samcomandlist"] = dump(top)
        written[f"{name}.expected.json"] = (json_text(described(root)) + "\n").encode()

    readme = README
    for name, what, data in bad_files(written["python-made.samcomandlist"]):
        written[f"{name}.samcomandlist"] = data
        readme += f"- `{name}.samcomandlist` — {what}\n"
    written["README.md"] = readme.encode()

    for old in HERE.glob("*.samcomandlist"):
        if old.name not in written:
            old.unlink()
    for name, data in written.items():
        (HERE / name).write_bytes(data)
        print(f"{len(data):8d}  {name}")


if __name__ == "__main__":
    main()
