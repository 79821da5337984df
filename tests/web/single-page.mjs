// tornuva.html opened from disk in Chromium (DevTools) or Firefox (WebDriver BiDi): held moments
// saved for page.py to compare with the capture, the time from load to the first frame, the
// start screen and a click that starts the show. Run by tests/web/check:
//   node single-page.mjs chrome|firefox FILE-URL FOLDER "MOMENTS"
import puppeteer from 'puppeteer-core';

const [engine, url, out, moments] = process.argv.slice(2);
const browser = await puppeteer.launch(engine === 'chrome'
  ? { browser: 'chrome', executablePath: '/usr/bin/chromium', headless: true, args: ['--no-sandbox',
    '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--disable-background-networking'] }
  // Firefox draws WebGL on llvmpipe only when told to, and in a window (Xvfb's).
  : { browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: false,
    extraPrefsFirefox: { 'webgl.force-enabled': true } });
const page = await browser.newPage();
let failed = 0;

// Opens the page at a size and waits until `expression` holds; a wait in vain is a failure.
async function open(hash, width, height, expression) {
  await page.goto('about:blank');
  await page.setViewport({ width, height });
  await page.goto(url + hash);
  return page.waitForFunction(expression, { timeout: 60000 }).then(() => true, () => {
    console.log(`FAIL: ${engine}: ${hash} waited in vain for ${expression}`);
    return !++failed;
  });
}
// A held moment's clock joins the title once its frame is on the page.
const held = "document.title.includes(':')";

for (const ms of moments.split(' ').map(Number)) {
  if (await open(`#at=${ms}`, 640, 360, held)) {
    await page.screenshot({ path: `${out}/640x360-${ms}.png` });
  }
}
await open('#at=60000', 1280, 720, held);
console.log(`${engine}: one file's load to first frame: ${await page.evaluate('performance.now() | 0')} ms`);
if (await open('', 640, 360, "document.body.dataset.mode === 'start'")) {
  await page.mouse.click(320, 180);
  await page.waitForFunction("document.body.dataset.mode === 'playing'", { timeout: 5000 }).catch(() => {
    console.log(`FAIL: ${engine}: a click did not start the show`);
    failed++;
  });
}
await browser.close();
process.exit(failed ? 1 : 0);
