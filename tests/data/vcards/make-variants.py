#!/usr/bin/env python3
"""Makes the derived vCard files of this folder from the real ones: the same
cards with the line ends or the text encoding that other address books write.
Run it from anywhere; it rewrites every derived file (README.md lists them).
"""
import pathlib
import quopri
import re

HERE = pathlib.Path(__file__).resolve().parent


def write(name, variant, data):
    stem = name.removesuffix(".vcf")
    (HERE / f"{stem}.{variant}.vcf").write_bytes(data)


def ios_line_ends(name):
    """Every line break as CR CR LF, as some iOS exports end their lines."""
    data = (HERE / name).read_bytes()
    write(name, "ios-line-ends", re.sub(rb"\r?\n", b"\r\r\n", data))


def windows_1252(name):
    """The UTF-8 text in the Windows code page, with no CHARSET said: an
    Outlook export on a western Windows."""
    text = (HERE / name).read_bytes().decode("utf-8")
    write(name, "windows-1252", text.encode("cp1252"))


def utf_16(name):
    """The text in UTF-16 with a byte order mark, in both byte orders."""
    text = (HERE / name).read_bytes().decode("utf-8")
    write(name, "utf-16le", b"\xff\xfe" + text.encode("utf-16-le"))
    write(name, "utf-16be", b"\xfe\xff" + text.encode("utf-16-be"))


def logical_lines(data):
    """The content lines, a quoted-printable value joined across its soft
    line breaks (and across the line break after an empty first line)."""
    lines = data.split(b"\r\n")
    i = 0
    while i < len(lines):
        line = lines[i]
        i += 1
        if b"QUOTED-PRINTABLE" in line.split(b":", 1)[0]:
            if line.endswith(b":") and i < len(lines):
                line += lines[i]
                i += 1
            while line.endswith(b"=") and i < len(lines):
                line = line[:-1] + lines[i]
                i += 1
        yield line


def in_windows_1251(line):
    """A UTF-8 property of the Sony Ericsson file in Windows-1251: the name
    written as plain 8-bit text with no CHARSET, as Outlook on a Cyrillic
    Windows writes it; every other property keeps CHARSET, now WINDOWS-1251.
    Text the code page cannot hold (a few Latin names) stays as it was."""
    head, sep, value = line.partition(b":")
    if b"CHARSET=UTF-8" not in head:
        return line
    parameters = head.split(b";")
    quoted = b"ENCODING=QUOTED-PRINTABLE" in parameters
    text = (quopri.decodestring(value) if quoted else value).decode("utf-8")
    try:
        text.encode("cp1251")
    except UnicodeEncodeError:
        return line
    if parameters[0] == b"N":
        return b"N:" + text.encode("cp1251")
    value = text.encode("cp1251")
    if quoted:
        value = quopri.encodestring(value).replace(b"=\n", b"")
    return head.replace(b"CHARSET=UTF-8", b"CHARSET=WINDOWS-1251") + sep + value


def windows_1251(name):
    data = (HERE / name).read_bytes()
    lines = [in_windows_1251(line) for line in logical_lines(data)]
    write(name, "windows-1251", b"\r\n".join(lines))


if __name__ == "__main__":
    for real in ("nokia-2.1-quoted-printable.vcf", "gammu-2.1-line-continuation.vcf", "perl-2.1-quoted-printable.vcf"):
        ios_line_ends(real)
    windows_1252("mac-address-book-3.0.vcf")
    utf_16("mac-address-book-3.0.vcf")
    windows_1251("sony-ericsson-2.1-cyrillic.vcf")
