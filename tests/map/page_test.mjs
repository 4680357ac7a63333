// The map page in headless Chromium: telemetry-dump --map writes the page, the
// route and the position file for a small sidecar; the page loads a stand-in
// map script that records every google.maps call. Nothing but file:// is loaded.
//   node page_test.mjs TELEMETRY_DUMP WORK_DIR
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import path from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";
import { chromium } from "playwright-core";

const [dumpTool, workArg] = process.argv.slice(2);
const here = path.dirname(fileURLToPath(import.meta.url));
const work = path.resolve(workArg);

// Eight seconds at five G-sensor samples each, moving north-east; second 3 has no fix.
function sidecar() {
  let text = "";
  for (let s = 0; s < 8; s++) {
    for (let g = 0; g < 5; g++) text += `$GSENSOR,${g},${10 * g},-20,1000\r\n`;
    const lat = (3539.1234 + 0.01 * s).toFixed(4);
    const lng = (13945.0 + 0.02 * s).toFixed(4);
    text += s === 3 ? `$GPRMC,${s + 1},V,,,,,,,020323,,,N*00\r\n`
                    : `$GPRMC,${s + 1},A,${lat},N,${lng},E,12.5,45.0,020323,,,A*00\r\n`;
    text += `$GPGGA,${s + 1},0,N,0,E,1,08,1.0,45.5,M,0,M,,*00\r\n$GPGSA,A,3*00\r\n`;
  }
  return text;
}

function positionText(lat, lng) {
  return `var TARGET_POS = { lat: ${lat.toFixed(6)}, lng : ${lng.toFixed(6)}, update : 1 };`;
}

function routePoints() {
  const text = fs.readFileSync(path.join(work, "line_path.js"), "latin1");
  return [...text.matchAll(/\{ lat: (-?[\d.]+), lng : (-?[\d.]+) \}/g)].map((m) => ({
    lat: Number(m[1]), lng: Number(m[2]),
  }));
}

function chromiumPath() {
  if (process.env.CHROMIUM) return process.env.CHROMIUM;
  for (const p of ["/usr/lib/chromium/chromium", "/usr/bin/chromium"]) if (fs.existsSync(p)) return p;
  throw new Error("no chromium found (install the Debian package chromium)");
}

async function waitFor(what, timeoutMs, probe) {
  const end = Date.now() + timeoutMs;
  for (;;) {
    const value = await probe();
    if (value) return value;
    if (Date.now() > end) throw new Error(`timed out after ${timeoutMs} ms waiting for ${what}`);
    await new Promise((r) => setTimeout(r, 50));
  }
}

fs.rmSync(work, { recursive: true, force: true });
fs.mkdirSync(work, { recursive: true });
const sidecarPath = path.join(work, "clip.nmea");
fs.writeFileSync(sidecarPath, sidecar(), "latin1");
const standIn = pathToFileURL(path.join(here, "stand_in_maps.js")).href;
execFileSync(dumpTool, ["--length", "8", "--summary", "--map", work, "--second", "1",
                        "--map-script", standIn, sidecarPath], { stdio: ["ignore", "ignore", "inherit"] });

const route = routePoints();
assert.equal(route.length, 7, "one route point per second with a fix");
const start = route[1];  // the position file holds second 1

const browser = await chromium.launch({
  executablePath: chromiumPath(),
  headless: true,
  args: ["--no-sandbox", "--disable-background-networking", "--disable-component-update",
         "--no-first-run", "--disable-sync", "--disable-default-apps"],
});
let checks = 0;
try {
  const page = await browser.newPage();
  const warnings = [];
  const errors = [];
  const foreign = [];
  page.on("console", (m) => { if (m.type() === "warning") warnings.push(m.text()); });
  page.on("pageerror", (e) => errors.push(String(e)));
  page.on("request", (r) => { if (!r.url().startsWith("file:")) foreign.push(r.url()); });
  await page.route(/^(?!file:)/, (r) => r.abort());
  const calls = () => page.evaluate(() => window.mapCalls || []);
  const named = (list, name) => list.filter((c) => c.call === name);
  const loadends = () => warnings.filter((w) => w.startsWith("loadend:")).length;

  await page.goto(pathToFileURL(path.join(work, "GM_tmp1.html")).href);
  let seen = await waitFor("the map", 10000, async () => {
    const c = await calls();
    return named(c, "Marker").length ? c : null;
  });

  // Initialize: the map in "mymap", zoom 17, centred on the position file's position.
  const script = named(seen, "script")[0];
  assert.equal(script.callback, "Initialize");
  assert.equal(script.key.length, 39);
  const maps = named(seen, "Map");
  assert.equal(maps.length, 1);
  assert.deepEqual(maps[0], { call: "Map", element: "#mymap", zoom: 17, center: start,
                              mapTypeId: "roadmap", disableDefaultUI: true });
  checks++;
  // One polyline through every route point, blue, weight 5.
  const lines = named(seen, "Polyline");
  assert.equal(lines.length, 1);
  assert.deepEqual(lines[0], { call: "Polyline", path: route, strokeColor: "#0033FF",
                               strokeOpacity: 1, strokeWeight: 5, onMap: true });
  checks++;
  // The marker at the start, on the map.
  assert.deepEqual(named(seen, "Marker"), [{ call: "Marker", position: start, onMap: true }]);
  checks++;
  // The position file's load is reported on the console.
  await waitFor("a loadend warning", 3000, async () => loadends() >= 1);
  assert.equal(warnings.find((w) => w.startsWith("loadend:")), `loadend:${start.lat},${start.lng}`);
  checks++;
  // Unchanged positions: the page re-reads the file but does not pan.
  await waitFor("two more reads of the position file", 5000, async () => loadends() >= 3);
  seen = await calls();
  assert.equal(named(seen, "Map.panTo").length, 0, "no pan while the position is unchanged");
  assert.equal(named(seen, "Marker.setPosition").length, 0);
  checks++;

  // A new position: the map pans and the marker follows within about two seconds.
  const next = route[5];
  const written = Date.now();
  fs.writeFileSync(path.join(work, "target_pos.js"), positionText(next.lat, next.lng), "latin1");
  seen = await waitFor("the pan", 2500, async () => {
    const c = await calls();
    return named(c, "Map.panTo").length ? c : null;
  });
  const followedMs = Date.now() - written;
  assert.deepEqual(named(seen, "Map.panTo"), [{ call: "Map.panTo", position: next }]);
  assert.deepEqual(named(seen, "Marker.setPosition"),
                   [{ call: "Marker.setPosition", position: next }]);
  assert.deepEqual(named(seen, "event.clearInstanceListeners").map((c) => c.target),
                   ["window", "document", "#mymap"]);
  checks++;
  // ...and stays there while the file does not change.
  const after = loadends();
  await waitFor("two more reads", 5000, async () => loadends() >= after + 2);
  seen = await calls();
  assert.equal(named(seen, "Map.panTo").length, 1, "no second pan for an unchanged position");
  checks++;

  assert.deepEqual(named(seen, "unknown"), [], "only the calls the page is known to make");
  assert.deepEqual(errors, [], "no script errors");
  assert.deepEqual(foreign, [], "nothing but local files requested");
  checks++;
  console.log(`map page: marker followed the rewritten file after ${followedMs} ms`);
} finally {
  await browser.close();
}
console.log(`${checks} passed, 0 failed`);
