// Figures of the browser version in Chromium (bench/web-figures runs it):
//   node bench/web-figures.js BASE_URL SITE_DIR
// the bytes of a first visit (gzip, as a server compressing would send
// them), the time from navigation to the first picture, the cost of a
// present, and the tab's CPU on a static screen and while the autoplayer
// plays. Figures, not pass/fail.
'use strict';
const path = require('path');
const fs = require('fs');
const zlib = require('zlib');
const puppeteer = require(path.join(__dirname, '..', 'tests', 'web', 'node_modules', 'puppeteer-core'));

const [BASE, SITE] = process.argv.slice(2);
const SECONDS = 10;
const sleep = ms => new Promise(r => setTimeout(r, ms));

async function until(page, test, ms) {
  const end = Date.now() + ms;
  while (Date.now() < end) {
    if (await page.evaluate(test).catch(() => false)) return;
    await sleep(100);
  }
  throw new Error('timed out');
}

// Main-thread busy time of the tab over SECONDS, as a share of one core.
async function cpu(page) {
  const client = await page.target().createCDPSession();
  await client.send('Performance.enable');
  const busy = async () => (await client.send('Performance.getMetrics')).metrics.find(m => m.name === 'TaskDuration').value;
  const before = await busy();
  const frames = await page.evaluate(() => flickermoth.frames);
  await sleep(SECONDS * 1000);
  const share = (await busy() - before) / SECONDS;
  const ran = await page.evaluate(() => flickermoth.frames) - frames;
  await client.detach();
  return {share, ran};
}

(async () => {
  let raw = 0, packed = 0;
  for (const name of fs.readdirSync(SITE)) {
    const bytes = fs.readFileSync(path.join(SITE, name));
    raw += bytes.length;
    packed += zlib.gzipSync(bytes, {level: 9}).length;
    console.log(`file ${name}: ${bytes.length} bytes, gzip ${zlib.gzipSync(bytes, {level: 9}).length}`);
  }
  console.log(`first visit: ${raw} bytes, gzip ${packed} bytes`);

  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--autoplay-policy=no-user-gesture-required'],
  });
  try {
    const firsts = [];
    for (let i = 0; i < 5; i++) {
      const context = await browser.createBrowserContext();    // a first visit: nothing cached
      const page = await context.newPage();
      await page.setViewport({width: 1280, height: 1000});
      await page.goto(BASE + '?args=Q');
      await until(page, () => flickermoth.firstPresent > 0, 20000);
      firsts.push(await page.evaluate(() => flickermoth.firstPresent));
      await context.close();
    }
    firsts.sort((a, b) => a - b);
    console.log(`navigation to first picture: median ${firsts[2].toFixed(0)} ms (${firsts.map(t => t.toFixed(0)).join(', ')})`);

    const page = await browser.newPage();
    await page.setViewport({width: 1280, height: 1000});
    await page.goto(BASE + '?args=Q');
    // The title ends by itself; the opening table then waits for a click.
    await until(page, () => flickermoth.screen === 'hiscore', 20000);
    await sleep(3000);
    const still = await cpu(page);
    console.log(`static screen (the opening table): ${(still.share * 100).toFixed(1)} % of a core, ${still.ran} frames in ${SECONDS} s`);
    await page.close();

    const demo = await browser.newPage();
    await demo.setViewport({width: 1280, height: 1000});
    await demo.goto(BASE + '?args=Q&demo');
    await until(demo, () => flickermoth.screen === 'game', 30000);
    await sleep(2000);
    const before = await demo.evaluate(() => [flickermoth.presented, flickermoth.presentMs]);
    const playing = await cpu(demo);
    const after = await demo.evaluate(() => [flickermoth.presented, flickermoth.presentMs]);
    console.log(`playing (the autoplayer): ${(playing.share * 100).toFixed(1)} % of a core, ${playing.ran} frames in ${SECONDS} s`);
    const presents = after[0] - before[0];
    console.log(`present (conversion and putImageData), changed frames while playing: ` +
                `${((after[1] - before[1]) / presents).toFixed(3)} ms over ${presents} presents`);
  } finally {
    await browser.close();
  }
})();
