// The front page (the account, the games under way, the hall of fame, one's recordings) and the
// way to the game view. The address's fragment says which is shown: #play, #watch=g5,
// #replay=FILE, or nothing for the front page, so the browser's Back button leads back.

import { GameView } from "./game.js";

const $ = (id) => document.getElementById(id);
const GAMES_REFRESH_MS = 3000;

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
    cell(row, g.player);
    cell(row, g.level, "number");
    cell(row, `${g.timeLeft} s`, "number");
    cell(row, g.watchers, "number");
    // Another server's game is watched there, not here.
    cell(row, g.server ? "On another server"
      : button("Watch", `Watch ${g.player}`, () => goTo(`watch=${encodeURIComponent(g.id)}`)));
  });
}

async function showFame() {
  fillTable("fame", list(await api("GET", "/api/fame")), (row, f) => {
    cell(row, f.name);
    cell(row, f.level, "number");
    cell(row, f.ending);
    cell(row, f.continues, "number");
    cell(row, f.date);
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
  game.open(request, title);
}

function route() {
  const fragment = location.hash.slice(1);
  const [what, value = ""] = fragment.split(/=(.*)/s);
  const argument = decodeURIComponent(value);
  if (what === "play") showGame({ t: "play" }, "Playing");
  else if (what === "watch" && argument) showGame({ t: "watch", game: argument }, "Watching");
  else if (what === "replay" && argument) showGame({ t: "replay", file: argument }, "Playing back");
  else showFront();
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
$("play-button").addEventListener("click", () => goTo("play"));
window.addEventListener("hashchange", route);
route();
