// The baseline of the regular-expression benchmarks: node's own RegExp over the same text.
// Arguments: the text file (UTF-16LE), the pattern, "count" or "replace" (with the replacement
// as a third argument), the number of timed rounds. Prints one round's seconds per line, after
// two rounds that warm the engine up.
'use strict';
const fs = require('fs');
const [file, pattern, mode, replacement, roundsText] = process.argv.slice(2);
const text = fs.readFileSync(file, 'utf16le');
const regex = new RegExp(pattern, 'g');
let sink = 0;
const round = () => {
  if (mode === 'count') {
    // test() builds no match objects: the fastest count node offers.
    regex.lastIndex = 0;
    while (regex.test(text)) ++sink;
  } else {
    sink += text.replace(regex, replacement).length;
  }
};
round();
round();
const times = [];
for (let index = 0; index < Number(roundsText); ++index) {
  const start = process.hrtime.bigint();
  round();
  times.push(Number(process.hrtime.bigint() - start) / 1e9);
}
process.stdout.write(times.join('\n') + '\n');
if (sink < 0) process.exit(1);
