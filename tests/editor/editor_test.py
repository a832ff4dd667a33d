#!/usr/bin/env python3
"""`zorva-lesson edit` in a real browser: an author corrects a proposed lesson by mouse and keys,
saves, and builds it; and the editor's server refuses what is not its page's.

Leaves editor-screenshot.png (the README's picture) in the work folder. Exits 77 when Chromium
cannot start here, unless ZORVA_ACCEPTANCE_REQUIRED=1.
"""
import argparse
import difflib
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', 'acceptance'))
from editor_driver import Editor, Unavailable, make_lesson, start_browser, wait_for  # noqa: E402
from page_file import read_page_items  # noqa: E402

SKIP = 77


def refusals(editor, stale_revision):
    """Each row: what is asked, and the status the server must answer."""
    other_key = '0' * len(editor.key)
    rows = [
        ('no key', editor.root + 'lesson', {}, 403),
        ('a wrong key', editor.root + other_key + '/lesson', {}, 403),
        ('a page under another host name', editor.address + 'lesson', {'Host': 'example.com:%d' % editor.port}, 403),
        ('a path outside the lesson', editor.address + 'waveform/..%2F..%2F..%2Fetc%2Fpasswd', {}, 403),
        ('a file beside the lesson it does not name', editor.address + 'waveform/notes.txt', {}, 403),
        ('the page with its key', editor.address + 'lesson', {}, 200),
    ]
    failures = []
    for what, url, headers, expected in rows:
        status, _ = editor.get(url, headers)
        if status != expected:
            failures.append('%s: answered %d, expected %d' % (what, status, expected))
    before = editor.lesson_text()
    status, _ = editor.post('save', {'revision': stale_revision, 'changes': [
        {'page': 0, 'item': 0, 'key': 'from', 'values': [0.5]}]})
    if status != 409 or editor.lesson_text() != before:
        failures.append('a second writer with the text as it was before: answered %d, expected 409 and no change' % status)
    if editor.listening_addresses() != {'127.0.0.1'}:
        failures.append('listens on %s, expected 127.0.0.1 only' % editor.listening_addresses())
    return failures


def save_screenshot(driver, work):
    """The README's picture of the editor, in few colours so that it stays small."""
    shot = os.path.join(work, 'editor-screenshot.png')
    driver.save_screenshot(shot)
    if shutil.which('convert'):
        subprocess.run(['convert', shot, '+dither', '-colors', '64', '-strip', shot], check=True, timeout=60)


ITEM = '\n\n  [[lesson.page.item]]\n'


def expected_text(before, item, new_rect, to, added):
    """The file with item 2's rectangle and end, without item 3, with the new item after page 1's last."""
    left, top, right, bottom = item['rect']
    text = before.replace('rect = [%d, %d, %d, %d]' % (left, top, right, bottom), 'rect = [%d, %d, %d, %d]' % tuple(new_rect))
    text = text.replace('  to = %.3f\n' % item['to'], '  to = %.3f\n' % to, 1)
    items = text.split(ITEM)
    del items[3]
    last, rest = items[-1].split('\n\n', 1)
    items[-1] = last + ITEM + 'rect = [%d, %d, %d, %d]\n  audio = "%s"\n  from = %.3f\n  to = %.3f\n\n' % (
        *added['rect'], added['audio'], added['from'], added['to']) + rest
    return ITEM.join(items).replace(ITEM + 'rect', ITEM + '  rect')


