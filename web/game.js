// The game view: one WebSocket to the server, the scene drawn from its messages, the keys and
// clicks of a player sent back, the game's questions asked in a dialog.

import { Scene } from "./scene.js";
import { strokeOf, keepFromBrowser, typed } from "./keys.js";

const $ = (id) => document.getElementById(id);

export class GameView {
  // onLeave: back to the front page.
  constructor(onLeave) {
    this.onLeave = onLeave;
    this.stage = $("stage");
    this.scene = new Scene(this.stage, $("desk"));
    this.socket = null;
    this.role = null;
    this.spokenOdd = false;
    this.scale = 1 / 15;
    this.dialog = new Dialog((answer) => this.send({ t: "answer", ...answer }));
    // The keys go back to the game once a question is answered, whatever had the focus before.
    $("dialog").addEventListener("close", () => {
      if (this.role) this.stage.focus({ preventScroll: true });
    });

    $("back-button").addEventListener("click", () => this.onLeave());
    $("close-button").addEventListener("click", () => this.send({ t: "close" }));
    document.addEventListener("keydown", (event) => this.key(event));
    this.stage.addEventListener("pointerdown", (event) => this.press(event));
    new ResizeObserver(() => this.layOut()).observe($("stage-box"));
    this.takeTouchKeys();
  }

  // The touch screen's keys: the buttons' named keys, and what the soft keyboard types.
  takeTouchKeys() {
    for (const button of $("touch-keys").querySelectorAll("button"))
      button.addEventListener("pointerdown", (event) => {
        event.preventDefault();
        this.sendStroke(strokeOf({ key: button.dataset.key }));
      });
    const typing = $("touch-typing");
    typing.addEventListener("input", () => {
      for (const character of typing.value) this.sendStroke(typed(character));
      typing.value = "";
    });
    typing.addEventListener("keydown", (event) => {
      if (["Backspace", "Enter", "Escape"].includes(event.key)) {
        event.preventDefault();
        this.sendStroke(strokeOf(event));
      }
    });
  }

  sendStroke(stroke) {
    if (stroke && this.playing()) this.send({ t: "key", code: stroke.code, char: stroke.char });
  }

  // request: {"t":"play"}, {"t":"watch","game":…} or {"t":"replay","file":…}.
  open(request, title) {
    this.close();
    this.scene.clear();
    this.role = null;
    this.over = false;
    $("game-title").textContent = title;
    $("game-seed").textContent = "";
    $("close-button").hidden = true;
    $("touch-keys").hidden = true;
    this.say("");
    // What the last game said is not said again as the view shows.
    this.speak("");
    $("game").hidden = false;
    this.layOut();
    this.stage.focus();
    const scheme = location.protocol === "https:" ? "wss:" : "ws:";
    const socket = new WebSocket(`${scheme}//${location.host}/ws`);
    this.socket = socket;
    socket.addEventListener("open", () => socket.send(JSON.stringify(request)));
    socket.addEventListener("message", (event) => this.receive(event.data));
    socket.addEventListener("close", () => {
      if (this.socket !== socket) return;
      this.socket = null;
      if (!this.over) this.ends("The connection to the server was lost.");
    });
  }

  close() {
    const socket = this.socket;
    this.socket = null;
    if (socket) socket.close();
    this.dialog.close();
    $("game").hidden = true;
  }

  send(message) {
    if (this.socket && this.socket.readyState === WebSocket.OPEN) this.socket.send(JSON.stringify(message));
  }

  receive(data) {
    let message;
    try {
      message = JSON.parse(data);
    } catch {
      return;
    }
    if (!message || typeof message !== "object") return;
    const text = typeof message.text === "string" ? message.text : "";
    switch (message.t) {
      case "scene": {
        const area = this.scene.area.join();
        this.scene.apply(message);
        if (this.scene.area.join() !== area) this.layOut();
        break;
      }
      case "joined":
        this.joined(message);
        break;
      case "dialog":
        // The page behind a dialog is hidden from a screen reader until it closes, and what it
        // said then would be said again.
        this.speak("");
        this.dialog.show(message, this.role === "player");
        break;
      case "dialogDone":
        this.dialog.close();
        break;
      case "speak":
        this.speak(text);
        break;
      case "help":
        this.help(message.page);
        break;
      case "title":
        // The game's seed, for the player to read and copy; not announced, as it would interrupt.
        $("game-seed").textContent = text;
        if (text) document.title = text;
        break;
      case "ended":
      case "crashed":
      case "error":
        this.ends(text || "The game is over.");
        break;
    }
  }

  joined(message) {
    this.role = message.role;
    const player = typeof message.player === "string" ? message.player : "";
    const titles = { player: "Playing", watcher: `Watching ${player}`, replay: "Playing back" };
    $("game-title").textContent = titles[this.role] ?? "Vexmoor";
    $("close-button").hidden = this.role !== "player";
    $("touch-keys").hidden = this.role !== "player";
    this.stage.focus();
  }

  // The end of the game or of the connection: the player reads why; the front page is a button away.
  ends(text) {
    this.over = true;
    this.role = null;
    this.dialog.close();
    $("close-button").hidden = true;
    $("touch-keys").hidden = true;
    this.say(text);
    this.speak(text);
    $("back-button").focus();
  }

