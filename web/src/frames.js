// Work that may wait until the page has shown what changed: a task after
// the next frame, so that an edit reaches the screen before what follows
// from it. A page out of view draws no frames; its work runs after a short
// wait instead.
const noFrameWait = 100;

// Runs `work` once, after the next frame or the wait; gives back a function
// that calls it off.
export function afterFrame(work) {
  let timer = null;
  let frame = null;
  const run = () => {
    cancelAnimationFrame(frame);
    clearTimeout(timer);
    work();
  };
  frame = requestAnimationFrame(() => {
    clearTimeout(timer);
    timer = setTimeout(run);
  });
  timer = setTimeout(run, noFrameWait);
  return () => {
    cancelAnimationFrame(frame);
    clearTimeout(timer);
  };
}
