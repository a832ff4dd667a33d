"""Zorva as a learner installs it: `cmake --install` into a fresh prefix, the installed files
validated, then the menu entry's command run from an unrelated folder with an empty
XDG_DATA_HOME: the installed demo course's lesson menu appears, in a window whose class the menu
entry names. A folder without a course gets a message box naming it, and no window. The demo
packed into one course file is recognised as a Zorva course and opened by the entry's command.

Leaves screenshot.png (the demo's first page, small) in its folder for the README.

    install_scenario.py install --build DIR --zorva EXE --builder EXE --clipfind EXE --work DIR
"""
import configparser
import glob
import os
import shlex
import shutil
import struct
import subprocess
import sys
import time

from lesson_fixture import TITLE_MARK
from run_scenario import Run, check_lesson_buttons, check_page_buttons, parse_args, run_one
from view_checks import LIGHT_GREY, WHITE, button_line, button_point

APP_ID = 'org.zorva.Zorva'
COURSE_TYPE = 'application/x-zorva-course'
ICON_SIZES = (16, 32, 48, 64, 128, 256)


def install(run):
    prefix = os.path.join(run.desktop.dir, 'prefix')
    result = subprocess.run(['cmake', '--install', run.args.build, '--prefix', prefix], capture_output=True,
                            text=True, timeout=120)
    if result.returncode != 0:
        run.fail(f'cmake --install failed: {result.stderr.strip()}')
    return prefix


def check_installed_files(run, prefix):
    share = os.path.join(prefix, 'share')
    wanted = [f'applications/{APP_ID}.desktop', f'metainfo/{APP_ID}.metainfo.xml', f'mime/packages/{APP_ID}.xml',
              f'icons/hicolor/scalable/apps/{APP_ID}.svg', 'man/man1/zorva.1.gz', 'man/man1/zorva-lesson.1.gz',
              'zorva/courses/demo/ZORVADAT/DATA4.DAT', 'doc/zorva/README', 'doc/zorva/example/lesson.toml',
              'doc/zorva/example/page1.png', 'doc/zorva/example/s1.wav']
    missing = [name for name in wanted if not os.path.isfile(os.path.join(share, name))]
    missing += [name for name in ('bin/zorva', 'bin/zorva-lesson', 'libexec/zorva/zorva')
                if not os.access(os.path.join(prefix, name), os.X_OK)]
    if not glob.glob(os.path.join(share, 'zorva/courses/demo/ZORVADAT/*.pge')):
        missing.append('the demo course\'s pages')
    for size in ICON_SIZES:
        png = os.path.join(share, f'icons/hicolor/{size}x{size}/apps/{APP_ID}.png')
        if not os.path.isfile(png):
            missing.append(png)
            continue
        with open(png, 'rb') as f:
            width, height = struct.unpack('>II', f.read(24)[16:24])  # IHDR's first fields
        if (width, height) != (size, size):
            run.fail(f'{png} is {width}x{height}')
    if missing:
        run.fail('not installed: ' + ', '.join(missing))
    for command in (['desktop-file-validate', os.path.join(share, 'applications', f'{APP_ID}.desktop')],
                    ['appstreamcli', 'validate', '--no-net', os.path.join(share, 'metainfo', f'{APP_ID}.metainfo.xml')]):
        if shutil.which(command[0]) is None:
            run.fail(f'{command[0]} is not installed (scripts/install-deps.sh installs it)')
        result = subprocess.run(command, capture_output=True, text=True, timeout=60)
        if result.returncode != 0:
            run.fail(f'{command[0]} rejects the installed file: {(result.stdout + result.stderr).strip()}')


def check_versions(run, prefix):
    """Both commands answer --help on standard output and --version with the metainfo's release."""
    with open(os.path.join(prefix, 'share', 'metainfo', f'{APP_ID}.metainfo.xml')) as f:
        release = f.read().partition('<release version="')[2].partition('"')[0]
    for command in ('zorva', 'zorva-lesson'):
        exe = os.path.join(prefix, 'bin', command)
        for option, expected in (('--version', f'{command} {release}\n'), ('--help', 'usage')):
            result = subprocess.run([exe, option], capture_output=True, text=True, timeout=10)
            if result.returncode != 0 or expected not in result.stdout or result.stderr:
                run.fail(f'{command} {option} gave status {result.returncode}, {result.stdout!r} on standard output '
                         f'and {result.stderr!r} on standard error; expected {expected!r} on standard output')


def check_course_file_type(run, prefix, course_file):
    """What a file manager asks: the type of a course file, from the installed shared-mime-info entry."""
    share = os.path.join(prefix, 'share')
    subprocess.run(['update-mime-database', os.path.join(share, 'mime')], check=True, timeout=60)
    env = dict(os.environ, XDG_DATA_DIRS=share + os.pathsep + '/usr/share',
               XDG_DATA_HOME=os.path.join(run.desktop.dir, 'xdg'))
    result = subprocess.run(['xdg-mime', 'query', 'filetype', course_file], env=env, capture_output=True, text=True,
                            timeout=30)
    if result.stdout.strip() != COURSE_TYPE:
        run.fail(f'xdg-mime names the course file\'s type {result.stdout.strip()!r}, not {COURSE_TYPE}')


def desktop_entry(prefix):
    entry = configparser.ConfigParser(interpolation=None)
    entry.optionxform = str
    entry.read(os.path.join(prefix, 'share', 'applications', f'{APP_ID}.desktop'))
    return entry['Desktop Entry']


