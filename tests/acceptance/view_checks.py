"""Where the program's elements lie in its view, and the pixel checks the scenarios share.
Coordinates here are view coordinates unless a name says otherwise."""
WHITE = (255, 255, 255)
BLUE = (0, 0, 255)
RED = (255, 0, 0)
GREEN = (0, 255, 0)
LIGHT_GREY = (192, 192, 192)

MENU_BAR_HEIGHT = 20
CLIENT_EDGE = 2  # the view's sunken edge

# Each button's x and y as the lesson book places it; its rectangle is (x, y-5)-(x+100, y+21).
BUTTONS = {
    'Lessons': (10, 28), 'Previous Page': (10, 52), 'Next Page': (10, 76),
    'Stop': (10, 148), 'Play': (10, 172), ' ': (10, 196), 'Repeat after me': (10, 220),
    'Review': (10, 244), 'Replay': (10, 268),
    'Lesson 1': (600, 104), 'Lesson 2': (600, 128), 'Lesson 3': (600, 152), 'Lesson 4': (600, 176),
}
PAGE_BUTTONS = ['Lessons', 'Previous Page', 'Next Page', 'Stop', 'Play', 'Repeat after me', 'Review', 'Replay']
LESSON_BUTTONS = ['Lesson 1', 'Lesson 2', 'Lesson 3', 'Lesson 4']
INFO_RECT = (860, 10, 1100, 30)


def button_rect(name):
    x, y = BUTTONS[name]
    return (x, y - 5, x + 100, y + 21)


def button_point(name):
    """Where a learner clicks the button: on its caption."""
    left, top, right, bottom = button_rect(name)
    return left + 30, top + 12


def button_line(name):
    """A pixel of the light-grey line above the button's caption: the button is on screen."""
    left, top, right, _ = button_rect(name)
    return (left + right) // 2, top + 2


def rect_centre(rect):
    return (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2


class View:
    """A snapshot of the screen read in view coordinates; every check names what it saw. On a
    scaled window each view pixel is a block on the screen; `on_screen` names the pixel read."""

    def __init__(self, pixels, on_screen, size):
        self.pixels, self.on_screen, self.size = pixels, on_screen, size

    def at(self, x, y):
        return self.pixels.at(*self.on_screen((x, y)))

    def colours(self, left, top, right, bottom):
        """The set of colours in the rectangle (right and bottom exclusive)."""
        found = set()
        for y in range(top, bottom):
            for x in range(left, right):
                found.add(self.at(x, y))
        return found

    def expect_colour(self, x, y, colour, what, problems):
        seen = self.at(x, y)
        if seen != colour:
            problems.append(f'{what}: ({x}, {y}) is {seen}, expected {colour}')

    def expect_frame(self, rect, colour, what, problems):
        """The one-pixel frame from (left, top) to (right, bottom), both corners included."""
        left, top, right, bottom = rect
        border = [(x, y) for x in range(left, right + 1) for y in (top, bottom)]
        border += [(x, y) for y in range(top, bottom + 1) for x in (left, right)]
        for x, y in border:
            if self.at(x, y) != colour:
                problems.append(f'{what}: frame pixel ({x}, {y}) is {self.at(x, y)}, expected {colour}')
                return

    def expect_button(self, name, text_colour, problems):
        """A lined caption: light-grey lines at top + 2 and bottom, the caption in its state's colour."""
        left, top, right, bottom = button_rect(name)
        for x in (left, (left + right) // 2, right - 1):
            self.expect_colour(x, top + 2, LIGHT_GREY, f'"{name}" line above', problems)
            self.expect_colour(x, bottom, LIGHT_GREY, f'"{name}" line below', problems)
        text = self.colours(left, top + 3, right, bottom) - {WHITE}
        others = {BLUE, RED, LIGHT_GREY} - {text_colour}
        if text_colour not in text:
            problems.append(f'"{name}": no caption pixel of {text_colour} (saw {sorted(text)[:6]})')
        if text & others:
            problems.append(f'"{name}": caption pixels of {sorted(text & others)}, expected only {text_colour}')

    def expect_plain(self, rect, colour, what, problems):
        """Nothing but one colour in the rectangle (right and bottom exclusive)."""
        seen = self.colours(*rect)
        if seen != {colour}:
            problems.append(f'{what}: {rect} holds {sorted(seen)[:6]}, expected only {colour}')
