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

// A value to so many significant digits as the desktop writes it with
// QLocale's 'g' format: trailing zeros dropped, a power of ten (two digits
// at least) below 10^-4 or from 10^digits on, no group separators.
export function significantText(value, digits, language) {
  if (Number.isNaN(value)) return 'nan';
  if (!Number.isFinite(value)) return value < 0 ? '-inf' : 'inf';
  if (value === 0) return '0';
  const [mantissa, power] = value.toExponential(digits - 1).split('e');
  const exponent = Number(power);
  const trim = (text) => (text.includes('.') ? text.replace(/\.?0+$/, '') : text);
  let text;
  if (exponent < -4 || exponent >= digits) {
    text = `${trim(mantissa)}e${exponent < 0 ? '-' : '+'}${String(Math.abs(exponent)).padStart(2, '0')}`;
  } else {
    text = trim(value.toFixed(Math.max(0, digits - 1 - exponent)));
  }
  return text.replace('.', decimalPoint(language));
}
