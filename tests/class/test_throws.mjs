// SPDX-License-Identifier: GPL-3.0-or-later
// The page's throws against the table the C++ tests also read: every row's
// hits, and the generator's known answer from the C++ standard.
// Usage: node test_throws.mjs
import { readFileSync } from "node:fs";
import { MT19937, hits } from "../../class/page/throws.js";

let failures = 0;
function expect(what, got, wanted) {
  const ok = got === wanted;
  if (!ok) failures++;
  console.log(`${ok ? "ok  " : "FAIL"} ${what}: ${got}${ok ? "" : ` (wanted ${wanted})`}`);
}

// The 10,000th output of a default-seeded std::mt19937.
const engine = new MT19937(5489);
let output;
for (let i = 0; i < 10000; i++) output = engine.next();
expect("mt19937(5489) output 10000", output, 4123659995);

const table = JSON.parse(readFileSync(new URL("./throws_known.json", import.meta.url), "utf8"));
for (const row of table)
  expect(`${row.experiment} seed ${row.seed} count ${row.count}`, hits(row.experiment, row.seed, row.count), row.hits);

if (table.length === 0) failures++;
process.exit(failures ? 1 : 0);
