#!/usr/bin/env python3
"""The framework's demo window (tests/demo_window) on the SDL desktop under Xvfb.

Checks, in order: the frame is where it asked to be; the screenshot shows the menu bar and the
pane's sunken edge pixel for pixel; clicks inside the pane reach it as WM_LBUTTONDOWN at exactly
the client point aimed at, clicks on its edge do not; File > Exit, chosen with the mouse, ends
the program with status 0.

Exit status: 0 passed; 1 a check failed (the message names the folder of screenshots);
77 Xvfb or the X tools are not available here (CTest's skip code; 1 instead when
ZORVA_ACCEPTANCE_REQUIRED is set, as in CI).
"""
import argparse
import os
import subprocess
import sys
import time

from harness import SKIP, Desktop, Failure, Unavailable

FAILED = 1

TITLE = 'Zorva framework demo'
FRAME = (40, 30, 400, 300)  # x, y, width, height, as tests/demo_window/DemoFrame.h asks
EDGE_PX = 2  # WS_EX_CLIENTEDGE's two lines; the pane's WS_BORDER adds none
STEP_S = 8  # the bound of every single wait

# The framework's system colours: the bar is COLOR_MENU with COLOR_MENUTEXT titles; the client
# edge's outer line is COLOR_BTNSHADOW at the top and left and COLOR_BTNHIGHLIGHT at the bottom
# and right, its inner line COLOR_3DDKSHADOW and COLOR_3DLIGHT; the pane's class erases with
# COLOR_WINDOW.
MENU = (192, 192, 192)
MENU_TEXT = (0, 0, 0)
SHADOW = (128, 128, 128)
HIGHLIGHT = (255, 255, 255)
DARK_SHADOW = (0, 0, 0)
LIGHT = (223, 223, 223)
WINDOW = (255, 255, 255)
EDGE_LINES = ((SHADOW, HIGHLIGHT), (DARK_SHADOW, LIGHT))  # outer line first


def screenshot_when(desktop, label, ready, what):
    """Screenshots until ready(shot) holds."""
    deadline = time.monotonic() + STEP_S
    while True:
        shot = desktop.screenshot(label)
        if ready(shot):
            return shot
        if time.monotonic() > deadline:
            raise Failure(f'{what} did not appear within {STEP_S} s')
        time.sleep(0.1)


def pressed_lines(desktop, count):
    """The demo's first `count` press lines, or all it printed when the wait ran out."""
    deadline = time.monotonic() + STEP_S
    while True:
        lines = [line for line in desktop.program_output().splitlines() if line.startswith('WM_')]
        if len(lines) >= count or time.monotonic() > deadline:
            return lines
        time.sleep(0.05)


def sunken_colour(i, j, width, height):
    """The colour at (i, j) of a width x height window with a client edge: each line's top row
    stops before its right column and its left column before its bottom row."""
    depth = min(i, j, width - 1 - i, height - 1 - j)
    if depth >= len(EDGE_LINES):
        return WINDOW
    top_left, bottom_right = EDGE_LINES[depth]
    on_top = j == depth and i < width - 1 - depth
    on_left = i == depth and j < height - 1 - depth
    return top_left if on_top or on_left else bottom_right


def mismatches(shot, left, top, width, height, expected):
    """Pixels of the rectangle that differ from expected(i, j), as readable lines."""
    found = []
    for j in range(height):
        for i in range(width):
            want, got = expected(i, j), shot.at(left + i, top + j)
            if got != want:
                found.append(f'({left + i},{top + j}) is {got}, not {want}')
    return found


def require_pixels(what, found):
    if found:
        more = f' and {len(found) - 3} more' if len(found) > 3 else ''
        raise Failure(f'{what}: ' + '; '.join(found[:3]) + more)


