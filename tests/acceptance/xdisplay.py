"""The runner's own connection to the X server: screen pixels, and the close request a window
manager's close button sends (Xvfb runs without a window manager)."""
import ctypes
import ctypes.util
import time

_CLIENT_MESSAGE = 33
_Z_PIXMAP = 2
_ALL_PLANES = ctypes.c_ulong(-1)


class _XClientMessageEvent(ctypes.Structure):
    _fields_ = [('type', ctypes.c_int), ('serial', ctypes.c_ulong), ('send_event', ctypes.c_int),
                ('display', ctypes.c_void_p), ('window', ctypes.c_ulong), ('message_type', ctypes.c_ulong),
                ('format', ctypes.c_int), ('data', ctypes.c_long * 5)]


class _XEvent(ctypes.Union):
    _fields_ = [('xclient', _XClientMessageEvent), ('pad', ctypes.c_long * 24)]


class _XImage(ctypes.Structure):
    _fields_ = [('width', ctypes.c_int), ('height', ctypes.c_int), ('xoffset', ctypes.c_int),
                ('format', ctypes.c_int), ('data', ctypes.c_void_p), ('byte_order', ctypes.c_int),
                ('bitmap_unit', ctypes.c_int), ('bitmap_bit_order', ctypes.c_int), ('bitmap_pad', ctypes.c_int),
                ('depth', ctypes.c_int), ('bytes_per_line', ctypes.c_int), ('bits_per_pixel', ctypes.c_int),
                ('red_mask', ctypes.c_ulong), ('green_mask', ctypes.c_ulong), ('blue_mask', ctypes.c_ulong),
                ('obdata', ctypes.c_void_p), ('funcs', ctypes.c_void_p * 6)]


_DESTROY_IMAGE = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.POINTER(_XImage))


class Pixels:
    """An RGB snapshot of part of the screen; at() takes screen coordinates."""

    def __init__(self, left, top, width, height, rgb):
        self.left, self.top, self.width, self.height, self.rgb = left, top, width, height, rgb

    def at(self, x, y):
        if not (self.left <= x < self.left + self.width and self.top <= y < self.top + self.height):
            raise IndexError(f'({x}, {y}) lies outside the snapshot')
        i = 3 * ((y - self.top) * self.width + (x - self.left))
        return tuple(self.rgb[i:i + 3])

    def save_ppm(self, path):
        with open(path, 'wb') as f:
            f.write(b'P6\n%d %d\n255\n' % (self.width, self.height))
            f.write(self.rgb)


class XDisplay:
    def __init__(self, name):
        x = ctypes.CDLL(ctypes.util.find_library('X11') or 'libX11.so.6')
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XInternAtom.restype = ctypes.c_ulong
        x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                 ctypes.POINTER(_XEvent)]
        x.XGetImage.restype = ctypes.POINTER(_XImage)
        x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x.XFlush.argtypes = [ctypes.c_void_p]
        x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self._x = x
        # A server that has just lost its last client starts over and refuses connections
        # meanwhile: it is asked again for a while.
        deadline = time.time() + 2
        self._display = x.XOpenDisplay(name.encode())
        while not self._display and time.time() < deadline:
            time.sleep(0.05)
            self._display = x.XOpenDisplay(name.encode())
        if not self._display:
            raise RuntimeError('cannot open display ' + name)
        self._root = x.XDefaultRootWindow(self._display)

    def grab(self, left, top, width, height):
        """The screen's pixels in the rectangle, as the X server holds them now."""
        self._x.XSync(self._display, 0)
        image = self._x.XGetImage(self._display, self._root, left, top, width, height, _ALL_PLANES, _Z_PIXMAP)
        if not image:
            raise RuntimeError(f'XGetImage failed for {width}x{height}+{left}+{top}')
        try:
            im = image.contents
            if im.bits_per_pixel != 32 or im.byte_order != 0:
                raise RuntimeError(f'screen format {im.bits_per_pixel} bpp, byte order {im.byte_order} is not handled')
            raw = ctypes.string_at(im.data, im.bytes_per_line * height)
            rgb = bytearray(width * height * 3)
            for row in range(height):
                line = raw[row * im.bytes_per_line:row * im.bytes_per_line + width * 4]
                out = row * width * 3
                rgb[out:out + width * 3:3] = line[2::4]
                rgb[out + 1:out + width * 3:3] = line[1::4]
                rgb[out + 2:out + width * 3:3] = line[0::4]
            return Pixels(left, top, width, height, bytes(rgb))
        finally:
            _DESTROY_IMAGE(image.contents.funcs[1])(image)

    def send_delete_window(self, window):
        """What a close button does: WM_PROTOCOLS with WM_DELETE_WINDOW."""
        event = _XEvent()
        event.xclient.type = _CLIENT_MESSAGE
        event.xclient.window = window
        event.xclient.message_type = self._x.XInternAtom(self._display, b'WM_PROTOCOLS', 0)
        event.xclient.format = 32
        event.xclient.data[0] = self._x.XInternAtom(self._display, b'WM_DELETE_WINDOW', 0)
        event.xclient.data[1] = 0  # CurrentTime
        self._x.XSendEvent(self._display, window, 0, 0, ctypes.byref(event))
        self._x.XFlush(self._display)

    def close(self):
        if self._display:
            self._x.XCloseDisplay(self._display)
            self._display = None
