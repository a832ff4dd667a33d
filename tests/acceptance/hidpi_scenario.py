"""Zorva on a high-resolution screen: Xvfb at 2560x1600 and 192 dpi.

The window is the 96-dpi window with every pixel doubled: the lesson menu, started once with
ZORVA_SCALE=1 and once as the screen asks, matches block for block; a click on the doubled
"Lesson 1" opens the page; a click on the doubled Stop button ends Play.

    hidpi_scenario.py hidpi --zorva EXE --builder EXE --clipfind EXE --work DIR
"""
import sys
import time

from lesson_fixture import PAGE_COLOUR, TITLE_MARK
from run_scenario import (TITLE_CORNER, Run, check_lesson_menu, check_page, item_corner, open_lesson_1, parse_args,
                          run_one)
from view_checks import BLUE, WHITE, button_point

SCREEN = dict(screen_size=(2560, 1600), dpi=192)
SCALE = 2


def window_pixels(run, label):
    """The whole window's content (menu bar and view) as the screen shows it now."""
    x, y, width, height = run.desktop.geometry(run.window)
    shot = run.desktop.x.grab(x, y, width, height)
    shot.save_ppm(f'{run.desktop.dir}/{label}.ppm')
    return shot


def differing_blocks(single, doubled):
    """Design pixels whose 2x2 block on the doubled window is not exactly the pixel seen at 1x."""
    found = []
    for y in range(single.height):
        row = single.rgb[y * single.width * 3:(y + 1) * single.width * 3]
        wanted = b''.join(row[i:i + 3] * SCALE for i in range(0, len(row), 3))
        for dy in range(SCALE):
            start = (y * SCALE + dy) * doubled.width * 3
            seen = doubled.rgb[start:start + len(wanted)]
            if seen != wanted:
                found += [(i // (3 * SCALE), y) for i in range(0, len(wanted), 3 * SCALE)
                          if seen[i:i + 3 * SCALE] != wanted[i:i + 3 * SCALE]]
    return sorted(set(found))


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
    if (width, height) != (single.width * SCALE, single.height * SCALE):
        run.fail(f'the window is {width}x{height}, expected {single.width * SCALE}x{single.height * SCALE}')
    run.figure(f'window at 192 dpi: {width}x{height} (at ZORVA_SCALE=1: {single.width}x{single.height})')
    run.wait_for(TITLE_CORNER, TITLE_MARK, 'the doubled lesson menu')
    time.sleep(0.3)
    doubled = window_pixels(run, 'menu-2x')
    different = differing_blocks(single, doubled)
    run.figure(f'lesson menu at 2x against 1x: {len(different)} differing design pixels')
    if different:
        run.fail(f'{len(different)} design pixels are not exact {SCALE}x{SCALE} blocks of the 1x menu, '
                 f'e.g. {different[:5]}')
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


if __name__ == '__main__':
    args = parse_args(['hidpi'])
    sys.exit(run_one(Run(args, 'hidpi', **SCREEN), hidpi))
