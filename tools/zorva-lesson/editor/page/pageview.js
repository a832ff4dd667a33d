'use strict';
// The page as Zorva shows it, with every item's area numbered over it: drag an area to move it,
// its edges and corners to resize it, or draw on the picture for a new item; Ctrl+arrows move the
// selected item's area.
window.PageView = class PageView {
  static GRIP = 6;
  static UNSEEN = 'rgba(60, 60, 60, 0.28)';

  constructor(canvas, events) {
    this.canvas = canvas;
    this.ctx = canvas.getContext('2d');
    this.events = events;  // select(index), clicked(index), changed(), drawn(rect)
    this.items = [];
    this.selected = null;
    this.area = 'rect';  // the selected item's area the keys move
    this.drag = null;
    // Where Zorva shows the picture and draws the page's information line over it, in the
    // picture's pixels ({shown, info}: [left, top, right, bottom]), as the editor says.
    this.view = null;
    canvas.addEventListener('pointerdown', (e) => this.down(e));
    canvas.addEventListener('pointermove', (e) => this.move(e));
    canvas.addEventListener('pointerup', (e) => this.up(e));
  }

  show(page, image, items) {
    this.page = page;
    this.image = image;
    this.items = items;
    // The view reaches past a small picture as far as the information line, which Zorva draws
    // beside it; areas stay on the picture.
    this.W = page.width;
    this.H = page.height;
    this.canvas.width = Math.max(page.width, this.view ? this.view.info[2] : 0);
    this.canvas.height = Math.max(page.height, this.view ? this.view.info[3] : 0);
    this.draw();
  }

  select(index) {
    this.selected = index;
    this.area = 'rect';
    this.draw();
  }

  // Moves the selected item's area (the one last grabbed) by (dx, dy) pixels, kept on the picture.
  nudge(dx, dy) {
    const item = this.items[this.selected];
    if (!item) return;
    const movable = (key) => item[key] && !(key === 'rect' && item.line);
    const key = movable(this.area) ? this.area : movable('role_rect') ? 'role_rect' : null;
    if (!key) return;
    item[key] = PageView.moved(item[key], 'move', dx, dy, this.W, this.H);
    this.events.changed();
    this.draw();
  }

  draw() {
    const ctx = this.ctx, { width, height } = this.canvas;
    ctx.fillStyle = '#c8c8c0';
    ctx.fillRect(0, 0, width, height);
    ctx.fillStyle = '#fff';
    ctx.fillRect(0, 0, this.W, this.H);
    if (this.image) ctx.drawImage(this.image, 0, 0);
    if (this.view) this.drawUnseen();
    this.items.forEach((item, i) => { if (!item.deleted) this.drawItem(item, i); });
    if (this.drag && this.drag.kind === 'new') this.box(this.drag.rect, '#0a8f3c', 2, [6, 4]);
  }

  // What the learner does not see of the picture is shaded: the rows above the view, what lies
  // past its right and bottom edges, and the strip Zorva paints the information line over.
  drawUnseen() {
    const ctx = this.ctx, { width, height } = this.canvas, [, top, right, bottom] = this.view.shown;
    const [il, it, ir, ib] = this.view.info;
    ctx.fillStyle = '#fff';
    ctx.fillRect(il, it, ir - il, ib - it);
    ctx.save();
    ctx.beginPath();
    ctx.rect(il, it, ir - il, ib - it);
    ctx.clip();
    ctx.fillStyle = '#000';
    ctx.font = 'bold 13px sans-serif';
    ctx.fillText(this.page.info || '', il, it + 14);
    ctx.restore();
    ctx.fillStyle = PageView.UNSEEN;
    ctx.fillRect(0, 0, width, top);
    ctx.fillRect(right, top, Math.max(0, width - right), height);
    ctx.fillRect(0, bottom, Math.min(width, right), Math.max(0, height - bottom));
    ctx.fillRect(il, it, ir - il, ib - it);
  }

  drawItem(item, i) {
    const chosen = i === this.selected;
    if (item.role_rect) this.box(item.role_rect, '#d07000', chosen ? 3 : 1.5);
    if (!item.rect) return;
    const [l, t, r, b] = item.rect;
    if (chosen) {
      this.ctx.fillStyle = 'rgba(40, 110, 255, 0.12)';
      this.ctx.fillRect(l, t, r - l, b - t);
    }
    this.box(item.rect, item.line ? '#7a7a7a' : '#1f5fbf', chosen ? 3 : 1.5, item.line ? [4, 3] : []);
    const label = String(i + 1);
    this.ctx.font = 'bold 12px sans-serif';
    const w = this.ctx.measureText(label).width + 6;
    this.ctx.fillStyle = chosen ? '#1f5fbf' : 'rgba(31, 95, 191, 0.85)';
    this.ctx.fillRect(l, t, w, 15);
    this.ctx.fillStyle = '#fff';
    this.ctx.fillText(label, l + 3, t + 12);
  }

  box([l, t, r, b], colour, width, dash = []) {
    const ctx = this.ctx;
    ctx.save();
    ctx.strokeStyle = colour;
    ctx.lineWidth = width;
    ctx.setLineDash(dash);
    ctx.strokeRect(l + 0.5, t + 0.5, r - l - 1, b - t - 1);
    ctx.restore();
  }

  // Which area, and which part of it, lies under a point: the selected item first.
  hit(x, y) {
    const order = this.items.map((_, i) => i);
    if (this.selected !== null) order.unshift(this.selected);
    for (const i of order) {
      if (this.items[i].deleted) continue;
      for (const key of ['role_rect', 'rect']) {
        const r = this.items[i][key];
        if (!r || (key === 'rect' && this.items[i].line)) continue;
        const g = PageView.GRIP;
        if (x < r[0] - g || x > r[2] + g || y < r[1] - g || y > r[3] + g) continue;
        const part = (Math.abs(y - r[1]) <= g ? 'n' : Math.abs(y - r[3]) <= g ? 's' : '') +
                     (Math.abs(x - r[0]) <= g ? 'w' : Math.abs(x - r[2]) <= g ? 'e' : '');
        if (part || (x >= r[0] && x <= r[2] && y >= r[1] && y <= r[3])) return { index: i, key, part: part || 'move' };
      }
    }
    return null;
  }

  point(e) {
    const box = this.canvas.getBoundingClientRect();
    return [Math.round((e.clientX - box.left) * this.canvas.width / box.width),
            Math.round((e.clientY - box.top) * this.canvas.height / box.height)];
  }

  down(e) {
    const [x, y] = this.point(e);
    const hit = this.hit(x, y);
    this.canvas.setPointerCapture(e.pointerId);
    if (hit) {
      this.drag = { ...hit, kind: 'area', from: [x, y], start: this.items[hit.index][hit.key].slice() };
      if (hit.index !== this.selected) this.events.select(hit.index);
      this.area = hit.key;
    } else {
      this.drag = { kind: 'new', from: [x, y], rect: [x, y, x, y] };
    }
  }

  move(e) {
    const [x, y] = this.point(e);
    if (!this.drag) {
      const hit = this.hit(x, y);
      const cursors = { move: 'move', n: 'ns-resize', s: 'ns-resize', e: 'ew-resize', w: 'ew-resize',
                        nw: 'nwse-resize', se: 'nwse-resize', ne: 'nesw-resize', sw: 'nesw-resize' };
      this.canvas.style.cursor = hit ? cursors[hit.part] : 'crosshair';
      return;
    }
    const d = this.drag, W = this.W, H = this.H;
    if (d.kind === 'new') {
      const [x0, y0] = d.from;
      d.rect = [Math.max(0, Math.min(x0, x)), Math.max(0, Math.min(y0, y)), Math.min(W, Math.max(x0, x)), Math.min(H, Math.max(y0, y))];
    } else {
      this.items[d.index][d.key] = PageView.moved(d.start, d.part, x - d.from[0], y - d.from[1], W, H);
      this.events.changed();
    }
    this.draw();
  }

  // The area dragged by (dx, dy) at `part`, kept on the picture and at least 2 pixels wide and high.
  static moved([l, t, r, b], part, dx, dy, W, H) {
    if (part === 'move') {
      dx = Math.max(-l, Math.min(W - r, dx));
      dy = Math.max(-t, Math.min(H - b, dy));
      return [l + dx, t + dy, r + dx, b + dy];
    }
    if (part.includes('w')) l = Math.max(0, Math.min(r - 2, l + dx));
    if (part.includes('e')) r = Math.min(W, Math.max(l + 2, r + dx));
    if (part.includes('n')) t = Math.max(0, Math.min(b - 2, t + dy));
    if (part.includes('s')) b = Math.min(H, Math.max(t + 2, b + dy));
    return [l, t, r, b];
  }

  up(e) {
    const d = this.drag;
    this.drag = null;
    if (d && d.kind === 'new' && d.rect[2] - d.rect[0] >= 4 && d.rect[3] - d.rect[1] >= 4) this.events.drawn(d.rect);
    if (d && d.kind === 'area' && String(d.start) === String(this.items[d.index][d.key])) this.events.clicked(d.index);
    this.canvas.releasePointerCapture(e.pointerId);
    this.draw();
  }
};
