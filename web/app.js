// The front page (the account, the games under way, the hall of fame, one's recordings) and the
// way to the game view. The address's fragment says which is shown: #play, #play=SEED, #challenge,
// #watch=g5, #replay=FILE, or nothing for the front page, so the browser's Back button leads back.

import { GameView } from "./game.js";

const $ = (id) => document.getElementById(id);
const GAMES_REFRESH_MS = 3000;
const LARGEST_SEED = 4294967295;
const SEED_RULE = `A seed is a whole number from 0 to ${LARGEST_SEED}, written in digits alone.`;

let signedIn = null;
let gamesTimer = 0;
let gamesShown = "";
const game = new GameView(() => goTo(""));

function goTo(fragment) {
  if (location.hash.slice(1) === fragment) route();
  else location.hash = fragment;
}

async function api(method, path, body) {
  const options = { method, credentials: "same-origin", headers: {} };
  if (body !== undefined) {
    options.headers["Content-Type"] = "application/json";
    options.body = JSON.stringify(body);
  }
  try {
    const response = await fetch(path, options);
    const data = await response.json().catch(() => null);
    return { ok: response.ok, status: response.status, data };
  } catch {
    return { ok: false, status: 0, data: null };
  }
}

function showMessage(text) {
  $("message").textContent = text;
}

function refusal(result, doing) {
  if (result.data && typeof result.data.error === "string") return result.data.error;
  return result.status ? `Could not ${doing} (${result.status}).` : "The server does not answer.";
}

function cell(row, content, className) {
  const td = document.createElement("td");
  if (content instanceof Node) td.append(content);
  else td.textContent = content ?? "";
  if (className) td.className = className;
  row.append(td);
}

function button(text, label, onClick) {
  const el = document.createElement("button");
  el.type = "button";
  el.textContent = text;
  el.setAttribute("aria-label", label);
  el.addEventListener("click", onClick);
  return el;
}

function fillTable(id, rows, fill) {
  $(`${id}-empty`).hidden = rows.length > 0;
  const body = $(id).tBodies[0];
  body.replaceChildren(
    ...rows.map((item) => {
      const row = document.createElement("tr");
      fill(row, item);
      return row;
    }),
  );
}

// A moment the server writes as 2026-12-07T23:24:48Z, shown as 2026-12-07 23:24 UTC.
function moment(text) {
  const parts = /^(\d{4}-\d\d-\d\d)T(\d\d:\d\d)(:\d\d(\.\d+)?)?Z$/.exec(String(text ?? ""));
  return parts ? `${parts[1]} ${parts[2]} UTC` : text;
}

const list = (result) => (result.ok && Array.isArray(result.data) ? result.data : []);
const rows = (value) => (Array.isArray(value) ? value : []);

// The seed a player wrote: "" for none, its digits, or null when it is no seed.
function seedFrom(text) {
  const written = text.trim();
  if (written === "") return "";
  if (!/^\d+$/.test(written) || Number(written) > LARGEST_SEED) return null;
  return String(Number(written));
}

async function showMe() {
  const result = await api("GET", "/api/me");
  signedIn = result.ok && result.data && typeof result.data.name === "string" ? result.data.name : null;
  $("signed-out").hidden = signedIn !== null;
  $("signed-in").hidden = signedIn === null;
  $("my-recordings").hidden = signedIn === null;
  $("me").textContent = signedIn ?? "";
  if (signedIn !== null) showRecordings();
}

async function showGames() {
  const games = list(await api("GET", "/api/games"));
  // Rows made again only when they change, so a Watch button keeps the focus.
  const shown = JSON.stringify(games);
  if (shown === gamesShown) return;
  gamesShown = shown;
  fillTable("games", games, (row, g) => {
    const player = document.createElement("span");
    player.textContent = g.player;
    if (g.challenge) {
      const tag = document.createElement("span");
      tag.className = "tag";
      tag.textContent = "Today's challenge";
      player.append(" ", tag);
    }
    cell(row, player);
    cell(row, g.level, "number");
    cell(row, `${g.timeLeft} s`, "number");
    cell(row, g.watchers, "number");
    // Another server's game is watched there, not here.
    cell(row, g.server ? "On another server"
      : button("Watch", `Watch ${g.player}`, () => goTo(`watch=${encodeURIComponent(g.id)}`)));
  });
}

