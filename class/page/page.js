// SPDX-License-Identifier: GPL-3.0-or-later
// The pupils' page: joins the teacher's class session with its code, then
// throws the chunks the teacher assigns and shows its own and the class's
// count. Everything from the server and the pupil goes in as text.
import { MT19937, pointAt, needleAt } from "./throws.js";

const texts = {
  ja: {
    title: "Sorvena クラス実験",
    intro: "先生の画面に出ているコードを入力して、「参加」を押してください。",
    code: "コード",
    nickname: "ニックネーム（なくてもかまいません）",
    join: "参加",
    you: "あなたは {name} です",
    points: "実験：点を投げる（モンテカルロ法）",
    needles: "実験：針を投げる（ビュホンの針）",
    throw: "投げ続ける",
    throwCount: "{n} 回投げる",
    stop: "止める",
    pointsPicture: "あなたが投げた点の図：円に入った点 {hits} 個、外の点 {misses} 個",
    needlesPicture: "あなたが落とした針の図：線と交わった針 {hits} 本、交わらない針 {misses} 本",
    leave: "退出",
    mine: "あなたの結果",
    class: "クラス全体",
    throws: "投げた数",
    pointHits: "円に入った数",
    needleHits: "線と交わった数",
    estimate: "π の推定値",
    announce: "クラスの π の推定値は {estimate}（{n} 回）",
    connecting: "接続しています…",
    lost: "接続が切れました。つなぎ直しています…",
    unreachable: "先生のパソコンにつながりません。アドレスを確かめてください。",
    badCode: "コードは先生の画面に出ている 4〜8 文字の英数字です。",
    left: "退出しました。",
    "wrong-code": "コードが違います。先生の画面のコードを確かめてください。",
    "joining-locked": "先生が参加を締め切りました。",
    "session-full": "クラスが満員です。",
    removed: "先生がこの参加を取り消しました。",
    "unknown-token": "前の参加は終わっています。もう一度参加してください。",
    "over-rate": "送るのが速すぎます。少し待ってください。",
    "bad-character": "ニックネームに使えない文字があります。",
    other: "先生のパソコンが受け付けませんでした（{reason}）。",
  },
  en: {
    title: "Sorvena class experiment",
    intro: "Type the code shown on the teacher's screen, then press Join.",
    code: "Code",
    nickname: "Nickname (optional)",
    join: "Join",
    you: "You are {name}",
    points: "Experiment: throwing points (Monte Carlo)",
    needles: "Experiment: throwing needles (Buffon's needle)",
    throw: "Keep throwing",
    throwCount: "Throw {n}",
    stop: "Stop",
    pointsPicture: "Your points: {hits} inside the circle, {misses} outside",
    needlesPicture: "Your needles: {hits} crossing a line, {misses} not",
    leave: "Leave",
    mine: "Your throws",
    class: "The whole class",
    throws: "Throws",
    pointHits: "Inside the circle",
    needleHits: "Crossing a line",
    estimate: "Estimate of π",
    announce: "The class's estimate of π is {estimate} ({n} throws)",
    connecting: "Connecting…",
    lost: "The connection was lost. Reconnecting…",
    unreachable: "Cannot reach the teacher's computer. Check the address.",
    badCode: "The code is the 4 to 8 letters and digits on the teacher's screen.",
    left: "You have left.",
    "wrong-code": "That code is wrong. Check the code on the teacher's screen.",
    "joining-locked": "The teacher has closed joining.",
    "session-full": "The class is full.",
    removed: "The teacher has removed you from the session.",
    "unknown-token": "Your earlier place has ended. Please join again.",
    "over-rate": "Sending too fast. Please wait a moment.",
    "bad-character": "The nickname has a character that cannot be used.",
    other: "The teacher's computer refused this ({reason}).",
  },
};

const language = navigator.language && navigator.language.toLowerCase().startsWith("ja") ? "ja" : "en";
const text = (key, values = {}) =>
  (texts[language][key] ?? key).replace(/\{(\w+)\}/g, (_, name) => String(values[name]));

