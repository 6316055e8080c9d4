// The game's scene as elements of the page: every window a framed box with its caption bar, every
// control an element placed in twips. Sizes are written as multiples of --s, the pixels of a twip,
// so the whole scene takes a new size from one property. A scene message changes only the windows
// and controls it names.

const TWIPS_PER_POINT = 20;

const twips = (n) => `calc(var(--s) * ${Number(n) || 0}px)`;

function place(el, [left, top, width, height]) {
  el.style.left = twips(left);
  el.style.top = twips(top);
  el.style.width = twips(Math.max(0, width));
  el.style.height = twips(Math.max(0, height));
}

// The game's fonts with the fallback the desktop takes where they are missing.
function fontFamily(family) {
  const named = typeof family === "string" && /^[\w .-]+$/.test(family) ? `"${family}", ` : "";
  return `${named}"DejaVu Sans Mono", "Lucida Console", monospace`;
}

function colour(value, fallback) {
  return typeof value === "string" && /^#[0-9a-fA-F]{6}$/.test(value) ? value : fallback;
}

// A line hangs from the label's top by the font's ascent; where its letters would reach below a
// label lower than the font, it rises as far as its letters' tops allow, so they stay whole. In
// ems of the monospace font the page falls back on (DejaVu Sans Mono).
const ASCENT = 0.928;
const LETTER_TOP = 0.76;
const DESCENDER = 0.236;
function rise(text, heightInEms) {
  const below = /[gjpqyQ,;_()[\]{}|@$]/.test(text) ? DESCENDER : 0;
  return Math.max(0, Math.min(ASCENT + below - heightInEms, ASCENT - LETTER_TOP)).toFixed(3);
}

// Drawing order: the place a control was added at, then its rank there.
function below(a, b) {
  return a[0] - b[0] || a[1] - b[1];
}

// A picture of the game: a file next to the page, named plainly.
function pictureSource(src) {
  return typeof src === "string" && /^[\w-]+\.png$/.test(src) ? src : "";
}

// Each board and client area keeps its controls' elements in drawing order, to find a new one's
// place among thousands (a long trail) without walking the document.
function takeOut(el) {
  const from = el.parentNode;
  if (!from) return;
  const at = from.drawn ? from.drawn.lastIndexOf(el) : -1;
  if (at >= 0) from.drawn.splice(at, 1);
  el.remove();
}

function putIn(container, el) {
  takeOut(el);
  const drawn = (container.drawn ??= []);
  let low = 0;
  let high = drawn.length;
  // Most come in front of all the others.
  if (high > 0 && below(drawn[high - 1].zOrder, el.zOrder) <= 0) low = high;
  while (low < high) {
    const middle = (low + high) >> 1;
    if (below(drawn[middle].zOrder, el.zOrder) <= 0) low = middle + 1;
    else high = middle;
  }
  container.insertBefore(el, drawn[low] ?? null);
  drawn.splice(low, 0, el);
}

function div(className) {
  const el = document.createElement("div");
  el.className = className;
  return el;
}

export class Scene {
  // stage: the element the area is drawn in; desk: the part of it above the status panel, where
  // the child windows go.
  constructor(stage, desk) {
    this.stage = stage;
    this.desk = desk;
    this.area = [11760, 8565];
    this.windows = new Map();
    this.toSqueeze = new Set();
    this.squeezeFrame = 0;
  }

  clear() {
    for (const win of this.windows.values()) win.el.remove();
    this.windows.clear();
    this.stage.classList.remove("panel");
  }

  apply(scene) {
    if (scene.full) this.clear();
    if (Array.isArray(scene.area) && scene.area.length === 2) {
      this.area = scene.area.map((n) => Math.max(1, Number(n) || 1));
      this.stage.style.setProperty("--area-width", this.area[0]);
      this.stage.style.setProperty("--area-height", this.area[1]);
    }
    for (const id of Array.isArray(scene.closed) ? scene.closed : []) this.closeWindow(String(id));
    const windows = scene.windows && typeof scene.windows === "object" ? scene.windows : {};
    for (const [id, data] of Object.entries(windows))
      if (data && typeof data === "object") this.updateWindow(id, data);
    if (Array.isArray(scene.order)) this.restack(scene.order.map(String));
    this.stage.classList.toggle("panel", this.panelShown());
    this.squeezeSoon();
  }

