// The pages in headless Chromium against the native build:
//
//   node browser-test.mjs --dist DIR --bin DIR --assets DIR [--measure]
//
// The demo page's frozen frames equal instruments-snapshot's, the LCD
// playground equals instruments-lcd's picture, reads and dump, the gallery
// paints every instrument, no page logs an error, and the module's heap stays
// flat over 1,000 ticks and 10,000 instruments made and deleted. --measure
// prints the figures of the README instead: first frame, tick, sizes;
// --screenshots DIR writes the README's pictures of the three pages.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import http from "node:http";
import os from "node:os";
import path from "node:path";
import { pathToFileURL } from "node:url";
import zlib from "node:zlib";
import puppeteer from "puppeteer-core";

const argument = (name) => {
  const at = process.argv.indexOf(name);
  return at > 0 ? process.argv[at + 1] : undefined;
};
const dist = path.resolve(argument("--dist") ?? "web/dist");
const bin = path.resolve(argument("--bin") ?? "build/bin");
const assets = path.resolve(argument("--assets") ?? "assets");
const measure = process.argv.includes("--measure");
const screenshots = argument("--screenshots");
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), "instruments-web-"));

// A PNG as {width, height, rgb}: 8-bit RGB or RGBA, not interlaced, which is
// all the native tools write.
function readPng(file) {
  const bytes = fs.readFileSync(file);
  let at = 8;
  let width = 0, height = 0, channels = 0;
  const data = [];
  while (at < bytes.length) {
    const length = bytes.readUInt32BE(at);
    const type = bytes.toString("latin1", at + 4, at + 8);
    const body = bytes.subarray(at + 8, at + 8 + length);
    if (type === "IHDR") {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      if (body[8] !== 8 || (body[9] !== 2 && body[9] !== 6) || body[12] !== 0) {
        throw new Error(file + ": only 8-bit RGB(A) PNGs without interlacing are read here");
      }
      channels = body[9] === 2 ? 3 : 4;
    } else if (type === "IDAT") {
      data.push(body);
    }
    at += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(data));
  const stride = width * channels;
  const rgb = Buffer.alloc(width * height * 3);
  let previous = Buffer.alloc(stride);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = Buffer.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
    for (let x = 0; x < stride; ++x) {
      const a = x >= channels ? line[x - channels] : 0;
      const b = previous[x];
      const c = x >= channels ? previous[x - channels] : 0;
      let predictor = 0;
      if (filter === 1) predictor = a;
      else if (filter === 2) predictor = b;
      else if (filter === 3) predictor = (a + b) >> 1;
      else if (filter === 4) {
        const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
        predictor = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      }
      line[x] = (line[x] + predictor) & 255;
    }
    for (let x = 0; x < width; ++x) {
      line.copy(rgb, (y * width + x) * 3, x * channels, x * channels + 3);
    }
    previous = line;
  }
  return { width, height, rgb };
}

let failures = 0;
function check(ok, what, detail = "") {
  console.log((ok ? "ok   " : "FAIL ") + what + (ok || !detail ? "" : ": " + detail));
  if (!ok) failures += 1;
}

// The canvas "panel" of the page as {width, height, rgb}.
async function canvasPixels(page) {
  const { width, height, base64 } = await page.evaluate(() => {
    const canvas = document.getElementById("panel");
    const data = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
    let text = "";
    for (let i = 0; i < data.length; i += 4) {
      text += String.fromCharCode(data[i], data[i + 1], data[i + 2]);
    }
    return { width: canvas.width, height: canvas.height, base64: btoa(text) };
  });
  return { width, height, rgb: Buffer.from(base64, "base64") };
}

// "" when the two pictures are equal, or what differs.
function difference(page, native) {
  if (page.width !== native.width || page.height !== native.height) {
    return `size ${page.width}x${page.height}, native ${native.width}x${native.height}`;
  }
  let count = 0, first = -1;
  for (let i = 0; i < page.rgb.length; i += 3) {
    if (page.rgb[i] !== native.rgb[i] || page.rgb[i + 1] !== native.rgb[i + 1] || page.rgb[i + 2] !== native.rgb[i + 2]) {
      if (first < 0) first = i / 3;
      count += 1;
    }
  }
  return count === 0 ? "" : `${count} pixels differ, the first at (${first % page.width}, ${Math.floor(first / page.width)})`;
}

