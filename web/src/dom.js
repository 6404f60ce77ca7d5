// Small helpers of the views: elements, fields, lists and frames.

export function byId(id) {
  return document.getElementById(id);
}

// A number typed in one of the page's own fields: a decimal comma is a
// decimal point here (these are not the console's reply).
export function typedNumber(text) {
  const cleaned = String(text).trim().replace(',', '.');
  return /^[+-]?(\d+\.?\d*|\.\d+)(e[+-]?\d+)?$/i.test(cleaned) ? Number(cleaned) : NaN;
}

// Marks a field as invalid with a message beside it, or clears the mark.
export function fieldError(field, messageId, message) {
  const box = byId(messageId);
  if (message) {
    field.setAttribute('aria-invalid', 'true');
    box.textContent = message;
    box.hidden = false;
  } else {
    field.removeAttribute('aria-invalid');
    box.hidden = true;
  }
}

// A description list's terms and values: the same elements keep their
// place and only the texts that changed are written, so that a step of t
// does not rebuild the readouts. An item [term, value, true] is one whose
// value may wrap.
export function setList(list, items) {
  while (list.children.length > 2 * items.length)
    list.lastElementChild.remove();
  items.forEach(([term, value, wraps = false], k) => {
    for (const [tag, text, at] of [['dt', term, 2 * k], ['dd', value, 2 * k + 1]]) {
      let element = list.children[at];
      if (!element) {
        element = document.createElement(tag);
        list.appendChild(element);
      }
      if (element.textContent !== String(text))
        element.textContent = text;
      if (tag === 'dd')
        element.classList.toggle('wraps', wraps);
    }
  });
}

// Runs `then` once the frame after the current changes has been painted:
// a message posted from the frame's callback arrives after its paint.
export function afterPaint(then) {
  requestAnimationFrame(() => {
    const channel = new MessageChannel();
    channel.port1.onmessage = then;
    channel.port2.postMessage(0);
  });
}

// Says a text once to a screen reader, after a pause in what changes it, so
// that a held key or a drag does not flood it.
// A text that tells a part of the page an open exercise holds back (see
// the model's withholds) is not said at all.
export function createAnnouncer(holds = () => false) {
  let timer = null;
  return (text, part = null) => {
    if (part !== null && holds(part))
      return;
    clearTimeout(timer);
    timer = setTimeout(() => { byId('announce').textContent = text; }, 400);
  };
}

// A link's download replaced by new bytes.
export function offerBytes(link, bytes, type) {
  if (link.href.startsWith('blob:'))
    URL.revokeObjectURL(link.href);
  link.href = URL.createObjectURL(new Blob([bytes], { type }));
}

// Work that can wait a frame or two: while t is stepped, dragged or played,
// the readouts and the table's highlight follow at once, the Maxwell chart
// in the next frame and the Gibbs chart and the marks in the one after, so
// that no frame carries more than one of them. A later request for the same
// work replaces one not yet done.
export function createFrames() {
  const later = {};
  const framesLater = { isotherm: 1, gibbs: 2, marks: 2, helmholtz: 3, process: 3, heating: 4, nature: 3, natureSi: 5 };
  const inFrames = (name, work) => {
    if (later[name]) {
      later[name] = work;
      return;
    }
    later[name] = work;
    let frames = framesLater[name];
    const tick = () => {
      if (frames-- > 0) {
        requestAnimationFrame(tick);
        return;
      }
      const todo = later[name];
      delete later[name];
      if (todo)
        todo();
    };
    requestAnimationFrame(tick);
  };
  return {
    soonOrNow(deferred, name, work) {
      if (deferred) {
        inFrames(name, work);
      } else {
        later[name] = null;  // done now: a waiting request is stale
        work();
      }
    },
  };
}

// A slider of a line's pressure across an isotherm with stability limits
// at pressures plmin and pgmax: it spans them above 0 in 400 steps, at p.
export function setPressureSlider(slider, { plmin, pgmax }, p) {
  const low = Math.max(plmin, 0), step = (pgmax - low) / 400;
  Object.assign(slider, { min: plmin > 0 ? plmin : step, max: pgmax, step, disabled: false });
  slider.value = p;
  slider.setAttribute('aria-valuetext', 'p = ' + p.toFixed(6));
}

// The pressures such a slider's line may take: its value is its text,
// rounded, so that within these it is taken as it is, and Home and End give
// the limits' pressures exactly.
export function pressureSliderEnds(slider, { plmin, pgmax }) {
  return [plmin > 0 ? plmin : Number(slider.min), pgmax];
}
