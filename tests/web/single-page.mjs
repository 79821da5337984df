// tornuva.html opened from disk in one engine, Chromium over DevTools or Firefox over WebDriver
// BiDi: held moments (saved for page.py to compare with the capture), the time from load to
// the first frame, the start screen and a click that starts the show. Run by tests/web/check:
//   node single-page.mjs chrome|firefox FILE-URL FOLDER "MOMENTS"
import puppeteer from 'puppeteer-core';

const [engine, url, out, moments] = process.argv.slice(2);
const engines = {
  chrome: { executablePath: '/usr/bin/chromium', headless: true,
    args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'] },
  // Firefox draws WebGL on llvmpipe only when told to, and in a window (Xvfb's).
  firefox: { executablePath: '/usr/bin/firefox-esr', headless: false,
    extraPrefsFirefox: { 'webgl.force-enabled': true } },
};
const browser = await puppeteer.launch({ browser: engine, ...engines[engine], defaultViewport: null });
const page = await browser.newPage();
let passed = 0, failed = 0;
const check = (ok, what) => ok ? passed++ : (failed++, console.log(`FAIL: ${engine}: ${what}`));
const clock = ms => `${Math.floor(ms / 60000)}:${String(Math.floor(ms / 1000) % 60).padStart(2, '0')}.${String(ms % 1000).padStart(3, '0')}`;

// Waits for the page's mode or title; a wait in vain is a failed check and the rest goes on.
async function until(what, condition, value) {
  try {
    await page.waitForFunction(condition, { timeout: 60000 }, value);
    return true;
  } catch {
    check(false, `waited in vain for ${what} ${value}`);
    return false;
  }
}
const mode = value => until('mode', wanted => document.body.dataset.mode === wanted, value);
const title = ms => until('title', wanted => document.title === wanted, `Selkavo Tornuva ${clock(ms)}`);

async function open(hash, width, height) {
  await page.goto('about:blank');
  await page.setViewport({ width, height });
  await page.goto(url + hash);
}

for (const ms of moments.split(' ').map(Number)) {
  await open(`#at=${ms}`, 640, 360);
  if (await title(ms)) {
    await page.screenshot({ path: `${out}/640x360-${ms}.png` });
  }
}
await open('#at=60000', 1280, 720);
await title(60000);
console.log(`${engine}: one file's load to first frame: ${await page.evaluate(() => performance.now().toFixed())} ms`);

await open('', 640, 360);
if (await mode('start')) {
  await page.screenshot({ path: `${out}/start.png` });
  const line = await page.evaluate(() => getComputedStyle(document.getElementById('line'), '::after').content);
  check(line.includes('Click'), `start line ${line}`);
  await page.mouse.click(320, 180);
  await mode('playing');
}
await browser.close();
console.log(`${engine}: ${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
