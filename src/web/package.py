#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Lays out the web edition's files for serving.

    package.py ROOT BUILD OUTPUT

ROOT is the source tree, BUILD holds pelmar.js and pelmar.wasm as Emscripten
made them, OUTPUT is the folder served. Every file the page loads carries a
hash of its bytes in its name, so that an old cached file never meets a new
one; index.html, the service worker (sw.js) and the help pages keep their
names. The pictures come in one file, the sounds in another (8-bit mu-law,
half the bytes of the sound tool's 16-bit WAV files), and the English texts
from the desktop's translation files.
"""
import glob
import hashlib
import json
import os
import re
import shutil
import struct
import sys
import wave
import xml.etree.ElementTree as ElementTree

root, build, output = sys.argv[1:4]
web = os.path.join(root, "src", "web")
os.makedirs(output, exist_ok=True)
served = []  # every file the service worker keeps, as the page names it


def hashed(name, data):
    """Writes `data` as name.HASH.ext in OUTPUT and returns that name."""
    stem, ext = os.path.splitext(name)
    digest = hashlib.sha256(data).hexdigest()[:10]
    out = f"{stem}.{digest}{ext}"
    path = os.path.join(output, out)
    if not os.path.exists(path):
        with open(path, "wb") as f:
            f.write(data)
    served.append(out)
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
names = {
    "assets.js": hashed("assets.js", assets_js.encode()),
    "page.css": hashed("page.css", read(os.path.join(web, "page.css"))),
    "pelmar.js": hashed("pelmar.js", read(os.path.join(build, "pelmar.js"))),
}
# The page's scripts, ES modules: index.html maps each plain name to the hashed one.
for script in ("page.js", "common.js", "canvas.js", "windows.js", "menus.js", "view.js",
               "keys.js", "dialogs.js", "touch.js", "frames.js", "access.js", "settings.js",
               "storage.js", "sound.js"):
    names[script] = hashed(script, read(os.path.join(web, script)))
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
with open(os.path.join(output, "sw.js"), "w") as f:
    f.write(worker)

# Files of earlier builds are no longer served.
keep = set(served) | {"sw.js"}
for path in glob.glob(os.path.join(output, "*")):
    name = os.path.basename(path)
    if name not in keep:
        if os.path.isdir(path):
            shutil.rmtree(path)
        else:
            os.remove(path)