// At most one chunk this often, well inside the teacher's rate limit and
// slow enough for the numbers to be watched.
const chunkIntervalMs = 100;
// The picture starts afresh past this many marks, so that it stays quick.
const marksKept = 20000;
const throwsPerSlice = 1000;
const announceIntervalMs = 5000;
const reconnectDelaysMs = [1000, 2000, 4000, 8000];
const retryMs = 1000;
// The protocol wants a nickname; a pupil who gives none is shown by the
// pseudonym the teacher assigns anyway.
const noNickname = "-";
const storeKey = "sorvena-class";

const $ = (id) => document.getElementById(id);
const ui = {
  alert: $("alert"), form: $("join"), code: $("code"), nickname: $("nickname"),
  throwing: $("throwing"), you: $("you"), experiment: $("experiment"), toggle: $("toggle"), leave: $("leave"),
  counts: [...document.querySelectorAll("button.count")], picture: $("picture"),
  hitsLabel: $("hits-label"), mineThrows: $("mine-throws"), mineHits: $("mine-hits"), mineEstimate: $("mine-estimate"),
  classThrows: $("class-throws"), classEstimate: $("class-estimate"), announce: $("announce"),
};

const numbers = new Intl.NumberFormat(language === "ja" ? "ja-JP" : "en");
const estimates = new Intl.NumberFormat(language === "ja" ? "ja-JP" : "en",
  { minimumFractionDigits: 5, maximumFractionDigits: 5 });

const state = {
  socket: null,
  joined: false,
  leaving: false,
  throwing: false, // until Stop
  budget: 0, // throws still asked for by the count buttons
  marks: 0,
  experiment: null,
  assignment: null, // the chunk the teacher waits for
  working: null, // the assignment being thrown now
  sent: null, // a chunk sent, counted once the teacher moves on
  lastSent: 0,
  mine: { n: 0, hits: 0 },
  retries: 0,
  lastAnnounce: 0,
  announceTimer: 0,
  pendingAnnounce: "",
};

function saved() {
  try {
    return JSON.parse(sessionStorage.getItem(storeKey)) ?? null;
  } catch {
    return null;
  }
}
function save(value) {
  if (value) sessionStorage.setItem(storeKey, JSON.stringify(value));
  else sessionStorage.removeItem(storeKey);
}

function say(message) {
  ui.alert.textContent = message;
}

function estimateOf(experiment, n, hits) {
  if (n === 0 || (experiment === "needles" && hits === 0)) return null;
  return experiment === "needles" ? n / hits : (4 * hits) / n;
}
const shownEstimate = (value) => (value === null || value === undefined ? "—" : estimates.format(value));

function showMine() {
  ui.mineThrows.textContent = numbers.format(state.mine.n);
  ui.mineHits.textContent = numbers.format(state.mine.hits);
  ui.mineEstimate.textContent = shownEstimate(estimateOf(state.experiment, state.mine.n, state.mine.hits));
  describePicture();
}

// The same picture as the teacher's window: points in a square with its
// quarter circle, or needles across lines as far apart as two needles.
function clearPicture() {
  const canvas = ui.picture, g = canvas.getContext("2d"), size = canvas.width;
  state.marks = 0;
  g.fillStyle = "#fff";
  g.fillRect(0, 0, size, size);
  g.strokeStyle = "#0072b2";
  g.lineWidth = 2;
  if (state.experiment === "needles") {
    for (let y = size / 8; y < size; y += size / 4) {
      g.beginPath();
      g.moveTo(0, y);
      g.lineTo(size, y);
      g.stroke();
    }
  } else {
    g.strokeRect(1, 1, size - 2, size - 2);
    g.beginPath();
    g.arc(0, size, size, -Math.PI / 2, 0);
    g.stroke();
  }
}

function draw(mark) {
  const canvas = ui.picture, g = canvas.getContext("2d"), size = canvas.width;
  if (state.marks >= marksKept) clearPicture();
  state.marks++;
  g.fillStyle = g.strokeStyle = mark.hit ? "#d55e00" : "#56b4e9";
  if (state.experiment === "needles") {
    // Only the distance to the nearest line decides; where along it, and
    // which line, is the picture's own choice.
    const spacing = size / 4, half = spacing / 4;
    const line = size / 8 + spacing * Math.floor(Math.random() * 4);
    const y = line + (Math.random() < 0.5 ? -1 : 1) * mark.distance * (spacing / 2);
    const x = Math.random() * size;
    g.lineWidth = mark.hit ? 2 : 1;
    g.beginPath();
    g.moveTo(x - half * mark.cos, y - half * mark.sin);
    g.lineTo(x + half * mark.cos, y + half * mark.sin);
    g.stroke();
  } else {
    g.fillRect(mark.x * size - 1, size - mark.y * size - 1, 3, 3);
  }
}