const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium",
  headless: true,
  userDataDir: path.join(scratch, "profile"),
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
         "--disable-component-update", "--disable-sync", "--allow-file-access-from-files"],
});
const consoleErrors = [];
async function open(url) {
  const page = await browser.newPage();
  page.on("console", (message) => {
    if (message.type() === "error") consoleErrors.push(`${url}: ${message.text()}`);
  });
  page.on("pageerror", (error) => consoleErrors.push(`${url}: ${error.message}`));
  await page.goto(url);
  await page.waitForFunction(() => document.body.dataset.ready === "1" || document.body.dataset.failed === "1",
                             { timeout: 30000 });
  return page;
}
const pageUrl = (name, fragment = "") => pathToFileURL(path.join(dist, name)).href + fragment;

// The demo's frozen frames over file:// and over a static server.
const server = http.createServer((request, response) => {
  const name = path.join(dist, path.normalize(decodeURIComponent(new URL(request.url, "http://x").pathname)));
  if (!name.startsWith(dist) || !fs.existsSync(name) || !fs.statSync(name).isFile()) {
    response.writeHead(404).end();
    return;
  }
  const types = { ".html": "text/html", ".js": "text/javascript", ".css": "text/css", ".wasm": "application/wasm" };
  response.writeHead(200, { "content-type": types[path.extname(name)] ?? "application/octet-stream" });
  fs.createReadStream(name).pipe(response);
});
await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
const served = `http://127.0.0.1:${server.address().port}`;

