"""The desktop a learner runs Zorva on: Xvfb, a PulseAudio server of our own, the program.

Everything started here is stopped in close(), whatever happened; every wait is bounded.
"""
import os
import select
import shutil
import signal
import struct
import subprocess
import time
import wave

from xdisplay import XDisplay

SKIP = 77  # CTest's skip status: Xvfb or the sound server cannot start here
SCREEN_SIZE = (1280, 1024)


class Unavailable(Exception):
    """Xvfb or the sound server could not be started."""


class Failure(Exception):
    """A scenario's check failed; the message names the artefacts left behind."""


class Desktop:
    def __init__(self, work, name, step_timeout=20, screen_size=SCREEN_SIZE, dpi=None):
        self.dir = os.path.join(work, name)
        if os.path.exists(self.failed_mark()):  # the try before failed: kept beside for a look
            shutil.rmtree(self.dir + '.failed', ignore_errors=True)
            os.rename(self.dir, self.dir + '.failed')
        shutil.rmtree(self.dir, ignore_errors=True)
        os.makedirs(self.dir)
        self.step_timeout = step_timeout
        self.screen_size = screen_size
        self.dpi = dpi  # None: Xvfb's own default
        self.procs = []
        self.groups = set()  # processes started with children of their own, ended as a group
        self.x = None
        self.program = None
        self.shots = 0
        self.env = dict(os.environ)

    # ---- servers -------------------------------------------------------------------------
    def start(self):
        self.start_x()
        self._start_pulse()

    def start_x(self):
        """Xvfb alone: programs started from here open the real desktop through SDL on it."""
        for tool in ('Xvfb', 'xdotool', 'xwininfo'):
            if shutil.which(tool) is None:
                raise Unavailable(f'{tool} is not installed')
        read_fd, write_fd = os.pipe()
        screen = '%dx%dx24' % self.screen_size
        resolution = ['-dpi', str(self.dpi)] if self.dpi else []
        proc = subprocess.Popen(['Xvfb', '-displayfd', str(write_fd), '-screen', '0', screen, *resolution,
                                 '-nolisten', 'tcp'], pass_fds=(write_fd,), stdout=subprocess.DEVNULL,
                                stderr=open(os.path.join(self.dir, 'xvfb.log'), 'w'))
        os.close(write_fd)
        self.procs.append(proc)
        number = self._read_line(read_fd)
        if not number:
            raise Unavailable('Xvfb did not report a display')
        self.env['DISPLAY'] = ':' + number.strip()
        self.env['SDL_VIDEODRIVER'] = 'x11'
        self.env.pop('ZORVA_BACKEND', None)
        self.x = XDisplay(self.env['DISPLAY'])

    def _read_line(self, fd):
        out = b''
        deadline = time.time() + self.step_timeout
        while not out.endswith(b'\n') and time.time() < deadline:
            ready, _, _ = select.select([fd], [], [], 0.2)
            if ready:
                chunk = os.read(fd, 64)
                if not chunk:
                    break
                out += chunk
        os.close(fd)
        return out.decode()

    def _start_pulse(self):
        if shutil.which('pulseaudio') is None:
            raise Unavailable('pulseaudio is not installed')
        run = os.path.join(self.dir, 'pulse')
        os.makedirs(run)
        socket = os.path.join(run, 'native')
        config = os.path.join(run, 'server.pa')
        with open(config, 'w') as f:
            f.write(f'load-module module-native-protocol-unix socket={socket} auth-anonymous=1\n'
                    'load-module module-null-sink sink_name=speaker rate=22050 channels=1\n'
                    'load-module module-null-sink sink_name=voice rate=22050 channels=1\n'
                    'set-default-sink speaker\nset-default-source voice.monitor\n')
        env = dict(self.env, HOME=run, XDG_RUNTIME_DIR=run, PULSE_RUNTIME_PATH=run)
        env.pop('DISPLAY', None)
        self.procs.append(subprocess.Popen(
            ['pulseaudio', '-n', '-F', config, '--daemonize=no', '--exit-idle-time=-1', '--use-pid-file=no',
             '--disable-shm=yes'], env=env, stdout=subprocess.DEVNULL,
            stderr=open(os.path.join(self.dir, 'pulse.log'), 'w')))
        self.env.update(PULSE_SERVER='unix:' + socket, SDL_AUDIODRIVER='pulseaudio')
        deadline = time.time() + self.step_timeout
        while time.time() < deadline:
            if subprocess.run(['pactl', 'info'], env=self.env, capture_output=True, timeout=5).returncode == 0:
                return
            time.sleep(0.2)
        raise Unavailable('the PulseAudio server did not answer')

    # ---- sound ---------------------------------------------------------------------------
    def record_speaker(self):
        """Records everything played to the speaker into speaker.wav (22,050 Hz mono)."""
        self.speaker_wav = os.path.join(self.dir, 'speaker.wav')
        self.recorder = subprocess.Popen(
            ['parecord', '--device=speaker.monitor', '--rate=22050', '--channels=1', '--format=s16le',
             '--file-format=wav', '--latency-msec=20', self.speaker_wav], env=self.env)
        self.procs.append(self.recorder)
        # The sound server hands over the first samples only after a while: what plays before
        # they reach the file could be lost, so the scenario goes on only then.
        deadline = time.time() + self.step_timeout
        while time.time() < deadline:
            size = os.path.getsize(self.speaker_wav) if os.path.exists(self.speaker_wav) else 0
            if size > 44 + 4410:
                return
            time.sleep(0.02)
        raise Unavailable('the sound server delivered no speaker samples to record')

    def stop_recording(self, settle_seconds=2.5):
        """Stops the speaker recording once it holds what has been heard so far: the file can run
        behind the speaker by up to the sound server's block time (2 s), so it is stopped only
        when it has taken in settle_seconds more."""
        target = os.path.getsize(self.speaker_wav) + int(settle_seconds * 44100)
        deadline = time.time() + settle_seconds + self.step_timeout
        while os.path.getsize(self.speaker_wav) < target and time.time() < deadline:
            time.sleep(0.05)
        self.recorder.send_signal(signal.SIGINT)
        self._wait(self.recorder, 5)
        return self.speaker_wav

    def feed_microphone(self, voice_wav):
        """Plays the learner voice into the microphone over and over until close(). A generous buffer:
        the player must not run dry on a busy machine, or the microphone itself would fall silent."""
        script = f'while :; do paplay --latency-msec=500 --device=voice {voice_wav!r} || exit 1; done'
        feeder = subprocess.Popen(['sh', '-c', script], env=self.env, start_new_session=True)
        self.procs.append(feeder)
        self.groups.add(feeder.pid)

    # ---- the program ---------------------------------------------------------------------
    def start_program(self, exe, folder, log='zorva.out', env=None):
        """Starts exe (a path, or a command line as a list) in the folder, with `env` added to the
        desktop's environment; what it writes (output and errors) goes to the log."""
        self.log = os.path.join(self.dir, log)
        command = exe if isinstance(exe, list) else [exe]
        self.program = subprocess.Popen(command, cwd=folder, env=dict(self.env, **(env or {})),
                                        stdout=open(self.log, 'w'), stderr=subprocess.STDOUT)
        self.procs.append(self.program)

    def program_output(self):
        with open(self.log, errors='replace') as f:
            return f.read()

    def find_window(self, name):
        """The id of the first window whose name is exactly `name`."""
        result = self.xdotool('search', '--sync', '--onlyvisible', '--name', '^' + name + '$')
        return result.split()[0]

    def find_dialog(self, name):
        """The window of a message box without an owner on the screen: SDL names it in UTF-8 only,
        which xdotool's search cannot read."""
        deadline = time.time() + self.step_timeout
        while time.time() < deadline:
            tree = subprocess.run(['xwininfo', '-root', '-tree'], env=self.env, capture_output=True, text=True,
                                  timeout=self.step_timeout).stdout
            for line in tree.splitlines():
                fields = line.split(None, 1)
                if len(fields) == 2 and fields[1].startswith(f'"{name}":'):
                    return str(int(fields[0], 16))
            time.sleep(0.1)
        raise Failure(f'no window named "{name}" appeared within {self.step_timeout} s; {self.artefacts()}')

    def wait_for_output(self, text):
        """Waits until the program has written `text` (a message box writes its text as it opens)."""
        deadline = time.time() + self.step_timeout
        while time.time() < deadline:
            if text in self.program_output():
                return
            time.sleep(0.05)
        raise Failure(f'the program did not write "{text}" within {self.step_timeout} s; {self.artefacts()}')

    def window_exists(self, name):
        # A search that finds nothing ends with status 1: that is an answer here, not a failure.
        return bool(self.xdotool('search', '--onlyvisible', '--name', '^' + name + '$', check=False).split())

    def geometry(self, window):
        values = {}
        for line in self.xdotool('getwindowgeometry', '--shell', window).splitlines():
            key, _, value = line.partition('=')
            values[key] = int(value) if value.lstrip('-').isdigit() else value
        return values['X'], values['Y'], values['WIDTH'], values['HEIGHT']

    def xdotool(self, *args, check=True):
        try:
            result = subprocess.run(['xdotool', *args], env=self.env, capture_output=True, text=True,
                                    timeout=self.step_timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f'xdotool {" ".join(args)} took longer than {self.step_timeout} s; {self.artefacts()}')
        if check and result.returncode != 0:
            raise Failure(f'xdotool {" ".join(args)} failed: {result.stderr.strip()}; {self.artefacts()}')
        return result.stdout

    def click(self, x, y, button=1):
        self.xdotool('mousemove', '--sync', str(x), str(y))
        self.xdotool('click', str(button))

    def key(self, window, keys):
        self.xdotool('windowfocus', '--sync', window)
        self.xdotool('key', keys)

    def close_window(self, window):
        """What the close button does: the window manager's WM_DELETE_WINDOW request."""
        self.x.send_delete_window(int(window))

    def wait_exit(self, seconds):
        try:
            return self.program.wait(timeout=seconds)
        except subprocess.TimeoutExpired:
            return None

    def screenshot(self, label):
        """The whole screen now, kept as a numbered PPM file beside the scenario's other artefacts."""
        self.shots += 1
        pixels = self.x.grab(0, 0, *self.screen_size)
        pixels.save_ppm(os.path.join(self.dir, f'{self.shots:02d}-{label}.ppm'))
        return pixels

    def wait_for_pixel(self, x, y, colour, seconds):
        """Polls one screen pixel until it has the colour; the time it took, or None."""
        started = time.time()
        while time.time() - started < seconds:
            if self.x.grab(x, y, 1, 1).at(x, y) == colour:
                return time.time() - started
            time.sleep(0.005)
        return None

    def failed_mark(self):
        """A file whose presence says this run failed; the next run keeps the folder as DIR.failed."""
        return os.path.join(self.dir, 'FAILED')

    def artefacts(self):
        return f'screenshots and speaker.wav in {self.dir}'

    # ---- teardown ------------------------------------------------------------------------
    def _wait(self, proc, seconds):
        try:
            proc.wait(timeout=seconds)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait(timeout=5)

    def close(self):
        if self.x is not None:
            self.x.close()
        for proc in reversed(self.procs):
            if proc.poll() is None:
                try:
                    if proc.pid in self.groups:
                        os.killpg(proc.pid, signal.SIGTERM)
                    else:
                        proc.terminate()
                except ProcessLookupError:
                    pass
                self._wait(proc, 5)


def write_wave(path, samples, rate=22050):
    with wave.open(path, 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(struct.pack('<%dh' % len(samples), *(max(-32768, min(32767, int(s))) for s in samples)))


def read_wave(path):
    with wave.open(path, 'rb') as w:
        frames = w.readframes(w.getnframes())
        return list(struct.unpack('<%dh' % (len(frames) // 2), frames)), w.getframerate()