def window_class(run):
    out = subprocess.run(['xprop', '-id', run.window, 'WM_CLASS'], env=run.desktop.env, capture_output=True,
                         text=True, timeout=10).stdout
    return [part.strip(' "') for part in out.partition('=')[2].split(',')]


def save_screenshot(run):
    """The page as the README shows it: the window's content, with few colours to keep it small."""
    x, y, width, height = run.desktop.geometry(run.window)
    ppm = os.path.join(run.desktop.dir, 'page.ppm')
    run.desktop.x.grab(x, y, width, height).save_ppm(ppm)
    subprocess.run(['convert', ppm, '+dither', '-colors', '32', '-strip', os.path.join(run.desktop.dir, 'screenshot.png')],
                   check=True, timeout=60)


def start_from_menu(run, prefix, args, folder):
    """The entry's Exec line with its file field (%f) given `args`, as a desktop runs it."""
    entry = desktop_entry(prefix)
    command = []
    for word in shlex.split(entry['Exec']):
        command += args if word == '%f' else [word]
    env = {'PATH': os.path.join(prefix, 'bin') + os.pathsep + os.environ.get('PATH', ''),
           'XDG_DATA_HOME': os.path.join(run.desktop.dir, 'xdg')}
    run.desktop.start_program(command, folder, env=env)
    return entry


def installed(run):
    prefix = install(run)
    check_installed_files(run, prefix)
    elsewhere = os.path.join(run.desktop.dir, 'elsewhere')
    os.makedirs(elsewhere)

    entry = start_from_menu(run, prefix, [], elsewhere)
    run.find_main_window()
    run.wait_for(button_line('Lesson 1'), LIGHT_GREY, 'the demo course\'s lesson menu')
    time.sleep(0.3)
    problems = []
    check_lesson_buttons(run.view('menu'), problems)
    run.check(problems, 'the lesson menu started from the menu entry')
    course = os.readlink(f'/proc/{run.desktop.program.pid}/cwd')
    if course != os.path.join(prefix, 'share', 'zorva', 'courses', 'demo'):
        run.fail(f'the program runs in {course}, not in the installed demo course')
    if entry.get('StartupWMClass') not in window_class(run):
        run.fail(f'the window\'s class {window_class(run)} is not the entry\'s {entry.get("StartupWMClass")}')
    run.click(button_point('Lesson 1'))
    run.wait_for(button_line('Play'), LIGHT_GREY, 'the demo\'s first page')
    time.sleep(0.5)
    check_page_buttons(run.view('page'), problems)
    run.check(problems, 'the demo\'s first page')
    save_screenshot(run)
    run.desktop.close_window(run.window)
    run.expect_exit('the close button')

    empty = os.path.join(run.desktop.dir, 'no-course')
    os.makedirs(empty)
    start_from_menu(run, prefix, [empty], elsewhere)
    expect_course_error(run, empty)

    check_versions(run, prefix)
    course_file = os.path.join(run.desktop.dir, 'demo.zorva')
    subprocess.run([os.path.join(prefix, 'bin', 'zorva-lesson'), 'pack',
                    os.path.join(prefix, 'share', 'zorva', 'courses', 'demo'), course_file], check=True, timeout=60)
    check_course_file_type(run, prefix, course_file)
    open_course_file(run, prefix, course_file, elsewhere)
    damaged = os.path.join(run.desktop.dir, 'damaged.zorva')
    with open(course_file, 'rb') as f, open(damaged, 'wb') as out:
        out.write(f.read()[:2000])
    start_from_menu(run, prefix, [damaged], elsewhere)
    expect_course_error(run, damaged)


def open_course_file(run, prefix, course_file, folder):
    """A double click on the file: the course's lesson menu, from a temporary folder removed at the end."""
    start_from_menu(run, prefix, [course_file], folder)
    run.find_main_window()
    run.wait_for(button_line('Lesson 1'), LIGHT_GREY, 'the course file\'s lesson menu')
    children = subprocess.run(['pgrep', '-P', str(run.desktop.program.pid)], capture_output=True, text=True).stdout
    unpacked = os.readlink(f'/proc/{children.split()[0]}/cwd') if children.split() else ''
    if not os.path.isfile(os.path.join(unpacked, 'ZORVADAT', 'DATA4.DAT')):
        run.fail(f'the program runs in {unpacked!r}, not in the unpacked course')
    run.desktop.close_window(run.window)
    run.expect_exit('the close button')
    if os.path.exists(unpacked):
        run.fail(f'the unpacked course {unpacked} is left behind')


def expect_course_error(run, named):
    """A message box about the course, naming it, no main window, and status 1 once it is closed."""
    box = run.desktop.find_dialog('Zorva Course Error')
    run.desktop.screenshot('no-course-box')
    if run.desktop.window_exists('Zorva'):
        run.fail(f'a main window opened for {named}')
    if named not in run.desktop.program_output():
        run.fail(f'the message does not name {named}: {run.desktop.program_output().strip()!r}')
    run.desktop.key(box, 'Return')
    status = run.desktop.wait_exit(10)
    if status != 1:
        run.fail(f'the menu entry\'s command ended with status {status} for {named}, expected 1')


if __name__ == '__main__':
    args = parse_args(['install'], extra=('build',))
    sys.exit(run_one(Run(args, 'install'), installed))