function describePicture() {
  const misses = state.mine.n - state.mine.hits;
  ui.picture.setAttribute("aria-label", text(state.experiment === "needles" ? "needlesPicture" : "pointsPicture",
    { hits: numbers.format(state.mine.hits), misses: numbers.format(misses) }));
}

function showExperiment(experiment) {
  if (experiment === state.experiment) return;
  state.experiment = experiment;
  clearPicture();
  ui.experiment.textContent = text(experiment);
  ui.hitsLabel.textContent = text(experiment === "needles" ? "needleHits" : "pointHits");
  showMine();
}

const busy = () => state.throwing || state.budget > 0;

function showToggle() {
  ui.toggle.textContent = text(busy() ? "stop" : "throw");
  ui.toggle.classList.toggle("stop", busy());
}

// The live region speaks the class's estimate, but not more often than a
// listener can follow.
function announce(message) {
  state.pendingAnnounce = message;
  if (state.announceTimer) return;
  const wait = Math.max(0, state.lastAnnounce + announceIntervalMs - Date.now());
  state.announceTimer = setTimeout(() => {
    state.announceTimer = 0;
    state.lastAnnounce = Date.now();
    ui.announce.textContent = state.pendingAnnounce;
  }, wait);
}

function showForm() {
  ui.throwing.hidden = true;
  ui.form.hidden = false;
}

function send(message) {
  if (state.socket && state.socket.readyState === WebSocket.OPEN)
    state.socket.send(JSON.stringify({ v: 1, ...message }));
}

function connect(join) {
  say(text("connecting"));
  const socket = new WebSocket(`${location.protocol === "https:" ? "wss:" : "ws:"}//${location.host}/socket`);
  state.socket = socket;
  state.leaving = false;
  let opened = false;
  socket.addEventListener("open", () => {
    opened = true;
    const message = { type: "join", code: join.code, nickname: join.nickname };
    if (join.token) message.token = join.token;
    send(message);
  });
  socket.addEventListener("message", (event) => {
    let message;
    try {
      message = JSON.parse(event.data);
    } catch {
      return;
    }
    if (message && message.v === 1) receive(message, join);
  });
  socket.addEventListener("close", () => {
    if (state.socket !== socket) return;
    state.socket = null;
    // What the closed socket was given ends with it; a rejoin brings a new assignment.
    state.assignment = null;
    state.working = null;
    state.sent = null;
    const token = saved()?.token;
    if (state.leaving || !token) {
      if (!opened && !state.leaving) say(text("unreachable"));
      state.joined = false;
      showForm();
      return;
    }
    // Dropped while joined: rejoin with the token, a little later each time.
    say(text("lost"));
    const delay = reconnectDelaysMs[Math.min(state.retries++, reconnectDelaysMs.length - 1)];
    setTimeout(() => connect(saved() ?? join), delay);
  });
}

function receive(message, join) {
  switch (message.type) {
    case "welcome":
      state.joined = true;
      state.retries = 0;
      save({ code: join.code, nickname: join.nickname, token: String(message.token) });
      say("");
      ui.you.textContent = text("you", { name: String(message.pseudonym) });
      ui.form.hidden = true;
      ui.throwing.hidden = false;
      showToggle();
      ui.toggle.focus();
      break;
    case "assign":
      say("");
      if (state.sent) {
        state.mine.n += state.sent.throws;
        state.mine.hits += state.sent.hits;
        state.sent = null;
        showMine();
      }
      showExperiment(message.experiment);
      state.assignment = { chunk: message.chunk, seed: message.seed, throws: message.throws };
      work();
      break;
    case "pool": {
      showExperiment(message.experiment);
      ui.classThrows.textContent = numbers.format(message.n);
      ui.classEstimate.textContent = shownEstimate(message.estimate);
      if (typeof message.estimate === "number")
        announce(text("announce", { estimate: shownEstimate(message.estimate), n: numbers.format(message.n) }));
      break;
    }
    case "refused":
      refused(String(message.reason));
      break;
  }
}

