"""The lesson every scenario runs on, made with the lesson builder from sounds and pictures the
runner draws itself, so each clip can be told apart in the recorded sound and each picture's
placement checked to the pixel."""
import os
import random
import struct
import subprocess
import zlib

from harness import write_wave

RATE = 22050
CLIP_SECONDS = 0.8
VOICE_PERIOD_SECONDS = 0.3
VOICE_LEVEL = 0.2  # the learner speaks softly: a played-back recording louder than this was normalised

PAGE_COLOUR = (255, 250, 205)
HIDDEN_ROWS_COLOUR = (200, 0, 200)    # the top 20 rows of a page picture, which lie above the view
PAGE_MARKS = [(0, 128, 0), (0, 0, 160)]  # one square per page, telling the pages apart
MARK_AT = (10, 30, 20)                 # the square's left, top (in picture rows) and size
TITLE_COLOUR = (224, 255, 255)
TITLE_MARK = (160, 0, 0)
PICTURE_SIZE = (600, 500)
TITLE_SIZE = (400, 300)


def _png(path, width, height, colour_at):
    rows = b''.join(b'\0' + b''.join(bytes(colour_at(x, y)) for x in range(width)) for y in range(height))
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)) +
                chunk(b'IDAT', zlib.compress(rows)) + chunk(b'IEND', b''))


def _square(colour, left, top, size, background):
    return lambda x, y: colour if left <= x < left + size and top <= y < top + size else background


def _page_picture(mark):
    left, top, size = MARK_AT
    inside = _square(mark, left, top, size, PAGE_COLOUR)
    return lambda x, y: HIDDEN_ROWS_COLOUR if y < 20 else inside(x, y)


def _noise(seed, count, level):
    rng = random.Random(seed)
    return [level * 32767 * rng.uniform(-1, 1) for _ in range(count)]


def _model_clip(seed):
    """Noise with 10 ms fades: unlike any other clip, so cross-correlation finds only itself."""
    count = int(CLIP_SECONDS * RATE)
    fade = int(0.01 * RATE)
    return [s * min(1.0, i / fade, (count - 1 - i) / fade) for i, s in enumerate(_noise(seed, count, 0.5))]


def build_lesson(builder, description, out):
    """zorva-lesson build; its complaint, if any, becomes the failure's message."""
    result = subprocess.run([builder, 'build', description, out], capture_output=True, text=True, timeout=60)
    if result.returncode != 0:
        raise RuntimeError(f'zorva-lesson build {description} failed: {result.stderr.strip()}')


def _on_picture(view_rect):
    """Descriptions give areas in picture pixels; the page picture lies at (110, -20) in the view."""
    left, top, right, bottom = view_rect
    return left - 110, top + 20, right - 110, bottom + 20


class Item:
    def __init__(self, index, top, role=None):
        self.audio = (200, top, 500, top + 40)      # view coordinates: left, top, right, bottom
        self.role_rect = (170, top, 190, top + 40) if role else None
        self.role = role
        self.clip = None                            # the WAV file its model recording comes from


class AcceptanceLesson:
    """Page 1: three sentences. Page 2: a dialogue of speakers A and B, four lines."""

    def __init__(self, folder, builder):
        self.folder = folder
        os.makedirs(folder, exist_ok=True)
        self.pages = [[Item(i, 60 + 60 * i) for i in range(3)],
                      [Item(i, 60 + 60 * i, role='AB'[i % 2]) for i in range(4)]]
        self.clips = []
        for items in self.pages:
            for item in items:
                item.clip = os.path.join(folder, f'clip{len(self.clips) + 1}.wav')
                write_wave(item.clip, _model_clip(1000 + len(self.clips)))
                self.clips.append(item.clip)
        self.voice_period = os.path.join(folder, 'voice-period.wav')
        # The learner says the same short sound over and over, so any part of a recording holds
        # whole periods to find.
        period = _noise(7, int(VOICE_PERIOD_SECONDS * RATE), VOICE_LEVEL)
        write_wave(self.voice_period, period)
        self.voice = os.path.join(folder, 'voice.wav')
        write_wave(self.voice, period * int(30 / VOICE_PERIOD_SECONDS))
        _png(os.path.join(folder, 'title.png'), *TITLE_SIZE, _square(TITLE_MARK, 0, 0, 20, TITLE_COLOUR))
        for p, mark in enumerate(PAGE_MARKS):
            _png(os.path.join(folder, f'page{p + 1}.png'), *PICTURE_SIZE, _page_picture(mark))
        description = os.path.join(folder, 'lesson.toml')
        with open(description, 'w') as f:
            f.write(self._toml())
        self.data = os.path.join(folder, 'out')
        build_lesson(builder, description, self.data)
        self.data_dir = os.path.join(self.data, 'ZORVADAT')

    def info(self, page):
        return f'Acceptance page {page + 1}'

    def _toml(self):
        lines = ['[title]', 'picture = "title.png"', '', '[[lesson]]', 'number = 1']
        for p, items in enumerate(self.pages):
            lines += ['[[lesson.page]]', f'info = "{self.info(p)}"', f'picture = "page{p + 1}.png"']
            for item in items:
                lines += ['[[lesson.page.item]]', 'rect = [%d, %d, %d, %d]' % _on_picture(item.audio),
                          f'audio = "{os.path.basename(item.clip)}"']
                if item.role:
                    lines += [f'role = "{item.role}"', 'role_rect = [%d, %d, %d, %d]' % _on_picture(item.role_rect)]
        return '\n'.join(lines) + '\n'
