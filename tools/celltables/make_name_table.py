#!/usr/bin/env python3
"""Writes a C++ enum and a matching name table from a list of identifiers.

The identifiers are read from a text file, separated by commas, blanks or
line breaks (a trailing full stop is ignored); an identifier's value is its
position in the list. Two files are written: a header declaring the enum,
its count and the name table, and a source defining the table.

usage: make_name_table.py NAMES ENUM COUNT TABLE HEADER SOURCE [INCLUDE]
  NAMES   the list of identifiers
  ENUM    name of the enum type (its underlying type is std::int32_t)
  COUNT   name of the constant holding the number of identifiers
  TABLE   name of the array of names
  HEADER  header file to write
  SOURCE  source file to write
  INCLUDE how the source includes the header (default: the header's name)
"""

import re
import sys

IDENTIFIER = re.compile(r"[A-Za-z_][A-Za-z0-9_]*")


def read_names(path):
    text = open(path, encoding="utf-8").read().strip()
    if text.endswith("."):
        text = text[:-1]
    names = [n for n in re.split(r"[,\s]+", text) if n]
    seen = set()
    for name in names:
        if not IDENTIFIER.fullmatch(name):
            sys.exit(f"not an identifier: {name!r}")
        if name in seen:
            sys.exit(f"listed twice: {name}")
        seen.add(name)
    return names


def banner(names_path):
    return (f"// Written by tools/celltables/make_name_table.py from {names_path};\n"
            "// change that list and run the script again rather than editing this file.")


def write_header(path, names, names_path, enum, count, table):
    lines = [
        "#pragma once",
        "",
        banner(names_path),
        "",
        "#include <cstdint>",
        "",
        f"enum {enum} : std::int32_t {{",
    ]
    lines += [f"    {name}," for name in names]
    lines += [
        "};",
        "",
        f"inline constexpr std::int32_t {count} = {len(names)};",
        "",
        "// Names by identifier.",
        f"extern const char *const {table}[{count}];",
        "",
    ]
    open(path, "w", encoding="utf-8").write("\n".join(lines))


def write_source(path, names, names_path, table, count, include):
    lines = [
        f'#include "{include}"',
        "",
        banner(names_path),
        "",
        f"const char *const {table}[{count}] = {{",
    ]
    lines += [f'    "{name}",' for name in names]
    lines += ["};", ""]
    open(path, "w", encoding="utf-8").write("\n".join(lines))


def main(argv):
    if len(argv) not in (7, 8):
        sys.exit(__doc__)
    names_path, enum, count, table, header, source = argv[1:7]
    include = argv[7] if len(argv) == 8 else header.rsplit("/", 1)[-1]
    names = read_names(names_path)
    write_header(header, names, names_path, enum, count, table)
    write_source(source, names, names_path, table, count, include)


if __name__ == "__main__":
    main(sys.argv)
