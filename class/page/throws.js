// SPDX-License-Identifier: GPL-3.0-or-later
// The pupils' throws, as rules/ClassThrows.cpp counts them: the same
// std::mt19937 outputs and the same integer tests, so that the teacher's
// machine finds the same hits. Every product stays below 2^53, where
// doubles are exact. An ES module (package.json says so to Node 18).

export class MT19937 {
  constructor(seed) {
    this.state = new Uint32Array(624);
    this.index = 624;
    this.state[0] = seed >>> 0;
    for (let i = 1; i < 624; i++) {
      const prev = this.state[i - 1] ^ (this.state[i - 1] >>> 30);
      this.state[i] = (Math.imul(1812433253, prev) + i) >>> 0;
    }
  }

  twist() {
    const s = this.state;
    for (let i = 0; i < 624; i++) {
      const y = (s[i] & 0x80000000) | (s[(i + 1) % 624] & 0x7fffffff);
      s[i] = s[(i + 397) % 624] ^ (y >>> 1) ^ (y & 1 ? 0x9908b0df : 0);
    }
    this.index = 0;
  }

  next() {
    if (this.index >= 624) this.twist();
    let y = this.state[this.index++];
    y ^= y >>> 11;
    y ^= (y << 7) & 0x9d2c5680;
    y ^= (y << 15) & 0xefc60000;
    y ^= y >>> 18;
    return y >>> 0;
  }
}

const pointBits = 25;
const directionBits = 12;
const distanceBits = 13;

function centred(output, bits) {
  return 2 * (output >>> (32 - bits)) + 1 - 2 ** bits;
}

// A point and where it fell, in [0, 1) from the square's corner at the
// quarter circle's centre, for the page's picture.
export function pointAt(engine) {
  const x = 2 * (engine.next() >>> (32 - pointBits)) + 1;
  const y = 2 * (engine.next() >>> (32 - pointBits)) + 1;
  return { x: x / 2 ** (pointBits + 1), y: y / 2 ** (pointBits + 1), hit: x * x + y * y <= 2 ** (2 * pointBits + 2) };
}

export function throwPoint(engine) {
  return pointAt(engine).hit;
}

// A needle: its direction (cosine and sine) and its centre's distance to
// the nearest line, a fraction of half the spacing (the needle's length).
export function needleAt(engine) {
  let x, y;
  do {
    x = centred(engine.next(), directionBits);
    y = centred(engine.next(), directionBits);
  } while (x * x + y * y > 2 ** (2 * directionBits));
  const d = 2 * (engine.next() >>> (32 - distanceBits)) + 1;
  const r = Math.sqrt(x * x + y * y);
  return { cos: x / r, sin: y / r, distance: d / 2 ** (distanceBits + 1),
    hit: d * d * (x * x + y * y) <= 2 ** (2 * distanceBits) * y * y };
}

export function throwNeedle(engine) {
  return needleAt(engine).hit;
}

// experiment: "points" (two outputs a throw) or "needles" (two outputs for
// each direction drawn, then one for the distance).
export function hits(experiment, seed, count) {
  const engine = new MT19937(seed);
  const one = experiment === "points" ? throwPoint : throwNeedle;
  let hit = 0;
  for (let i = 0; i < count; i++) if (one(engine)) hit++;
  return hit;
}
