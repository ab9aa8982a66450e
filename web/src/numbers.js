// Text to number and back in the page's language, as the desktop reads and
// writes them in its locale: English with a decimal point, German with a
// decimal comma, no group separators either way.

// The decimal point of a language the page speaks.
export function decimalPoint(language) {
  return language === 'de' ? ',' : '.';
}

const minusSigns = /^[-\u2212]/;

// What a field's text reads as: { kind: 'number', value } or a kind that
// says why not, 'notANumber' or 'tooLarge'. Surrounding spaces are fine.
export function parseNumber(text, language) {
  const point = decimalPoint(language);
  const trimmed = text.trim();
  // One sign, digits with at most one decimal separator (digits on at least
  // one side of it), and an exponent of digits.
  const sign = trimmed.match(/^[+\-\u2212]?/)[0];
  const rest = trimmed.slice(sign.length);
  const pattern = point === ',' ? /^(\d+,?\d*|,\d+)([eE][+\-\u2212]?\d+)?$/ : /^(\d+\.?\d*|\.\d+)([eE][+\-\u2212]?\d+)?$/;
  const parts = rest.match(pattern);
  if (!parts) return { kind: 'notANumber' };
  const mantissa = parts[1].replace(point, '.');
  const exponent = (parts[2] ?? '').replace('\u2212', '-');
  const value = Number(`${minusSigns.test(sign) ? '-' : ''}${mantissa}${exponent}`);
  // A well-formed number beyond the largest double; one below the least
  // subnormal reads as 0 with its sign.
  if (!Number.isFinite(value)) return { kind: 'tooLarge' };
  return { kind: 'number', value };
}

// A value as the language writes it, the shortest text that reads back to
// the same double: plain decimals from 0.0001 below 10^15, a power of ten
// beyond (1E-05, 1,5E+300).
export function numberText(value, language) {
  const magnitude = Math.abs(value);
  let text;
  if (magnitude === 0 || (magnitude >= 1e-4 && magnitude < 1e15)) {
    text = magnitude === 0 ? '0' : String(value);
  } else {
    const [digits, exponent] = value.toExponential().split('e');
    const power = Math.abs(Number(exponent)).toString().padStart(2, '0');
    text = `${digits}E${exponent.startsWith('-') ? '-' : '+'}${power}`;
  }
  return text.replace('.', decimalPoint(language));
}
