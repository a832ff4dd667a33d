#!/usr/bin/env python3
"""The framework's demo window (tests/demo_window) on the SDL desktop under Xvfb.

Checks, in order: the frame is where it asked to be; the screenshot shows the menu bar and the
pane's sunken edge pixel for pixel; clicks inside the pane reach it as WM_LBUTTONDOWN at exactly
the client point aimed at, clicks on its edge do not; File > Exit, chosen with the mouse, ends
the program with status 0.

Exit status: 0 passed; 1 a check failed (the message names the screenshot left behind);
77 Xvfb or the X tools are not available here (CTest's skip code).
"""
import argparse
import os
import select
import shutil
import subprocess
import sys
import time

SKIP = 77
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


class Unavailable(Exception):
    """This machine cannot run the test."""


class Failure(Exception):
    """A check failed."""


class Screenshot:
    """An 8-bit binary PPM of the whole X screen."""

    def __init__(self, path):
        self.path = path
        with open(path, 'rb') as f:
            data = f.read()
        fields, pos = [], 0
        while len(fields) < 4:  # magic, width, height, maxval, separated by white space
            while data[pos:pos + 1].isspace():
                pos += 1
            end = pos
            while end < len(data) and not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        if fields[0] != b'P6' or fields[3] != b'255':
            raise Failure(f'{path} is not an 8-bit binary PPM (header {b" ".join(fields)!r})')
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = data[pos + 1:]

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i:i + 3])


