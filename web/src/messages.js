// The boxes the page tells the user with, in the words the module writes:
// one OK button, plain text, the focus back where it was once closed.

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

// Shows the module's box of an outcome, unless it completed; true when it did.
export function reportOutcome(quillon, outcome, invalidDataTitle) {
  const box = quillon.outcomeBox(outcome, invalidDataTitle);
  if (box !== null) showBox(box.title, box.text);
  return box === null;
}