def scenario(editor, driver, work):
    """Drags item 2's corner and moves its area by keys, drags its cut's end and nudges it, plays;
    deletes item 3, draws a new item; saves and builds."""
    lesson = editor.lesson()
    item = lesson['pages'][0]['items'][1]
    before = editor.lesson_text()
    driver.get(editor.address)
    wait_for(lambda: driver.execute_script('return document.body.dataset.ready') == 'yes', 'the page to load')
    left, top, right, bottom = item['rect']
    editor.drag_on(driver, 'page', (right - 1, bottom - 1), (12, 7))
    editor.keys(driver, 'control+shift+down')  # the area 10 pixels lower
    start, end, width = editor.detail_span(driver)
    x = (item['to'] - start) / (end - start) * width
    editor.drag_on(driver, 'detail', (x, 75), (30, 0))
    dragged = item['to'] + 30 / width * (end - start)
    editor.keys(driver, 'shift+right')  # the cut's end 100 ms later
    editor.keys(driver, 'space')
    wait_for(lambda: driver.execute_script('const p = document.getElementById("player");'
                                           'return p.currentTime > 0 || p.ended'), 'the cut to play')
    played = driver.execute_script('return document.getElementById("player").src')
    editor.keys(driver, 'tab')
    editor.keys(driver, 'delete')
    # A new item beside item 1, where nothing is: it cuts the recording from the end of item 1's
    # cut, read before it, to the start of item 2's.
    items = lesson['pages'][0]['items']
    y = items[0]['rect'][1] + 2
    editor.drag_on(driver, 'page', (480, y), (90, 20))
    added = {'rect': (480, y, 570, y + 20), 'audio': items[0]['audio'], 'from': items[0]['to'], 'to': items[1]['from']}
    driver.find_element('id', 'save').click()
    wait_for(lambda: 'Saved' in driver.find_element('id', 'status').text, 'the save')
    save_screenshot(driver, work)

    failures = []
    to = editor.lesson()['pages'][0]['items'][1]['to']
    want = expected_text(before, item, (left, top + 10, right + 12, bottom + 17), to, added)
    if editor.lesson_text() != want:
        failures.append('the file is not the old one with the corrections only:\n%s' % '\n'.join(
            difflib.unified_diff(want.splitlines(), editor.lesson_text().splitlines(), 'expected', 'saved', lineterm='')))
        return failures
    if abs(to - (dragged + 0.1)) > 0.004:
        failures.append('the cut ends at %.3f, dragged and nudged to %.3f' % (to, dragged + 0.1))
    if 'to=%.3f' % to not in played:
        failures.append('the cut played was %s, not the one saved (to %.3f)' % (played, to))

    driver.find_element('id', 'open-after').click()  # build only: no desktop to open Zorva on
    driver.find_element('id', 'folder').clear()
    driver.find_element('id', 'folder').send_keys(os.path.join(work, 'course'))
    driver.find_element('id', 'build').click()
    wait_for(lambda: 'Built into' in driver.find_element('id', 'status').text, 'the build', 120)
    built_items = read_page_items(os.path.join(work, 'course', 'ZORVADAT', '14101.pge'))
    built = built_items[1].samples
    if len(built_items) != len(items) or not built_items[-1].samples:
        failures.append('the built page has %d items, the last without a clip' % len(built_items))
    _, wav = editor.get(editor.address + 'cut?page=0&item=1&from=%.3f&to=%.3f' % (item['from'], to))
    heard = list(memoryview(wav[44:]).cast('h'))
    if built != heard:
        failures.append('the built item plays %d samples, not the %d of the cut heard' % (len(built), len(heard)))

    driver.find_elements('css selector', '#tabs button')[1].click()
    wait_for(lambda: 'areas only' in driver.find_element('id', 'recording-title').text
             and not driver.find_element('id', 'detail').is_displayed(), 'the page without recording')
    return failures


def main():
    parser = argparse.ArgumentParser()
    for option in ('--builder', '--fixture', '--work'):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    args.work = os.path.abspath(args.work)
    shutil.rmtree(args.work, ignore_errors=True)
    os.makedirs(args.work)
    editor = Editor(args.builder, make_lesson(args.fixture, 'proposed', os.path.join(args.work, 'lesson')))
    driver = None
    try:
        revision = editor.lesson()['revision']
        try:
            driver = start_browser()
        except Unavailable as why:
            required = os.environ.get('ZORVA_ACCEPTANCE_REQUIRED') == '1'
            print('editor_browser: %s: %s' % ('FAILED' if required else 'skipped', why))
            return 1 if required else SKIP
        failures = scenario(editor, driver, args.work) + refusals(editor, revision)
        driver.get('about:blank')  # the author closes the editor's page
        if not editor.stops_within(15, 'page was closed'):
            failures.append('the editor did not stop when its page was closed: %s' % editor.output())
    finally:
        if driver:
            driver.quit()
        editor.close()
    for failure in failures:
        print('FAILED:', failure)
    print('editor_browser: %s (work folder %s)' % ('failed' if failures else 'passed', args.work))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
