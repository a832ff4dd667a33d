"""Zorva on a high-resolution screen: Xvfb at 2560x1440 and 192 dpi, where twice the window
does not quite fill the height.

The window is as large as fits (a factor of 1440/716) and shows the 96-dpi window with every pixel
doubled, then resized linearly: the lesson menu, started once with ZORVA_SCALE=1 and once as the
screen asks, matches that reference made by ImageMagick; a click on the doubled "Lesson 1" opens
the page; a click on the doubled Stop button ends Play. ZORVA_SCALE=3 falls back with a warning.
hidpi_box: the box for a missing page, inside the window, is twice as large at ZORVA_SCALE=2.

    hidpi_scenario.py hidpi|hidpi_box --zorva EXE --builder EXE --clipfind EXE --work DIR
"""
import glob
import math
import os
import subprocess
import sys
import time

from lesson_fixture import PAGE_COLOUR, TITLE_MARK
from run_scenario import (TITLE_CORNER, Run, check_lesson_menu, check_page, item_corner, open_lesson_1, parse_args,
                          run_one)
from view_checks import BLUE, WHITE, button_point
from xdisplay import Pixels

SCREEN = dict(screen_size=(2560, 1440), dpi=192)
SCALE = 1440 / 716
TOLERANCE = 2  # per channel: the reference is blended in floating point, the window in 256ths
CAPTION_BAR = (0, 0, 128)


def window_pixels(run, label):
    """The whole window's content (menu bar and view) as the screen shows it now."""
    x, y, width, height = run.desktop.geometry(run.window)
    shot = run.desktop.x.grab(x, y, width, height)
    shot.save_ppm(f'{run.desktop.dir}/{label}.ppm')
    return shot


def doubled_then_filtered(run, width, height):
    """The 1x window doubled pixel for pixel, then resized linearly to width x height."""
    made = f'{run.desktop.dir}/menu-reference.ppm'
    subprocess.run(['convert', f'{run.desktop.dir}/menu-1x.ppm', '-scale', '200%', '-filter', 'Triangle', '-resize',
                    f'{width}x{height}!', '-depth', '8', made], check=True)
    with open(made, 'rb') as f:
        for _ in range(3):  # the header: magic number, size, depth
            f.readline()
        return Pixels(0, 0, width, height, f.read())


