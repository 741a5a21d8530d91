// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a Qt Test program built for WebAssembly under node:
//   node tests/web/run-node.js build/wasm/tests/web/tst_vbnumber_web.js [test arguments]
// The program prints as it does on the desktop and ends with its exit code.
"use strict";
const fs = require("fs");
const path = require("path");

const script = path.resolve(process.argv[2]);
const wasm = script.replace(/\.js$/, ".wasm");
const create = require(script);
create({
  arguments: process.argv.slice(3),
  // Handing over the compiled code spares the loader's fetch, which node's
  // own fetch does not serve from files.
  wasmBinary: fs.readFileSync(wasm),
  quit: (status) => process.exit(status),
}).catch((error) => {
  console.error(error);
  process.exit(1);
});