  say(text) {
    $("game-line").textContent = text;
  }

  // The same words again are news again, but a screen reader may take a text the same as the last
  // for a repeated event and keep still (Orca does): every other one ends in a no-break space.
  speak(text) {
    this.spokenOdd = !this.spokenOdd;
    $("live").textContent = text && this.spokenOdd ? `${text}\u00a0` : text;
  }

  help(page) {
    const name = typeof page === "string" && /^[\w.#-]+$/.test(page) ? page : "index.html";
    const address = `/help/${name}`;
    const opened = window.open(address, "_blank");
    if (opened) {
      opened.opener = null;
      return;
    }
    // A blocked pop-up: the address as a link instead.
    const link = document.createElement("a");
    link.href = address;
    link.target = "_blank";
    link.rel = "noopener";
    link.textContent = "Open the help page";
    $("game-line").replaceChildren(link);
  }

  playing() {
    return this.role === "player" && !$("game").hidden && !this.dialog.open();
  }

  key(event) {
    if (!this.playing()) return;
    // Keys reach the game from the area or the page itself, not from a focused button.
    const focus = document.activeElement;
    if (focus && focus !== document.body && focus !== this.stage) return;
    // Tab leads out of the area to the page's buttons, as it does everywhere else in a page; on
    // the board it would only pass a turn, as any other key does.
    if (event.key === "Tab") return;
    const stroke = strokeOf(event);
    if (!stroke) return;
    if (keepFromBrowser(event)) event.preventDefault();
    this.sendStroke(stroke);
  }

  press(event) {
    if (event.button !== 0 || !event.isPrimary) return;
    this.stage.focus({ preventScroll: true });
    if (!this.playing()) return;
    const place = this.scene.pressAt(event, this.scale);
    if (place) this.send({ t: "click", ...place });
  }

  // The largest scale that shows the whole area, its proportions kept.
  layOut() {
    const box = $("stage-box").getBoundingClientRect();
    const [width, height] = this.scene.area;
    const scale = Math.max(0.001, Math.min(box.width / width, box.height / height));
    this.scale = scale;
    this.stage.style.setProperty("--s", String(scale));
    this.stage.style.left = `${Math.floor((box.width - width * scale) / 2)}px`;
    this.stage.style.top = `${Math.floor((box.height - height * scale) / 2)}px`;
    this.scene.squeezeAll();
  }
}

// The game's message box, question (Yes and No, No the default) and prompt (a text field with the
// proposed text selected, OK and Cancel). Escape answers No or Cancel. A watcher sees it read-only.
class Dialog {
  constructor(onAnswer) {
    this.onAnswer = onAnswer;
    this.el = $("dialog");
    this.answers = false;
    $("dialog-form").addEventListener("submit", (event) => {
      event.preventDefault();
      const button = event.submitter ? event.submitter.value : "ok";
      this.answer(button === "ok" || button === "yes");
    });
    this.el.addEventListener("cancel", (event) => {
      event.preventDefault();
      this.answer(false);
    });
    // Enter before the default button has the focus answers as it would.
    this.el.addEventListener("keydown", (event) => {
      if (event.target !== this.el || event.key !== "Enter" || !this.answers) return;
      event.preventDefault();
      this.answer(this.kind === "message");
    });
  }

  open() {
    return this.el.open;
  }

  show(message, answers) {
    const kind = ["message", "question", "prompt"].includes(message.kind) ? message.kind : "message";
    this.answers = answers;
    this.kind = kind;
    $("dialog-title").textContent = typeof message.title === "string" && message.title ? message.title : "Vexmoor";
    $("dialog-text").textContent = typeof message.text === "string" ? message.text.replace(/\r\n?/g, "\n") : "";
    const field = $("dialog-field");
    field.hidden = kind !== "prompt";
    field.readOnly = !answers;
    field.value = typeof message.proposed === "string" ? message.proposed : "";
    const buttons = { message: ["ok"], question: ["yes", "no"], prompt: ["ok", "cancel"] }[kind];
    for (const name of ["ok", "yes", "no", "cancel"]) {
      const button = $(`dialog-${name}`);
      button.hidden = !buttons.includes(name);
      button.disabled = !answers;
    }
    if (!this.el.open) this.el.showModal();
    if (kind === "prompt") {
      field.focus();
      field.select();
    } else if (answers) {
      // A screen reader says a dialog that takes the focus itself, with its text; of one whose
      // button takes it at once Orca says nothing. The default button takes it a moment later.
      const button = $(kind === "question" ? "dialog-no" : "dialog-ok");
      this.el.focus();
      clearTimeout(this.focusing);
      this.focusing = setTimeout(() => {
        if (this.el.open && document.activeElement === this.el) button.focus();
      }, 100);
    }
  }

  answer(ok) {
    if (!this.el.open) return;
    const text = this.kind === "prompt" && ok ? $("dialog-field").value : "";
    const answers = this.answers;
    this.close();
    if (answers) this.onAnswer({ ok, text });
  }

  close() {
    if (this.el.open) this.el.close();
  }
}
