"""What came out of the speaker: the model clips and the learner's played-back voice, found in the
recorded speaker stream by cross-correlation (zorva-clipfind).

The sound server may drop out for a few tens of milliseconds on a busy machine: silence inside a
sound, or a stretch of it lost. Nothing here therefore cuts a sound at a silence: a clip is where
its whole, its first and its last tenth match, and the learner's voice is everything voiced
between the clips around it."""
import math
import subprocess

from harness import read_wave

MIN_SCORE = 0.2      # a clip cut by a dropout still scores above this; its tenths decide (zorva-clipfind)
SILENCE = 300        # sample magnitude below which the speaker counts as silent
LOUD = 24576         # a normalised playback nears full scale; the learner and the clips are far below
WINDOW = 220         # 10 ms at 22,050 Hz
STEP_WINDOWS = 5     # a step up to full scale after this many windows at speaking level


class Sound:
    """One thing heard: a model clip ('c1', 'c2', ...) or a played-back recording ('voice'), with
    its best correlation score, its peak (full scale 1) and its voiced time in seconds."""

    def __init__(self, name, start, end, score, peak, voiced=None):
        self.name, self.start, self.end, self.score, self.peak = name, start, end, score, peak
        self.voiced = end - start if voiced is None else voiced

    def __repr__(self):
        return f'{self.name}@{self.start:.2f}s'


class Heard:
    def __init__(self, clipfind, recording, clips, voice_period=None):
        args = [clipfind, recording, str(MIN_SCORE), *clips] + ([voice_period] if voice_period else [])
        result = subprocess.run(args, capture_output=True, text=True, timeout=120)
        if result.returncode != 0:
            raise RuntimeError(f'zorva-clipfind failed: {result.stderr.strip()}')
        samples, self.rate = read_wave(recording)
        self.levels = [max(map(abs, samples[i:i + WINDOW])) for i in range(0, len(samples), WINDOW)]
        models, voice_hits = [], []
        for line in result.stdout.splitlines():
            fields = line.split()
            if fields[0] != 'hit':
                continue
            index, start, score, peak, end = int(fields[1]), *map(float, fields[2:6])
            if index < len(clips):
                models.append(Sound(f'c{index + 1}', start, end, score, peak))
            else:
                voice_hits.append((start, score))
        models.sort(key=lambda s: s.start)
        self.sounds = sorted(models + self._voices(voice_hits, models), key=lambda s: s.start)

    def _voices(self, hits, models):
        """The playbacks in each stretch between model clips where the learner's voice was found.
        A playback keeps its last 10,000 bytes as spoken (only the rest is normalised), so where
        the level steps up from speaking level to full scale the next playback begins; a dropout
        is only a silence inside one."""
        bounds = [0.0] + [edge for m in models for edge in (m.start, m.end)] + [len(self.levels) * WINDOW / self.rate]
        voices = []
        for low, high in zip(bounds[::2], bounds[1::2]):
            scores = [score for start, score in hits if low <= start < high]
            if not scores:
                continue
            first, last = math.ceil(low * self.rate / WINDOW), int(high * self.rate / WINDOW)
            playbacks, quiet = [], 0
            for w in (w for w in range(first, last) if self.levels[w] > SILENCE):
                if not playbacks or (self.levels[w] > LOUD and quiet >= STEP_WINDOWS):
                    playbacks.append([])
                quiet = quiet + 1 if self.levels[w] <= LOUD else 0
                playbacks[-1].append(w)
            voices += [Sound('voice', p[0] * WINDOW / self.rate, (p[-1] + 1) * WINDOW / self.rate, max(scores),
                             max(self.levels[w] for w in p) / 32768, len(p) * WINDOW / self.rate)
                       for p in playbacks]
        return voices

    def names(self):
        return [s.name for s in self.sounds]
