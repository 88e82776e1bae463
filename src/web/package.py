#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Lays out the web edition's files for serving.

    package.py ROOT BUILD OUTPUT

ROOT is the source tree, BUILD holds pelmar.js and pelmar.wasm as Emscripten
made them, OUTPUT is the folder served. Every file the page loads carries a
hash of its bytes in its name, so that an old cached file never meets a new
one; index.html, the service worker (sw.js) and the help pages keep their
names. Every script is minified (Debian's terser), with a source map beside
it (NAME.map, for the browser's developer tools only). The pictures come in
one file, the sounds in another (8-bit mu-law, half the bytes of the sound
tool's 16-bit WAV files), and the English texts from the desktop's
translation files.
"""
import glob
import hashlib
import json
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import wave
import xml.etree.ElementTree as ElementTree

root, build, output = sys.argv[1:4]
web = os.path.join(root, "src", "web")
os.makedirs(output, exist_ok=True)
served = []  # every file the service worker keeps, as the page names it
maps = []  # the scripts' source maps


def hashed(name, data, trailer=b""):
    """Writes `data` (then `trailer`) as name.HASH.ext in OUTPUT, the hash
    being of `data`, and returns that name."""
    stem, ext = os.path.splitext(name)
    digest = hashlib.sha256(data).hexdigest()[:10]
    out = f"{stem}.{digest}{ext}"
    path = os.path.join(output, out)
    if not os.path.exists(path):
        with open(path, "wb") as f:
            f.write(data + trailer.replace(b"@name@", out.encode()))
    served.append(out)
    return out


def minified(name, source):
    """The script minified by terser, and its source map (with the source in
    it), as (code, map as a dict)."""
    env = dict(os.environ)
    # Debian's terser finds its modules there, also under another Node.
    env["NODE_PATH"] = os.pathsep.join(filter(None, ["/usr/share/nodejs", env.get("NODE_PATH")]))
    with tempfile.TemporaryDirectory() as work:
        with open(os.path.join(work, name), "wb") as f:
            f.write(source)
        try:
            subprocess.run(["terser", name, "--compress", "--mangle", "--source-map",
                            "includeSources", "--output", "out.js"],
                           cwd=work, env=env, check=True)
        except (OSError, subprocess.CalledProcessError) as e:
            sys.exit(f"package.py: terser could not minify {name} ({e}); "
                     "scripts/deps.sh web installs it")
        code = read(os.path.join(work, "out.js")).decode()
        with open(os.path.join(work, "out.js.map"), encoding="utf-8") as f:
            source_map = json.load(f)
    code = re.sub(r"\n?//# sourceMappingURL=\S*\s*$", "", code)
    return code, source_map


def script(name, source):
    """Writes the script minified under a hashed name, and its source map
    beside it (not kept by the service worker); returns the name."""
    code, source_map = minified(name, source)
    out = hashed(name, code.encode(), b"\n//# sourceMappingURL=@name@.map\n")
    source_map["file"] = out
    with open(os.path.join(output, out + ".map"), "w", encoding="utf-8") as f:
        json.dump(source_map, f, separators=(",", ":"))
    maps.append(out + ".map")
    return out


def plain(name, data):
    with open(os.path.join(output, name), "wb") as f:
        f.write(data)
    served.append(name)
    return name


def read(path):
    with open(path, "rb") as f:
        return f.read()


SEGMENT_ENDS = [0x3F, 0x7F, 0xFF, 0x1FF, 0x3FF, 0x7FF, 0xFFF, 0x1FFF]


def mu_law(sample):
    """A 16-bit sample as 8-bit mu-law (G.711), as the reference coder does."""
    value = sample >> 2
    mask = 0x7F if value < 0 else 0xFF
    value = min(abs(value), 8159) + 0x21
    segment = next((i for i, end in enumerate(SEGMENT_ENDS) if value <= end), 8)
    if segment == 8:
        return 0x7F ^ mask
    return ((segment << 4) | ((value >> (segment + 1)) & 0x0F)) ^ mask


def texts():
    """The English for each Portuguese text the game shows."""
    table = {}
    tree = ElementTree.parse(os.path.join(root, "translations", "pelmar_en.ts"))
    for message in tree.iter("message"):
        source = message.findtext("source")
        translation = message.find("translation")
        if source and translation is not None and translation.text and \
                translation.get("type") not in ("unfinished", "obsolete", "vanished"):
            table[source] = translation.text
    # The dialogs' buttons, Qt's own words: Portuguese to English.
    tree = ElementTree.parse(os.path.join(root, "translations", "qt_pt.ts"))
    for message in tree.iter("message"):
        source = message.findtext("source")
        translation = message.findtext("translation")
        if source and translation:
            table.setdefault(translation, source)
    return table


# The pictures: each PNG after the other; the English ones as en/NAME.
pictures = sorted(glob.glob(os.path.join(root, "assets", "pictures", "*.png"))) + \
    sorted(glob.glob(os.path.join(root, "assets", "pictures", "en", "*.png")))
picture_index = []
picture_bytes = bytearray()
for path in pictures:
    data = read(path)
    name = os.path.relpath(path, os.path.join(root, "assets", "pictures")).replace(os.sep, "/")
    picture_index.append([name, len(data)])
    picture_bytes += data

# The sounds: 8-bit mu-law samples at the sound tool's rate, one after the other.
sound_index = []
sound_bytes = bytearray()
rate = None
for path in sorted(glob.glob(os.path.join(root, "assets", "sounds", "*.wav"))):
    with wave.open(path) as w:
        if w.getnchannels() != 1 or w.getsampwidth() != 2:
            sys.exit(f"{path}: the page plays 16-bit mono sounds only")
        rate = rate or w.getframerate()
        if w.getframerate() != rate:
            sys.exit(f"{path}: every sound must have the rate {rate}")
        frames = w.readframes(w.getnframes())
        samples = bytes(mu_law(v) for (v,) in struct.iter_unpack("<h", frames))
    sound_index.append([os.path.splitext(os.path.basename(path))[0], len(samples)])
    sound_bytes += samples

wasm = hashed("pelmar.wasm", read(os.path.join(build, "pelmar.wasm")))
assets = {
    "wasm": wasm,
    # The worker that compiles it, away from the page's thread.
    "compiler": script("compile.js", read(os.path.join(web, "compile.js"))),
    "pictureFile": hashed("pictures.bin", bytes(picture_bytes)),
    "pictures": picture_index,
    "soundFile": hashed("sounds.bin", bytes(sound_bytes)),
    "soundRate": rate or 22050,
    "sounds": sound_index,
}
assets_js = ("// SPDX-License-Identifier: GPL-3.0-or-later\n"
             "// The page's files, and the English for the game's texts, as built.\n"
             f"var PelmarAssets = {json.dumps(assets)};\n"
             f"var PelmarTexts = {json.dumps(texts(), ensure_ascii=False)};\n")
# Every script of the page by its name in src/web (index.html names those
# it loads as @NAME@, and maps each ES module's plain name to its hashed one),
# the game's texts, and Emscripten's glue.
names = {"assets.js": script("assets.js", assets_js.encode()),
         "pelmar.js": script("pelmar.js", read(os.path.join(build, "pelmar.js"))),
         "page.css": hashed("page.css", read(os.path.join(web, "page.css")))}
for path in sorted(glob.glob(os.path.join(web, "*.js"))):
    name = os.path.basename(path)
    if name not in ("sw.js", "compile.js"):
        names[name] = script(name, read(path))
icons = []
for size in (128, 256):
    icon = hashed(f"pelmar_{size}.png",
                  read(os.path.join(root, "assets", "icons", f"pelmar_{size}.png")))
    icons.append({"src": icon, "sizes": f"{size}x{size}", "type": "image/png", "purpose": "any"})
names["icon"] = hashed("icon.png", read(os.path.join(root, "assets", "pictures", "icon.png")))
manifest = {
    "name": "Vulcro Pelmar",
    "short_name": "Pelmar",
    "start_url": "./",
    "scope": "./",
    "display": "standalone",
    "background_color": "#3a6ea5",
    "theme_color": "#3a6ea5",
    "icons": icons,
}
names["manifest"] = hashed("manifest.webmanifest", json.dumps(manifest, indent=1).encode())
for help_page in ("Pelmar.htm", "Pelmar_en.htm"):
    plain(help_page, read(os.path.join(root, "assets", help_page)))

index = read(os.path.join(web, "index.html")).decode()
index = re.sub(r"@([\w.]+)@", lambda m: names[m.group(1)], index)
plain("index.html", index.encode())

# The service worker keeps every file for the next visit, offline too.
version = hashlib.sha256("\n".join(sorted(served)).encode()).hexdigest()[:10]
worker = read(os.path.join(web, "sw.js")).decode()
worker = worker.replace("@version@", version).replace("@files@", json.dumps(["./"] + served))
code, worker_map = minified("sw.js", worker.encode())
worker_map["file"] = "sw.js"
with open(os.path.join(output, "sw.js"), "w", encoding="utf-8") as f:
    f.write(code + "\n//# sourceMappingURL=sw.js.map\n")
with open(os.path.join(output, "sw.js.map"), "w", encoding="utf-8") as f:
    json.dump(worker_map, f, separators=(",", ":"))

# Files of earlier builds are no longer served.
keep = set(served) | set(maps) | {"sw.js", "sw.js.map"}
for path in glob.glob(os.path.join(output, "*")):
    name = os.path.basename(path)
    if name not in keep:
        if os.path.isdir(path):
            shutil.rmtree(path)
        else:
            os.remove(path)