class Session:
    """Xvfb and the demo; close() ends both, whatever happened."""

    def __init__(self, folder):
        self.folder = folder
        self.procs = []
        self.demo = None
        self.env = dict(os.environ, SDL_VIDEODRIVER='x11', SDL_AUDIODRIVER='dummy')
        self.env.pop('ZORVA_BACKEND', None)  # the demo must open the real desktop
        self.shots = 0
        self.last_shot = None

    def start_x(self):
        for tool in ('Xvfb', 'xdotool', 'import'):
            if shutil.which(tool) is None:
                raise Unavailable(f'{tool} is not installed')
        read_end, write_end = os.pipe()
        with open(os.path.join(self.folder, 'xvfb.log'), 'w') as log:
            self.procs.append(subprocess.Popen(
                ['Xvfb', '-displayfd', str(write_end), '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
                pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=log))
        os.close(write_end)
        number = b''
        deadline = time.monotonic() + STEP_S
        with os.fdopen(read_end, 'rb', buffering=0) as pipe:
            while not number.endswith(b'\n') and time.monotonic() < deadline:
                if select.select([pipe], [], [], 0.1)[0]:
                    chunk = pipe.read(16)
                    if not chunk:
                        break
                    number += chunk
        if not number.strip().isdigit():
            raise Unavailable('Xvfb did not start (see xvfb.log)')
        self.env['DISPLAY'] = ':' + number.decode().strip()

    def start_demo(self, exe):
        self.out_path = os.path.join(self.folder, 'demo.out')
        with open(self.out_path, 'w') as out, open(os.path.join(self.folder, 'demo.err'), 'w') as err:
            self.demo = subprocess.Popen([os.path.abspath(exe)], cwd=self.folder, env=self.env, stdout=out, stderr=err)
        self.procs.append(self.demo)

    def xdotool(self, *args):
        try:
            result = subprocess.run(['xdotool', *args], env=self.env, capture_output=True, text=True,
                                    timeout=STEP_S)
        except subprocess.TimeoutExpired:
            raise Failure(f'xdotool {" ".join(args)} gave no answer within {STEP_S} s')
        if result.returncode != 0:
            raise Failure(f'xdotool {" ".join(args)} failed: {result.stderr.strip()}')
        return result.stdout

    def click(self, x, y):
        self.xdotool('mousemove', '--sync', str(x), str(y))
        self.xdotool('click', '1')

    def screenshot(self, label):
        self.shots += 1
        path = os.path.join(self.folder, f'{self.shots:02d}-{label}.ppm')
        result = subprocess.run(['import', '-window', 'root', '-display', self.env['DISPLAY'], '-depth', '8',
                                 'ppm:' + path], env=self.env, capture_output=True, text=True, timeout=STEP_S)
        if result.returncode != 0:
            raise Failure(f'the screenshot failed: {result.stderr.strip()}')
        self.last_shot = path
        return Screenshot(path)

    def screenshot_when(self, label, ready, what):
        """Screenshots until ready(shot) holds; the last one is kept."""
        deadline = time.monotonic() + STEP_S
        while True:
            shot = self.screenshot(label)
            if ready(shot):
                return shot
            if time.monotonic() > deadline:
                raise Failure(f'{what} did not appear within {STEP_S} s')
            os.remove(shot.path)
            self.shots -= 1
            time.sleep(0.1)

    def output_lines(self, count):
        """The demo's first `count` lines of output, or all it printed when the wait ran out."""
        deadline = time.monotonic() + STEP_S
        while True:
            with open(self.out_path) as f:
                lines = f.read().splitlines()
            if len(lines) >= count or time.monotonic() > deadline:
                return lines
            time.sleep(0.05)

    def close(self):
        for proc in reversed(self.procs):
            if proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(timeout=3)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait(timeout=3)


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


def check_clicks(session, bar):
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
        session.click(x + EDGE_PX + cx, y + bar + EDGE_PX + cy)
    expected = [f'WM_LBUTTONDOWN {cx} {cy}' for _, (cx, cy), reaches in presses if reaches]
    lines = session.output_lines(len(expected))
    if lines != expected:
        table = '; '.join(f'{name} {point}' + ('' if reaches else ' (no line)') for name, point, reaches in presses)
        raise Failure(f'presses on {table} printed {lines}, expected {expected}')
    return expected


def choose_exit(session, bar, title_box):
    """Opens File with a click on its title and clicks Exit in the popup that drops below it."""
    x, y, _, h = FRAME
    column = (title_box[0] + title_box[2]) // 2
    session.click(column, (title_box[1] + title_box[3]) // 2)
    client_top = y + bar + EDGE_PX
    shot = session.screenshot_when('file-open', lambda s: s.at(column, client_top) != WINDOW, 'the File popup')
    bottom = client_top
    while bottom < y + h and shot.at(column, bottom) != WINDOW:
        bottom += 1
    # One item with its padding and the popup's own 3D border is well over 10 rows.
    if bottom - (y + bar) < 10:
        raise Failure(f'the File popup covers only rows {y + bar}..{bottom} under its title')
    session.click(column, (y + bar + bottom) // 2)
    try:
        status = session.demo.wait(timeout=STEP_S)
    except subprocess.TimeoutExpired:
        raise Failure(f'File > Exit did not end the demo within {STEP_S} s')
    if status != 0:
        raise Failure(f'File > Exit ended the demo with status {status}, not 0')


def run(session, demo):
    session.start_x()
    session.start_demo(demo)
    window = session.xdotool('search', '--sync', '--onlyvisible', '--name', f'^{TITLE}$').split()[0]
    geometry = dict(line.split('=', 1) for line in session.xdotool('getwindowgeometry', '--shell', window).split())
    placed = tuple(int(geometry[k]) for k in ('X', 'Y', 'WIDTH', 'HEIGHT'))
    if placed != FRAME:
        raise Failure(f'the frame is at {placed} (x, y, width, height), not where it asked: {FRAME}')
    x, y, w, h = FRAME

    def painted(s):  # the bar and the pane's last edge pixel are both on the screen
        return s.at(x + w // 2, y) == MENU and s.at(x + w - 1, y + h - 1) == HIGHLIGHT

    shot = session.screenshot_when('window', painted, 'the painted frame')
    bar = bar_height(shot)
    title_box = check_bar(shot, bar)
    require_pixels('the sunken pane', mismatches(
        shot, x, y + bar, w, h - bar, lambda i, j: sunken_colour(i, j, w, h - bar)))
    lines = check_clicks(session, bar)
    choose_exit(session, bar, title_box)
    return f'menu bar {bar} rows, title text at {title_box}; {", ".join(lines)}; File > Exit gave 0'


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--demo', required=True, help='the zorva-demo-window executable')
    parser.add_argument('--work', required=True, help='folder for the screenshots and logs')
    args = parser.parse_args()
    folder = os.path.join(args.work, 'demo_window')
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    session = Session(folder)
    try:
        summary = run(session, args.demo)
        print(f'passed: {summary}; screenshots in {folder}')
        return 0
    except Unavailable as e:
        if os.environ.get('ZORVA_ACCEPTANCE_REQUIRED'):
            print(f'cannot run here, and it is required here: {e}', file=sys.stderr)
            return FAILED
        print(f'skipped: {e}', file=sys.stderr)
        return SKIP
    except Failure as e:
        try:
            session.screenshot('failure')
        except (Failure, KeyError, OSError, subprocess.TimeoutExpired):
            pass  # no display left to take it from: name the last one
        shot = session.last_shot or 'none taken'
        ended = session.demo.poll() if session.demo else None
        status = '' if ended is None else f' (the demo had ended with status {ended})'
        print(f'FAILED: {e}{status}\nscreenshot: {shot}\nlogs: {folder}', file=sys.stderr)
        return FAILED
    finally:
        session.close()


if __name__ == '__main__':
    sys.exit(main())
