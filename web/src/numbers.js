// Numbers read and written as the desktop reads and writes them, by the
// module's present/numbers in the page's locale (set at start-up). The
// locale arguments the callers pass are that locale already.

let module = null;

// The loaded module, once its page locale is set.
export function useNumbers(quillon) {
  module = quillon;
}

export const decimalPoint = () => module.decimalPoint();

// { kind: 'number', value }, or a kind that says why not, 'notANumber' or
// 'tooLarge'.
export const parseNumber = (text) => module.parseNumber(text);

export const numberText = (value) => module.numberText(value);

export const significantText = (value, digits) => module.significantText(value, digits);
