#!/usr/bin/env python3
"""Independent checker for a Zarneth command store ("samcomandlist").

usage: check_archive.py [--reader-rules] FILE

The store is a binary plist in the layout NSKeyedArchiver writes.  This script
checks that layout strictly, stops at the first violation (message on stderr,
exit status 1) and otherwise prints the store as JSON on stdout, in the same
shape as the *.expected.json files next to it.

By default it holds FILE to what Zarneth itself must write.  --reader-rules
relaxes this to what a reader must still accept: arrays of class NSArray as
well as NSMutableArray, and sample file names of any form.

Only Python's standard library is used.
"""
import json
import plistlib
import re
import sys
from pathlib import Path

UID = plistlib.UID
INT32_MIN, INT32_MAX = -2**31, 2**31 - 1
FRAME = 16                      # integers per voice print frame
PHONE = 4                       # CommandType of a phone command
GOOD_FILE_NAME = re.compile(r"/sample[0-9]+\.aif")

CHAINS = {
    "ZRCommandList": ["ZRCommandList", "NSObject"],
    "ZRCommand": ["ZRCommand", "NSObject"],
    "ZRSample": ["ZRSample", "NSObject"],
    "ZRVoicePrint": ["ZRVoicePrint", "NSObject"],
    "NSMutableArray": ["NSMutableArray", "NSArray", "NSObject"],
    "NSArray": ["NSArray", "NSObject"],
}
KEYS = {
    "ZRCommandList": {"IDCounter", "systemList", "commandlist"},
    "ZRCommand": {"CommandID", "CommandType", "CommandName", "CommandDetail",
                  "Sample1", "Sample2", "Sample3"},
    "ZRSample": {"SampleCommandID", "SampleFileName", "SampleVoicePrint"},
    "ZRVoicePrint": {"VoicePrint"},
    "NSMutableArray": {"NS.objects"},
    "NSArray": {"NS.objects"},
}


class Bad(Exception):
    """The first thing found wrong with the archive."""


def need(condition, message):
    if not condition:
        raise Bad(message)


def kind(value):
    return "UID" if isinstance(value, UID) else type(value).__name__


def is_int(value):
    return type(value) is int          # bool is a subclass of int; refuse it


def json_text(value, depth=0):
    """JSON with two-space indentation, but lists of numbers kept on one line."""
    pad, inner = "  " * depth, "  " * (depth + 1)
    if isinstance(value, dict) and value:
        items = [inner + json.dumps(k, ensure_ascii=False) + ": " + json_text(v, depth + 1)
                 for k, v in value.items()]
        return "{\n" + ",\n".join(items) + "\n" + pad + "}"
    if isinstance(value, list) and value and not all(is_int(x) for x in value):
        return "[\n" + ",\n".join(inner + json_text(v, depth + 1) for v in value) + "\n" + pad + "]"
    return json.dumps(value, ensure_ascii=False, separators=(", ", ": "))


