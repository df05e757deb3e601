// The reference for the differential test: the same global walk in JavaScript's own RegExp.
// Input, one case per line: pattern, text and replacement strings, tab-separated, each as four
// hex digits per UTF-16 unit. Output, one line per case: "ok COUNT SUBSTITUTED" (the result
// in the same hex form), "syntax" for a pattern RegExp refuses, "limit" when the engine gives up.
'use strict';
const fs = require('fs');

const decode = (hex) => {
  let units = '';
  for (let i = 0; i < hex.length; i += 4) units += String.fromCharCode(parseInt(hex.substr(i, 4), 16));
  return units;
};
const encode = (units) => {
  let hex = '';
  for (let i = 0; i < units.length; ++i) hex += units.charCodeAt(i).toString(16).padStart(4, '0');
  return hex;
};

// Each search starts at the end of the previous match, one unit further after an empty match.
// Groups 1 to R are replaced in order, unless they took no part or begin before the copy
// position; everything outside replaced groups is kept.
function walk(pattern, text, replacements) {
  let regex;
  try {
    regex = new RegExp(pattern, 'gd');
  } catch (e) {
    return 'syntax';
  }
  let count = 0;
  let copy = 0;
  let result = '';
  try {
    let match;
    while ((match = regex.exec(text)) !== null) {
      ++count;
      const groups = Math.min(replacements.length, match.length - 1);
      for (let group = 1; group <= groups; ++group) {
        const span = match.indices[group];
        if (span === undefined || span[0] < copy) continue;
        result += text.slice(copy, span[0]) + replacements[group - 1];
        copy = span[1];
      }
      if (match[0].length === 0) regex.lastIndex = match.index + 1;
    }
  } catch (e) {
    return 'limit';
  }
  return 'ok ' + count + ' ' + encode(result + text.slice(copy));
}

const lines = fs.readFileSync(process.argv[2], 'utf8').split('\n');
const answers = [];
for (const line of lines) {
  if (line === '') continue;
  const fields = line.split('\t');
  const replacements = fields.length > 2 && fields[2] !== '' ? fields[2].split(',').map(decode) : [];
  answers.push(walk(decode(fields[0]), decode(fields[1]), replacements));
}
process.stdout.write(answers.join('\n') + '\n');
