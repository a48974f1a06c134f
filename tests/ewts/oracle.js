// Compares `revaze ewts` with the public EWTS converter jsewts over three sets of strings: the
// converter's own test pairs, every distinct syllable of the default dictionary written in EWTS
// by jsewts and read back, and our own Sanskrit, marks and punctuation set; and the Sanskrit set
// once more as `revaze type --layout EWTS` commits it, key by key. A difference that is
// not listed in expected_differences.txt fails the test; the figures go to standard output.
//
//   node oracle.js REVAZE JSEWTS_DIR WORDS_TXT
'use strict';
const fs = require('fs');
const path = require('path');
const { execFileSync } = require('child_process');

const [revaze, jsewtsDir, wordsFile] = process.argv.slice(2);
if (!revaze || !jsewtsDir || !wordsFile) {
    console.error('usage: node oracle.js REVAZE JSEWTS_DIR WORDS_TXT');
    process.exit(2);
}
if (!fs.existsSync(path.join(jsewtsDir, 'package.json'))) {
    console.error(`oracle: jsewts is not installed in ${jsewtsDir} (scripts/setup.sh installs it)`);
    process.exit(1);
}
const jsewts = require(path.resolve(jsewtsDir));
const here = __dirname;

function lines(file) {
    return fs.readFileSync(file, 'utf8').split('\n').map((l) => l.replace(/\r$/, ''));
}

// Our converter over many strings, a few hundred to a call.
function ours(strings) {
    const out = [];
    for (let i = 0; i < strings.length; i += 400) {
        const batch = strings.slice(i, i + 400);
        const text = execFileSync(revaze, ['ewts', '--codepoints', ...batch], { encoding: 'utf8' });
        const got = text.split('\n').slice(0, batch.length);
        if (got.length !== batch.length) throw new Error('revaze ewts gave too few lines');
        out.push(...got);
    }
    return out;
}

// What the EWTS layout commits when the string is typed, then Enter (no dictionary: a digit then
// types a digit).
function typed(strings) {
    return strings.map((s) => {
        const script = s.replace(/[{}]/g, (c) => (c === '{' ? '{LBrace}' : '{RBrace}')) + '{Enter}';
        const args = ['type', '--no-dict', '--codepoints', '--layout', 'EWTS', script];
        return execFileSync(revaze, args, { encoding: 'utf8' }).replace(/\n$/, '')
            .replace(/( ?U\+000A)$/, '');
    });
}

function codepoints(s) {
    return [...s].map((c) => 'U+' + c.codePointAt(0).toString(16).toUpperCase().padStart(4, '0'))
        .join(' ');
}

// class<TAB>set<TAB>EWTS: one deliberate difference a line; # starts a comment.
const expected = new Map();
for (const line of lines(path.join(here, 'expected_differences.txt'))) {
    if (line === '' || line.startsWith('#')) continue;
    const [klass, set, ewts] = line.split('\t');
    expected.set(`${set}\t${JSON.parse(ewts)}`, klass);
}

const testPairs = lines(path.join(jsewtsDir, 'test', 'test.txt'))
    .filter((l) => l !== '' && !l.startsWith('#')).map((l) => l.split('\t')[0]);
const syllables = new Set();
for (const word of lines(wordsFile)) {
    for (const s of word.split('\u0f0b')) if (s) syllables.add(s);
}
const dictionary = [...syllables].sort();
const sanskrit = lines(path.join(here, 'sanskrit.txt')).filter((l) => l !== '' && !l.startsWith('#'))
    .map((l) => JSON.parse(l));

// Strings of up to eight keys of the standard drawn at random (the same every run): they reach
// the corners that real text seldom does, letters stacked with + after vowels, marks on marks.
function randomStrings(count) {
    const keys = ['k', 'kh', 'g', 'ng', 'c', 'ch', 'j', 'ny', 'T', 'Th', 'D', 'N', 't', 'th', 'd',
        'n', 'p', 'ph', 'b', 'm', 'ts', 'tsh', 'dz', 'w', 'zh', 'z', "'", 'y', 'r', 'l', 'sh', 'Sh',
        's', 'h', 'a', 'A', 'i', 'I', 'u', 'U', 'e', 'ai', 'o', 'au', '-i', '-I', 'M', '~M', '~M`',
        'H', '?', 'X', '~X', '^', '+', '.', ' ', '/', '//', ';', '|', '!', ':', '_', '=', '(', ')',
        '<', '>', '@', '#', '$', '%', '*', '0', '5', '9', 'W', 'Y', 'R', 'f', 'v', '-t', '-d', 'x',
        '[', ']', '  ', '\\u0f40', 'gh', 'bh', 'dh', 'dzh'];
    let seed = 12345;
    const next = (n) => {
        seed = (seed * 1103515245 + 12345) & 0x7fffffff;
        return seed % n;
    };
    const out = [];
    for (let i = 0; i < count; i++) {
        let s = '';
        for (let n = 1 + next(8); n > 0; n--) s += keys[next(keys.length)];
        out.push(s);
    }
    return out;
}

const sets = [
    { name: 'test-pairs', inputs: testPairs },
    { name: 'dictionary', inputs: dictionary.map((s) => jsewts.toWylie(s)), originals: dictionary },
    { name: 'sanskrit', inputs: sanskrit },
    { name: 'random', inputs: randomStrings(3000) },
    { name: 'typed', inputs: sanskrit, convert: typed },
];
let passed = 0;
let failed = 0;
const seen = new Set();
for (const set of sets) {
    const got = (set.convert || ours)(set.inputs);
    let same = 0;
    let roundTrip = 0;
    const classes = new Map();
    set.inputs.forEach((input, i) => {
        const want = codepoints(jsewts.fromWylie(input));
        if (set.originals && got[i] === codepoints(set.originals[i])) roundTrip++;
        const key = `${set.name}\t${input}`;
        seen.add(key);
        if (got[i] === want) {
            same++;
            if (expected.has(key)) console.log(`stale expectation: ${key}`);
            return;
        }
        const klass = expected.get(key);
        if (klass === undefined) {
            failed++;
            console.log(`NEW DIFFERENCE ${set.name} ${JSON.stringify(input)}\n  ours:   ${got[i]}\n  jsewts: ${want}`);
        } else {
            classes.set(klass, (classes.get(klass) || 0) + 1);
        }
    });
    passed += same;
    const pct = (100 * same / set.inputs.length).toFixed(1);
    let report = `${set.name}: ${same}/${set.inputs.length} (${pct} %) the same as jsewts`;
    if (set.originals) {
        report += `; ${roundTrip}/${set.inputs.length} (${(100 * roundTrip / set.inputs.length).toFixed(1)} %)`;
        report += ' give back the dictionary syllable';
    }
    console.log(report);
    for (const [klass, n] of classes) console.log(`  deliberate difference, ${klass}: ${n}`);
    passed += [...classes.values()].reduce((a, b) => a + b, 0);
}
for (const key of expected.keys()) {
    if (!seen.has(key)) console.log(`expectation for a string no set holds: ${key}`);
}
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