// The cells of a hall of fame's row up to its ending and continues.
function fameCells(row, f) {
  cell(row, f.name);
  cell(row, f.level, "number");
  cell(row, f.ending);
  cell(row, f.continues, "number");
}

// A game's seed as its row has it; a challenge's is hidden until its day is over.
function seedText(f) {
  const day = typeof f.day === "string" && f.day ? `challenge of ${f.day}` : "";
  if (typeof f.seed !== "string") return day;
  return day ? `${f.seed} (${day})` : f.seed;
}

async function showFame() {
  const result = await api("GET", "/api/fame");
  const fame = result.ok && result.data ? result.data : {};
  fillTable("fame", rows(fame.best), (row, f) => {
    fameCells(row, f);
    cell(row, f.date);
    cell(row, seedText(f));
    cell(row, f.cheated ? "yes" : "");
  });
  if (typeof fame.day === "string")
    $("fame-today-caption").textContent =
      `The best games of the challenge of ${fame.day} (UTC); its seed is shown once the day is over.`;
  fillTable("fame-today", rows(fame.today), (row, f) => {
    fameCells(row, f);
    cell(row, f.cheated ? "yes" : "");
  });
}

async function showRecordings() {
  fillTable("recordings", list(await api("GET", "/api/recordings")), (row, r) => {
    const link = document.createElement("a");
    link.href = `/api/recordings/${encodeURIComponent(r.file)}`;
    link.download = r.file;
    link.textContent = r.file;
    cell(row, link);
    cell(row, moment(r.date));
    cell(row, `${Math.ceil((Number(r.size) || 0) / 1024)} KB`, "number");
    cell(row, r.complete ? "yes" : "no");
    cell(row, button("Play back", `Play back ${r.file}`, () => goTo(`replay=${encodeURIComponent(r.file)}`)));
  });
}

function showFront() {
  game.close();
  $("front").hidden = false;
  document.title = "Vexmoor";
  gamesShown = "";
  showMe();
  showGames();
  showFame();
  clearInterval(gamesTimer);
  gamesTimer = setInterval(showGames, GAMES_REFRESH_MS);
}

function showGame(request, title) {
  clearInterval(gamesTimer);
  $("front").hidden = true;
  document.title = `${title} - Vexmoor`;
  showMessage("");
  game.open(request, title);
}

function route() {
  const fragment = location.hash.slice(1);
  const [what, value = ""] = fragment.split(/=(.*)/s);
  const argument = decodeURIComponent(value);
  if (what === "play") playWith(seedFrom(argument));
  else if (what === "challenge") showGame({ t: "play", daily: true }, "Playing");
  else if (what === "watch" && argument) showGame({ t: "watch", game: argument }, "Watching");
  else if (what === "replay" && argument) showGame({ t: "replay", file: argument }, "Playing back");
  else showFront();
}

function playWith(seed) {
  if (seed === null) {
    goTo("");
    showMessage(SEED_RULE);
  } else {
    showGame(seed ? { t: "play", seed } : { t: "play" }, "Playing");
  }
}

function accountForm(form, path, doing) {
  $(form).addEventListener("submit", async (event) => {
    event.preventDefault();
    const fields = event.target.elements;
    const result = await api("POST", path, { name: fields.name.value, password: fields.password.value });
    fields.password.value = "";
    if (!result.ok) {
      showMessage(refusal(result, doing));
      return;
    }
    showMessage("");
    await showMe();
    $("play-button").focus();
  });
}

accountForm("signup-form", "/api/signup", "sign up");
accountForm("signin-form", "/api/signin", "sign in");
$("signout-button").addEventListener("click", async () => {
  const result = await api("POST", "/api/signout");
  showMessage(result.ok ? "" : refusal(result, "sign out"));
  await showMe();
});
$("play-form").addEventListener("submit", (event) => {
  event.preventDefault();
  const field = $("seed-field");
  const seed = seedFrom(field.value);
  field.setAttribute("aria-invalid", String(seed === null));
  if (seed === null) {
    showMessage(SEED_RULE);
    field.focus();
    return;
  }
  goTo(seed ? `play=${seed}` : "play");
});
$("daily-button").addEventListener("click", () => goTo("challenge"));
window.addEventListener("hashchange", route);
route();
