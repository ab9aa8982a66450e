// Help ▸ Method and Data: the desktop's explanation, as the module writes it
// in the page's language and numbers.
import { locale } from './i18n.js';

// How the browser's locale writes ten million, and the separator of its groups.
export function grouping() {
  const parts = new Intl.NumberFormat(locale).formatToParts(10000000);
  return [parts.map((part) => part.value).join(''), parts.find((part) => part.type === 'group')?.value ?? ''];
}

// The Help section, shown and focused by its button and by F1.
export function wireHelp(quillon) {
  const section = document.getElementById('help');
  const show = () => {
    document.getElementById('helpText').innerHTML = quillon.methodText(...grouping());
    section.hidden = false;
    section.focus();
  };
  document.getElementById('showHelp').addEventListener('click', show);
  document.addEventListener('keydown', (event) => {
    if (event.key === 'F1') {
      event.preventDefault();
      show();
    }
  });
}
