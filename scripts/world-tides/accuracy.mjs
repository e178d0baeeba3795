// Measures how far Quintrel's high and low waters are from those of an independent
// predictor, @neaps/tide-predictor, on the same harmonic constants (read from the TCD files
// the program reads), over a year at a few reference stations.
//
// Three predictions are compared with tide-predictor's (in both its node-correction modes,
// "iho", its default, and "schureman", and the latter with its M3 convention undone):
//   table  a plain harmonic sum on the file's own yearly tables (node factor and equilibrium
//          argument per constituent and year), written here, which shows what the tables
//          alone give;
//   ours   quintrel-table --tides (with --table), the program's own prediction;
// and "ours" against "table", which shows that the program follows its tables.
// Each comparison is also made without M3, M1, L2, J1, OO1 and LDA2, the constituents
// whose node factors and arguments the two predictors define differently, to show their
// share.
//
// Usage: node accuracy.mjs --tool TCD_BUILD --predictor PACKAGE_DIR [--table QUINTREL_TABLE]
//                          [--year YEAR] [--world FILE] [--xtide FILE]
//   TCD_BUILD: build/release/bin/quintrel-tcd-build (prints a station's constants)
//   PACKAGE_DIR: an installed @neaps/tide-predictor (.../node_modules/@neaps/tide-predictor)
// `make world-tides-accuracy` runs it with the packages installed in the build folder.
import { execFileSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { pathToFileURL } from "node:url";

const args = Object.fromEntries(
  process.argv
    .slice(2)
    .reduce((pairs, arg, i, all) => (arg.startsWith("--") ? [...pairs, [arg.slice(2), all[i + 1]]] : pairs), []),
);
if (!args.tool || !args.predictor) {
  console.error("usage: node accuracy.mjs --tool TCD_BUILD --predictor PACKAGE_DIR [--table QUINTREL_TABLE] [--year YEAR]");
  process.exit(2);
}
const year = Number(args.year ?? 2026);
const xtide = args.xtide ?? "/usr/share/xtide/harmonics-dwf-20191229-free.tcd";
const world = args.world ?? "data/world-tides.tcd";
const main = JSON.parse(readFileSync(join(args.predictor, "package.json"), "utf8")).main;
const { createTidePredictor } = await import(pathToFileURL(join(args.predictor, main)).href);

const STATIONS = [
  { file: xtide, id: "9447130", label: "Seattle" },
  { file: xtide, id: "8665530", label: "Charleston" },
  { file: xtide, id: "9414290", label: "San Francisco" },
  { file: xtide, id: "8443970", label: "Boston" },
  { file: xtide, id: "8518750", label: "The Battery, New York" },
  { file: world, id: "ticon/brest-822-fra-uhslc_fd", label: "Brest" },
  { file: world, id: "ticon/sydney_fort_denison-60370-aus-bom", label: "Sydney" },
  { file: world, id: "kartverket/AES", label: "Alesund" },
  { file: world, id: "ticon/newlyn-new-gbr-bodc", label: "Newlyn" },
];
const DIFFERING = new Set(["M3", "M1", "L2", "J1", "OO1", "LDA2"]);
// The file's names that tide-predictor knows by another name.
const PREDICTOR_NAMES = { LDA2: "lambda2", SIG1: "sigma1", EPS2: "eps2", THE1: "theta1", ALP1: "alpha1", BET1: "beta1" };
const FEET = 0.3048;

function readStation({ file, id }) {
  const lines = execFileSync(args.tool, ["--station", file, id, String(year)], { encoding: "utf8" }).trim().split("\n");
  const head = lines[0].split("\t");
  const units = head[6];
  const scale = units === "feet" ? FEET : 1;
  return {
    name: head[2],
    latitude: Number(head[3]),
    longitude: Number(head[4]),
    datumOffset: Number(head[5]) * scale,
    datum: head[7],
    constituents: lines.slice(1).map((line) => {
      const [, name, speed, amplitude, epoch, equilibrium, nodeFactor] = line.split("\t");
      return { name, speed: Number(speed), amplitude: Number(amplitude) * scale, epoch: Number(epoch), equilibrium: Number(equilibrium), nodeFactor: Number(nodeFactor) };
    }),
  };
}

const yearStart = Date.UTC(year, 0, 1);
const yearEnd = Date.UTC(year + 1, 0, 1);
const d2r = Math.PI / 180;

// The plain harmonic sum on the file's tables: hours from 0:00 UTC on 1 January.
function tablePrediction(station, keep) {
  const terms = station.constituents.filter(keep).map((c) => ({
    a: c.nodeFactor * c.amplitude,
    w: c.speed * d2r,
    p: (c.equilibrium - c.epoch) * d2r,
  }));
  const level = (h) => terms.reduce((sum, t) => sum + t.a * Math.cos(t.w * h + t.p), station.datumOffset);
  const slope = (h) => terms.reduce((sum, t) => sum - t.a * t.w * Math.sin(t.w * h + t.p), 0);
  const extremes = [];
  const step = 1 / 6;
  const hours = (yearEnd - yearStart) / 3.6e6;
  let previous = slope(0);
  for (let h = step; h <= hours; h += step) {
    const current = slope(h);
    if (previous > 0 && current <= 0 || previous < 0 && current >= 0) {
      let [lo, hi] = [h - step, h];
      while ((hi - lo) * 3600 > 0.5) {
        const mid = (lo + hi) / 2;
        if ((slope(mid) > 0) === (previous > 0)) lo = mid;
        else hi = mid;
      }
      const at = (lo + hi) / 2;
      extremes.push({ time: yearStart + at * 3.6e6, level: level(at), high: previous > 0 });
    }
    previous = current;
  }
  return extremes;
}

// "schureman-m3" is tide-predictor's Schureman mode with its M3 and S3 turned half a turn
// (it adds 180 degrees to their arguments, which NOAA's and the file's tables do not), to
// show what remains once that convention is undone.
function predictorPrediction(station, keep, mode) {
  const nodeCorrections = mode === "schureman-m3" ? "schureman" : mode;
  const turned = mode === "schureman-m3" ? new Set(["M3", "S3"]) : new Set();
  const constituents = station.constituents.filter(keep).map((c) => ({
    name: PREDICTOR_NAMES[c.name] ?? c.name,
    amplitude: c.amplitude,
    phase: turned.has(c.name) ? (c.epoch + 180) % 360 : c.epoch,
    speed: c.speed,
  }));
  const predictor = createTidePredictor(constituents, { nodeCorrections, offset: station.datumOffset });
  return predictor
    .getExtremesPrediction({ start: new Date(yearStart), end: new Date(yearEnd) })
    .map((e) => ({ time: e.time.getTime(), level: e.level, high: e.high }));
}

// A place at the station with the clock on UTC and no daylight saving, so the program's
// times compare directly.
function utcRecord(station) {
  const dm = (value, width) => {
    const minutes = Math.round(Math.abs(value) * 60);
    return String(Math.floor(minutes / 60)).padStart(width) + String(minutes % 60).padStart(3);
  };
  const lat = (station.latitude < 0 ? "-" : "+") + dm(station.latitude, 3);
  const lon = (station.longitude < 0 ? "-" : "+") + dm(station.longitude, 3);
  return "1" + "Tide check".padEnd(21) + "Station".padEnd(17) + lat + lon + "+   0" + "0";
}

function ourPrediction(station, id) {
  const csv = execFileSync(
    args.table,
    ["--tides", "--record", utcRecord(station), "--station", id, "--year", String(year), "--month", "1", "--months", "12", "--units", "m", "--format", "csv"],
    { encoding: "utf8" },
  );
  return csv
    .split(/\r?\n/)
    .filter((line) => /^\d{8},\d\d:\d\d,/.test(line))
    .map((line) => {
      const [date, time, height, tide] = line.split(",");
      const at = Date.UTC(Number(date.slice(0, 4)), Number(date.slice(4, 6)) - 1, Number(date.slice(6, 8)), Number(time.slice(0, 2)), Number(time.slice(3, 5)));
      return { time: at, level: Number(height), high: tide.trim() === "High" };
    });
}

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted.length ? sorted[Math.floor(sorted.length / 2)] : NaN;
};

