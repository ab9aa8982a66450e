// Puts the page together in one folder to serve: the static files, the
// module, the German texts, and the service worker stamped with the hash of
// everything it caches.
//   node web/tools/site.mjs WEB_DIR MODULE_DIR TS_FILE OUT_DIR
import { createHash } from 'node:crypto';
import { copyFileSync, mkdirSync, readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { execFileSync } from 'node:child_process';

const [, , webDir, moduleDir, tsFile, outDir] = process.argv;
mkdirSync(join(outDir, 'src'), { recursive: true });

const copied = ['index.html', 'style.css', ...readdirSync(join(webDir, 'src')).map((name) => `src/${name}`)];
for (const file of copied) copyFileSync(join(webDir, file), join(outDir, file));
for (const file of ['quillon.mjs', 'quillon.wasm']) copyFileSync(join(moduleDir, file), join(outDir, file));
execFileSync(process.execPath, [join(webDir, 'tools/strings.mjs'), tsFile, join(outDir, 'strings-de.json')]);

const hash = createHash('sha256');
for (const file of [...copied, 'quillon.mjs', 'quillon.wasm', 'strings-de.json']) {
  hash.update(readFileSync(join(outDir, file)));
}
const worker = readFileSync(join(webDir, 'sw.js'), 'utf8').replace('__VERSION__', hash.digest('hex').slice(0, 16));
writeFileSync(join(outDir, 'sw.js'), worker);
