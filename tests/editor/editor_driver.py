"""The editor under test and the browser that drives it: `zorva-lesson edit` on a lesson made by
the fixture program, its server asked directly, and headless Chromium through WebDriver.

Every wait is bounded; close() ends the editor whatever happened.
"""
import json
import os
import select
import shutil
import subprocess
import sys
import time
import urllib.error
import urllib.request

STEP_TIMEOUT = 30


class Unavailable(Exception):
    """Chromium or its WebDriver cannot start here."""


class Failure(Exception):
    pass


def wait_for(condition, what, timeout=STEP_TIMEOUT):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if condition():
            return
        time.sleep(0.1)
    raise Failure('timed out waiting for %s' % what)


def start_browser(width=1400, height=1000):
    if shutil.which('chromedriver') is None or shutil.which('chromium') is None:
        raise Unavailable('chromium and chromium-driver are not installed')
    try:
        import selenium  # noqa: F401
    except ImportError:
        sys.path.append('/usr/lib/python3/dist-packages')  # Debian's package, for another Python than Debian's
    try:
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service
    except ImportError as error:
        raise Unavailable('python3-selenium is not installed (%s)' % error)
    options = webdriver.ChromeOptions()
    options.binary_location = shutil.which('chromium')
    for argument in ('--headless=new', '--no-sandbox', '--disable-dev-shm-usage', '--mute-audio',
                     '--autoplay-policy=no-user-gesture-required', '--window-size=%d,%d' % (width, height)):
        options.add_argument(argument)
    try:
        return webdriver.Chrome(service=Service(shutil.which('chromedriver')), options=options)
    except Exception as error:  # WebDriver reports a browser that cannot start in many ways
        raise Unavailable('chromium could not start: %s' % str(error).splitlines()[0])


def make_lesson(fixture, kind, folder):
    """The fixture program's lesson of that kind; returns its description's path."""
    subprocess.run([fixture, kind, folder], check=True, timeout=120)
    return os.path.join(folder, 'lesson.toml')


class Editor:
    def __init__(self, builder, lesson_file):
        self.lesson_file = lesson_file
        self.proc = subprocess.Popen([builder, 'edit', self.lesson_file, '--no-browser'], stdout=subprocess.PIPE,
                                     stderr=subprocess.STDOUT)
        self.lines = [self._read_line(STEP_TIMEOUT)]
        words = [w for w in self.lines[0].split() if w.startswith('http://')]
        if not words:
            self.close()
            raise Failure('the editor printed no address: %s' % self.lines[0])
        self.address = words[0]                     # http://127.0.0.1:PORT/KEY/
        self.key = self.address.rstrip('/').rsplit('/', 1)[1]
        self.root = self.address[:-len(self.key) - 1]
        self.port = int(self.root.rsplit(':', 1)[1].strip('/'))

    def _read_line(self, timeout):
        ready, _, _ = select.select([self.proc.stdout], [], [], timeout)
        return self.proc.stdout.readline().decode() if ready else ''

    # ---- the server, asked directly ------------------------------------------------------
    def get(self, url, headers=None):
        return self._ask(urllib.request.Request(url, headers=headers or {}))

    def post(self, path, body):
        return self._ask(urllib.request.Request(self.address + path, data=json.dumps(body).encode(), method='POST'))

    def _ask(self, request):
        try:
            with urllib.request.urlopen(request, timeout=STEP_TIMEOUT) as answer:
                return answer.status, answer.read()
        except urllib.error.HTTPError as error:
            return error.code, error.read()

    def lesson(self):
        return json.loads(self.get(self.address + 'lesson')[1])

    def lesson_text(self):
        with open(self.lesson_file, encoding='utf-8') as f:
            return f.read()

    def listening_addresses(self):
        """The local addresses of listening sockets on the editor's port (IPv4 and IPv6)."""
        found = set()
        for table in ('/proc/net/tcp', '/proc/net/tcp6'):
            with open(table) as f:
                for line in f.readlines()[1:]:
                    local, state = line.split()[1], line.split()[3]
                    address, port = local.split(':')
                    if state == '0A' and int(port, 16) == self.port:
                        found.add('127.0.0.1' if address == '0100007F' else address)
        return found

    # ---- the page, through the browser ---------------------------------------------------
    @staticmethod
    def drag_on(driver, element_id, at, by):
        from selenium.webdriver.common.action_chains import ActionChains
        element = driver.find_element('id', element_id)
        driver.execute_script('arguments[0].scrollIntoView({block: "center"})', element)
        size = element.size
        (ActionChains(driver).move_to_element_with_offset(element, int(at[0] - size['width'] / 2),
                                                          int(at[1] - size['height'] / 2))
         .click_and_hold().move_by_offset(*by).release().perform())

    @staticmethod
    def detail_span(driver):
        """The time the detail view shows from and to, and its width on the page."""
        return driver.execute_script('const d = document.getElementById("detail");'
                                     'return [+d.dataset.start, +d.dataset.end, d.getBoundingClientRect().width]')

    @staticmethod
    def keys(driver, combination):
        from selenium.webdriver.common.action_chains import ActionChains
        from selenium.webdriver.common.keys import Keys
        *modifiers, key = combination.split('+')
        chain = ActionChains(driver)
        for m in modifiers:
            chain.key_down(getattr(Keys, m.upper()))
        chain.send_keys({'right': Keys.ARROW_RIGHT, 'left': Keys.ARROW_LEFT, 'down': Keys.ARROW_DOWN, 'space': Keys.SPACE,
                         'tab': Keys.TAB, 'delete': Keys.DELETE}.get(key, key))
        for m in modifiers:
            chain.key_up(getattr(Keys, m.upper()))
        chain.perform()

    # ---- its end ---------------------------------------------------------------------------
    def stops_within(self, seconds, saying):
        try:
            self.proc.wait(timeout=seconds)
        except subprocess.TimeoutExpired:
            return False
        self.lines += [line.decode() for line in self.proc.stdout.readlines()]
        return saying in self.output()

    def output(self):
        return ''.join(self.lines)

    def close(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
