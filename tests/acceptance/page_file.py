"""Reads back what a page file holds for its items: the audio rectangle in view coordinates and the
model clip's samples, independently of the program's own reader."""
import pathlib
import re
import struct


def _file_layout():
    """The numbers of tools/lessonkit/FileLayout.h, the one description of the data files."""
    header = pathlib.Path(__file__).resolve().parents[2] / 'tools' / 'lessonkit' / 'FileLayout.h'
    found = re.findall(r'^constexpr \w+ k(\w+) = (\d+);', header.read_text(), re.MULTILINE)
    return {name: int(value) for name, value in found}


_LAYOUT = _file_layout()
PICTURE_RECORD_AT = _LAYOUT['PagePictureRecordAt']
PICTURE_OFFSET_AT = _LAYOUT['PictureOffsetAt']
RECORD_SIZE = _LAYOUT['ItemRecordSize']
AUDIO_AT = _LAYOUT['ItemAudioAt']
CLIP_OFFSET_AT = _LAYOUT['ItemClipOffsetAt']
STORED_Y_OFFSET = _LAYOUT['StoredYOffset']
AIFF_HEADER_SIZE = _LAYOUT['ClipHeaderSize']  # samples follow it, big-endian 16-bit mono


class PageItem:
    def __init__(self, audio, samples):
        self.audio, self.samples = audio, samples


def read_page_items(path):
    with open(path, 'rb') as f:
        data = f.read()
    offset, length = struct.unpack_from('<iI', data, PICTURE_RECORD_AT + PICTURE_OFFSET_AT)
    pos = offset + length
    (count,) = struct.unpack_from('<h', data, pos)
    pos += 2
    items = []
    for _ in range(count):
        left, top, right, bottom = struct.unpack_from('<4h', data, pos + AUDIO_AT)
        clip_offset, clip_length = struct.unpack_from('<iI', data, pos + CLIP_OFFSET_AT)
        samples = []
        if clip_length >= AIFF_HEADER_SIZE:
            count_samples = (clip_length - AIFF_HEADER_SIZE) // 2
            samples = list(struct.unpack_from('>%dh' % count_samples, data, clip_offset + AIFF_HEADER_SIZE))
        items.append(PageItem((left, top - STORED_Y_OFFSET, right, bottom - STORED_Y_OFFSET), samples))
        # Each item starts where the previous one's clip ended, as the program reads them.
        pos = clip_offset + clip_length if clip_length else pos + RECORD_SIZE
    return items
