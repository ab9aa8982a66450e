// The one series the page keeps in the browser's own storage after handing
// it over as a download, whose arrival the page cannot see: kept until the
// next such save replaces it or the user discards it. IndexedDB, as a
// 10,000-run series is more than localStorage holds.

const database = 'quillon';
const store = 'kept';
const key = 'series';

function request(operation) {
  return new Promise((resolve, reject) => {
    operation.onsuccess = () => resolve(operation.result);
    operation.onerror = () => reject(operation.error);
  });
}

async function withStore(mode, use) {
  const opening = indexedDB.open(database, 1);
  opening.onupgradeneeded = () => opening.result.createObjectStore(store);
  const db = await request(opening);
  try {
    const transaction = db.transaction(store, mode);
    const result = await request(use(transaction.objectStore(store)));
    // A write counts once it is committed, not when it is queued.
    await new Promise((resolve, reject) => {
      transaction.oncomplete = resolve;
      transaction.onerror = () => reject(transaction.error);
      transaction.onabort = () => reject(transaction.error ?? new DOMException('Aborted', 'AbortError'));
    });
    return result;
  } finally {
    db.close();
  }
}

// Keeps the series' file bytes under its file name; rejects with the
// browser's reason when storage is full or not offered.
export function keepSeries(bytes, name) {
  return withStore('readwrite', (kept) => kept.put({ bytes, name, time: Date.now() }, key));
}

// The kept series as { bytes, name, time }, or undefined.
export async function keptSeries() {
  try {
    return await withStore('readonly', (kept) => kept.get(key));
  } catch {
    return undefined;
  }
}

export async function forgetKept() {
  try {
    await withStore('readwrite', (kept) => kept.delete(key));
  } catch {
    // Nothing kept where nothing can be stored.
  }
}
