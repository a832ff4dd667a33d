#!/usr/bin/env bash
# Every call the Win32 layer declares (a function declared at the top level of a header under
# platform/win32) has a definition in the layer, so a program that compiles against a
# declaration never meets a missing symbol only when it links.
set -euo pipefail
cd "$(dirname "$0")/.."
exec python3 - "$@" <<'PY'
import pathlib, re, sys

LAYER = pathlib.Path('platform/win32')
DECLARATION = re.compile(r'^(?!typedef|#|return\b|using\b)[A-Za-z_][\w \t*]*?\b(\w+)\s*\([^;{}()]*(?:\([^;{}()]*\)[^;{}()]*)*\)\s*;',
                         re.M)
DEFINITION = r'\b{}\s*\([^;{{}}]*\)\s*(?:const\s*)?\{{'

texts = {path: path.read_text(encoding='utf-8', errors='replace')
         for path in sorted(LAYER.rglob('*')) if path.suffix in ('.h', '.cpp')}
code = '\n'.join(texts.values())
missing = []
for path, text in texts.items():
    if path.suffix != '.h':
        continue
    for m in DECLARATION.finditer(text):
        name = m.group(1)
        if not re.search(DEFINITION.format(re.escape(name)), code):
            line = text.count('\n', 0, m.start()) + 1
            missing.append(f'{path}:{line}: {name}')
if missing:
    print('win32: declared calls without a definition:', file=sys.stderr)
    print('\n'.join(missing), file=sys.stderr)
    sys.exit(1)
print('win32: every declared call is defined')
PY
