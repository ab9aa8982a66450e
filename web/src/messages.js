// The boxes the page tells the user with, in the desktop's words: one OK
// button, plain text, the focus back where it was once closed.
import { tr } from './i18n.js';

const longestQuote = 40;

// What stopped a calculation, as the boxes name it; empty for a completed one.
export function outcomeName(outcome) {
  switch (outcome) {
    case 'invalid_data': return tr('Messages', 'Invalid Data');
    case 'division_by_zero': return tr('Messages', 'Division by zero');
    case 'overflow': return tr('Messages', 'Overflow');
    case 'invalid_operation': return tr('Messages', 'Invalid operation');
    default: return '';
  }
}

// A user's text as a box quotes it: at most its first 40 UTF-16 units, never
// half a character, and "…" when there were more.
export function quoted(text) {
  if (text.length <= longestQuote) return text;
  const last = text.charCodeAt(longestQuote - 1);
  const cut = last >= 0xd800 && last < 0xdc00 ? longestQuote - 1 : longestQuote;
  return `${text.slice(0, cut)}\u2026`;
}

let queue = Promise.resolve();

// Shows a box; the promise settles once it is closed. Boxes asked for while
// one is open follow it.
export function showBox(title, text) {
  queue = queue.then(() => new Promise((resolve) => {
    const box = document.getElementById('box');
    const before = document.activeElement;
    box.querySelector('#boxTitle').textContent = title;
    box.querySelector('#boxText').textContent = text;
    box.addEventListener('close', () => {
      // The browser gives the focus back itself; this is for one that does not.
      const lost = document.activeElement === document.body || box.contains(document.activeElement);
      if (lost && before instanceof HTMLElement) before.focus();
      resolve();
    }, { once: true });
    box.showModal();
  }));
  return queue;
}

// Shows a box of choices, a <dialog> whose buttons carry their answers,
// with the text given; settles to the answer of the button pressed, or to
// `dismissed` when the box is closed any other way (Esc, the browser).
export function ask(box, text, dismissed) {
  queue = queue.then(() => new Promise((resolve) => {
    const answers = [...box.querySelectorAll('button')].map((button) => button.value);
    box.querySelector('.box-text').textContent = text;
    // Esc and the browser close it with no button's answer, not even one set here.
    box.returnValue = '';
    box.addEventListener('close', () => resolve(answers.includes(box.returnValue) ? box.returnValue : dismissed),
      { once: true });
    box.showModal();
  }));
  return queue;
}

export function reportInvalidData(title) {
  return showBox(title, outcomeName('invalid_data'));
}

// A field whose text is not a number, or too large a one, named as on screen.
export function reportConversionError(fieldName, text, kind) {
  if (text.trim() === '') {
    return showBox(tr('Messages', 'Not a number'), tr('Messages', '%1 is empty. Type a number.', fieldName));
  }
  if (kind === 'tooLarge') {
    return showBox(tr('Messages', 'Number too large'),
      tr('Messages', '%1 holds "%2", which is too large a number.', fieldName, quoted(text)));
  }
  return showBox(tr('Messages', 'Not a number'),
    tr('Messages', '%1 holds "%2", which is not a number.', fieldName, quoted(text)));
}

function faultName(fault) {
  const name = outcomeName(fault);
  return name === '' || fault === 'invalid_data' ? tr('Messages', 'Arithmetic fault') : name;
}

export function reportFault(fault) {
  return showBox(faultName(fault), tr('Messages', '%1. The calculation was stopped at that step.', faultName(fault)));
}

// Tells of any outcome but a completed one; true when completed.
export function reportOutcome(outcome, invalidDataTitle) {
  if (outcome === 'completed') return true;
  if (outcome === 'invalid_data') reportInvalidData(invalidDataTitle);
  else reportFault(outcome);
  return false;
}

// A finding as the user reads it: one line.
export function findingMessage(code) {
  switch (code) {
    case 'gas_flow_not_positive': return tr('Findings', 'The gas flow is not above 0.');
    case 'water_flow_not_positive': return tr('Findings', 'The water flow is not above 0.');
    case 'negative_fraction': return tr('Findings', 'A mole fraction, y1 or x1, is below 0.');
    case 'no_absorption':
      return tr('Findings', 'The gas leaves as rich in NH3 as it came, or richer (y2 ≥ y1): nothing is absorbed.');
    case 'above_equilibrium':
      return tr('Findings', "x1 is at or beyond the water's equilibrium with the entering gas (x1 · m ≥ y1), " +
        'which counter-current contact cannot reach.');
    case 'driving_force_changes_sign':
      return tr('Findings', 'The driving force changes sign between the limits: the integral the NTU sum ' +
        'stands for does not exist.');
    default: return code;
  }
}
