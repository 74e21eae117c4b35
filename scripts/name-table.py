#!/usr/bin/env python3
"""The table of the program's object names in HACKING.md.

Every menu, menu item, window control and dialog control keeps the object name
the help, the tests and the service staff know it by ("Senden1", "AzEdit1").
The C++ code names things for what they do. The table maps one to the other:
the name, kind, caption and help context come from the dump of the window in
every state (tests/shell/ui_tree.golden); the C++ class or member holding each
one comes from docs/cpp-names.tsv, kept by hand.

    name-table.py           print the table
    name-table.py --write   put it into HACKING.md between the marker lines
    name-table.py --check   exit 1 when HACKING.md's table differs, when
                            docs/cpp-names.tsv misses a name or names one that
                            is gone, or names a C++ identifier that src/ lacks
"""
import argparse
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
BEGIN = "<!-- name table: made by scripts/name-table.py, do not edit -->\n"
END = "<!-- end of name table -->\n"
NO_MEMBER = "-"  # in the data file: the object is made in place, nothing holds it

ENTRY = re.compile(r'^(?P<indent> *)(?:(?P<menu>>)|(?P<kind>Q\w+)) (?P<name>\S+)'
                   r'(?: "(?P<caption>(?:[^"\\]|\\.)*)")?(?P<rest>.*)$')
HELP = re.compile(r'\bhelp=(\d+)')


def read_dump(path):
    """Rows in first-seen order: key -> dict(kind, captions, help)."""
    states = re.split(r'^==== .*\n', path.read_text(encoding="utf-8"), flags=re.M)
    # The state with the most objects first (the programming menu shown), so
    # that the rows keep the order of the menus and the window.
    states.sort(key=len, reverse=True)
    rows = {}
    dialog = None
    for line in "\n".join(states).splitlines():
        if line.startswith("messages:"):
            dialog = None
            continue
        match = ENTRY.match(line)
        if not match:
            continue
        name = match["name"]
        kind = "menu item" if match["menu"] else match["kind"]
        # The menus list their actions once more, separators included.
        if kind in ("QMenu", "QAction") or name.startswith("qt_"):
            continue
        if not match["indent"]:
            dialog = name if kind != "QMainWindow" else None
            key = name
        else:
            key = f"{dialog}/{name}" if dialog else name
        caption = match["caption"] if match["caption"] is not None else ""
        row = rows.setdefault(key, {"kind": kind, "captions": [], "help": None})
        if caption not in row["captions"]:
            row["captions"].append(caption)
        found = HELP.search(match["rest"])
        if found and row["help"] is None:
            row["help"] = int(found[1])
    return rows


def read_help_topics(path):
    """Context number -> constant name, from the help topics header."""
    topics = {}
    for name, number in re.findall(r'constexpr int (k\w+) = (\d+);',
                                   path.read_text(encoding="utf-8")):
        topics.setdefault(int(number), name)
    return topics


def read_cpp_names(path):
    """Key -> (C++ name, help constant of a dialog or "")."""
    names = {}
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        fields = line.split("\t")
        if len(fields) not in (2, 3):
            sys.exit(f"{path}:{number}: want NAME<TAB>C++ NAME[<TAB>HELP CONSTANT]")
        names[fields[0]] = (fields[1], fields[2] if len(fields) == 3 else "")
    return names


def cell(text):
    return text.replace("|", "\\|")


def make_table(rows, cpp, topics):
    lines = ["| Object name | Kind | Caption | Help | C++ |", "|---|---|---|---|---|"]
    for key, row in rows.items():
        member, help_constant = cpp.get(key, ("", ""))
        number = row["help"]
        if number is None and help_constant:
            number = next((n for n, c in topics.items() if c == help_constant), None)
        help_text = "" if number is None else str(number)
        if number is not None and number in topics and number != 0:
            help_text += f" `{topics[number]}`"
        captions = " / ".join(f"“{c}”" for c in row["captions"] if c)
        code = "" if member in ("", NO_MEMBER) else f"`{member}`"
        lines.append(f"| `{key}` | {row['kind']} | {cell(captions)} | {help_text} | {cell(code)} |")
    return "\n".join(lines) + "\n"


def source_identifiers(folder):
    """Every identifier in the C++ sources, outside string literals and comments."""
    words = set()
    strip = re.compile(r'"(?:[^"\\\n]|\\.)*"|//[^\n]*|/\*.*?\*/', re.S)
    for file in list(folder.rglob("*.h")) + list(folder.rglob("*.cpp")):
        words.update(re.findall(r'[A-Za-z_]\w*', strip.sub(" ", file.read_text(encoding="utf-8"))))
    return words


def problems(rows, cpp, topics, identifiers):
    found = []
    for key in rows:
        if key not in cpp:
            found.append(f"{key}: no C++ name in docs/cpp-names.tsv ({NO_MEMBER} when nothing holds it)")
    for key, (member, help_constant) in cpp.items():
        if key not in rows:
            found.append(f"{key}: in docs/cpp-names.tsv, but no such object in the window dump")
        if member != NO_MEMBER:
            for part in re.split(r'::|\.', member):
                if part not in identifiers:
                    found.append(f"{key}: C++ name {member}: {part} is no identifier in src/")
        if help_constant and help_constant not in topics.values():
            found.append(f"{key}: help constant {help_constant} is not in help_topics.h")
    return found


def main():
    parser = argparse.ArgumentParser(description="The object name table of HACKING.md.")
    parser.add_argument("--root", type=pathlib.Path, default=ROOT)
    group = parser.add_mutually_exclusive_group()
    group.add_argument("--check", action="store_true")
    group.add_argument("--write", action="store_true")
    args = parser.parse_args()
    root = args.root

    rows = read_dump(root / "tests/shell/ui_tree.golden")
    topics = read_help_topics(root / "src/platform/help_topics.h")
    cpp = read_cpp_names(root / "docs/cpp-names.tsv")
    table = make_table(rows, cpp, topics)
    if not args.check and not args.write:
        sys.stdout.write(table)
        return 0

    guide = root / "HACKING.md"
    text = guide.read_text(encoding="utf-8")
    begin, end = text.find(BEGIN), text.find(END)
    if begin < 0 or end < begin:
        sys.exit(f"{guide}: the marker lines of the name table are missing")
    start = begin + len(BEGIN)
    if args.write:
        guide.write_text(text[:start] + table + text[end:], encoding="utf-8")
        return 0

    failures = problems(rows, cpp, topics, source_identifiers(root / "src"))
    if text[start:end] != table:
        failures.append("HACKING.md: the name table differs; remake it with scripts/name-table.py --write")
    for failure in failures:
        print(failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
