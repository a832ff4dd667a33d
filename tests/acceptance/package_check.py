"""The Debian package as `make package` writes it: CPack from the build folder into a folder of
its own, then lintian (no error or warning), the control fields (the project's release, the
Recommends that `propose` and the voices need) and the files that make `zorva` work anywhere and
course files open by a double click.

    package_check.py --build DIR --work DIR

Exit status: 0 passed, 1 failed, 77 skipped (lintian or dpkg-deb missing; 1 when
ZORVA_ACCEPTANCE_REQUIRED is set).
"""
import argparse
import glob
import os
import shutil
import subprocess
import sys

SKIP = 77
WANTED_FILES = ('./usr/bin/zorva', './usr/bin/zorva-lesson', './usr/libexec/zorva/zorva',
                './usr/share/mime/packages/org.zorva.Zorva.xml', './usr/share/doc/zorva/README',
                './usr/share/doc/zorva/example/lesson.toml')
WANTED_RECOMMENDS = ('espeak-ng', 'tesseract-ocr-eng')


def run(command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, timeout=600, **kwargs)


def check(args):
    out = os.path.join(os.path.abspath(args.work), 'package')
    shutil.rmtree(out, ignore_errors=True)
    made = run(['cpack', '-G', 'DEB', '--config', os.path.join(args.build, 'CPackConfig.cmake'), '-B', out])
    debs = glob.glob(os.path.join(out, '*.deb'))
    if made.returncode != 0 or len(debs) != 1:
        return [f'cpack made {debs}: {made.stdout[-2000:]}{made.stderr[-2000:]}']
    deb = debs[0]
    problems = []
    lint = run(['lintian', '--fail-on', 'error,warning', deb])
    if lint.returncode != 0:
        problems.append(f'lintian: {lint.stdout.strip()}')
    with open(os.path.join(args.build, 'CMakeCache.txt')) as cache:
        version = next(line.split('=', 1)[1].strip() for line in cache if line.startswith('CMAKE_PROJECT_VERSION:'))
    fields = {name: run(['dpkg-deb', '-f', deb, name]).stdout.strip() for name in ('Version', 'Recommends')}
    if fields['Version'] != version:
        problems.append(f'the package is {fields["Version"]}, the project {version}')
    missing = [name for name in WANTED_RECOMMENDS if name not in fields['Recommends'].split(', ')]
    if missing:
        problems.append(f'Recommends {fields["Recommends"]!r} lacks {missing}')
    listing = run(['dpkg-deb', '-c', deb]).stdout
    shipped = {line.split()[-1] for line in listing.splitlines() if line.split()}
    problems += [f'{name} is not in the package' for name in WANTED_FILES if name not in shipped]
    problems += [f'{name} (a test) is in the package' for name in shipped if 'test' in os.path.basename(name)]
    return problems


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--build', required=True)
    parser.add_argument('--work', required=True)
    args = parser.parse_args()
    absent = [tool for tool in ('cpack', 'lintian', 'dpkg-deb') if shutil.which(tool) is None]
    if absent:
        print(f'package: cannot run here: {absent} missing')
        return 1 if os.environ.get('ZORVA_ACCEPTANCE_REQUIRED') else SKIP
    problems = check(args)
    for problem in problems:
        print(f'package: FAILED: {problem}')
    if not problems:
        print('package: passed')
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
