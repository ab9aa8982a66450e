// The page speaks the browser's language when it is German and English
// otherwise, as the desktop follows its locale. German texts are the
// desktop's own, from translations/quillon_de.ts, keyed by the desktop's
// context and English text; the few texts only the page has are below.

export const language = (navigator.language || 'en').toLowerCase().startsWith('de') ? 'de' : 'en';

// Numbers follow the browser's full locale, as the desktop's follow its
// QLocale: Swiss German writes 0.02 in German words.
export const locale = navigator.language || 'en';

const pageOnly = {
  'Web\u0004Series': 'Messreihe',
  'Web\u0004Uncertainty of the coefficient': 'Unsicherheit des Koeffizienten',
  'Web\u0004First order (GUM)': 'Erste Ordnung (GUM)',
  'Web\u0004Monte Carlo': 'Monte Carlo',
  'Web\u0004Not given: %1': 'Nicht angegeben: %1',
  'Web\u0004The run has no coefficient yet: use Find MTC first.':
    'Der Versuch hat noch keinen Koeffizienten: zuerst Find MTC verwenden.',
  'Web\u0004Coefficient %1, standard uncertainty %2': 'Koeffizient %1, Standardunsicherheit %2',
  'Web\u0004NTU %1, standard uncertainty %2': 'NTU %1, Standardunsicherheit %2',
  'Web\u000495 % interval %1 to %2, %3 draws': '95-%-Intervall %1 bis %2, %3 Ziehungen',
  'Web\u0004Select': 'Auswählen',
  'Web\u0004Select run %1': 'Versuch %1 auswählen',
  'Web\u0004Print Report': 'Bericht drucken',
  'Web\u0004Quillon report': 'Quillon-Bericht',
  'Web\u0004Warning': 'Warnung',
  'Web\u0004Save': 'Speichern',
  'Web\u0004Discard': 'Verwerfen',
  'Web\u0004Cancel': 'Abbrechen',
  'Web\u0004Uncertainties not computed': 'Unsicherheiten nicht berechnet',
  'Web\u0004The uncertainties could not be computed: %1': 'Die Unsicherheiten konnten nicht berechnet werden: %1',
  'Web\u0004the computing in the background could not start': 'die Berechnung im Hintergrund konnte nicht starten',
  'Web\u0004its computing failed': 'ihre Berechnung ist fehlgeschlagen',
  'Web\u0004Computing the uncertainties was cancelled.': 'Die Berechnung der Unsicherheiten wurde abgebrochen.',
  'Web\u0004Restore': 'Wiederherstellen',
  'Web\u0004A series that was not saved is kept from %1: %2.':
    'Eine Messreihe, die nicht gespeichert wurde, ist vom %1 aufbewahrt: %2.',
  ['Web\u0004The series was handed over as a download, but the browser could not keep a copy of it (%1). It stays ' +
    'marked as not saved: check that the download arrived before you discard it.']:
    'Die Messreihe wurde als Download übergeben, aber der Browser konnte keine Kopie davon aufbewahren (%1). Sie ' +
    'bleibt als nicht gespeichert markiert: Prüfen Sie, ob der Download angekommen ist, bevor Sie sie verwerfen.',
  'Web\u0004Works offline once loaded; nothing you type or open leaves this computer.':
    'Funktioniert nach dem Laden ohne Netz; nichts, was Sie eingeben oder öffnen, verlässt diesen Computer.',
};

let german = {};

// Loads the German texts when the page speaks German.
export async function loadTexts(url) {
  if (language !== 'de') return;
  german = { ...(await (await fetch(url)).json()), ...pageOnly };
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
