# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads a program as wasm-dis prints it, for waits.py: its imports, its
functions with the calls each makes, its table and its data."""
import re

FUNC = re.compile(r"^ \(func \$(\S+)(.*)$")
IMPORT = re.compile(r'^ \(import "\w+" "([^"]+)" \(func \$(\S+)(.*)\)\)$')
TYPE = re.compile(r"^ \(type \$(\S+) \(func(.*)\)\)$")
ELEM = re.compile(r"^ \(elem \(i32\.const (\d+)\)(.*)\)$")
DATA = re.compile(r'^ \(data (?:\$\S+ )?\(i32\.const (\d+)\) "(.*)"\)$')
PARAMS = re.compile(r"\(param(?: \$\w+)?((?: [if](?:32|64))+)\)")
RESULT = re.compile(r"\(result ([if](?:32|64))\)")
TOKEN = re.compile(r"\(|\)|[^\s()]+")
# Where a constant is a value kept or handed on (a function's address can
# be), rather than a number to compute with.
VALUE_USES = ("call", "call_indirect", "local.set", "local.tee", "global.set", "return", "select",
              "if", "block", "loop", "br_if", "br")
ESCAPES = {"n": 10, "t": 9, "r": 13, '"': 34, "'": 39, "\\": 92}


def signature(text):
    """'(param $0 i32) (param $1 f64) (result i32)' -> 'i32 f64 => i32'."""
    params = " ".join(p.strip() for p in PARAMS.findall(text))
    result = RESULT.search(text)
    return f"{params} => {result.group(1) if result else 'none'}"


def unescape(text):
    out, i = bytearray(), 0
    while i < len(text):
        if text[i] != "\\":
            out += text[i].encode()
            i += 1
        elif re.match(r"[0-9a-f]{2}", text[i + 1:i + 3]):
            out.append(int(text[i + 1:i + 3], 16))
            i += 3
        else:
            out.append(ESCAPES[text[i + 1]])
            i += 2
    return bytes(out)


def tree(lines):
    """The function's body as nested lists of atoms."""
    stack = [[]]
    for line in lines:
        for token in TOKEN.findall(line):
            if token == "(":
                stack.append([])
            elif token == ")":
                # The last one closes the function, opened on its first line.
                if len(stack) > 1:
                    done = stack.pop()
                    stack[-1].append(done)
            else:
                stack[-1].append(token)
    return stack[0]


def load_offset(node):
    """The offset of an i32.load, or None when the node is no i32.load."""
    if not isinstance(node, list) or not node or node[0] != "i32.load":
        return None
    offset = next((a for a in node[1:] if isinstance(a, str) and a.startswith("offset=")), "")
    return int(offset[7:] or 0)


class Function:
    def __init__(self, sig):
        self.sig = sig
        self.direct = set()
        self.pointers = []  # (signature called, "constant" | "slot" | "any", value)
        self.last = {}  # local -> what was last set to it
        self.constants = set()  # every i32.const but the invokes' pointers


class Module:
    def __init__(self, path):
        self.types, self.imports, self.import_sigs = {}, {}, {}
        self.funcs, self.table, self.memory = {}, {}, []
        body, name = [], None
        with open(path, encoding="utf-8") as f:
            for line in f:
                if not line.startswith(" ("):
                    body.append(line)
                    continue
                if name is not None:
                    self.scan(self.funcs[name], tree(body))
                body, name = [], None
                if m := FUNC.match(line):
                    name = m.group(1)
                    self.funcs[name] = Function(signature(m.group(2)))
                elif m := IMPORT.match(line):
                    self.imports[m.group(2)] = m.group(1)
                    self.import_sigs[m.group(2)] = signature(m.group(3))
                elif m := TYPE.match(line):
                    self.types[m.group(1)] = signature(m.group(2))
                elif m := ELEM.match(line):
                    for i, entry in enumerate(m.group(2).split()):
                        self.table[int(m.group(1)) + i] = entry.lstrip("$")
                elif m := DATA.match(line.rstrip("\n")):
                    self.memory.append((int(m.group(1)), unescape(m.group(2))))
        if name is not None:
            self.scan(self.funcs[name], tree(body))

    def signature(self, name):
        return self.funcs[name].sig if name in self.funcs else self.import_sigs.get(name, "")

    def word(self, address):
        for start, data in self.memory:
            if start <= address < start + len(data):
                return int.from_bytes(data[address - start:address - start + 4], "little")
        return 0

    def words(self, outside=(), inside=None):
        """Every aligned 32-bit word of the memory's data, but those in the
        (address, size) ranges outside; only those inside one, if given."""
        for start, data in self.memory:
            for at in range(-start % 4, len(data) - 3, 4):
                if inside and not inside[0] <= start + at < sum(inside):
                    continue
                if not any(a <= start + at < a + size for a, size in outside):
                    yield int.from_bytes(data[at:at + 4], "little")

    def invoked(self, name):
        """The signature an invoke_* import calls its pointer with."""
        params, result = self.import_sigs[name].split(" => ")
        return f"{' '.join(params.split()[1:])} => {result}"

    def scan(self, func, body):
        """Notes the calls the body makes, in the order they are written:
        a pointer in a local is what was last set to it above the call."""
        nodes = [(body, None)]
        consts, invoked = [], set()
        while nodes:
            node, parent = nodes.pop()
            nodes += [(child, node) for child in reversed(node)
                      if isinstance(child, list) and child]
            if not node or not isinstance(node[0], str):
                continue
            if node[0] in ("local.set", "local.tee"):
                func.last[node[1]] = node[-1]
            elif node[0] == "call_indirect":
                sig = self.types[next(a[1][1:] for a in node if isinstance(a, list) and
                                      a[0] == "type")]
                func.pointers.append((sig, *self.pointer(func, node[-1])))
            elif node[0] == "call" and self.imports.get(node[1][1:], "").startswith("invoke_"):
                func.pointers.append((self.invoked(node[1][1:]), *self.pointer(func, node[2])))
                invoked.add(id(node[2]))
            elif node[0] == "call":
                func.direct.add(node[1][1:])
            elif node[0] == "i32.const" and parent is not None and (
                    parent[0] in VALUE_USES or parent[0] == "i32.store" and parent[-1] is node):
                consts.append(node)
        # A function's address as a value, not only called by an invoke.
        func.constants = {int(n[1]) for n in consts if id(n) not in invoked}

    @staticmethod
    def pointer(func, node):
        """What a pointer called is: constants, a vtable's slot, or unknown."""
        if isinstance(node, list) and node[0] == "local.get":
            node = func.last.get(node[1], node)
        if isinstance(node, list) and node[0] == "i32.const":
            return "constant", {int(node[1])}
        offset = load_offset(node)
        if offset is not None:
            vptr = node[-1]
            if isinstance(vptr, list) and vptr[0] == "local.get":
                vptr = func.last.get(vptr[1], vptr)
            if load_offset(vptr) is not None:
                return "slot", offset
            # this[i] of an array at a constant address
            if isinstance(vptr, list) and vptr[0] == "i32.add":
                base = [a for a in vptr[1:] if isinstance(a, list) and a[0] == "i32.const"]
                if base:
                    return "static", int(base[0][1]) + offset
            if isinstance(vptr, list) and vptr[0] == "i32.const":
                return "static", int(vptr[1]) + offset
        return "any", None
