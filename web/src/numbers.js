// Text to number and back in the browser's locale, as the desktop reads and
// writes them in its QLocale: a decimal point or comma as the locale has
// it, no group separators either way.

const points = new Map();

// The decimal separator of a locale such as 'de-CH'; '.' for one the
// browser does not know.
export function decimalPoint(locale) {
  if (!points.has(locale)) {
    let point = '.';
    try {
      point = new Intl.NumberFormat(locale).formatToParts(0.5).find((part) => part.type === 'decimal')?.value ?? '.';
    } catch {
      // An invalid language tag: the browser's own numbers.
    }
    points.set(locale, point);
  }
  return points.get(locale);
}

const minusSigns = /^[-\u2212]/;

// What a field's text reads as: { kind: 'number', value } or a kind that
// says why not, 'notANumber' or 'tooLarge'. Surrounding spaces are fine.
export function parseNumber(text, locale) {
  const point = decimalPoint(locale);
  const trimmed = text.trim();
  // One sign, digits with at most one decimal separator (digits on at least
  // one side of it), and an exponent of digits.
  const sign = trimmed.match(/^[+\-\u2212]?/)[0];
  const rest = trimmed.slice(sign.length);
  const escaped = point.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');
  const pattern = new RegExp(`^(\\d+${escaped}?\\d*|${escaped}\\d+)([eE][+\\-\u2212]?\\d+)?$`);
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

// A value as the locale writes it, the shortest text that reads back to
// the same double: plain decimals from 0.0001 below 10^15, a power of ten
// beyond (1E-05, 1,5E+300).
export function numberText(value, locale) {
  const magnitude = Math.abs(value);
  let text;
  if (magnitude === 0 || (magnitude >= 1e-4 && magnitude < 1e15)) {
    text = magnitude === 0 ? '0' : String(value);
  } else {
    const [digits, exponent] = value.toExponential().split('e');
    const power = Math.abs(Number(exponent)).toString().padStart(2, '0');
    text = `${digits}E${exponent.startsWith('-') ? '-' : '+'}${power}`;
  }
  return text.replace('.', decimalPoint(locale));
}

// A value to so many significant digits as the desktop writes it with
// QLocale's 'g' format: trailing zeros dropped, a power of ten (two digits
// at least) below 10^-4 or from 10^digits on, no group separators.
export function significantText(value, digits, locale) {
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
  return text.replace('.', decimalPoint(locale));
}