class Archive:
    def __init__(self, top, reader_rules):
        self.reader_rules = reader_rules
        need(type(top) is dict, f"the top level is a {kind(top)}, not a dictionary")
        want = {"$archiver", "$version", "$top", "$objects"}
        need(set(top) == want, f"top-level keys are {sorted(top)}, want {sorted(want)}")
        need(top["$archiver"] == "NSKeyedArchiver",
             f"$archiver is {top['$archiver']!r}, want 'NSKeyedArchiver'")
        need(is_int(top["$version"]) and top["$version"] == 100000,
             f"$version is {top['$version']!r}, want 100000")
        objects = top["$objects"]
        need(type(objects) is list and objects, "$objects is not a non-empty array")
        need(objects[0] == "$null", f"$objects[0] is {objects[0]!r}, want '$null'")
        self.objects = objects
        roots = top["$top"]
        need(type(roots) is dict and set(roots) == {"root"},
             "$top must be a dictionary holding exactly the key 'root'")
        need(isinstance(roots["root"], UID), "$top.root is not a UID")
        need(roots["root"].data != 0, "$top.root is nil")
        self.root = roots["root"]

        for i, item in enumerate(objects):
            need(is_int(item) or type(item) in (str, dict),
                 f"object {i} is a {kind(item)}; only strings, integers and dictionaries belong in $objects")
            self.scan_uids(item, f"object {i}")
        self.scan_uids(self.root, "$top.root")
        self.check_class_dicts()

    # --- whole-file checks -------------------------------------------------
    def scan_uids(self, value, where):
        """Every UID anywhere must name an entry of $objects."""
        if isinstance(value, UID):
            need(value.data < len(self.objects),
                 f"{where} holds UID {value.data}, but $objects has only {len(self.objects)} entries")
        elif isinstance(value, dict):
            for k, v in value.items():
                self.scan_uids(v, f"{where}.{k}")
        elif isinstance(value, list):
            for i, v in enumerate(value):
                self.scan_uids(v, f"{where}[{i}]")

    def check_class_dicts(self):
        seen = {}
        for i, item in enumerate(self.objects):
            if type(item) is dict and ("$classname" in item or "$classes" in item):
                need(set(item) == {"$classname", "$classes"},
                     f"class object {i} has keys {sorted(item)}, want $classname and $classes")
                name = item["$classname"]
                need(type(name) is str, f"class object {i}: $classname is not a string")
                need(name not in seen, f"class {name!r} appears twice (objects {seen.get(name)} and {i})")
                seen[name] = i

    def check_all_reachable(self):
        """An archiver writes nothing that the root cannot reach."""
        reached, todo = {0}, [self.root.data]
        while todo:
            i = todo.pop()
            if i in reached:
                continue
            reached.add(i)
            todo.extend(self.uids_in(self.objects[i]))
        orphans = sorted(set(range(len(self.objects))) - reached)
        need(not orphans, f"objects {orphans[:10]} are never referenced")

    def uids_in(self, value):
        if isinstance(value, UID):
            yield value.data
        elif isinstance(value, dict):
            for v in value.values():
                yield from self.uids_in(v)
        elif isinstance(value, list):
            for v in value:
                yield from self.uids_in(v)

    # --- typed access ------------------------------------------------------
    def obj(self, ref, names, where):
        """The dictionary behind ref, whose class must be one of names."""
        need(isinstance(ref, UID), f"{where} is a {kind(ref)}, want a UID")
        need(ref.data != 0, f"{where} is nil")
        where = f"{where} (object {ref.data})"
        d = self.objects[ref.data]
        need(type(d) is dict and "$class" in d, f"{where} is a {kind(d)}, not an archived object")
        cls = d["$class"]
        need(isinstance(cls, UID) and cls.data != 0, f"{where}: $class is not a UID")
        c = self.objects[cls.data]
        need(type(c) is dict and "$classname" in c,
             f"{where}: $class points at object {cls.data}, which is not a class")
        name = c["$classname"]
        need(name in names, f"{where} is of class {name!r}, want {' or '.join(names)}")
        need(c["$classes"] == CHAINS[name],
             f"{where}: class chain is {c['$classes']!r}, want {CHAINS[name]!r}")
        want = KEYS[name] | {"$class"}
        need(set(d) == want, f"{where}: keys are {sorted(d)}, want {sorted(want)}")
        return d, where

    def array(self, ref, where):
        names = ("NSMutableArray", "NSArray") if self.reader_rules else ("NSMutableArray",)
        d, where = self.obj(ref, names, where)
        items = d["NS.objects"]
        need(type(items) is list, f"{where}: NS.objects is a {kind(items)}, not an array")
        for i, item in enumerate(items):
            need(isinstance(item, UID), f"{where}: NS.objects[{i}] is a {kind(item)}, not a UID")
        return items, where

    def plain_int(self, d, key, where):
        v = d[key]
        need(is_int(v), f"{where}.{key} is a {kind(v)}, want a plain integer")
        need(INT32_MIN <= v <= INT32_MAX, f"{where}.{key} = {v} is outside the signed 32-bit range")
        return v

    def int_object(self, ref, where):
        need(isinstance(ref, UID) and ref.data != 0, f"{where} is not a UID of an integer")
        v = self.objects[ref.data]
        need(is_int(v), f"{where} (object {ref.data}) is a {kind(v)}, want an integer")
        need(INT32_MIN <= v <= INT32_MAX, f"{where} (object {ref.data}) = {v} is outside the signed 32-bit range")
        return v

    def string(self, ref, where):
        """A string object, or None for UID(0)."""
        need(isinstance(ref, UID), f"{where} is a {kind(ref)}, want a UID")
        if ref.data == 0:
            return None
        v = self.objects[ref.data]
        need(type(v) is str, f"{where} (object {ref.data}) is a {kind(v)}, want a string")
        return v

    # --- the command store -------------------------------------------------
    def store(self):
        root, where = self.obj(self.root, ("ZRCommandList",), "root")
        counter = self.int_object(root["IDCounter"], "IDCounter")
        need(counter >= 0, f"IDCounter = {counter} is negative")

        slots, at = self.array(root["systemList"], "systemList")
        need(len(slots) == 3, f"{at} has {len(slots)} entries, want 3 (accept, repeat, cancel)")
        system = []
        for i, ref in enumerate(slots):
            c = self.command(ref, f"systemList[{i}]")
            here = f"systemList[{i}]"
            need(c["type"] in (0, i + 1), f"{here} has CommandType {c['type']}, want {i + 1} or 0")
            need(c["number"] is None, f"{here} has a CommandDetail; system commands have none")
            if c["type"] == 0:
                need(c["id"] == 0 and c["name"] is None and not c["samples"],
                     f"{here} has CommandType 0 but is not an empty command")
            else:
                need(c["id"] == i, f"{here} has CommandID {c['id']}, want {i}")
            system.append(c)

        refs, at = self.array(root["commandlist"], "commandlist")
        commands, ids = [], set()
        for i, ref in enumerate(refs):
            here = f"commandlist[{i}]"
            c = self.command(ref, here)
            need(c["type"] == PHONE, f"{here} has CommandType {c['type']}, want {PHONE}")
            need(c["number"] is not None, f"{here} has no CommandDetail (phone number)")
            need(0 <= c["id"] < counter,
                 f"{here} has CommandID {c['id']}, want 0 <= id < IDCounter ({counter})")
            need(c["id"] not in ids, f"{here} repeats CommandID {c['id']}")
            ids.add(c["id"])
            commands.append(c)
        self.check_all_reachable()
        return {"IDCounter": counter, "commands": commands, "system": system}

    def command(self, ref, where):
        d, where = self.obj(ref, ("ZRCommand",), where)
        cid = self.plain_int(d, "CommandID", where)
        ctype = self.plain_int(d, "CommandType", where)
        need(0 <= ctype <= 4, f"{where}.CommandType = {ctype}, want 0..4")
        name = self.string(d["CommandName"], f"{where}.CommandName")
        number = self.string(d["CommandDetail"], f"{where}.CommandDetail")
        samples, gap = [], None
        for n in (1, 2, 3):
            key = f"Sample{n}"
            ref = d[key]
            need(isinstance(ref, UID), f"{where}.{key} is a {kind(ref)}, want a UID")
            if ref.data == 0:
                gap = gap or key
                continue
            need(gap is None, f"{where}.{key} is set although {gap} is nil (samples fill from Sample1)")
            samples.append(self.sample(ref, cid, f"{where}.{key}"))
        return {"id": cid, "type": ctype, "name": name, "number": number, "samples": samples}

    def sample(self, ref, command_id, where):
        d, where = self.obj(ref, ("ZRSample",), where)
        sid = self.plain_int(d, "SampleCommandID", where)
        need(sid == command_id, f"{where}.SampleCommandID = {sid}, but its command has CommandID {command_id}")
        name = self.string(d["SampleFileName"], f"{where}.SampleFileName")
        need(name is not None, f"{where}.SampleFileName is nil")
        need(self.reader_rules or GOOD_FILE_NAME.fullmatch(name),
             f"{where}.SampleFileName {name!r} is not '/sample<digits>.aif'")
        vp = d["SampleVoicePrint"]
        need(isinstance(vp, UID), f"{where}.SampleVoicePrint is a {kind(vp)}, want a UID")
        return {"commandID": sid, "file": name,
                "print": None if vp.data == 0 else self.voice_print(vp, f"{where}.SampleVoicePrint")}

    def voice_print(self, ref, where):
        d, where = self.obj(ref, ("ZRVoicePrint",), where)
        items, at = self.array(d["VoicePrint"], f"{where}.VoicePrint")
        need(len(items) % FRAME == 0, f"{at} has {len(items)} integers, not a whole number of {FRAME}-integer frames")
        return [self.int_object(u, f"{at}[{i}]") for i, u in enumerate(items)]


def check(path, reader_rules=False):
    data = Path(path).read_bytes()
    need(data.startswith(b"bplist00"), "not a binary plist (no 'bplist00' header)")
    try:
        top = plistlib.loads(data, fmt=plistlib.FMT_BINARY)
    except Exception as e:   # plistlib reports broken files with assorted exception types
        cause = e.__context__ or e
        raise Bad(f"unreadable binary plist ({type(cause).__name__}: {cause})") from None
    return Archive(top, reader_rules).store()


def main(argv):
    args = argv[1:]
    reader_rules = "--reader-rules" in args
    files = [a for a in args if a != "--reader-rules"]
    if len(files) != 1 or files[0].startswith("-"):
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    try:
        result = check(files[0], reader_rules)
    except Bad as e:
        print(f"{files[0]}: REJECTED: {e}", file=sys.stderr)
        return 1
    except OSError as e:
        print(f"{files[0]}: {e}", file=sys.stderr)
        return 2
    print(json_text(result))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