function refused(reason) {
  say(text(reason in texts[language] ? reason : "other", { reason }));
  // Too fast: the same chunk again, a little later.
  const again = state.sent;
  if (reason === "over-rate" && again) {
    setTimeout(() => state.sent === again && send(again.message), retryMs);
    return;
  }
  state.sent = null;
  // Past these, this place in the class is over: back to the form.
  const final = ["wrong-code", "joining-locked", "session-full", "removed", "unknown-token", "bad-character"];
  if (!state.joined || final.includes(reason)) {
    save(null);
    state.joined = false;
    state.throwing = false;
    state.budget = 0;
    state.leaving = true;
    state.socket?.close();
    showForm();
    ui.code.focus();
  }
}

// Throws the outstanding assignment in slices, so that the page stays
// responsive on a slow phone, then sends it.
function work() {
  if (!busy() || state.working || !state.assignment || state.sent) return;
  const assignment = state.assignment;
  const engine = new MT19937(assignment.seed);
  const at = state.experiment === "needles" ? needleAt : pointAt;
  const job = { done: 0, hits: 0 };
  state.working = job;
  const slice = () => {
    if (state.working !== job) return;
    if (!busy()) {
      state.working = null;
      return;
    }
    const end = Math.min(assignment.throws, job.done + throwsPerSlice);
    for (; job.done < end; job.done++) {
      const mark = at(engine);
      if (mark.hit) job.hits++;
      draw(mark);
    }
    if (job.done < assignment.throws) {
      setTimeout(slice, 0);
      return;
    }
    const wait = state.lastSent + chunkIntervalMs - Date.now();
    if (wait > 0) {
      setTimeout(slice, wait);
      return;
    }
    state.working = null;
    state.assignment = null;
    state.budget = Math.max(0, state.budget - assignment.throws);
    showToggle();
    const message = { type: "chunk", chunk: assignment.chunk, seed: assignment.seed, throws: assignment.throws,
      hits: job.hits };
    state.sent = { throws: assignment.throws, hits: job.hits, message };
    state.lastSent = Date.now();
    send(message);
  };
  slice();
}

ui.form.addEventListener("submit", (event) => {
  event.preventDefault();
  const code = ui.code.value.replace(/\s+/g, "").toUpperCase();
  ui.code.value = code;
  if (!/^[0-9A-Z]{4,8}$/.test(code)) {
    say(text("badCode"));
    ui.code.focus();
    return;
  }
  const nickname = ui.nickname.value.trim() || noNickname;
  state.mine = { n: 0, hits: 0 };
  showMine();
  connect({ code, nickname });
});

ui.toggle.addEventListener("click", () => {
  const stop = busy();
  state.throwing = !stop;
  state.budget = 0;
  showToggle();
  work();
});

// Each press asks for that many throws more, in the teacher's chunks.
for (const button of ui.counts) {
  const count = Number(button.dataset.count);
  button.textContent = text("throwCount", { n: numbers.format(count) });
  button.addEventListener("click", () => {
    state.budget += count;
    showToggle();
    work();
  });
}

ui.leave.addEventListener("click", () => {
  send({ type: "leave" });
  save(null);
  state.throwing = false;
  state.budget = 0;
  state.joined = false;
  state.leaving = true;
  state.socket?.close();
  showForm();
  say(text("left"));
  ui.code.focus();
});

document.documentElement.lang = language;
for (const element of document.querySelectorAll("[data-text]")) element.textContent = text(element.dataset.text);
document.title = text("title");
showToggle();
ui.leave.classList.add("secondary");
const query = new URLSearchParams(location.search).get("code");
if (query) ui.code.value = query.toUpperCase();
const earlier = saved();
if (earlier?.token) {
  ui.code.value = earlier.code;
  if (earlier.nickname !== noNickname) ui.nickname.value = earlier.nickname;
  connect(earlier);
} else {
  ui.form.hidden = false;
}
