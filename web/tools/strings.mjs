// Writes the German texts of translations/quillon_de.ts as JSON, keyed by
// context and source text, for the page's tr():
//   node web/tools/strings.mjs translations/quillon_de.ts OUT.json
import { readFileSync, writeFileSync } from 'node:fs';

const [, , tsFile, outFile] = process.argv;
const xml = readFileSync(tsFile, 'utf8');

const entity = { lt: '<', gt: '>', amp: '&', quot: '"', apos: "'" };
const decode = (text) =>
  text.replace(/&(#x[0-9a-fA-F]+|#[0-9]+|[a-z]+);/g, (whole, name) => {
    if (name.startsWith('#x')) return String.fromCodePoint(parseInt(name.slice(2), 16));
    if (name.startsWith('#')) return String.fromCodePoint(parseInt(name.slice(1), 10));
    return entity[name] ?? whole;
  });

const strings = {};
for (const [, body] of xml.matchAll(/<context>([\s\S]*?)<\/context>/g)) {
  const context = decode(body.match(/<name>([\s\S]*?)<\/name>/)[1]);
  for (const [, message] of body.matchAll(/<message[^>]*>([\s\S]*?)<\/message>/g)) {
    const source = message.match(/<source>([\s\S]*?)<\/source>/);
    const translation = message.match(/<translation( type="[^"]*")?>([\s\S]*?)<\/translation>/);
    // Unfinished and obsolete texts are left to the English source.
    if (!source || !translation || translation[1]) continue;
    strings[`${context}\u0004${decode(source[1])}`] = decode(translation[2]);
  }
}
writeFileSync(outFile, JSON.stringify(strings));
