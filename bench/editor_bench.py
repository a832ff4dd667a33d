#!/usr/bin/env python3
"""The lesson editor on a page of 60 items cut from a 3-minute recording, in headless Chromium:
prints how long the editor takes to start (reading the lesson, its picture and recording), how long
its page takes to load until it is drawn, and how long one redraw of the recording takes while a
cut's edge moves (what dragging costs a frame).

    python3 bench/editor_bench.py --builder build/zorva-lesson --fixture build/zorva-editor-fixture

Exits 1 when a goal is missed, 77 when Chromium cannot start.
"""
import argparse
import os
import statistics
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', 'tests', 'editor'))
from editor_driver import Editor, Unavailable, make_lesson, start_browser, wait_for  # noqa: E402

LOADS = 9
NUDGES = 200
PAGE_GOAL_MS = 1000
REDRAW_GOAL_MS = 16  # one frame at 60 Hz


def page_load_ms(driver, address):
    driver.get(address)
    wait_for(lambda: driver.execute_script('return document.body.dataset.ready') == 'yes', 'the page')
    return float(driver.execute_script('return document.body.dataset.readyMs'))


def redraw_ms(driver):
    """Moves the selected cut's end by 10 ms and back, NUDGES times: each move redraws both views."""
    return driver.execute_script('''
        const start = performance.now();
        for (let i = 0; i < arguments[0]; ++i) {
          const key = i % 2 ? 'ArrowLeft' : 'ArrowRight';
          document.dispatchEvent(new KeyboardEvent('keydown', {key, bubbles: true}));
        }
        return (performance.now() - start) / arguments[0];''', NUDGES)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--builder', required=True)
    parser.add_argument('--fixture', required=True)
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as work:
        lesson = make_lesson(args.fixture, 'large', os.path.join(work, 'lesson'))
        started = time.monotonic()
        editor = Editor(args.builder, lesson)
        start_ms = (time.monotonic() - started) * 1000
        try:
            driver = start_browser()
        except Unavailable as why:
            editor.close()
            print('editor_bench: skipped: %s' % why)
            return 77
        try:
            loads = [page_load_ms(driver, editor.address) for _ in range(LOADS)]
            redraws = [redraw_ms(driver) for _ in range(5)]
        finally:
            driver.quit()
            editor.close()
    load, redraw = statistics.median(loads), statistics.median(redraws)
    # Other work on the machine slows the browser most: the figures are read against this.
    print('load average (1 minute) at the end: %.2f on %d cores' % (os.getloadavg()[0], os.cpu_count()))
    print('editor start (60 items, 3-minute WAV read and summarised): %.0f ms' % start_ms)
    print('page load until drawn: %.0f ms (median of %d, range %.0f-%.0f; goal < %d ms)'
          % (load, LOADS, min(loads), max(loads), PAGE_GOAL_MS))
    print('redraw of the recording per moved edge: %.2f ms (goal < %d ms)' % (redraw, REDRAW_GOAL_MS))
    return 0 if load < PAGE_GOAL_MS and redraw < REDRAW_GOAL_MS else 1


if __name__ == '__main__':
    sys.exit(main())