try {
  if (screenshots) {
    const shots = [["web-demo.png", "index.html#time=10:08:30&ticks=3"],
                   ["web-lcd.png", "lcd.html#size=20x4&preset=blue&text=" + encodeURIComponent("Hello from\\nthe browser") + "&at=200"],
                   ["web-gallery.png", "gallery.html"]];
    for (const [name, url] of shots) {
      const page = await browser.newPage();
      await page.setViewport({ width: 1000, height: 760 });
      await page.goto(pageUrl(...url.split(/(?=#)/)).replace(/%23/, "#"));
      await page.waitForFunction(() => document.body.dataset.ready === "1", { timeout: 30000 });
      await new Promise((resolve) => setTimeout(resolve, 400));
      await page.screenshot({ path: path.join(path.resolve(screenshots), name), fullPage: true });
      console.log("wrote " + name);
      await page.close();
    }
  } else if (!measure) {
    const frames = [["10:08:30", 3, "file"], ["23:59:59.960", 2, "file"], ["06:30:00", 1, "http"]];
    for (const [time, ticks, how] of frames) {
      const png = path.join(scratch, `snapshot-${ticks}.png`);
      execFileSync(path.join(bin, "instruments-snapshot"),
                   ["--time", time, "--ticks", String(ticks), "--pictures", assets, "--out", png]);
      const fragment = `#time=${time}&ticks=${ticks}`;
      const page = await open(how === "file" ? pageUrl("index.html", fragment) : `${served}/index.html${fragment}`);
      const problem = difference(await canvasPixels(page), readPng(png));
      check(problem === "", `demo page at ${time} after ${ticks} tick(s) over ${how} equals instruments-snapshot`, problem);
      await page.close();
    }

    // The playground against instruments-lcd: picture, reads and dump.
    const lcdCases = [
      { fragment: { size: "20x4", preset: "blue", text: "Hello\\nworld", at: "500" },
        tool: ["--size", "20x4", "--preset", "blue", "--text", "Hello\\nworld", "--at", "500"] },
      { fragment: { size: "16x1", font: "5x10", preset: "amber-on-black", "dot-size": "2", "dot-gap": "0",
                    script: 'i 34\ni 0F\ni 01\nwait 2\ni 40\nd 0E\nd 11\nd 11\nd 0E\ni 80\ntext "\\x00 r=\\xE4"\ni 80\nr\ns\n',
                    at: "250" },
        tool: ["--size", "16x1", "--font", "5x10", "--preset", "amber-on-black", "--dot-size", "2", "--dot-gap", "0",
               "--script", "SCRIPT", "--at", "250"] },
      { fragment: { size: "16x2", backlight: "off", text: "Backlight off", at: "0" },
        tool: ["--size", "16x2", "--backlight", "off", "--text", "Backlight off", "--at", "0"] },
    ];
    for (const [index, { fragment, tool }] of lcdCases.entries()) {
      const png = path.join(scratch, `lcd-${index}.png`);
      const script = path.join(scratch, `lcd-${index}.script`);
      if (fragment.script) fs.writeFileSync(script, fragment.script);
      const output = execFileSync(path.join(bin, "instruments-lcd"),
                                  [...tool.map((word) => (word === "SCRIPT" ? script : word)), "--png", png, "--dump"],
                                  { encoding: "latin1" }).trim().split("\n");
      const hash = "#" + Object.entries(fragment).map(([k, v]) => `${k}=${encodeURIComponent(v)}`).join("&");
      const page = await open(pageUrl("lcd.html", hash));
      const problem = difference(await canvasPixels(page), readPng(png));
      const shown = await page.evaluate(() => ({
        reads: document.getElementById("reads").textContent,
        dump: document.getElementById("dump").textContent,
        status: document.getElementById("status").textContent,
      }));
      check(problem === "", `LCD playground ${hash.slice(0, 40)}... equals instruments-lcd --png`, problem || shown.status);
      check(shown.dump === output[output.length - 1], `its state equals instruments-lcd --dump`,
            `${shown.dump} != ${output[output.length - 1]}`);
      check(shown.reads === output.slice(0, -1).join("\n"), "its reads equal the tool's", JSON.stringify(shown.reads));
      await page.close();
    }

    // A bad script is shown on the page, naming the line, and not thrown.
    {
      const page = await open(pageUrl("lcd.html", "#size=16x2&script=" + encodeURIComponent("i 38\nx 12")));
      const status = await page.evaluate(() => document.getElementById("status").textContent);
      check(status.startsWith("script line 2: unknown operation"), "a bad script line is named on the page", status);
      await page.close();
    }

    // The gallery paints every instrument: no canvas is of one colour.
    {
      const page = await open(pageUrl("gallery.html"));
      await new Promise((resolve) => setTimeout(resolve, 300));
      const blank = await page.evaluate(() => [...document.querySelectorAll("canvas")].filter((canvas) => {
        const data = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
        return data.every((value, i) => value === data[i % 4]);
      }).length);
      const count = await page.evaluate(() => document.querySelectorAll("canvas").length);
      check(count >= 12 && blank === 0, `the gallery paints all ${count} instruments`, `${blank} blank`);
      await page.close();
    }

    // Leaks: the allocator's bytes in use after 1,000 more ticks, and after
    // 10,000 instruments made and deleted, against a warmed-up start.
    {
      const page = await open(pageUrl("index.html"));
      const inUse = () => page.evaluate(() => instruments.heapBytesInUse());
      await page.evaluate(() => window.demoTicks(500));
      const before = await inUse();
      await page.evaluate(() => window.demoTicks(1000));
      const afterTicks = await inUse();
      check(afterTicks - before <= 16384, "the heap stays flat over 1,000 demo ticks",
            `${before} -> ${afterTicks} bytes in use`);
      const churn = () => page.evaluate(() => {
        const I = instruments;
        for (let i = 0; i < 2000; ++i) {
          const made = [new I.CharacterLcd({ columns: 16, rows: 2 }), new I.TextDisplay({ size: [60, 20], text: "Hi" }),
                        new I.LevelMeter({ size: [60, 30], labels: [[0, "0"]] }), new I.Lamp({ size: [10, 10] }),
                        new I.SegmentDisplay({ size: [60, 20], text: "12" })];
          made[0].print("Hello");
          made.forEach((instrument) => instrument.delete());
        }
      });
      await churn();
      const churnBefore = await inUse();
      await churn();
      const churnAfter = await inUse();
      check(churnAfter - churnBefore <= 16384, "the heap stays flat over 10,000 instruments made and deleted",
            `${churnBefore} -> ${churnAfter} bytes in use`);
      const refused = await page.evaluate(() => {
        try {
          new instruments.TextDisplay({ size: [10, 10], ink: "nocolour" });
          return "";
        } catch (error) {
          return error instanceof RangeError ? error.message : "not a RangeError: " + error;
        }
      });
      check(refused.startsWith("TextDisplay ink: unknown colour \"nocolour\""), "a bad setting is a RangeError naming it", refused);
      await page.close();
    }
    check(consoleErrors.length === 0, "no page logged an error", consoleErrors.join("; "));
  } else {
    // The README's figures: the first load in a browser just started, and the
    // median of five loads after it.
    const timesOf = async (url) => {
      const times = [];
      for (let i = 0; i < 6; ++i) {
        const load = await open(url);
        times.push(await load.evaluate(() => [window.demoTiming.moduleReadyMs, window.demoTiming.firstFrameMs]));
        await load.close();
      }
      return times;
    };
    const loads = await timesOf(pageUrl("index.html"));
    const servedLoads = await timesOf(`${served}/index.html`);
    const page = await open(pageUrl("index.html"));
    await page.evaluate(() => window.demoTicks(500));
    const batches = [];
    const painted = [];
    for (let i = 0; i < 30; ++i) {
      batches.push(await page.evaluate(() => window.demoTicks(100, false)) / 100);
      painted.push(await page.evaluate(() => window.demoTicks(20, true)) / 20);
    }
    const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];
    const bench = execFileSync(path.join(bin, "instruments-bench"), ["--ticks", "3000"], { encoding: "utf8" });
    const nativeUs = Number(/tick median ([\d.]+) us/.exec(bench)[1]);
    const tickUs = median(batches) * 1000;
    const js = fs.readFileSync(path.join(dist, "instruments.js"));
    const [coldReady, coldFirst] = loads[0];
    const warmReady = median(loads.slice(1).map((load) => load[0]));
    const warmFirst = median(loads.slice(1).map((load) => load[1]));
    console.log(`first load: module ready ${coldReady.toFixed(0)} ms, first frame ${coldFirst.toFixed(0)} ms after navigation start`);
    console.log(`later loads (median of 5): module ready ${warmReady.toFixed(0)} ms, first frame ${warmFirst.toFixed(0)} ms`);
    const servedReady = median(servedLoads.slice(1).map((load) => load[0]));
    const servedFirst = median(servedLoads.slice(1).map((load) => load[1]));
    console.log(`from a local server, .js + .wasm (median of 5 after the first): module ready ${servedReady.toFixed(0)} ms, first frame ${servedFirst.toFixed(0)} ms`);
    console.log(`tick median ${tickUs.toFixed(1)} us (native ${nativeUs.toFixed(1)} us, ratio ${(tickUs / nativeUs).toFixed(2)})`);
    console.log(`tick with the canvas paint median ${(median(painted) * 1000).toFixed(0)} us`);
    console.log(`instruments.js ${js.length} bytes, gzipped ${zlib.gzipSync(js, { level: 9 }).length} bytes`);
    for (const name of ["instruments-split.wasm", "instruments-split.js"]) {
      const bytes = fs.readFileSync(path.join(dist, name));
      console.log(`${name} ${bytes.length} bytes, gzipped ${zlib.gzipSync(bytes, { level: 9 }).length} bytes`);
    }
    await page.close();
  }
} finally {
  await browser.close();
  server.close();
  fs.rmSync(scratch, { recursive: true, force: true });
}
if (!measure && !screenshots) {
  console.log(failures === 0 ? "all browser checks passed" : `${failures} browser check(s) failed`);
}
process.exit(failures === 0 ? 0 : 1);
