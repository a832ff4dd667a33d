#!/usr/bin/env bash
# The layering rules, checked on every #include:
#  - only the SDL backend (platform/backend/sdl) and the lesson builder (tools/zorva-lesson)
#    include SDL; the program, the platform above the seam, tests and benchmarks never do, but
#    for the two benchmarks that time SDL itself as the yardstick Zorva is measured against;
#  - includes point down the floors, never up: app -> lesson -> elements -> res, audio ->
#    framework -> win32 -> the backend seam (res and audio do not include each other);
#  - above the seam only the seam's own headers (platform/backend/*.h) are included, never a
#    backend's: which backend runs is the chooser's business;
#  - the framework includes only the Win32 layer's public headers, as a Windows program
#    includes windows.h; its entry (platform/framework/entry) alone may start the layer's own
#    work, as the system's start-up would have before any program runs (the stock fonts).
set -euo pipefail
cd "$(dirname "$0")/.."
exec python3 - "$@" <<'PY'
import os, re, sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
# Where the build looks for "..." and <...> includes besides the including file's folder.
ROOTS = ['.', 'platform/win32', 'platform/framework']
FLOORS = [('app/', 7), ('lesson/', 6), ('elements/', 5), ('res/', 4), ('audio/', 4),
          ('platform/framework/', 3), ('platform/win32/', 2), ('platform/backend/', 1)]
WIN32_PUBLIC = {'platform/win32/' + h for h in (
    'windows.h', 'mmsystem.h', 'WinTypes.h', 'kernel/WinBase.h', 'kernel/FileApi.h', 'kernel/WinRect.h',
    'gdi/WinGdi.h', 'user/WinUser.h', 'audio/MMSystem.h', 'audio/DeviceStall.h')}
SDL_ALLOWED = ('platform/backend/sdl/', 'tools/zorva-lesson/',
               'bench/minimal_window.cpp', 'bench/decode_bench.cpp')
SCANNED = ('app', 'lesson', 'elements', 'audio', 'res', 'platform', 'tests', 'bench', 'tools')

def floor(path):
    for prefix, rank in FLOORS:
        if path.startswith(prefix):
            return prefix, rank
    return None, None

def resolve(including, kind, name):
    bases = ([os.path.dirname(including)] if kind == '"' else []) + ROOTS
    for base in bases:
        candidate = os.path.normpath(os.path.join(base, name))
        if os.path.isfile(candidate):
            return candidate
    return None  # a system or library header

problems = []
for top in SCANNED:
    for folder, _, files in os.walk(top):
        for file in sorted(files):
            if not file.endswith(('.h', '.hpp', '.cpp', '.cc', '.c')):
                continue
            path = os.path.normpath(os.path.join(folder, file))
            prefix, rank = floor(path)
            with open(path, encoding='utf-8', errors='replace') as text:
                for number, line in enumerate(text, 1):
                    m = INCLUDE.match(line)
                    if not m:
                        continue
                    kind, name = m.groups()
                    where = f'{path}:{number}: {line.strip()}'
                    if re.match(r'SDL\d?[_./]|SDL\d?$', name):
                        if not path.startswith(SDL_ALLOWED):
                            problems.append(f'{where}  (SDL outside platform/backend/sdl)')
                        continue
                    target = resolve(path, kind, name)
                    if rank is None or target is None:
                        continue
                    target_prefix, target_rank = floor(target)
                    if target_rank is None:
                        continue
                    if target_rank > rank or (target_rank == rank and target_prefix != prefix):
                        problems.append(f'{where}  (up or across the floors, to {target})')
                    elif rank > 1 and target_rank == 1 and os.path.dirname(target) != 'platform/backend':
                        problems.append(f'{where}  (a backend\'s own header above the seam)')
                    elif (prefix == 'platform/framework/' and target_rank == 2 and
                          target not in WIN32_PUBLIC and not path.startswith('platform/framework/entry/')):
                        problems.append(f'{where}  (not a public header of the Win32 layer)')

if problems:
    print('layering: includes against the rules:', file=sys.stderr)
    print('\n'.join(problems), file=sys.stderr)
    sys.exit(1)
print('layering: ok')
PY
