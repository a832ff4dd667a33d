'use strict';
// The lesson editor's page: the lesson from the server, the page and recording views, the item
// list with the checks beside each item, keys, saving and building. Every address is relative
// to the page's own, which carries the editor's key.
(() => {
  const $ = (id) => document.getElementById(id);
  const state = { lesson: null, original: null, page: 0, selected: null, images: new Map(), summaries: new Map() };
  const player = $('player');

  const pageView = new PageView($('page'), {
    select: (i) => select(i), clicked: (i) => play(i), changed: () => edited(), drawn: (rect) => addItem(rect),
  });
  const waveView = new WaveView($('overview'), $('detail'), {
    select: (i) => select(i), changed: () => edited(), edge: () => {},
  });

  const page = () => state.lesson.pages[state.page];
  const copy = (value) => JSON.parse(JSON.stringify(value));

  function say(text, error = false) {
    $('status').textContent = text;
    $('status').className = error ? 'error' : '';
  }

  async function request(path, body, asked) {
    const response = await (asked ?? fetch(path, body === undefined ? {} : { method: 'POST', body: JSON.stringify(body) }));
    const answer = response.status === 204 ? {} : await response.json();
    return { ok: response.ok, status: response.status, answer };
  }

  async function load(keep) {
    const { ok, answer } = await request('lesson', undefined, keep ? undefined : window.lessonAsked);
    if (!ok) return say(answer.error, true);
    state.lesson = answer;
    state.original = copy(answer);
    pageView.view = answer.view;
    $('file').textContent = answer.file;
    if (!$('folder').value) $('folder').value = answer.build_folder;
    $('tabs').replaceChildren(...answer.pages.map((p, i) => {
      const tab = document.createElement('button');
      const number = answer.pages.slice(0, i + 1).filter((q) => q.lesson === p.lesson).length;
      tab.textContent = `Lesson ${p.lesson} · page ${number}`;
      tab.addEventListener('click', () => showPage(i, 0));
      return tab;
    }));
    const at = keep ? Math.min(state.page, answer.pages.length - 1) : 0;
    await showPage(at, keep ? state.selected : 0);
  }

  function image(src) {
    if (!src) return Promise.resolve(null);
    if (!state.images.has(src)) {
      state.images.set(src, new Promise((done) => {
        const img = new Image();
        img.onload = () => done(img);
        img.onerror = () => done(null);
        img.src = src;
      }));
    }
    return state.images.get(src);
  }

  function summary(sound) {
    if (!state.summaries.has(sound)) {
      state.summaries.set(sound, fetch('waveform/' + encodeURIComponent(sound))
        .then((r) => r.arrayBuffer()).then((bytes) => new Int8Array(bytes)));
    }
    return state.summaries.get(sound);
  }

  async function showPage(index, selected) {
    state.page = index;
    [...$('tabs').children].forEach((tab, i) => tab.classList.toggle('current', i === index));
    // The recordings' summaries are fetched while the picture comes.
    page().items.forEach((item) => { if (state.lesson.sounds[item.audio] !== undefined) summary(item.audio); });
    pageView.show(page(), await image(page().picture), page().items);
    const sounded = page().items.some((item) => state.lesson.sounds[item.audio] !== undefined);
    $('overview').hidden = $('detail').hidden = !sounded;
    $('recording-title').textContent = sounded ? '' : 'No recording on this page: areas only.';
    list();
    await select(page().items.length ? Math.min(selected ?? 0, page().items.length - 1) : null);
  }

  const shown = (i) => !page().items[i].deleted;

  function checksFor(p, i) {
    return state.lesson.checks.filter((c) => c.page === p && c.item === i).map((c) => c.text);
  }

  function fill(list, texts) {
    list.replaceChildren(...texts.map((text) => Object.assign(document.createElement('li'), { textContent: text })));
  }

  function list() {
    fill($('lesson-checks'), checksFor(null, null));
    fill($('page-checks'), checksFor(state.page, null));
    $('items').replaceChildren(...page().items.map((item, i) => {
      const row = document.createElement('li');
      row.hidden = !!item.deleted;
      row.addEventListener('click', () => select(i).then(() => play(i)));
      row.replaceChildren(...rowParts(item, i));
      return row;
    }));
    markRows();
  }

  function rowParts(item, i) {
    const part = (cls, text) => Object.assign(document.createElement('span'), { className: cls, textContent: text });
    const parts = [part('number', String(i + 1))];
    if (item.role) parts.push(part('role', item.role + ':'));
    parts.push(part('say', item.say || (item.isNew ? '(new item)' : '')));
    if (item.audio) parts.push(part('times', `${item.audio} ${(item.from ?? 0).toFixed(3)} – ${item.to === null ? 'end' : item.to.toFixed(3)} s`));
    for (const text of checksFor(state.page, i)) parts.push(part('check', text));
    return parts;
  }

  function markRows() {
    const rows = $('items').children, changed = new Set(changes().filter((c) => c.page === state.page).map((c) => c.item));
    page().items.forEach((item, i) => {
      rows[i].classList.toggle('selected', i === state.selected);
      rows[i].classList.toggle('changed', changed.has(i) || !!item.isNew);
    });
  }

  async function select(i) {
    state.selected = i;
    pageView.select(i);
    markRows();
    $('delete').disabled = i === null;
    if (i === null) return;
    $('items').children[i].scrollIntoView({ block: 'nearest' });
    const item = page().items[i], seconds = state.lesson.sounds[item.audio];
    if (seconds === undefined) {
      if (item.audio || item.say) $('recording-title').textContent = `Item ${i + 1} has no recording to cut.`;
      return;
    }
    $('recording-title').textContent = `${item.audio} (${seconds.toFixed(1)} s) · item ${i + 1}`;
    waveView.show(item.audio, seconds, await summary(item.audio), page().items, i);
  }

  function play(i) {
    const item = page().items[i];
    if (!item || state.lesson.sounds[item.audio] === undefined) return;
    const from = item.from ?? 0, to = item.to ?? state.lesson.sounds[item.audio];
    player.src = `cut?page=${state.page}&item=${i}&audio=${encodeURIComponent(item.audio)}&from=${from.toFixed(3)}&to=${to.toFixed(3)}`;
    player.dataset.item = String(i);
    player.play().catch((error) => say('The cut can\'t be played: ' + error.message, true));
    const step = () => {
      waveView.playAt = player.paused || player.ended ? null : from + player.currentTime * item.tempo;
      waveView.draw();
      if (waveView.playAt !== null) requestAnimationFrame(step);
    };
    player.onplaying = step;
    player.onpause = step;
    say(`Playing item ${i + 1}: ${from.toFixed(3)} – ${to.toFixed(3)} s`);
  }

  // What differs from the file as read: these numbers, and only these, are written.
  function changes() {
    const out = [];
    state.lesson.pages.forEach((p, pi) => p.items.forEach((item, i) => {
      const before = state.original.pages[pi].items[i];
      if (item.isNew || item.deleted) return;
      for (const key of ['rect', 'role_rect']) {
        if (item[key] && JSON.stringify(item[key]) !== JSON.stringify(before[key])) out.push({ page: pi, item: i, key, values: item[key] });
      }
      for (const key of ['from', 'to']) {
        const ms = (v) => (v === null || v === undefined ? null : Math.round(v * 1000));
        if (item[key] !== null && ms(item[key]) !== ms(before[key])) out.push({ page: pi, item: i, key, values: [item[key]] });
      }
    }));
    return out;
  }

  function newItems() {
    const out = [];
    state.lesson.pages.forEach((p, pi) => p.items.forEach((item) => {
      if (item.isNew) out.push({ page: pi, rect: item.rect, ...(item.audio ? { audio: item.audio, from: item.from, to: item.to } : {}) });
    }));
    return out;
  }

  function deleted() {
    const out = [];
    state.lesson.pages.forEach((p, pi) => p.items.forEach((item, i) => { if (item.deleted) out.push({ page: pi, item: i }); }));
    return out;
  }

  const pending = () => changes().length + newItems().length + deleted().length;

  function edited() {
    const count = pending();
    $('save').disabled = count === 0;
    $('save').textContent = count ? `Save (${count})` : 'Save';
    const row = $('items').children[state.selected];
    if (row) row.replaceChildren(...rowParts(page().items[state.selected], state.selected));
    markRows();
  }

  // On a page whose items cut a recording, a new item cuts it too, so that it plays once built:
  // from the end of the cut read before it (by the areas' tops) to the start of the one after.
  function newCut(rect) {
    const sounded = page().items.filter((it) => !it.deleted && it.rect && state.lesson.sounds[it.audio] !== undefined);
    const chosen = page().items[state.selected];
    const audio = sounded.includes(chosen) ? chosen.audio : sounded[0]?.audio;
    if (!audio) return { audio: '', from: null, to: null, tempo: 1 };
    const length = state.lesson.sounds[audio], cuts = sounded.filter((it) => it.audio === audio);
    let from = Math.max(0, ...cuts.filter((it) => it.rect[1] <= rect[1]).map((it) => it.to ?? length));
    if (from > length - 0.1) from = Math.max(0, length - 1);
    const next = Math.min(length, ...cuts.filter((it) => it.rect[1] > rect[1]).map((it) => it.from ?? 0));
    const to = next > from + 0.1 ? next : Math.min(length, from + 1);
    return { audio, from: Math.round(from * 1000) / 1000, to: Math.round(to * 1000) / 1000, tempo: cuts[0].tempo };
  }

  function addItem(rect) {
    page().items.push({ rect, line: null, role: '', role_rect: null, say: '', ...newCut(rect), isNew: true });
    list();
    select(page().items.length - 1);
    edited();
  }

  // An item read from the file is marked, so that the others keep their places until saved.
  function removeItem(i) {
    if (i === null) return;
    if (page().items[i].isNew) page().items.splice(i, 1);
    else page().items[i].deleted = true;
    list();
    const indexes = page().items.map((_, j) => j).filter(shown);
    select(indexes.find((j) => j >= i) ?? indexes.pop() ?? null);
    edited();
    say(`Item ${i + 1} deleted: Save to write it`);
  }

  // The next item shown, after (step 1) or before (step -1) the selected one.
  function nextItem(step) {
    const count = page().items.length;
    for (let k = 1; k <= count; ++k) {
      const j = (state.selected + step * k + count * k) % count;
      if (shown(j)) return j;
    }
    return state.selected;
  }

  async function save() {
    const body = { revision: state.lesson.revision, changes: changes(), new_items: newItems(), deleted: deleted() };
    if (!pending()) return true;
    const { ok, answer } = await request('save', body);
    if (!ok) {
      say(answer.error, true);
      return false;
    }
    await load(true);
    edited();
    say(`Saved ${answer.saved}`);
    return true;
  }

  async function build() {
    if (!(await save())) return;
    say('Building…');
    const { ok, answer } = await request('build', { folder: $('folder').value, open: $('open-after').checked });
    $('report').hidden = false;
    $('report').textContent = ok ? answer.report : answer.error;
    await load(true);
    if (ok) say(`Built into ${answer.folder}` + (answer.opened ? ', opened in Zorva' : ''), answer.checks.length > 0);
    else say('The course was not built: see the message below', true);
  }

  function keys(e) {
    if ((e.ctrlKey || e.metaKey) && e.key === 's') {
      e.preventDefault();
      save();
      return;
    }
    if (e.target instanceof HTMLInputElement || state.selected === null) return;
    const px = e.shiftKey ? 10 : 1, s = e.shiftKey ? 0.1 : 0.01;
    // Ctrl with an arrow moves the selected area; an arrow alone moves the cut's edge.
    const actions = e.ctrlKey ? {
      ArrowLeft: () => pageView.nudge(-px, 0),
      ArrowRight: () => pageView.nudge(px, 0),
      ArrowUp: () => pageView.nudge(0, -px),
      ArrowDown: () => pageView.nudge(0, px),
    } : {
      ' ': () => play(state.selected),
      ArrowLeft: () => waveView.nudge(-s),
      ArrowRight: () => waveView.nudge(s),
      '[': () => waveView.setEdge('from'),
      ']': () => waveView.setEdge('to'),
      Tab: () => select(nextItem(e.shiftKey ? -1 : 1)),
      Delete: () => removeItem(state.selected),
    };
    if (!actions[e.key]) return;
    e.preventDefault();
    actions[e.key]();
  }

  document.addEventListener('keydown', keys);
  $('save').addEventListener('click', save);
  $('delete').addEventListener('click', () => removeItem(state.selected));
  $('build').addEventListener('click', build);
  window.addEventListener('resize', () => waveView.draw());
  // The editor stops when its page is gone; a reload comes back within its grace.
  const alive = () => fetch('alive', { method: 'POST' }).catch(() => say('The editor has stopped.', true));
  setInterval(alive, 2000);
  alive();
  window.addEventListener('pagehide', () => navigator.sendBeacon('closed'));
  window.addEventListener('beforeunload', (e) => { if (pending()) e.preventDefault(); });
  load(false).then(() => {
    document.body.dataset.ready = 'yes';
    document.body.dataset.readyMs = performance.now().toFixed(1);
  }, (error) => say('The lesson could not be loaded: ' + error.message, true));
})();