// Pairs each extreme of `a` with the nearest of the same kind in `b` within two hours.
function compare(a, b) {
  const minutes = [];
  const cm = [];
  let unmatched = 0;
  let j = 0;
  for (const e of a) {
    while (j < b.length && b[j].time < e.time - 7.2e6) j++;
    let best = null;
    for (let k = j; k < b.length && b[k].time <= e.time + 7.2e6; k++) {
      if (b[k].high === e.high && (!best || Math.abs(b[k].time - e.time) < Math.abs(best.time - e.time))) best = b[k];
    }
    if (!best) {
      unmatched++;
      continue;
    }
    minutes.push(Math.abs(best.time - e.time) / 6e4);
    cm.push(Math.abs(best.level - e.level) * 100);
  }
  return { n: a.length, unmatched, minutes, cm };
}

const rows = [];
const format = (label, r) =>
  `${label.padEnd(44)} ${String(r.n).padStart(4)} ${String(r.unmatched).padStart(3)}  ` +
  `${median(r.minutes).toFixed(2).padStart(6)} ${Math.max(...r.minutes).toFixed(2).padStart(6)}  ` +
  `${median(r.cm).toFixed(2).padStart(6)} ${Math.max(...r.cm).toFixed(2).padStart(6)}`;

console.log(`Year ${year}; differences of each high and low water (median and largest).`);
console.log(`${"station / comparison".padEnd(44)}    n  un  med min max min  med cm  max cm`);
const all = () => true;
const withoutDiffering = (c) => !DIFFERING.has(c.name);
for (const s of STATIONS) {
  const station = readStation(s);
  console.log(`${s.label}: ${station.name} (${s.id}), ${station.constituents.length} constituents, datum ${station.datum}`);
  const present = station.constituents.filter((c) => DIFFERING.has(c.name)).map((c) => `${c.name} ${(c.amplitude * 100).toFixed(1)} cm`);
  console.log(`  of those defined differently: ${present.join(", ") || "none"}`);
  for (const [keepLabel, keep] of [["all constituents", all], ["without M3 M1 L2 J1 OO1 LDA2", withoutDiffering]]) {
    const table = tablePrediction(station, keep);
    for (const mode of ["iho", "schureman", "schureman-m3"]) {
      const theirs = predictorPrediction(station, keep, mode);
      console.log(format(`  table vs tide-predictor ${mode}, ${keepLabel}`, compare(table, theirs)));
      if (args.table && keep === all) {
        const ours = ourPrediction(station, s.id);
        const r = compare(ours, theirs);
        rows.push({ station: s.label, mode, ...r });
        console.log(format(`  ours  vs tide-predictor ${mode}, ${keepLabel}`, r));
        if (mode === "iho") console.log(format(`  ours  vs table, ${keepLabel}`, compare(ours, table)));
      }
    }
  }
}
if (rows.length) {
  for (const mode of ["iho", "schureman", "schureman-m3"]) {
    const picked = rows.filter((r) => r.mode === mode);
    console.log(
      `all stations, ours vs tide-predictor ${mode}: median ${median(picked.flatMap((r) => r.minutes)).toFixed(2)} min, ` +
        `largest ${Math.max(...picked.flatMap((r) => r.minutes)).toFixed(1)} min; median ${median(picked.flatMap((r) => r.cm)).toFixed(2)} cm, ` +
        `largest ${Math.max(...picked.flatMap((r) => r.cm)).toFixed(1)} cm`,
    );
  }
}
