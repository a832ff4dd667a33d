"""What came out of the speaker: the model clips and the learner's played-back voice, found in the
recorded speaker stream by cross-correlation (zorva-clipfind)."""
import subprocess

from harness import read_wave

MIN_SCORE = 0.6
SILENCE = 300        # sample magnitude below which the speaker counts as silent
WINDOW = 220         # 10 ms at 22,050 Hz


class Sound:
    """One thing heard: a model clip ('c1', 'c2', ...) or a played-back recording ('voice').
    The score of a recording is its best match."""

    def __init__(self, name, start, score, peak, end=None):
        self.name, self.start, self.score, self.peak = name, start, score, peak
        self.end = end
        self.anchor = self.last_hit = start  # a recording's best match and its latest one

    def __repr__(self):
        return f'{self.name}@{self.start:.2f}s'


class Heard:
    def __init__(self, clipfind, recording, clips, clip_seconds, voice_period=None, period_seconds=0):
        args = [clipfind, recording, str(MIN_SCORE), *clips] + ([voice_period] if voice_period else [])
        result = subprocess.run(args, capture_output=True, text=True, timeout=120)
        if result.returncode != 0:
            raise RuntimeError(f'zorva-clipfind failed: {result.stderr.strip()}')
        self.samples, self.rate = read_wave(recording)
        self.best = {}
        hits = []
        for line in result.stdout.splitlines():
            fields = line.split()
            if fields[0] == 'hit':
                hits.append((int(fields[1]), float(fields[2]), float(fields[3]), float(fields[4])))
            elif fields[0] == 'best':
                self.best[int(fields[1])] = float(fields[2])
        self.sounds = self._group(hits, len(clips), clip_seconds, period_seconds)

    def _group(self, hits, voice_index, clip_seconds, period):
        """Clip hits stay as they are; voice hits exactly one period apart are one playback."""
        sounds = []
        for index, start, score, peak in hits:
            if index < voice_index:
                sounds.append(Sound(f'c{index + 1}', start, score, peak, start + clip_seconds))
                continue
            last = sounds[-1] if sounds else None
            if last is not None and last.name == 'voice' and abs(start - last.last_hit - period) < 0.002:
                last.last_hit = start
                if score > last.score:
                    last.score, last.anchor = score, start
                last.peak = max(last.peak, peak)
                continue
            sounds.append(Sound('voice', start, score, peak))
        # A playback reaches out from its best match to the silence around it, but never into the
        # sounds beside it. (Weaker matches at its ends may lie partly over silence.)
        for i, sound in enumerate(sounds):
            if sound.name == 'voice':
                start, end = self.extent(sound.anchor + period / 2)
                if i > 0:
                    start = max(start, sounds[i - 1].end)
                if i + 1 < len(sounds):
                    end = min(end, sounds[i + 1].start)
                sound.start, sound.end = start, end
        return sounds

    def names(self):
        return [s.name for s in self.sounds]

    def extent(self, seconds):
        """Start and end (seconds) of the stretch of sound around a moment, bounded by silence."""
        at = int(seconds * self.rate) // WINDOW
        def loud(w):
            chunk = self.samples[w * WINDOW:(w + 1) * WINDOW]
            return bool(chunk) and max(abs(s) for s in chunk) > SILENCE
        first = last = at
        while first > 0 and loud(first - 1):
            first -= 1
        while loud(last + 1):
            last += 1
        return first * WINDOW / self.rate, (last + 1) * WINDOW / self.rate
