#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Names the functions that can be on the stack while the program waits.

    waits.py PROGRAM.wat PROGRAM.map OUT
    waits.py --output FILE COMMAND...   (runs COMMAND, its output into FILE)
    waits.py --checked COMMAND...       (runs COMMAND, fails where Asyncify
                                         did not find a function listed)

The program waits only in the page's dialogs and the storage lock (the
imports named __asyncjs__*, made by EM_ASYNC_JS). Asyncify must instrument
every function that can be on the stack then, and no other: instrumenting
all that Asyncify itself cannot rule out (every function that calls through a
pointer or through an exception-catching invoke_* import) makes the program
half as big again.

PROGRAM.wat is the program linked without Asyncify, with its function names,
as wasm-dis prints it; PROGRAM.map is the linker's map (where the vtables,
the type infos and the constant arrays lie). A function can wait when it
calls an async import or a function that can wait: directly, through an
invoke_* import (whose first argument is mostly a constant: the function it
calls) or through a pointer:
 - a virtual call (a pointer loaded from a pointer loaded from the object)
   reaches what any vtable holds at that offset, of the call's type;
 - a call of an entry of a constant array reaches what the array holds;
 - any other call through a pointer reaches every function of its type whose
   index in the table the program keeps outside the vtables, as a value.
A call through a pointer of another type traps, so no other function is
reached. Two things the code shows are taken as known, so that one virtual
call does not reach every class's function at that offset: no constructor or
destructor waits, and the C and C++ libraries' own code calls back into the
game only through templates made for the game's types (std::function), whose
names name them. A function-pointer member loaded through another pointer
would pass for a virtual call: the game has none that can wait. OUT gets the
names, as Asyncify's only-list reads them.
"""
import re
import subprocess
import sys

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
import waits_wat  # noqa: E402

ASYNC_PREFIX = "__asyncjs__"
# Constructors and destructors: no one calls them through a pointer but a
# vtable's destructor slot, which every class has at the same offset.
STRUCTOR = re.compile(r"(?:^|::)(~?)(\w+)::\1?\2\(|::~\w+\(")
# The game's own code: its namespaces, and Main.cpp's functions.
PROJECT = re.compile(r"\b(game|host|web|windows|ui)::|^pelmar_|^\(anonymous namespace\)::|"
                     r"^std::__2::function<|^std::__2::__function::")
# A line of the linker's map: address, offset, size, and the symbol.
SYMBOL = re.compile(r"^\s*([0-9a-f]+)\s+[0-9a-f]+\s+([0-9a-f]+)\s+(vtable for |typeinfo for )?")


def readable(name):
    """A name as wasm-dis escapes it, readable: \\28 is (."""
    return re.sub(r"\\([0-9a-f]{2})", lambda m: chr(int(m.group(1), 16)), name)


def read_map(path):
    """The vtables and the data (address, size), the type infos' addresses."""
    vtables, data, typeinfos = [], [], set()
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            if m := SYMBOL.match(line):
                address, size = int(m.group(1), 16), int(m.group(2), 16)
                if m.group(3) == "vtable for ":
                    vtables.append((address, size))
                elif m.group(3):
                    typeinfos.add(address)
                elif size > 0:
                    data.append((address, size))
    return vtables, data, typeinfos


def vtable_slots(module, vtables, typeinfos):
    """What each offset from a vtable's address point holds."""
    slots = {}
    for address, size in vtables:
        words = [module.word(address + 4 * i) for i in range(size // 4)]
        points = [i for i in range(1, len(words)) if words[i - 1] in typeinfos] or [2]
        for point in points:
            for i in range(point, len(words)):
                name = module.table.get(words[i])
                if name is None:
                    break
                slots.setdefault(4 * (i - point), set()).add(name)
    return slots


def reach(module, slots, vtables, data):
    """What each function can call."""
    # A plain function pointer: a function's index in the table, held in
    # memory outside the vtables or made by the code (an invoke_* import's
    # constant only calls).
    taken = set(module.words(outside=vtables))
    for func in module.funcs.values():
        taken |= func.constants
    plain_by_sig = {}
    for index, name in module.table.items():
        if index in taken:
            plain_by_sig.setdefault(module.signature(name), set()).add(name)
    calls = {}
    for name, func in module.funcs.items():
        targets = set(func.direct)
        if not PROJECT.search(readable(name)):
            # The C and C++ libraries call back into the game only through
            # templates made for the game's own types, which name them.
            calls[name] = targets
            continue
        for sig, kind, value in func.pointers:
            if kind == "constant":
                targets |= {module.table.get(index, "") for index in value}
            elif kind == "slot":
                targets |= {t for t in slots.get(value, ()) if module.signature(t) == sig}
            elif kind == "static" and (within := [d for d in data if d[0] <= value < sum(d)]):
                # An entry of a constant array: what the array holds.
                start, size = min(within, key=lambda d: d[1])
                targets |= {module.table[w] for w in module.words(inside=(start, size))
                            if w in module.table and module.signature(module.table[w]) == sig}
            else:
                targets |= plain_by_sig.get(sig, set())
        # No constructor or destructor of the game's waits.
        targets -= {t for t in targets - func.direct if STRUCTOR.search(readable(t))}
        calls[name] = targets
    return calls


def waiting(module, calls):
    waits = {name for name, base in module.imports.items() if base.startswith(ASYNC_PREFIX)}
    if not waits:
        sys.exit("waits.py: the program has no async import (EM_ASYNC_JS)")
    imports = set(waits)
    changed = True
    while changed:
        changed = False
        for name, targets in calls.items():
            if name not in waits and targets & waits:
                waits.add(name)
                changed = True
    return sorted(waits - imports)


def listed(name):
    """The name as Asyncify reads it from a list: a name whose brackets do
    not pair up (operator<<) would be split at its commas, so its operator
    becomes a wildcard (instrumenting one more is harmless)."""
    name = readable(name)
    depth = sum(1 if c in "(<[{" else -1 if c in ")>]}" else 0 for c in name)
    if depth != 0:
        name = re.sub(r"operator(?:<=>|<<=|>>=|<<|>>|<=|>=|->\*|->|<|>)", "operator*", name)
    return name


def main():
    if sys.argv[1] == "--output":
        # As the link's launcher: the link's output (the map) into a file.
        with open(sys.argv[2], "wb") as f:
            sys.exit(subprocess.run(sys.argv[3:], stdout=f, check=False).returncode)
    if sys.argv[1] == "--checked":
        # As the instrumented link's launcher: a name on the list that the
        # program does not have would leave a function uninstrumented.
        link = subprocess.run(sys.argv[2:], stderr=subprocess.PIPE, check=False)
        errors = link.stderr.decode(errors="replace")
        sys.stderr.write(errors)
        if link.returncode == 0 and "Asyncify onlylist contained" in errors:
            sys.exit("waits.py: Asyncify did not find every function listed (above)")
        sys.exit(link.returncode)
    wat, link_map, out = sys.argv[1:4]
    module = waits_wat.Module(wat)
    vtables, data, typeinfos = read_map(link_map)
    slots = vtable_slots(module, vtables, typeinfos)
    names = waiting(module, reach(module, slots, vtables, data))
    with open(out, "w", encoding="utf-8") as f:
        f.write(",".join(listed(name) for name in names))
    print(f"waits.py: {len(names)} functions can be on the stack while the program waits")


if __name__ == "__main__":
    main()
