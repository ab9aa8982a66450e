// Help ▸ Method and Data: the desktop's explanation, as the module writes it
// in the page's language and numbers.
import { locale } from './i18n.js';

// The separator the browser's locale groups thousands with, as in 1,000,000.
function groupSeparator() {
  return new Intl.NumberFormat(locale).formatToParts(1000000).find((part) => part.type === 'group')?.value ?? '';
}

// The Help section, shown and focused by its button and by F1.
export function wireHelp(quillon) {
  const section = document.getElementById('help');
  const show = () => {
    document.getElementById('helpText').innerHTML = quillon.methodText(groupSeparator());
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