def bar_height(shot):
    """Rows of menu colour at the frame's top, measured where no title is drawn."""
    x, y, w, h = FRAME
    rows = 0
    while rows < h and shot.at(x + w // 2, y + rows) == MENU:
        rows += 1
    if not 0 < rows < h // 2:
        raise Failure(f'no menu bar at the frame\'s top: {rows} rows of {MENU} at x={x + w // 2}')
    return rows


def check_bar(shot, bar):
    """The bar is menu colour with the one title's text in menu text colour at its left; returns
    the text's bounding box (left, top, right, bottom) on the screen."""
    x, y, w, _ = FRAME
    text = {(i, j) for j in range(bar) for i in range(w) if shot.at(x + i, y + j) == MENU_TEXT}
    require_pixels('the menu bar', mismatches(
        shot, x, y, w, bar, lambda i, j: MENU_TEXT if (i, j) in text else MENU))
    if not text:
        raise Failure('the menu bar shows no title')
    left, right = min(i for i, _ in text), max(i for i, _ in text) + 1
    top, bottom = min(j for _, j in text), max(j for _, j in text) + 1
    # "File" alone: one short word inside the bar, clear of its first and last rows.
    if not (0 < left and right < w // 4 and 0 < top and bottom < bar):
        raise Failure(f'the title "File" lies at x {left}..{right}, y {top}..{bottom} of a {w}x{bar} bar')
    return x + left, y + top, x + right, y + bottom


def check_clicks(desktop, bar):
    """Presses on the pane's client area print their client point; presses on its edge print
    nothing. Edge presses come between client ones, so a stray line shows as a wrong line."""
    x, y, w, h = FRAME
    client_w, client_h = w - 2 * EDGE_PX, h - bar - 2 * EDGE_PX
    presses = [
        ('a point inside', (123, 45), True),
        ('the inner edge line, top left', (-1, -1), False),
        ('the client area\'s first pixel', (0, 0), True),
        ('the outer edge line, bottom right', (client_w + 1, client_h + 1), False),
        ('the client area\'s last pixel', (client_w - 1, client_h - 1), True),
    ]
    for _, (cx, cy), _ in presses:
        desktop.click(x + EDGE_PX + cx, y + bar + EDGE_PX + cy)
    expected = [f'WM_LBUTTONDOWN {cx} {cy}' for _, (cx, cy), reaches in presses if reaches]
    lines = pressed_lines(desktop, len(expected))
    if lines != expected:
        table = '; '.join(f'{name} {point}' + ('' if reaches else ' (no line)') for name, point, reaches in presses)
        raise Failure(f'presses on {table} printed {lines}, expected {expected}')
    return expected


def choose_exit(desktop, bar, title_box):
    """Opens File with a click on its title and clicks Exit in the popup that drops below it."""
    x, y, _, h = FRAME
    column = (title_box[0] + title_box[2]) // 2
    desktop.click(column, (title_box[1] + title_box[3]) // 2)
    client_top = y + bar + EDGE_PX
    shot = screenshot_when(desktop, 'file-open', lambda s: s.at(column, client_top) != WINDOW, 'the File popup')
    bottom = client_top
    while bottom < y + h and shot.at(column, bottom) != WINDOW:
        bottom += 1
    # One item with its padding and the popup's own 3D border is well over 10 rows.
    if bottom - (y + bar) < 10:
        raise Failure(f'the File popup covers only rows {y + bar}..{bottom} under its title')
    desktop.click(column, (y + bar + bottom) // 2)
    status = desktop.wait_exit(STEP_S)
    if status is None:
        raise Failure(f'File > Exit did not end the demo within {STEP_S} s')
    if status != 0:
        raise Failure(f'File > Exit ended the demo with status {status}, not 0')


def run(desktop, demo):
    desktop.start_x()
    desktop.env['SDL_AUDIODRIVER'] = 'dummy'  # the demo makes no sound
    desktop.start_program(demo, desktop.dir, log='demo.out')
    placed = desktop.geometry(desktop.find_window(TITLE))
    if placed != FRAME:
        raise Failure(f'the frame is at {placed} (x, y, width, height), not where it asked: {FRAME}')
    x, y, w, h = FRAME

    def painted(s):  # the bar and the pane's last edge pixel are both on the screen
        return s.at(x + w // 2, y) == MENU and s.at(x + w - 1, y + h - 1) == HIGHLIGHT

    shot = screenshot_when(desktop, 'window', painted, 'the painted frame')
    bar = bar_height(shot)
    title_box = check_bar(shot, bar)
    require_pixels('the sunken pane', mismatches(
        shot, x, y + bar, w, h - bar, lambda i, j: sunken_colour(i, j, w, h - bar)))
    lines = check_clicks(desktop, bar)
    choose_exit(desktop, bar, title_box)
    return f'menu bar {bar} rows, title text at {title_box}; {", ".join(lines)}; File > Exit gave 0'


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--demo', required=True, help='the zorva-demo-window executable')
    parser.add_argument('--work', required=True, help='folder for the screenshots and logs')
    args = parser.parse_args()
    desktop = Desktop(os.path.abspath(args.work), 'demo_window', step_timeout=STEP_S)
    try:
        summary = run(desktop, os.path.abspath(args.demo))
        print(f'passed: {summary}; screenshots in {desktop.dir}')
        return 0
    except Unavailable as e:
        if os.environ.get('ZORVA_ACCEPTANCE_REQUIRED'):
            print(f'cannot run here, and it is required here: {e}', file=sys.stderr)
            return FAILED
        print(f'skipped: {e}', file=sys.stderr)
        return SKIP
    except Failure as e:
        try:
            desktop.screenshot('failure')
        except (Failure, RuntimeError, OSError, subprocess.TimeoutExpired):
            pass  # no display left to take it from
        ended = desktop.program.poll() if desktop.program else None
        status = '' if ended is None else f' (the demo had ended with status {ended})'
        print(f'FAILED: {e}{status}\nscreenshots and logs: {desktop.dir}', file=sys.stderr)
        return FAILED
    finally:
        desktop.close()

if __name__ == '__main__':
    sys.exit(main())
