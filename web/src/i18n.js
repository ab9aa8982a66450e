// The page speaks the browser's language when it is German and English
// otherwise, as the desktop follows its locale. German texts are the
// desktop's own, from translations/quillon_de.ts, keyed by the desktop's
// context and English text; the few texts only the page has are listed in
// present/pagewords.cpp and translated there too.

export const language = (navigator.language || 'en').toLowerCase().startsWith('de') ? 'de' : 'en';

// Numbers follow the browser's full locale, as the desktop's follow its
// QLocale: Swiss German writes 0.02 in German words.
export const locale = navigator.language || 'en';

let german = {};

// Loads the German texts when the page speaks German.
export async function loadTexts(url) {
  if (language !== 'de') return;
  german = await (await fetch(url)).json();
}

// The text in the page's language, with %1, %2… replaced by the arguments.
export function tr(context, source, ...args) {
  const text = language === 'de' ? german[`${context}\u0004${source}`] ?? source : source;
  return text.replace(/%(\d)/g, (whole, n) => (n - 1 < args.length ? String(args[n - 1]) : whole));
}

// A menu text without its mnemonic marker: "&Open…" is "Open…", "&&" is "&".
export function plain(text) {
  return text.replace(/&(&?)/g, '$1');
}

// The German texts, for the module's words; empty in English.
export function catalogue() {
  return german;
}

// Whether the page has a German text for this one; for the tests.
export function translated(context, source) {
  return `${context}\u0004${source}` in german;
}
