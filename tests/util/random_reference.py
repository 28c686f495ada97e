#!/usr/bin/env python3
"""Independent model of the game's random generator (ISAAC with rotations, seeded
through the C library's linear congruential generator), compared draw by draw
with the C++ implementation's output."""
import subprocess
import sys

M = 0xFFFFFFFF


def ror(v, n):
    return ((v >> n) | (v << (32 - n))) & M


class Crt:
    def __init__(self, seed):
        self.x = seed & M

    def rand(self):
        self.x = (self.x * 214013 + 2531011) & M
        return (self.x >> 16) & 0x7FFF


def mix(r):
    a, b, c, d, e, f, g, h = r
    a ^= (b << 11) & M; d = (d + a) & M; b = (b + c) & M
    b ^= ror(c, 2); e = (e + b) & M; c = (c + d) & M
    c ^= (d << 8) & M; f = (f + c) & M; d = (d + e) & M
    d ^= ror(e, 16); g = (g + d) & M; e = (e + f) & M
    e ^= (f << 10) & M; h = (h + e) & M; f = (f + g) & M
    f ^= ror(g, 4); a = (a + f) & M; g = (g + h) & M
    g ^= (h << 8) & M; b = (b + g) & M; h = (h + a) & M
    h ^= ror(a, 9); c = (c + h) & M; a = (a + b) & M
    return [a, b, c, d, e, f, g, h]


class Isaac:
    def __init__(self, seed):
        crt = Crt(seed)
        k = crt.rand() % 10000
        for _ in range(k):
            crt.rand()
        self.rsl = [crt.rand() for _ in range(256)]
        self.mem = [0] * 256
        self.a = self.b = self.c = 0
        r = [0x9E3779B9] * 8
        for _ in range(4):
            r = mix(r)
        for src in (self.rsl, self.mem):
            for i in range(0, 256, 8):
                r = [(r[j] + src[i + j]) & M for j in range(8)]
                r = mix(r)
                self.mem[i:i + 8] = r
        self.generate()
        self.left = 256

    def generate(self):
        self.c = (self.c + 1) & M
        self.b = (self.b + self.c) & M
        for i in range(256):
            x = self.mem[i]
            step = i % 4
            if step == 0:
                self.a ^= (self.a << 13) & M
            elif step == 1:
                self.a ^= ror(self.a, 6)
            elif step == 2:
                self.a ^= (self.a << 2) & M
            else:
                self.a ^= ror(self.a, 16)
            self.a = (self.a + self.mem[(i + 128) % 256]) & M
            y = (self.mem[(x >> 2) & 255] + self.a + self.b) & M
            self.mem[i] = y
            self.b = (self.mem[(y >> 10) & 255] + x) & M
            self.rsl[i] = self.b

    def word(self):
        self.left -= 1
        if self.left < 0:
            self.generate()
            self.left = 255
        return self.rsl[self.left]

    def next_int(self, n):
        if n < 1:
            return 0
        k = n.bit_length()
        mask = (1 << k) - 1
        while True:
            w = self.word()
            signed = w - (1 << 32) if w & 0x80000000 else w
            v = (signed >> (32 - k)) & mask
            if v <= n:
                return v


def main():
    helper = sys.argv[1]
    count = 600  # crosses two refills of the 256-word batch
    for seed, bound in ((1, 6), (20061207, 99)):
        out = subprocess.run([helper, str(seed), str(count), str(bound)], capture_output=True, text=True,
                             check=True).stdout.split()
        got = [int(x) for x in out]
        model = Isaac(seed)
        words = [model.word() for _ in range(count)]
        model = Isaac(seed)
        ints = [model.next_int(bound) for _ in range(count)]
        if got != words + ints:
            first = next(i for i, (g, w) in enumerate(zip(got, words + ints)) if g != w)
            print(f"seed {seed}: first difference at draw {first}: {got[first]} != {(words + ints)[first]}")
            return 1
        print(f"seed {seed}: {count} words and {count} nextInt({bound}) values agree")
    return 0


if __name__ == "__main__":
    sys.exit(main())
