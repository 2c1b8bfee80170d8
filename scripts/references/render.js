// Renders reference frames of a movie with the reference player in headless Chromium.
//
//   node scripts/references/render.js NODE_MODULES_PARENT MOVIE.swf OUT_FOLDER FRAMES [RENDERER]
//
// Writes OUT_FOLDER/000.png ... one PNG per movie frame, 267 x 49 px, as the About window's strip
// shows the movie: scaled to fit with its proportions kept and centred, at high quality.
//
// Every step is one movie frame because the page never sees real time: before the player loads,
// requestAnimationFrame, performance.now and Date.now are replaced by a clock that starts at 0
// and moves only when this script says so. The player runs as many frames as whole frame
// intervals have passed since its last tick, so each step moves the clock by one interval plus
// 0.001 ms (an exact interval could land a hair short after rounding and run no frame). While
// the movie loads, ticks move no time; the first step then runs and draws the movie's frame 0.
//
// Renderer: "canvas", the player's 2D canvas back end, drawn by Chromium's CPU rasteriser with
// analytic anti-aliasing. "webgl" and "wgpu-webgl" ("webgpu" falls back to it) also work here,
// on Chromium's software GL, and also give the same bytes twice, but they smooth edges by
// multisampling (coverage comes in quarters here), further from exact coverage, and rely on a
// software fallback that headless Chromium without a GPU may drop. On the feature movie the two
// kinds stay well inside the tolerance of the frame comparison (some 60-70 pixels off by more
// than 24, mean error 0.55). Canvas draws each fill on its own, so where two fills of one shape
// share an edge the background shows faintly through the seam; the feature movie has none.
//
// Output goes to a fresh folder beside OUT, which replaces OUT only when every frame is written.
'use strict';

const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const { createRequire } = require('module');

const WIDTH = 267;
const HEIGHT = 49;

function usage(message)
{
    console.error(`render: ${message}\nusage: render.js NODE_MODULES_PARENT MOVIE.swf OUT FRAMES [RENDERER]`);
    process.exit(2);
}

const [depsDir, moviePath, outDir, framesArg, renderer = 'canvas'] = process.argv.slice(2);
if (!outDir || !/^[1-9][0-9]{0,3}$/.test(framesArg || '')) usage('missing or bad arguments');
const frames = Number(framesArg);
const puppeteer = createRequire(path.resolve(depsDir, 'package.json'))('puppeteer-core');
const ruffleDir = path.resolve(depsDir, 'node_modules', '@ruffle-rs', 'ruffle');
// The frame rate, to step by: an 8.8 fixed-point number after the header and the stage's
// rectangle, whose size is in its first five bits. A compressed movie is read uncompressed.
function frameRate(movie)
{
    const kind = movie.subarray(0, 3).toString('latin1');
    if (kind !== 'FWS' && kind !== 'CWS') throw new Error('not an uncompressed or zlib movie');
    const data = kind === 'CWS'
        ? Buffer.concat([movie.subarray(0, 8), require('zlib').inflateSync(movie.subarray(8))])
        : movie;
    const rectBytes = Math.ceil((5 + 4 * (data[8] >> 3)) / 8);
    const rate = data.readUInt16LE(8 + rectBytes) / 256;
    if (!(rate > 0)) throw new Error('no frame rate');
    return rate;
}

let movie;
let fps;
try {
    movie = fs.readFileSync(moviePath);
    fps = frameRate(movie);
} catch (e) {
    usage(`${moviePath}: ${e.message}`);
}

const page = `<!doctype html>
<html><head><meta charset="utf-8">
<style>html, body { margin: 0; padding: 0; background: #000; overflow: hidden; }</style>
<script src="/ruffle/ruffle.js"></script>
</head><body><script>
const player = window.RufflePlayer.newest().createPlayer();
player.style.cssText = 'display: block; width: ${WIDTH}px; height: ${HEIGHT}px;';
document.body.appendChild(player);
window.loaded = player.ruffle().load({
    url: '/movie.swf',
    autoplay: 'on', scale: 'showAll', forceScale: true, quality: 'high', letterbox: 'off',
    unmuteOverlay: 'hidden', splashScreen: false, contextMenu: 'off',
    menu: false, warnOnUnsupportedContent: false, backgroundColor: null, wmode: 'opaque',
    preferredRenderer: ${JSON.stringify(renderer)}, publicPath: '/ruffle/', polyfills: false,
    logLevel: 'warn',
}).then(() => 'ok', (e) => String(e));
window.player = player;
</script></body></html>`;

// Installed before any script of the page runs.
function stoppedClock()
{
    let now = 0;
    let waiting = [];
    let nextId = 1;
    const realFrame = window.requestAnimationFrame.bind(window);
    performance.now = () => now;
    Date.now = () => now;
    window.requestAnimationFrame = (callback) => {
        waiting.push({ id: nextId, callback });
        return nextId++;
    };
    window.cancelAnimationFrame = (id) => { waiting = waiting.filter((w) => w.id !== id); };
    window.step = (ms) => {
        now += ms;
        const due = waiting;
        waiting = [];
        for (const w of due) w.callback(now);
        return due.length;
    };
    // Resolves once the compositor has shown what the last step drew.
    window.painted = () => new Promise((resolve) => realFrame(() => realFrame(resolve)));
}

