#!/usr/bin/env python3
"""Checks the udev rule for FTDI adapters without udev.

Debian 12's udevadm (systemd 252) has no `verify`, and `udevadm test` needs a
real device. So this reads the file as udev(7) describes it: every rule a
comma-separated list of KEY{attribute}OP"value" with a key udev knows and an
operator that key takes, every GOTO with its LABEL further down. Then it runs
the rules for a table of USB devices and compares what they are given (group,
mode, tags) with what each should get. Prints each fault; exits 1 on one.
    check-rules.py RULES_FILE
"""
import fnmatch
import re
import sys

# udev(7), systemd 252: keys that only match, keys that only assign, keys
# that do both (the operator decides), and the keys that need {attribute}.
MATCH_ONLY = {"ACTION", "DEVPATH", "KERNEL", "KERNELS", "SUBSYSTEM", "SUBSYSTEMS",
              "DRIVER", "DRIVERS", "ATTRS", "TAGS", "TEST", "PROGRAM", "RESULT", "CONST"}
ASSIGN_ONLY = {"OWNER", "GROUP", "MODE", "SECLABEL", "RUN", "LABEL", "GOTO", "IMPORT",
               "OPTIONS"}
BOTH = {"NAME", "SYMLINK", "ATTR", "SYSCTL", "ENV", "TAG"}
NEEDS_ATTRIBUTE = {"ATTR", "ATTRS", "SYSCTL", "ENV", "CONST", "SECLABEL", "IMPORT"}
MATCH_OPS = {"==", "!="}
# Keys that hold one value take no "+=" or "-=".
SINGLE_VALUE = {"OWNER", "GROUP", "MODE", "LABEL", "GOTO", "NAME", "ATTR", "SYSCTL",
                "SECLABEL"}

TOKEN = re.compile(r'\s*(?P<key>[A-Z_]+)(?:\{(?P<attribute>[^}]*)\})?\s*'
                   r'(?P<op>==|!=|\+=|-=|:=|=)\s*"(?P<value>(?:[^"\\]|\\.)*)"\s*(?:,|$)')

# Each FTDI chip with the bit-bang mode gets the adapter to the seat's user
# and to plugdev; nothing else does, and nothing happens on removal.
FTDI_PRODUCTS = ["6001", "6010", "6011", "6014", "6015"]
GRANTED = {"GROUP": "plugdev", "MODE": "0660", "TAG": {"uaccess"}}
NOTHING = {"GROUP": None, "MODE": None, "TAG": set()}


def usb_device(vendor, product, action="add", subsystem="usb", devtype="usb_device"):
    return {"ACTION": action, "SUBSYSTEM": subsystem, "ENV{DEVTYPE}": devtype,
            "ATTR{idVendor}": vendor, "ATTR{idProduct}": product}


CASES = [(f"0403:{p}", usb_device("0403", p), GRANTED) for p in FTDI_PRODUCTS] + [
    ("0403:6001 on change", usb_device("0403", "6001", action="change"), GRANTED),
    ("0403:6001 removed", usb_device("0403", "6001", action="remove"), NOTHING),
    ("0403:6001 interface", usb_device("0403", "6001", devtype="usb_interface"), NOTHING),
    ("0403:6001 tty", usb_device("0403", "6001", subsystem="tty", devtype=""), NOTHING),
    ("0403:6002", usb_device("0403", "6002"), NOTHING),
    ("0403:6015x", usb_device("0403", "60150"), NOTHING),
    ("0404:6001", usb_device("0404", "6001"), NOTHING),
    ("1d6b:0002", usb_device("1d6b", "0002"), NOTHING),
]


def parse(text, faults):
    """The rules as lists of (key, attribute, op, value); faults appended."""
    rules = []
    for number, line in enumerate(text.replace("\\\n", "").split("\n"), 1):
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        tokens, position = [], 0
        while position < len(line):
            match = TOKEN.match(line, position)
            if not match:
                faults.append(f"line {number}: cannot read from column {position + 1}: "
                              f"{line[position:]!r}")
                break
            tokens.append(match.group("key", "attribute", "op", "value"))
            position = match.end()
        for key, attribute, op, value in tokens:
            where = f"line {number}: {key}"
            if key not in MATCH_ONLY | ASSIGN_ONLY | BOTH:
                faults.append(f"{where} is no udev key")
            elif (attribute is not None) != (key in NEEDS_ATTRIBUTE) and key not in {"TEST", "RUN"}:
                faults.append(f"{where} " + ("needs {attribute}" if attribute is None
                                              else "takes no {attribute}"))
            elif op in MATCH_OPS and key in ASSIGN_ONLY:
                faults.append(f"{where}{op} compares a key that can only be assigned")
            elif op not in MATCH_OPS and key in MATCH_ONLY:
                faults.append(f"{where}{op} assigns a key that can only be compared")
            elif op in {"+=", "-="} and key in SINGLE_VALUE:
                faults.append(f"{where}{op}: the key holds one value")
            elif key == "MODE" and not re.fullmatch(r"0?[0-7]{3}", value):
                faults.append(f"{where}: {value!r} is no octal mode")
            elif key in {"GROUP", "LABEL", "GOTO"} and not value:
                faults.append(f"{where} is empty")
        rules.append(tokens)
    labels = {}
    for index, tokens in enumerate(rules):
        for key, _, _, value in tokens:
            if key == "LABEL":
                labels[value] = index
    for index, tokens in enumerate(rules):
        for key, _, _, value in tokens:
            if key == "GOTO" and labels.get(value, -1) <= index:
                faults.append(f'GOTO="{value}" has no LABEL after it')
    return rules, labels


def key_name(key, attribute):
    return key if attribute is None else f"{key}{{{attribute}}}"


def matches(pattern, value):
    return any(fnmatch.fnmatchcase(value, p) for p in pattern.split("|"))


def apply(rules, labels, device):
    """What the rules give the device: GROUP, MODE and the set of TAGs."""
    result = {"GROUP": None, "MODE": None, "TAG": set()}
    index = 0
    while index < len(rules):
        tokens = rules[index]
        index += 1
        compared = [(k, a, o, v) for k, a, o, v in tokens if o in MATCH_OPS]
        if not all(matches(v, device.get(key_name(k, a), "")) == (o == "==")
                   for k, a, o, v in compared):
            continue
        for key, attribute, op, value in tokens:
            if op in MATCH_OPS:
                continue
            if key in {"GROUP", "MODE"}:
                result[key] = value
            elif key == "TAG" and op == "+=":
                result["TAG"] |= {value}
            elif key == "TAG" and op == "-=":
                result["TAG"] -= {value}
            elif key == "TAG":
                result["TAG"] = {value}
            elif key == "GOTO":
                index = labels[value]
    return result


def main():
    path = sys.argv[1]
    faults = []
    with open(path, encoding="utf-8") as rules_file:
        rules, labels = parse(rules_file.read(), faults)
    if not faults:
        for name, device, expected in CASES:
            got = apply(rules, labels, device)
            if got != expected:
                faults.append(f"{name}: given {got}, should be given {expected}")
    for fault in faults:
        print(f"{path}: {fault}", file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
