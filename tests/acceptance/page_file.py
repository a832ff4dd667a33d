"""Reads back what a page file holds for its items: the audio rectangle in view coordinates and the
model clip's samples, independently of the program's own reader."""
import struct

PICTURE_RECORD_AT = 1027   # after the flag byte, the two 13-byte names and the 1000-byte text
RECORD_SIZE = 92
STORED_Y_OFFSET = 20       # stored y values count rows of the page picture
AIFF_HEADER_SIZE = 52      # samples follow it, big-endian 16-bit mono


class PageItem:
    def __init__(self, audio, samples):
        self.audio, self.samples = audio, samples


def read_page_items(path):
    with open(path, 'rb') as f:
        data = f.read()
    offset, length = struct.unpack_from('<iI', data, PICTURE_RECORD_AT + 64)
    pos = offset + length
    (count,) = struct.unpack_from('<h', data, pos)
    pos += 2
    items = []
    for _ in range(count):
        left, top, right, bottom = struct.unpack_from('<4h', data, pos + 8)
        clip_offset, clip_length = struct.unpack_from('<iI', data, pos + 84)
        samples = []
        if clip_length >= AIFF_HEADER_SIZE:
            count_samples = (clip_length - AIFF_HEADER_SIZE) // 2
            samples = list(struct.unpack_from('>%dh' % count_samples, data, clip_offset + AIFF_HEADER_SIZE))
        items.append(PageItem((left, top - STORED_Y_OFFSET, right, bottom - STORED_Y_OFFSET), samples))
        # Each item starts where the previous one's clip ended, as the program reads them.
        pos = clip_offset + clip_length if clip_length else pos + RECORD_SIZE
    return items