const types = { '.js': 'text/javascript', '.wasm': 'application/wasm', '.map': 'application/json' };

function serve(request, response)
{
    const url = new URL(request.url, 'http://127.0.0.1');
    let body = null;
    let type = 'text/html; charset=utf-8';
    if (url.pathname === '/') {
        body = page;
    } else if (url.pathname === '/favicon.ico') {
        body = '';
    } else if (url.pathname === '/movie.swf') {
        body = movie;
        type = 'application/octet-stream';
    } else if (url.pathname.startsWith('/ruffle/')) {
        // Only the package's own files, by plain name: never a path that climbs out of it.
        const name = url.pathname.slice('/ruffle/'.length);
        const file = path.join(ruffleDir, name);
        if (/^[\w-]+(\.[\w-]+)*$/.test(name) && fs.statSync(file, { throwIfNoEntry: false })?.isFile()) {
            body = fs.readFileSync(file);
            type = types[path.extname(name)] || 'application/octet-stream';
        }
    }
    response.writeHead(body === null ? 404 : 200, { 'Content-Type': type, 'Cache-Control': 'no-store' });
    response.end(body === null ? 'not found' : body);
}

async function render(browser, origin, work)
{
    const tab = await browser.newPage();
    const problems = [];
    let used = '';
    tab.on('pageerror', (e) => problems.push(String(e)));
    tab.on('console', (m) => {
        if (m.type() === 'error' || m.type() === 'warn') problems.push(m.text());
        const said = /Used renderer: ([^)]*)\)/.exec(m.text());
        if (said) used = said[1];
    });
    const fail = (what) => new Error(`${what}${problems.length ? `; the page said:\n  ${problems.join('\n  ')}` : ''}`);
    await tab.evaluateOnNewDocument(stoppedClock);
    await tab.goto(`${origin}/`, { waitUntil: 'load' });
    const loaded = await tab.evaluate(() => window.loaded);
    if (loaded !== 'ok') throw fail(`the player did not load the movie: ${loaded}`);
    // The player reads the movie between ticks; a few ticks of no time after that let it set up
    // its stage without running a frame.
    for (let i = 0, settled = 0; settled < 3; ++i) {
        if (i > 2000) throw fail('the movie did not load in 2000 ticks');
        const ready = await tab.evaluate(() => {
            window.step(0);
            return window.player.ruffle().readyState === 2 && window.player.ruffle().metadata !== null;
        });
        if (ready) ++settled;
        await new Promise((resolve) => setTimeout(resolve, 5));
    }
    const interval = 1000 / fps + 0.001;
    for (let f = 0; f < frames; ++f) {
        const ticked = await tab.evaluate((ms) => window.step(ms), interval);
        if (ticked === 0) throw fail(`frame ${f}: the player stopped asking for ticks`);
        await tab.evaluate(() => window.painted());
        const png = await tab.screenshot({
            clip: { x: 0, y: 0, width: WIDTH, height: HEIGHT }, type: 'png',
            omitBackground: false, captureBeyondViewport: false,
        });
        // The frame comparison reads 8-bit RGB without interlacing: make sure that is what it gets.
        if (png.readUInt32BE(16) !== WIDTH || png.readUInt32BE(20) !== HEIGHT ||
            png[24] !== 8 || png[25] !== 2 || png[28] !== 0) {
            throw fail(`frame ${f}: not a ${WIDTH} x ${HEIGHT} 8-bit RGB PNG`);
        }
        fs.writeFileSync(path.join(work, `${String(f).padStart(3, '0')}.png`), png);
    }
    if (problems.length) console.error(`render: the page said:\n  ${problems.join('\n  ')}`);
    return used;
}

async function main()
{
    const server = http.createServer(serve);
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    fs.mkdirSync(path.dirname(path.resolve(outDir)), { recursive: true });
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'references-chromium.'));
    const work = fs.mkdtempSync(`${path.resolve(outDir)}.partial.`);
    let browser = null;
    try {
        browser = await puppeteer.launch({
            executablePath: '/usr/bin/chromium',
            headless: true,
            userDataDir: profile,
            args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                   '--disable-background-networking', '--disable-component-update', '--disable-sync',
                   '--hide-scrollbars', '--mute-audio', '--force-color-profile=srgb'],
            defaultViewport: { width: WIDTH, height: HEIGHT, deviceScaleFactor: 1 },
        });
        const used = await render(browser, `http://127.0.0.1:${server.address().port}`, work);
        fs.rmSync(outDir, { recursive: true, force: true });
        fs.renameSync(work, outDir);
        console.log(`render: ${moviePath}: ${frames} frames at ${fps} fps into ${outDir}` +
                    ` (renderer: ${used || 'not told'})`);
    } finally {
        if (browser) await browser.close();
        server.close();
        fs.rmSync(profile, { recursive: true, force: true });
        fs.rmSync(work, { recursive: true, force: true });
    }
}

main().catch((e) => {
    console.error(`render: ${e.message || e}`);
    process.exit(1);
});