  // The window and the place in its client area in twips of a press, or null off the client areas.
  pressAt(event, scale) {
    const client = event.target instanceof Element ? event.target.closest(".client") : null;
    if (!client || !this.stage.contains(client) || !(scale > 0)) return null;
    const box = client.getBoundingClientRect();
    return {
      window: client.dataset.window,
      x: Math.round((event.clientX - box.left) / scale),
      y: Math.round((event.clientY - box.top) / scale),
    };
  }

  closeWindow(id) {
    const win = this.windows.get(id);
    if (!win) return;
    win.el.remove();
    this.windows.delete(id);
  }

  makeWindow(id) {
    const main = id === "m";
    const el = div(main ? "win main" : "win");
    el.id = `window-${id}`;
    el.setAttribute("role", "group");
    const caption = div("caption");
    const client = div("client");
    client.dataset.window = id;
    if (!main) el.append(caption);
    el.append(client);
    (main ? this.stage : this.desk).append(el);
    const win = { id, main, el, caption, client, controls: new Map() };
    this.windows.set(id, win);
    return win;
  }

  updateWindow(id, data) {
    const win = this.windows.get(id) ?? this.makeWindow(id);
    if (typeof data.caption === "string") {
      win.caption.textContent = data.caption;
      win.el.setAttribute("aria-label", win.main ? "Status" : data.caption);
    }
    const back = colour(data.back, "#000000");
    if (win.main) {
      this.stage.style.backgroundColor = back;
    } else {
      if (Array.isArray(data.rect)) place(win.el, data.rect);
      win.client.style.backgroundColor = back;
      if ("titleBar" in data) win.el.classList.toggle("bare", data.titleBar === false);
    }
    if ("enabled" in data) win.el.classList.toggle("disabled", data.enabled === false);

    const changed = [];
    const controls = data.controls && typeof data.controls === "object" ? data.controls : {};
    for (const [cid, c] of Object.entries(controls))
      if (c && typeof c === "object") changed.push(this.updateControl(win, cid, c));
    for (const cid of Array.isArray(data.removed) ? data.removed : []) this.removeControl(win, String(cid));
    // Placed once all have come, a board may follow the labels lying on it; bottom first, so a
    // whole window's controls each go to the end of their board or client area.
    changed.sort((a, b) => below(a.z, b.z));
    for (const rec of changed) this.attach(win, rec);
  }

  makeControl(k) {
    const rec = { k, el: null, text: null, z: [0, 0], parent: null, data: {} };
    switch (k) {
      case "label":
      case "text":
        rec.el = div(`ctl ${k}`);
        rec.text = document.createElement("span");
        rec.el.append(rec.text);
        break;
      case "board":
        rec.el = div("ctl board");
        break;
      case "line":
        rec.el = div("ctl line");
        break;
      case "picture":
        rec.el = document.createElement("img");
        rec.el.className = "ctl picture";
        rec.el.alt = "";
        rec.el.draggable = false;
        break;
      default:
        rec.el = div("ctl");
    }
    return rec;
  }

  updateControl(win, id, c) {
    let rec = win.controls.get(id);
    if (!rec || rec.k !== c.k) {
      if (rec) this.removeControl(win, id);
      rec = this.makeControl(String(c.k));
      win.controls.set(id, rec);
    }
    rec.data = c;
    rec.z = Array.isArray(c.z) ? [Number(c.z[0]) || 0, Number(c.z[1]) || 0] : [0, 0];
    rec.parent = typeof c.parent === "string" ? c.parent : null;
    const el = rec.el;
    const rect = Array.isArray(c.rect) ? c.rect.map((n) => Number(n) || 0) : [0, 0, 0, 0];
    el.style.display = c.visible === false ? "none" : "";
    switch (rec.k) {
      case "label":
      case "text":
        this.updateText(rec, c, rect);
        break;
      case "board":
        place(el, rect);
        el.style.backgroundColor = colour(c.back, "#000000");
        break;
      case "line": {
        const [left, top, width, height] = rect;
        el.style.left = twips(left);
        el.style.top = twips(top);
        el.style.width = twips(Math.hypot(width, height));
        el.style.transform = `rotate(${Math.atan2(height, width)}rad)`;
        el.style.backgroundColor = colour(c.colour, "#000000");
        break;
      }
      case "picture":
        place(el, rect);
        if (el.getAttribute("src") !== pictureSource(c.src)) el.src = pictureSource(c.src);
        break;
      default:
        place(el, rect);
    }
    return rec;
  }

