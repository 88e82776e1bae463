// SPDX-License-Identifier: GPL-3.0-or-later
// A worker that compiles the game's program (pelmar.wasm) as it arrives and
// hands the page the compiled module: compiled on the page's own thread, the
// program held that thread for tens of milliseconds before the game could
// start. Answers the file's name with the module, or with what went wrong.
"use strict";
self.onmessage = (event) => {
    WebAssembly.compileStreaming(fetch(event.data))
        .then((module) => self.postMessage(module))
        .catch((error) => self.postMessage(String(error)));
};