def differing_pixels(seen, reference):
    """Screen pixels further from the reference than rounding explains, as (x, y)."""
    found, row = [], 3 * seen.width
    for y in range(seen.height):
        a, b = seen.rgb[y * row:(y + 1) * row], reference.rgb[y * row:(y + 1) * row]
        if a != b:
            found += sorted({(i // 3, y) for i, (p, q) in enumerate(zip(a, b)) if abs(p - q) > TOLERANCE})
    return found


def hidpi(run):
    lesson = run.make_lesson()
    run.start(env={'ZORVA_SCALE': '1'})
    run.wait_for(TITLE_CORNER, TITLE_MARK, 'the lesson menu at ZORVA_SCALE=1')
    time.sleep(0.3)
    single = window_pixels(run, 'menu-1x')
    run.desktop.close_window(run.window)
    run.expect_exit('the close button at ZORVA_SCALE=1')

    run.start(scale=SCALE)
    _, _, width, height = run.desktop.geometry(run.window)
    if (width, height) != (math.ceil(single.width * SCALE), round(single.height * SCALE)):
        run.fail(f'the window is {width}x{height}, expected {math.ceil(single.width * SCALE)}x1440')
    run.figure(f'window at 192 dpi: {width}x{height} (at ZORVA_SCALE=1: {single.width}x{single.height})')
    run.wait_for(TITLE_CORNER, TITLE_MARK, 'the doubled lesson menu')
    time.sleep(0.3)
    doubled = window_pixels(run, 'menu-2x')
    different = differing_pixels(doubled, doubled_then_filtered(run, width, height))
    run.figure(f'lesson menu against the doubled-then-filtered 1x menu: {len(different)} differing pixels')
    if different:
        run.fail(f'{len(different)} pixels differ from the doubled-then-filtered 1x menu, e.g. {different[:5]}')
    problems = []
    check_lesson_menu(run.view('menu'), problems)
    run.check(problems, 'the doubled lesson menu')

    open_lesson_1(run)
    time.sleep(0.3)
    check_page(run.view('page1'), 0, problems)
    run.check(problems, 'page 1 after a click on the doubled "Lesson 1"')
    run.desktop.record_speaker()
    items = lesson.pages[0]
    run.click(button_point('Play'))
    run.wait_for(item_corner(items[1]), BLUE, 'the second item under Play')
    run.click(button_point('Stop'))
    run.wait_for(item_corner(items[1]), WHITE, 'the second item after Stop', seconds=5)
    time.sleep(1.5)
    after = run.view('stopped')
    after.expect_button('Play', BLUE, problems)
    after.expect_frame(items[2].audio, PAGE_COLOUR, 'the third item, never reached', problems)
    run.check(problems, 'after a click on the doubled Stop')
    heard = run.heard()
    if heard.names() != ['c1', 'c2']:
        run.fail(f'heard {heard.sounds}, expected the first two clips only')
    run.desktop.close_window(run.window)
    run.expect_exit('the close button')
    run.start(env={'ZORVA_SCALE': '3'}, scale=SCALE)
    if run.desktop.geometry(run.window)[2:] != (width, height):
        run.fail(f'at ZORVA_SCALE=3 the window is not the {width}x{height} that fits')
    run.desktop.close_window(run.window)
    run.expect_exit('the close button at ZORVA_SCALE=3')
    if 'ZORVA_SCALE=3 the window would not fit' not in run.desktop.program_output():
        run.fail('no warning that ZORVA_SCALE=3 does not fit')


def bounds(shot, wanted, within=None):
    """The smallest (left, top, right, bottom) holding every pixel of colour `wanted` in `within`."""
    left, top, right, bottom = within or (0, 0, shot.width, shot.height)
    found = [(x, y) for y in range(top, bottom) for x in range(left, right) if shot.at(shot.left + x, shot.top + y) == wanted]
    return found and (min(found)[0], min(y for _, y in found), max(found)[0] + 1, max(y for _, y in found) + 1)


def hidpi_box(run):
    lesson = run.make_lesson()
    for page in glob.glob(os.path.join(lesson.data_dir, '*.pge')):
        os.remove(page)
    sizes = []
    for scale in (1, 2):
        run.start(env={'ZORVA_SCALE': str(scale)}, scale=scale)
        run.wait_for(TITLE_CORNER, TITLE_MARK, f'the lesson menu at ZORVA_SCALE={scale}')
        run.click(button_point('Lesson 1'))
        run.desktop.wait_for_output("zorva: Zorva File Error: Can't find file")
        time.sleep(0.3)
        shot = window_pixels(run, f'box-{scale}x')
        bar = bounds(shot, CAPTION_BAR)
        text = bar and bounds(shot, WHITE, bar)
        if not text:
            run.fail(f'no box with a caption over the window at ZORVA_SCALE={scale}')
        sizes.append((bar[2] - bar[0], text[2] - text[0], text[3] - text[1]))
        run.desktop.key(run.window, 'Return')
        corner = (shot.left + bar[0], shot.top + bar[1])
        deadline = time.time() + 5
        while run.desktop.x.grab(*corner, 1, 1).at(*corner) == CAPTION_BAR and time.time() < deadline:
            time.sleep(0.1)
        if bounds(window_pixels(run, f'box-{scale}x-answered'), CAPTION_BAR):
            run.fail(f'the box stayed over the window 5 s after Enter at ZORVA_SCALE={scale}')
        run.desktop.close_window(run.window)
        run.expect_exit(f'the close button at ZORVA_SCALE={scale}')
    run.figure(f'box caption bar width, caption text width and height: {sizes[0]} at 1x, {sizes[1]} at 2x')
    if not all(1.8 <= double / single <= 2.2 for single, double in zip(*sizes)):
        run.fail(f'the box at 2x is not twice the box at 1x: {sizes[1]} against {sizes[0]}')


if __name__ == '__main__':
    args = parse_args(['hidpi', 'hidpi_box'])
    sys.exit(run_one(Run(args, args.scenario, **SCREEN), {'hidpi': hidpi, 'hidpi_box': hidpi_box}[args.scenario]))