  // A label is one line cut at its width unless it is tall enough for more, when it wraps like a
  // text block; a text block keeps its line breaks.
  updateText(rec, c, rect) {
    const el = rec.el;
    place(el, rect);
    const font = Array.isArray(c.font) ? c.font : [];
    const points = Number(font[1]) > 0 ? Number(font[1]) : 12;
    const text = typeof c.text === "string" ? c.text.replace(/\r\n?/g, "\n") : "";
    if (rec.text.textContent !== text) rec.text.textContent = text;
    el.style.fontFamily = fontFamily(font[0]);
    el.style.fontSize = twips(points * TWIPS_PER_POINT);
    el.style.fontWeight = String(Number(font[2]) || 400);
    el.style.color = colour(c.fore, "#000000");
    el.style.backgroundColor = c.opaque ? colour(c.back, "#000000") : "transparent";
    el.style.textAlign = c.align === "center" ? "center" : "left";
    el.classList.toggle("border", c.border === true);
    el.classList.toggle("hand", c.hand === true);
    if (c.tooltip) el.title = String(c.tooltip);
    else el.removeAttribute("title");
    rec.lines = rec.k === "text" || rect[3] >= 2 * points * TWIPS_PER_POINT;
    el.classList.toggle("lines", rec.lines);
    rec.text.style.transform = "";
    rec.text.style.top = rec.lines ? "" : `-${rise(text, rect[3] / (points * TWIPS_PER_POINT))}em`;
    if (!rec.lines && text) this.toSqueeze.add(rec);
  }

  removeControl(win, id) {
    const rec = win.controls.get(id);
    if (!rec) return;
    win.controls.delete(id);
    // What lay on a removed board stays until the game says otherwise.
    for (const child of [...(rec.el.drawn ?? [])]) putIn(win.client, child);
    takeOut(rec.el);
    this.toSqueeze.delete(rec);
  }

  // Puts a control in its board or its window's client area, in front of those drawn before it.
  attach(win, rec) {
    const board = rec.parent ? win.controls.get(rec.parent) : null;
    const container = board && board.k === "board" ? board.el : win.client;
    const placed = rec.el.parentNode === container && rec.el.zOrder && below(rec.el.zOrder, rec.z) === 0;
    if (!placed) {
      rec.el.zOrder = rec.z;
      putIn(container, rec.el);
    }
    // Left-aligned lines wrap within the part of the board that shows, as the desktop has them.
    if (rec.lines && board && board.k === "board" && rec.data.align !== "center") {
      const rect = rec.data.rect;
      const shown = Math.min(Number(rect[2]) || 0, (Number(board.data.rect?.[2]) || 0) - (Number(rect[0]) || 0));
      rec.el.style.width = twips(Math.max(0, shown));
    }
  }

  restack(order) {
    let at = 0;
    for (const id of order) {
      const win = this.windows.get(id);
      if (!win || win.main) continue;
      if (this.desk.children[at] !== win.el) this.desk.insertBefore(win.el, this.desk.children[at] ?? null);
      at += 1;
    }
    const children = [...this.desk.children];
    children.forEach((el, i) => el.classList.toggle("active", i === children.length - 1));
  }

  panelShown() {
    const main = this.windows.get("m");
    if (!main) return false;
    for (const rec of main.controls.values()) if (!rec.parent && rec.data.visible !== false) return true;
    return false;
  }

  // A line wider than its label (a long word in the fallback font) is squeezed across to fit.
  squeezeSoon() {
    if (this.squeezeFrame || this.toSqueeze.size === 0) return;
    this.squeezeFrame = requestAnimationFrame(() => {
      this.squeezeFrame = 0;
      const recs = [...this.toSqueeze];
      this.toSqueeze.clear();
      const widths = recs.map((rec) => [rec.text.offsetWidth, rec.el.clientWidth]);
      recs.forEach((rec, i) => {
        const [text, room] = widths[i];
        rec.text.style.transform = text > room + 0.5 && room > 0 ? `scaleX(${room / text})` : "";
      });
    });
  }

  // After a new size: the fonts' widths may round differently.
  squeezeAll() {
    for (const win of this.windows.values())
      for (const rec of win.controls.values())
        if (rec.text && !rec.lines && rec.text.textContent) this.toSqueeze.add(rec);
    this.squeezeSoon();
  }
}
