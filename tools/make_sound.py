#!/usr/bin/env python3
"""Writes the template sound data/shipped/WorkDir/sound.wav: a short soft two-tone chime,
16-bit PCM mono, with the plain 44-byte header the program's own recorder writes."""
import math
import pathlib
import struct
import wave

RATE = 22050
out = pathlib.Path(__file__).resolve().parent.parent / "data" / "shipped" / "WorkDir" / "sound.wav"
out.parent.mkdir(parents=True, exist_ok=True)

frames = bytearray()
for freq, seconds in ((660.0, 0.12), (880.0, 0.18)):
    n = int(RATE * seconds)
    for i in range(n):
        envelope = min(1.0, i / 200.0) * min(1.0, (n - i) / 600.0)
        frames += struct.pack("<h", int(9000 * envelope * math.sin(2 * math.pi * freq * i / RATE)))

with wave.open(str(out), "wb") as w:
    w.setnchannels(1)
    w.setsampwidth(2)
    w.setframerate(RATE)
    w.writeframes(bytes(frames))
print(out, out.stat().st_size, "bytes")
