'use strict';
// The recording an item is cut from: the whole of it above (every item's cut as a span), the
// selected cut and a little either side below, with edges to drag. Both are drawn from the
// server's summary (the quietest and loudest sample of every 10 ms), never from the samples.
window.WaveView = class WaveView {
  static COLUMNS_PER_SECOND = 100;
  static GRIP = 7;

  constructor(overview, detail, events) {
    this.overview = overview;
    this.detail = detail;
    this.events = events;  // select(index), changed(), edge(name)
    this.items = [];
    this.selected = null;
    this.edge = 'to';
    this.playAt = null;
    detail.addEventListener('pointerdown', (e) => this.down(e));
    detail.addEventListener('pointermove', (e) => this.move(e));
    detail.addEventListener('pointerup', (e) => this.up(e));
    overview.addEventListener('pointerdown', (e) => this.pick(e));
  }

  show(sound, seconds, summary, items, selected) {
    Object.assign(this, { sound, seconds, summary, items, selected });
    this.frame();
    this.draw();
  }

  // The detail view's stretch: the selected cut with a quarter of its length (at least 0.5 s) around it.
  frame() {
    const cut = this.cut(this.selected);
    if (!cut) return;
    const pad = Math.max(0.5, (cut.to - cut.from) / 4);
    this.start = Math.max(0, cut.from - pad);
    this.end = Math.min(this.seconds, cut.to + pad);
    this.detail.dataset.start = this.start.toFixed(3);
    this.detail.dataset.end = this.end.toFixed(3);
    this.fetchDetail();
  }

  // Zoomed in, the 10 ms summary is coarser than the pixels: the server summarises the stretch
  // shown at one column a pixel, and the view uses it once it has come.
  fetchDetail() {
    const W = Math.max(100, Math.round(this.detail.clientWidth)), key = [this.sound, W, this.start, this.end].join();
    if (this.fine && this.fine.key === key) return;
    const url = `waveform/${encodeURIComponent(this.sound)}?from=${this.start}&to=${this.end}&columns=${W}`;
    fetch(url).then((r) => (r.ok ? r.arrayBuffer() : Promise.reject())).then((bytes) => {
      this.fine = { key, columns: new Int8Array(bytes) };
      this.draw();
    }, () => {});
  }

  cut(index) {
    const item = this.items[index];
    if (!item || item.deleted || item.audio !== this.sound) return null;
    return { from: item.from ?? 0, to: item.to ?? this.seconds };
  }

  setEdge(edge) {
    this.edge = edge;
    this.events.edge(edge);
    this.draw();
  }

  // Moves the chosen edge of the selected cut, kept inside the recording and 10 ms from the other.
  nudge(delta) {
    const cut = this.cut(this.selected);
    if (!cut) return;
    this.place(this.edge, cut[this.edge] + delta);
    if (cut[this.edge] + delta < this.start || cut[this.edge] + delta > this.end) this.frame();
    this.draw();
  }

  place(edge, t) {
    const item = this.items[this.selected], cut = this.cut(this.selected);
    t = Math.round(t * 1000) / 1000;
    t = edge === 'from' ? Math.max(0, Math.min(cut.to - 0.01, t)) : Math.min(this.seconds, Math.max(cut.from + 0.01, t));
    item[edge] = t;
    this.events.changed();
  }

  draw() {
    if (!this.summary) return;
    this.drawView(this.overview, 0, this.seconds, false);
    this.drawView(this.detail, this.start, this.end, true);
  }

  drawView(canvas, start, end, detailed) {
    const W = Math.max(100, Math.round(canvas.clientWidth)), H = canvas.height;
    if (canvas.width !== W) canvas.width = W;
    const ctx = canvas.getContext('2d'), x = (t) => (t - start) / (end - start) * W;
    ctx.fillStyle = '#fff';
    ctx.fillRect(0, 0, W, H);
    this.items.forEach((item, i) => {
      const cut = this.cut(i);
      if (!cut) return;
      ctx.fillStyle = i === this.selected ? 'rgba(40, 110, 255, 0.22)' : 'rgba(0, 150, 80, 0.12)';
      ctx.fillRect(x(cut.from), 0, x(cut.to) - x(cut.from), H);
      ctx.fillStyle = '#555';
      ctx.font = '11px sans-serif';
      if (detailed || i === this.selected) ctx.fillText(String(i + 1), x(cut.from) + 3, 11);
    });
    const fine = detailed && this.fine && this.fine.key === [this.sound, W, start, end].join() ? this.fine.columns : null;
    ctx.drawImage(this.wave(canvas, W, H, start, end, fine), 0, 0);
    if (detailed) this.drawEdges(ctx, x, H);
    else this.box(ctx, x(this.start), x(this.end), H);
    if (this.playAt !== null) {
      ctx.fillStyle = '#d01010';
      ctx.fillRect(x(this.playAt), 0, 1, H);
    }
  }

  // The waveform is drawn once for a view's stretch and size, so moving an edge only repaints spans.
  wave(canvas, W, H, start, end, fine) {
    const key = [this.sound, W, H, start, end, !!fine].join();
    if (!canvas.wave || canvas.wave.key !== key) {
      const image = document.createElement('canvas');
      image.width = W;
      image.height = H;
      if (fine) this.drawColumns(image.getContext('2d'), fine, H);
      else this.drawWave(image.getContext('2d'), W, H, start, end);
      canvas.wave = { key, image };
    }
    return canvas.wave.image;
  }

  // Each pixel column shows the lowest and highest value of the summary columns it covers.
  drawWave(ctx, W, H, start, end) {
    const s = this.summary, per = WaveView.COLUMNS_PER_SECOND, mid = H / 2;
    ctx.fillStyle = '#334';
    for (let px = 0; px < W; ++px) {
      const c0 = Math.floor((start + (end - start) * px / W) * per);
      const c1 = Math.max(c0 + 1, Math.floor((start + (end - start) * (px + 1) / W) * per));
      let low = 0, high = 0;
      for (let c = c0; c < c1 && 2 * c + 1 < s.length; ++c) {
        low = Math.min(low, s[2 * c]);
        high = Math.max(high, s[2 * c + 1]);
      }
      const top = mid - high / 128 * mid, bottom = mid - low / 128 * mid;
      ctx.fillRect(px, top, 1, Math.max(1, bottom - top));
    }
  }

  drawColumns(ctx, columns, H) {
    const mid = H / 2;
    ctx.fillStyle = '#334';
    for (let px = 0; 2 * px + 1 < columns.length; ++px) {
      const top = mid - columns[2 * px + 1] / 128 * mid, bottom = mid - columns[2 * px] / 128 * mid;
      ctx.fillRect(px, top, 1, Math.max(1, bottom - top));
    }
  }

  drawEdges(ctx, x, H) {
    const cut = this.cut(this.selected);
    if (!cut) return;
    for (const edge of ['from', 'to']) {
      ctx.fillStyle = edge === this.edge ? '#1f5fbf' : '#6f8fbf';
      ctx.fillRect(x(cut[edge]) - (edge === this.edge ? 2 : 1), 0, edge === this.edge ? 4 : 2, H);
    }
    ctx.fillStyle = '#222';
    ctx.font = '12px sans-serif';
    ctx.fillText(`${cut.from.toFixed(3)} – ${cut.to.toFixed(3)} s`, 6, H - 6);
  }

  box(ctx, left, right, H) {
    ctx.strokeStyle = '#1f5fbf';
    ctx.strokeRect(left + 0.5, 0.5, Math.max(2, right - left - 1), H - 1);
  }

  timeAt(canvas, e, start, end) {
    const box = canvas.getBoundingClientRect();
    return start + (e.clientX - box.left) / box.width * (end - start);
  }

  down(e) {
    const t = this.timeAt(this.detail, e, this.start, this.end);
    const near = WaveView.GRIP / this.detail.getBoundingClientRect().width * (this.end - this.start);
    const cut = this.cut(this.selected);
    const edge = cut && (Math.abs(t - cut.from) <= near ? 'from' : Math.abs(t - cut.to) <= near ? 'to' : null);
    if (edge) {
      this.setEdge(edge);
      this.dragging = edge;
      this.detail.setPointerCapture(e.pointerId);
      return;
    }
    const other = this.items.findIndex((_, i) => { const c = this.cut(i); return c && t >= c.from && t <= c.to; });
    if (other >= 0 && other !== this.selected) this.events.select(other);
  }

  move(e) {
    if (!this.dragging) return;
    this.place(this.dragging, this.timeAt(this.detail, e, this.start, this.end));
    this.draw();
  }

  up(e) {
    if (!this.dragging) return;
    this.dragging = null;
    this.detail.releasePointerCapture(e.pointerId);
    this.frame();
    this.draw();
  }

  // A click on the whole recording selects the cut there.
  pick(e) {
    const t = this.timeAt(this.overview, e, 0, this.seconds);
    const index = this.items.findIndex((_, i) => { const c = this.cut(i); return c && t >= c.from && t <= c.to; });
    if (index >= 0) this.events.select(index);
  }
};
